#pragma once

#include <cstdint>
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "engine/render/IRenderEngine.h"
#include "engine/serial/ISerialization.h"
#include "engine/serial/Point.h"
#include "engine/serial/Rect.h"
#include "scene/SceneObject.h"

class AnimatedSprite;
class DXGraphicalSurface;
class ISprite;
class RenderPoolManager;
class Sprite;
template <class T, class C> class SpacialInstance;
template <class C> class AnimatedSpriteSpacialInstance;
template <class C> class CollisionShape;
template <class C> class CollisionBox;

// A scene object with a look: placed sprites and placed animated sprites, a
// drawing table saying which of them are drawn and in which order, and the
// collision shapes of the object. Levels place graphical objects; characters,
// UI frames and zones are graphical objects too.
class GraphicalObject : public SceneObject {
public:
    // One entry of the drawing table: a sprite instance (type 0) or an
    // animated instance (type 1) and its position in that list.
    class GenericSpriteIndex : public ISerialization {
    public:
        GenericSpriteIndex() = default;
        GenericSpriteIndex(int32_t type_, int32_t index_)
            : type(type_)
            , index(index_)
        {
        }
        GenericSpriteIndex(const GenericSpriteIndex&) = default;
        GenericSpriteIndex& operator=(const GenericSpriteIndex&) = default;

        // Record: "GenericSpriteIndexV0", type, index.
        bool Serialize(std::ostream& os) override;
        // Reads type and index (the class line is read by the owner).
        bool UnSerialize(std::istream& is) override;
        std::string GetVersionedClassName() override { return "GenericSpriteIndexV0"; }

        bool operator==(const GenericSpriteIndex& other) const
        {
            return type == other.type && index == other.index;
        }

        int32_t type = -1;
        int32_t index = -1;
    };

    using SpriteInstance = SpacialInstance<Sprite, int>;
    using AnimatedInstance = AnimatedSpriteSpacialInstance<int>;

    explicit GraphicalObject(std::string name);
    // A copy restarts its animations.
    GraphicalObject(const GraphicalObject& other);
    ~GraphicalObject() override;
    GraphicalObject& operator=(const GraphicalObject&) = delete;
    // Copies another object into this one (lists replaced, shapes rebuilt).
    void Assign(const GraphicalObject& other);

    static std::string VersionedClassName();

    bool Serialize(std::ostream& os) override;
    // Reference: the versioned class name followed by "Ptr", then the name.
    bool SerializePtr(std::ostream& os) override;
    // All or nothing: a damaged record leaves the object as it was; a record
    // read whole replaces the lists the object had.
    bool UnSerialize(std::istream& is) override;

    // A plain graphical object copy of this one; with restart false the copy
    // keeps its animations where they are instead of restarting them.
    SceneObject* Clone(bool restart) override;
    void Update(double dt) override;
    void Init() override;
    // Draws the object's drawing table through the render engine with its
    // upper-left corner at (x, y); a clip size of 0 draws it whole.
    virtual bool DrawSprite(DXGraphicalSurface* target, int x, int y, int p5, int p6, float rotation,
        int originX, int originY, int clipWidth, int clipHeight);
    virtual void DeleteCollisionShapes();

    // Sprites.
    SpriteInstance* AddSpriteInstance(Sprite* sprite, int x, int y);
    AnimatedInstance* AddAnimatedInstance(AnimatedSprite* sprite, int x, int y);
    SpriteInstance* GetSpriteInstance(int index);
    AnimatedInstance* GetAnimatedInstance(int index);
    int GetSpriteInstanceCount() const;
    int GetAnimatedInstanceCount() const;
    Sprite* GetFirstSprite();
    Sprite* FindSpriteByName(const std::string& spriteName);
    void SwapSpriteInstances(int i, int j);
    void SwapAnimatedInstances(int i, int j);

    // Drawing table.
    void AddGenericSpriteIndex(ISprite* sprite, int index);
    GenericSpriteIndex* GetGenericSpriteIndex(int i);
    // The instance entry i names: a sprite instance or an animated instance
    // (both share the SpacialInstance base of their sprite kind); null when
    // either index is out of range.
    ISerialization* GetGenericSprite(int i);
    int GetDrawEntryCount() const { return static_cast<int>(drawEntries.size()); }
    void RemoveGenericSprite(int i);
    // Removes the entries from `first` to the last and the instances they
    // name, renumbering the others as RemoveGenericSprite does, in one pass
    // (removing them one by one walks the table for each).
    void RemoveGenericSpritesFrom(int first);
    const std::vector<GenericSpriteIndex>& GetDrawEntries() const { return drawEntries; }
    // The drawing table as the render engine draws it: each sprite entry's
    // sprite and each animated entry's current frame with their instance's
    // placement; an entry naming no instance comes out missing, an entry of
    // another kind is left out.
    std::vector<ObjectDrawEntry> GetObjectDrawEntries();

    // Collision shapes (owned; an entry may be null).
    CollisionShape<int>* GetCollisionShape(int i);
    // The slot of shape i, the list grown with empty slots to reach it.
    std::unique_ptr<CollisionShape<int>>& CollisionShapeAt(int i);
    CollisionShape<int>* GetFirstCollisionShape();
    Rect<int> GetCollisionRect();
    CollisionBox<int>* FindCollisionBoxOfType3();
    void RemoveCollisionShape(int i);
    bool IsCollisionShapeActive(int i);
    int GetCollisionShapeCount() const { return static_cast<int>(collisionShapes.size()); }
    // Origin of cell i of the 32 x 32 grid older files measured shapes in;
    // (0, 0) once shapes are in object space.
    Point<int> GetCollisionCell(int i) const;
    Point<int> GetCollisionShapeCell(const CollisionShape<int>* shape) const;
    // Origin of cell i for an object of that size (see GetCollisionCell).
    static Point<int> CollisionCell(int i, Point<int> size, bool inObjectSpace);

    // Animation.
    void RestartAnimations(bool skipFirstStep);
    void StopAnimations();
    int GetAnimationFrame();
    int GetFirstAnimationFrame();
    float GetAnimationProgress();
    void SetAnimationFrame(int frame);
    void SetAnimationProgress(float t);
    bool HasNonLoopingAnimation();
    bool IsAnimationFinished();

    Point<int> GetSize() const { return size; }
    void SetSize(int width, int height, bool inObjectSpace);
    bool AreShapesInObjectSpace() const { return shapesInObjectSpace; }

    // Acquires the images of every drawn sprite now, or, when the render
    // engine records for the render thread and `now` is false, queues the
    // object for the render pool's image pass.
    static void LoadImages(GraphicalObject* object, bool now);
    // Queues the images of the object's sprites and animation frames in the
    // render pool's frame being filled; the render thread loads them.
    static void QueueImages(RenderPoolManager& pool, GraphicalObject* object);
    // Acquires the images of every sprite the drawing table names.
    void AcquireImages();

    GraphicalObject* GetReplacement() const { return replacement; }
    int GetReplacementKind() const { return replacementKind; }
    void SetReplacementKind(int kind) { replacementKind = kind; }
    int GetSlotIndex() const { return slotIndex; }
    void SetSlotIndex(int value) { slotIndex = value; }
    int GetExtra() const { return extra; }
    void SetExtra(int value) { extra = value; }

protected:
    // Everything a graphical-object record holds, read before any is taken.
    struct GraphicalRecord {
        // Out of line: the element types are complete only in the .cpp.
        GraphicalRecord();
        ~GraphicalRecord();
        GraphicalRecord(const GraphicalRecord&) = delete;
        GraphicalRecord& operator=(const GraphicalRecord&) = delete;

        SceneObjectRecord head;
        Point<int> size;
        std::vector<SpriteInstance> spriteInstances;
        std::vector<AnimatedInstance> animatedInstances;
        std::vector<std::unique_ptr<CollisionShape<int>>> collisionShapes;
        std::vector<GenericSpriteIndex> drawEntries;
    };
    // Reads the record (after its class-name line) into `record`; the object
    // itself is untouched. Derived records read this first, then their own
    // fields, and take it only when those were read too.
    bool ReadGraphicalRecord(std::istream& is, GraphicalRecord& record) const;
    // Takes a record read whole, then runs PostUnSerialize and the
    // character-prototype registration.
    void TakeGraphicalRecord(GraphicalRecord&& record);

    // With restartAnimations false the copy keeps its animations where the
    // original has them (Clone(false)).
    GraphicalObject(const GraphicalObject& other, bool restartAnimations);
    void CopyContent(const GraphicalObject& other);

    std::vector<SpriteInstance> spriteInstances;
    std::vector<AnimatedInstance> animatedInstances;
    std::vector<GenericSpriteIndex> drawEntries;
    std::vector<std::unique_ptr<CollisionShape<int>>> collisionShapes;
    Point<int> size {32, 32};
    bool shapesInObjectSpace = true;
    int32_t slotIndex = -1;
    GraphicalObject* replacement = nullptr;
    int32_t replacementKind = 0;
    int32_t extra = 0;
};
