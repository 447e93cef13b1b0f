#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <unordered_set>

class b2World;
class b2Body;
struct b2BodyDef;
class GraphicalObject;
template <class T, class C> class SpacialInstance;

// What a body of the collision world stands for: the placed instance and the
// index of the collision shape in its object's shape list.
struct CollisionBodyRecord {
    SpacialInstance<GraphicalObject, float>* instance = nullptr;
    int32_t shapeIndex = 0;
};

// A level's Box2D world, used only as a spatial index of static bodies (it is
// never stepped), together with the records its bodies point to. The records
// live as long as the world, so a body's user data never dangles; they are
// freed with it.
class CollisionWorld {
public:
    CollisionWorld();
    ~CollisionWorld();
    CollisionWorld(const CollisionWorld&) = delete;
    CollisionWorld& operator=(const CollisionWorld&) = delete;

    b2World& GetWorld() { return *world; }

    // A body made from def whose user data is a new record (instance, shapeIndex).
    b2Body* CreateBody(
        const b2BodyDef& def, SpacialInstance<GraphicalObject, float>* instance, int32_t shapeIndex);
    // Destroys a body of this world. A body this world does not hold (one of
    // a world that was replaced since) is left alone: false.
    bool DestroyBody(b2Body* body);
    // Destroys the body only when it is this world's and stands for owner.
    bool DestroyBodyOf(b2Body* body, const void* owner);
    bool HoldsBody(b2Body* body) const { return liveBodies.count(body) != 0; }
    // Points the body's record at the instance's new address (after a move).
    void Rebind(b2Body* body, SpacialInstance<GraphicalObject, float>* instance);

    // The record of a body of any collision world; null for a body without one.
    static const CollisionBodyRecord* GetRecord(b2Body* body);

    int32_t GetBodyCount() const;

private:
    std::unique_ptr<b2World> world;
    // A deque keeps the records' addresses while it grows.
    std::deque<CollisionBodyRecord> records;
    std::unordered_set<b2Body*> liveBodies;
};
