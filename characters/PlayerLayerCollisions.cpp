#include "characters/PlayerLayerCollisions.h"

#include "scene/CollisionShape.h"
#include "scene/CollisionWorld.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/SceneCharacter.h"
#include "scene/SpacialInstance.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The steps that find the box a long move enters first.
constexpr float kSearchStep = 2.0f;
// The kind the layer answers for a contact found through the circle (a line).
constexpr int kLineContact = 2;

bool Overlap(const PlayerBox& a, const PlayerBox& b)
{
    return a.left < b.right && a.right > b.left && a.bottom < b.top && a.top > b.bottom;
}

} // namespace

// The player's box standing at the tested place, as the layer's character
// tests see a character: one collision box, the player's flag (platforms
// let it through from below), the player's circle for the lines, and the
// body it touched last.
class PlayerLayerCollisions::Probe : public SceneCharacter {
public:
    Probe()
        : SceneCharacter("Player collision probe")
    {
        shapes.push_back(&box);
    }

    // The box at its place. Box2D's boxes leave out the last pixel row and
    // column of the pixels they cover, and its contacts reach 0.8 px past
    // them: the plain probe meets boxes it overlaps by at least 0.2 px; the
    // widened one, one pixel larger to the left and below, meets every box
    // it overlaps and the ones it only touches. The probe stands where the
    // player's feet are, as the layer's platform rule reads it; the widened
    // box reaches below them.
    void Place(const PlayerBox& placed, bool widened)
    {
        const int w = std::max(1, static_cast<int>(std::lround(placed.right - placed.left)));
        const int h = std::max(1, static_cast<int>(std::lround(placed.top - placed.bottom)));
        const int grow = widened ? 1 : 0;
        box = CollisionBox<int>(0, h - 1 + grow, w - 1 + 2 * grow, -grow, 0);
        position = Point<float>(placed.left - static_cast<float>(grow), placed.bottom);
        size = Point<int>(w + grow, h + grow);
        // The circle for the lines, measured from the probe's position.
        if (placed.circleRadius > 0.0f) {
            radius = placed.circleRadius;
            circleCentre = Point<float>(placed.circleX, placed.circleY) - position;
        } else {
            radius = static_cast<float>(std::min(w, h)) * 0.5f;
            circleCentre = Point<float>(static_cast<float>(w) * 0.5f + static_cast<float>(grow), radius);
        }
        lastContact = nullptr;
    }
    const CollisionBodyRecord* GetLastContact() const { return lastContact; }

    Point<float> GetPosition() const override { return position; }
    Point<float> GetPreviousPosition() const override { return position; }
    Point<int> GetSize() const override { return size; }
    Point<float> GetCenter() const override { return position + size.ToFloat() * 0.5f; }
    int GetMoveState() const override { return 0; }
    float GetSpeedValue() const override { return 0.0f; }
    bool Draw(DXGraphicalSurface*, Point<int>) override { return true; }
    bool IsHidden() const override { return true; }
    bool IsDrawnFlagged() const override { return false; }
    bool IsDrawnInFront() const override { return false; }
    bool IsPlayerCharacter() const override { return true; }
    std::vector<CollisionShape<int>*>& GetCollisionShape() override { return shapes; }
    void SetLastContact(const CollisionBodyRecord* record) override { lastContact = record; }
    Point<float> GetCircleCentre() const override { return circleCentre; }
    float GetContactRadius(int) const override { return radius; }

private:
    CollisionBox<int> box;
    std::vector<CollisionShape<int>*> shapes;
    Point<float> position;
    Point<int> size;
    Point<float> circleCentre;
    float radius = 0.0f;
    const CollisionBodyRecord* lastContact = nullptr;
};

PlayerLayerCollisions::PlayerLayerCollisions(Layer* collisionLayer)
    : layer(collisionLayer)
    , probe(std::make_unique<Probe>())
{
}

PlayerLayerCollisions::~PlayerLayerCollisions() = default;

bool PlayerLayerCollisions::Test(
    int testKind, const PlayerBox& box, float dx, float dy, float* allowed, int* boxKind)
{
    // Most moves meet nothing: one test of the whole move tells.
    if (!TestAt(testKind, box, dx, dy, allowed, boxKind))
        return false;
    // The layer keeps one contact, and a box the move passes deep into can
    // answer along its shallow side: the box entered first is found by
    // short steps from the start.
    const float length = std::fabs(dx) + std::fabs(dy);
    for (float t = kSearchStep; t < length; t += kSearchStep) {
        if (TestAt(testKind, box, dx * t / length, dy * t / length, allowed, boxKind))
            return true;
    }
    return TestAt(testKind, box, dx, dy, allowed, boxKind);
}

bool PlayerLayerCollisions::TestAt(
    int testKind, const PlayerBox& box, float dx, float dy, float* allowed, int* boxKind)
{
    bool passThrough = false;
    if (TestOnce(testKind, box, dx, dy, allowed, boxKind, &passThrough))
        return true;
    // The nearest box was a floor met from below or from its side: look
    // again at the solid boxes only.
    return passThrough && TestOnce(0, box, dx, dy, allowed, boxKind, nullptr);
}

bool PlayerLayerCollisions::TestOnce(
    int testKind, const PlayerBox& box, float dx, float dy, float* allowed, int* boxKind, bool* passThrough)
{
    if (layer == nullptr)
        return false;
    probe->Place(box, true);
    const PlayerBox moved = box.Moved(dx, dy);
    const Point<int> a(static_cast<int>(std::floor(std::min(box.left, moved.left))) - 1,
        static_cast<int>(std::floor(std::min(box.bottom, moved.bottom))) - 1);
    const Point<int> b(static_cast<int>(std::ceil(std::max(box.right, moved.right))),
        static_cast<int>(std::ceil(std::max(box.top, moved.top))));
    int contactKind = 0;
    Point<float> result;
    if (!layer->CollideCharacter(testKind, probe.get(), a, b, dx, dy, &contactKind, &result))
        return false;

    // The layer keeps the contact nearest along the move; its answer is the
    // part of the move that stays free.
    float distance = dx != 0.0f ? result.x : result.y;
    if (contactKind != kLineContact) {
        // A box: the distance to its face, in whole pixels as it is placed.
        const CollisionBodyRecord* record = probe->GetLastContact();
        GraphicalObject* object
            = record != nullptr && record->instance != nullptr ? record->instance->GetPrototype() : nullptr;
        const auto* shape = object != nullptr && record->shapeIndex < object->GetCollisionShapeCount()
            ? dynamic_cast<const CollisionBox<int>*>(object->GetCollisionShape(record->shapeIndex))
            : nullptr;
        if (shape == nullptr)
            return false;
        const Rect<int> r
            = CollisionBox<int>::GetMovedRect(shape, record->instance->GetPosition(), Point<int>())
                  .Normalized();
        // Inclusive pixel rectangles: a box covers x0 to x1 and y1 to y0.
        const PlayerBox solid {static_cast<float>(r.x0), static_cast<float>(r.y1),
            static_cast<float>(r.x1 + 1), static_cast<float>(r.y0 + 1)};
        // A platform the layer reports holds only a box coming down or
        // standing: the layer has let the box through while its feet are
        // below the platform's bottom.
        if (shape->GetType() == 1 && (testKind != -1 || dx != 0.0f || dy > 0.0f)) {
            if (passThrough != nullptr)
                *passThrough = true;
            return false;
        }
        // A box only touched does not stop the move.
        if (!Overlap(moved, solid))
            return false;
        if (dx > 0.0f)
            distance = std::max(0.0f, solid.left - box.right);
        else if (dx < 0.0f)
            distance = std::min(0.0f, solid.right - box.left);
        else if (dy > 0.0f)
            distance = std::max(0.0f, solid.bottom - box.top);
        else if (dy < 0.0f)
            distance = std::min(0.0f, solid.top - box.bottom);
        else
            distance = 0.0f;
    } else {
        // A line: the circle stops where the sweep met it.
        const float move = dx != 0.0f ? dx : dy;
        distance = move >= 0.0f ? std::clamp(distance, 0.0f, move) : std::clamp(distance, move, 0.0f);
    }
    if (allowed != nullptr)
        *allowed = distance;
    if (boxKind != nullptr)
        *boxKind = contactKind;
    return true;
}

bool PlayerLayerCollisions::Overlaps(const PlayerBox& box)
{
    if (layer == nullptr)
        return false;
    probe->Place(box, false);
    const Point<int> a(static_cast<int>(std::floor(box.left)), static_cast<int>(std::floor(box.bottom)));
    const Point<int> b(static_cast<int>(std::ceil(box.right)), static_cast<int>(std::ceil(box.top)));
    int contactKind = 0;
    Point<float> push;
    return layer->CollideCharacter(0, probe.get(), a, b, 0.0f, 0.0f, &contactKind, &push);
}
