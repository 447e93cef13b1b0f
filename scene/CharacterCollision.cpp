#include "scene/CharacterCollision.h"

#include "characters/CharacterObject.h"
#include "scene/CollisionShape.h"

#include <box2d/box2d.h>

#include <algorithm>

int g_LastPushingCharacterBox = 0;

namespace {

b2Vec2 ToWorld(Point<float> p) { return b2Vec2(p.x * kPixelsToWorld, p.y * kPixelsToWorld); }

} // namespace

bool CollideCharacterWithPolygon(CharacterObject* character, b2Fixture* fixture, const Point<float>* offset,
    Point<float>* result)
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
        polygon.SetAsBox(halfSize.x * kPixelsToWorld, halfSize.y * kPixelsToWorld, ToWorld(box->GetExactCentre()),
            0.0f);

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
