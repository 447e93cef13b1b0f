#include "scene/CharacterCollision.h"

#include "scene/CollisionShape.h"
#include "scene/CollisionWorld.h"
#include "scene/GraphicalObject.h"
#include "scene/SceneCharacter.h"
#include "scene/SpacialInstance.h"

#include <box2d/b2_distance.h>
#include <box2d/b2_time_of_impact.h>
#include <box2d/box2d.h>

#include <algorithm>
#include <cmath>

int g_LastPushingCharacterBox = 0;

namespace {

b2Vec2 ToWorld(Point<float> p)
{
    return b2Vec2(p.x * kPixelsToWorld, p.y * kPixelsToWorld);
}

// The line that the body's placed instance has as its object's first shape.
const CollisionLine<int>* FirstLineOf(const CollisionBodyRecord* record)
{
    if (record == nullptr || record->instance == nullptr || record->instance->GetPrototype() == nullptr)
        return nullptr;
    return dynamic_cast<const CollisionLine<int>*>(record->instance->GetPrototype()->GetCollisionShape(0));
}

Rect<float> ToFloatRect(const Rect<int>& r)
{
    const Rect<int> n = r.Normalized();
    return Rect<float>(static_cast<float>(n.x0), static_cast<float>(n.y0), static_cast<float>(n.x1),
        static_cast<float>(n.y1));
}

} // namespace

bool CollideCharacterWithPolygon(
    SceneCharacter* character, b2Fixture* fixture, const Point<float>* offset, Point<float>* result)
{
    g_LastPushingCharacterBox = 0;
    if (character == nullptr || fixture == nullptr || offset == nullptr || result == nullptr)
        return false;
    if (fixture->GetType() != b2Shape::e_polygon)
        return false;
    const auto* fixturePolygon = static_cast<const b2PolygonShape*>(fixture->GetShape());
    const b2Transform& bodyTransform = fixture->GetBody()->GetTransform();

    b2Transform characterTransform;
    characterTransform.Set(ToWorld(character->GetPosition() + *offset), 0.0f);

    const auto& shapes = character->GetCollisionShape();
    for (size_t i = 0; i < shapes.size(); ++i) {
        const auto* box = dynamic_cast<const CollisionBox<int>*>(shapes[i]);
        if (box == nullptr)
            continue;
        const Point<float> halfSize = box->GetExactHalfSize();
        // A box without area has no polygon; Box2D would compute garbage.
        if (halfSize.x <= 0.0f || halfSize.y <= 0.0f)
            continue;
        b2PolygonShape polygon;
        polygon.SetAsBox(
            halfSize.x * kPixelsToWorld, halfSize.y * kPixelsToWorld, ToWorld(box->GetExactCentre()), 0.0f);

        b2Manifold manifold;
        b2CollidePolygons(&manifold, &polygon, characterTransform, fixturePolygon, bodyTransform);
        if (manifold.pointCount == 0)
            continue; // this box touches nothing; the next one may
        b2WorldManifold worldManifold;
        worldManifold.Initialize(
            &manifold, characterTransform, polygon.m_radius, bodyTransform, fixturePolygon->m_radius);

        // The normal points from the character's box into the fixture and a
        // penetration is a negative separation: moving the box by
        // normal * separation takes it out of the fixture. Box2D measures the
        // separation between the polygons' skins; adding the skins back makes
        // the push exact in pixels.
        float separation = worldManifold.separations[0];
        if (manifold.pointCount == 2)
            separation = std::max(separation, worldManifold.separations[1]);
        separation += polygon.m_radius + fixturePolygon->m_radius;
        const b2Vec2 push = separation * kWorldToPixels * worldManifold.normal;
        *result = *offset + Point<float>(push.x, push.y);
        g_LastPushingCharacterBox = static_cast<int>(i);
        return true;
    }
    return false;
}

bool SweepCharacterCircle(SceneCharacter* character, const Point<float>* motion, b2Fixture* fixture,
    Point<float>* result, float radius, int flags, float centreX, float centreY)
{
    if (character == nullptr || motion == nullptr || fixture == nullptr || result == nullptr)
        return false;
    if (fixture->GetType() != b2Shape::e_edge)
        return false;
    const auto* edge = static_cast<const b2EdgeShape*>(fixture->GetShape());
    const b2Transform& bodyTransform = fixture->GetBody()->GetTransform();

    b2CircleShape circle;
    circle.m_radius = radius * kPixelsToWorld;
    circle.m_p.SetZero();

    const b2Vec2 start = ToWorld(character->GetPosition() + Point<float>(centreX, centreY));
    const b2Vec2 end = start + ToWorld(*motion);

    b2TOIInput input;
    input.proxyA.Set(edge, 0);
    input.proxyB.Set(&circle, 0);
    input.sweepA.localCenter.SetZero();
    input.sweepA.c0 = input.sweepA.c = bodyTransform.p;
    input.sweepA.a0 = input.sweepA.a = bodyTransform.q.GetAngle();
    input.sweepA.alpha0 = 0.0f;
    input.sweepB.localCenter.SetZero();
    input.sweepB.c0 = start;
    input.sweepB.c = end;
    input.sweepB.a0 = input.sweepB.a = 0.0f;
    input.sweepB.alpha0 = 0.0f;
    input.tMax = 1.0f;
    b2TOIOutput output;
    b2TimeOfImpact(&output, &input);
    if (output.state == b2TOIOutput::e_separated)
        return false;

    // The contact is taken with the circle where the sweep stops.
    b2Transform circleTransform;
    circleTransform.Set(start + output.t * (end - start), 0.0f);
    b2Manifold manifold;
    b2CollideEdgeAndCircle(&manifold, edge, bodyTransform, &circle, circleTransform);
    if (manifold.pointCount == 0)
        return false;
    b2WorldManifold worldManifold;
    worldManifold.Initialize(&manifold, bodyTransform, edge->m_radius, circleTransform, circle.m_radius);
    const b2Vec2 normal = worldManifold.normal; // from the edge toward the circle

    if (flags & 1) {
        // Only a contact from above the slope counts.
        const CollisionLine<int>* line = FirstLineOf(CollisionWorld::GetRecord(fixture->GetBody()));
        if (line != nullptr) {
            const Point<int> d = line->GetSecondPoint() - line->GetFirstPoint();
            const bool risingRight = (d.x > 0 && d.y > 0) || (d.x < 0 && d.y < 0);
            const bool counts = risingRight ? (normal.x <= 0.0f && normal.y >= 0.0f)
                                            : (normal.x >= 0.0f && normal.y >= 0.0f);
            if (!counts)
                return false;
        }
    }
    *result = *motion * output.t;
    return true;
}

bool CollideCharacterWithObject(SceneCharacter* character, SpacialInstance<GraphicalObject, float>* instance,
    const Point<float>* displacement, bool sweep, Point<float>* result, int typeFilter,
    const Rect<int>* exclusion)
{
    if (character == nullptr || instance == nullptr || instance->GetPrototype() == nullptr)
        return false;
    if (sweep && (displacement == nullptr || result == nullptr))
        return false;
    GraphicalObject* object = instance->GetPrototype();
    const Point<float> instancePosition = instance->GetPosition();
    const bool useExclusion = exclusion != nullptr && !(*exclusion == Rect<int>());
    const Point<float> characterPosition = character->GetPosition();

    bool hit = false;
    Point<float> best = sweep ? *displacement : Point<float>();
    for (CollisionShape<int>* characterShape : character->GetCollisionShape()) {
        if (dynamic_cast<CollisionBox<int>*>(characterShape) == nullptr)
            continue;
        for (int j = 0; j < object->GetCollisionShapeCount(); ++j) {
            auto* box = dynamic_cast<CollisionBox<int>*>(object->GetCollisionShape(j));
            if (box == nullptr)
                continue;
            const Point<int> cell = object->GetCollisionCell(j);
            if (useExclusion) {
                Rect<int> world = box->GetRect();
                world.Offset(instancePosition.ToInt() + cell);
                if (ToFloatRect(world).Intersects(ToFloatRect(*exclusion)))
                    continue;
            }
            if (typeFilter != -1 && box->GetType() != typeFilter)
                continue;
            const Point<float> boxOffset = instancePosition + cell.ToFloat();
            if (!sweep) {
                if (box->Intersects(
                        characterShape, boxOffset.x, boxOffset.y, characterPosition.x, characterPosition.y))
                    return true;
                continue;
            }
            Point<float> push;
            if (box->Collide(characterShape, displacement->x, displacement->y, boxOffset.x, boxOffset.y,
                    characterPosition.x, characterPosition.y, &push)) {
                hit = true;
                if (std::fabs(push.x) < std::fabs(best.x) || std::fabs(push.y) < std::fabs(best.y))
                    best = push;
            }
        }
    }
    if (!sweep)
        return false;
    *result = hit ? best : *displacement;
    return hit;
}
