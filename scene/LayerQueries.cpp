// The layer's point and name queries and its collision tests.

#include "scene/CharacterCollision.h"
#include "scene/CollisionShape.h"
#include "scene/CollisionWorld.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/SceneCharacter.h"

#include <box2d/box2d.h>

#include <algorithm>
#include <cmath>

namespace {

// Snaps a value to the 32-pixel grid: down for v >= 0, that multiple minus
// 31 below 0.
int SnapToGrid(int v)
{
    return v >= 0 ? 32 * (v / 32) : 32 * (v / 32) - 31;
}

float SquaredLength(Point<float> p)
{
    return p.x * p.x + p.y * p.y;
}

} // namespace

Rect<float> Layer::InstanceRect(const Instance& instance)
{
    const Point<float> p = instance.GetPosition();
    const Point<int> s = instance.GetSize();
    return Rect<float>(p.x, p.y + static_cast<float>(s.y) - 1.0f, p.x + static_cast<float>(s.x) - 1.0f, p.y);
}

Layer::Instance* Layer::GetInstanceAt(Point<int> point, bool searchAdded)
{
    Point<int> cell;
    if (!PointToCell(point, &cell))
        return nullptr;
    const Point<float> p(static_cast<float>(point.x), static_cast<float>(point.y));
    for (Instance* instance : cellGrid[static_cast<size_t>(cell.x)][static_cast<size_t>(cell.y)]) {
        if (Rect<float>::Contains(InstanceRect(*instance), p))
            return instance;
    }
    if (searchAdded) {
        for (auto& added : addedInstances) {
            if (Rect<float>::Contains(InstanceRect(*added), p))
                return added.get();
        }
    }
    return nullptr;
}

Layer::Instance* Layer::GetReplaceableInstanceAt(Point<int> point)
{
    Point<int> cell;
    if (!PointToCell(point, &cell))
        return nullptr;
    const Point<float> p(static_cast<float>(point.x), static_cast<float>(point.y));
    for (Instance* instance : cellGrid[static_cast<size_t>(cell.x)][static_cast<size_t>(cell.y)]) {
        GraphicalObject* object = instance->GetPrototype();
        if (object != nullptr && object->GetReplacement() != nullptr
            && Rect<float>::Contains(InstanceRect(*instance), p))
            return instance;
    }
    return nullptr;
}

Layer::Instance* Layer::FindInstanceByName(const std::string& instanceName)
{
    for (Instance* instance : gameplayInstances) {
        if (instance->GetPayload() != nullptr && instance->GetPayload()->GetName() == instanceName)
            return instance;
    }
    return nullptr;
}

std::unique_ptr<std::list<Layer::Instance*>> Layer::FindInstancesByName(const std::string& instanceName)
{
    auto found = std::make_unique<std::list<Instance*>>();
    for (Instance* instance : gameplayInstances) {
        if (instance->GetPayload() != nullptr && instance->GetPayload()->GetName() == instanceName)
            found->push_back(instance);
    }
    return found;
}

Layer::Instance* ListFront(const std::list<Layer::Instance*>* list)
{
    return list != nullptr && !list->empty() ? list->front() : nullptr;
}

void Layer::CollectInstancesInRect(Point<int> a, Point<int> b, InstanceList& out, bool includeAdded)
{
    const int x0 = SnapToGrid(std::min(a.x, b.x));
    const int x1 = SnapToGrid(std::max(a.x, b.x));
    const int y0 = SnapToGrid(std::min(a.y, b.y));
    const int y1 = SnapToGrid(std::max(a.y, b.y));
    for (int x = x0; x <= x1; x += 32) {
        for (int y = y0; y <= y1; y += 32) {
            Instance* found = GetInstanceAt(Point<int>(x, y), false);
            if (found != nullptr && found->GetPrototype() != nullptr
                && std::find(out.begin(), out.end(), found) == out.end())
                out.push_back(found);
        }
    }
    if (includeAdded) {
        const Rect<float> query(static_cast<float>(std::min(a.x, b.x)),
            static_cast<float>(std::max(a.y, b.y)), static_cast<float>(std::max(a.x, b.x)),
            static_cast<float>(std::min(a.y, b.y)));
        for (auto& added : addedInstances) {
            if (added->GetPrototype() != nullptr && Rect<float>::Overlaps(InstanceRect(*added), query))
                out.push_back(added.get());
        }
    }
}

bool Layer::CollideShape(SceneCharacter* character, Point<float> motion, Point<float>* push)
{
    if (character == nullptr || push == nullptr)
        return false;
    // The character's boxes, where they are and where the motion takes them.
    bool any = false;
    Rect<int> area;
    for (CollisionShape<int>* shape : character->GetCollisionShape()) {
        auto* box = dynamic_cast<CollisionBox<int>*>(shape);
        if (box == nullptr)
            continue;
        const Rect<int> r
            = CollisionBox<int>::GetMovedRect(box, character->GetPosition(), Point<int>()).Normalized();
        const Rect<int> grown(std::min(r.x0, r.x0 + static_cast<int>(motion.x)),
            std::max(r.y0, r.y0 + static_cast<int>(motion.y)),
            std::max(r.x1, r.x1 + static_cast<int>(motion.x)),
            std::min(r.y1, r.y1 + static_cast<int>(motion.y)));
        area = any ? Rect<int>(std::min(area.x0, grown.x0), std::max(area.y0, grown.y0),
                   std::max(area.x1, grown.x1), std::min(area.y1, grown.y1))
                   : grown;
        any = true;
    }
    *push = motion;
    if (!any)
        return false;
    InstanceList gathered;
    CollectInstancesInRect(Point<int>(area.x0, area.y0), Point<int>(area.x1, area.y1), gathered, false);
    bool hit = false;
    Point<float> kept = motion;
    for (Instance* instance : gathered) {
        Point<float> result = motion;
        if (!CollideCharacterWithObject(character, instance, &motion, true, &result, -1, nullptr))
            continue;
        if (!hit || std::fabs(result.x) < std::fabs(kept.x) || std::fabs(result.y) < std::fabs(kept.y))
            kept = result;
        hit = true;
    }
    *push = kept;
    return hit;
}

bool Layer::CollideCharacter(int kind, SceneCharacter* character, Point<int> a, Point<int> b, float dx,
    float dy, int* contactKind, Point<float>* push)
{
    return CollideWithWorld(kind, character, a, b, dx, dy, contactKind, push, false, 0);
}

bool Layer::ResolveCollision(int kind, SceneCharacter* character, Point<int> a, Point<int> b, float dx,
    float dy, int* contactKind, Point<float>* push, int circleMode)
{
    return CollideWithWorld(kind, character, a, b, dx, dy, contactKind, push, true, circleMode);
}

bool Layer::CollideWithWorld(int kind, SceneCharacter* character, Point<int> a, Point<int> b, float dx,
    float dy, int* contactKind, Point<float>* push, bool boxPushFromRects, int circleMode)
{
    if (character == nullptr || level == nullptr || level->GetCollisionWorld() == nullptr)
        return false;
    const std::vector<b2Fixture*> fixtures = level->QueryFixtures(Rect<int>(a, b).Normalized());
    if (fixtures.empty())
        return false;

    const Point<float> motion(dx, dy);
    // CollideCharacter weighs pushes along the motion only when it runs
    // along one axis.
    const bool alongAxis = !boxPushFromRects && (dx == 0.0f || dy == 0.0f) && (dx != 0.0f || dy != 0.0f);
    Point<float> unit;
    if (alongAxis) {
        const float length = std::sqrt(dx * dx + dy * dy);
        unit = Point<float>(-dx / length, -dy / length);
    }
    auto weight = [&](Point<float> p) {
        return alongAxis ? SquaredLength(Point<float>(p.x * unit.x, p.y * unit.y)) : SquaredLength(p);
    };

    bool found = false;
    Point<float> kept;
    int keptKind = 0;
    auto consider = [&](Point<float> candidate, int candidateKind, const CollisionBodyRecord* record) {
        if (found && !(weight(candidate) < weight(kept)))
            return;
        kept = candidate;
        keptKind = candidateKind;
        found = true;
        character->SetLastContact(record);
    };

    for (b2Fixture* fixture : fixtures) {
        const CollisionBodyRecord* record = CollisionWorld::GetRecord(fixture->GetBody());
        if (record == nullptr || record->instance == nullptr || record->instance->GetPrototype() == nullptr)
            continue;
        Instance* instance = record->instance;
        GraphicalObject* object = instance->GetPrototype();
        CollisionShape<int>* shape = record->shapeIndex < object->GetCollisionShapeCount()
            ? object->GetCollisionShape(record->shapeIndex)
            : nullptr;
        if (auto* box = dynamic_cast<CollisionBox<int>*>(shape)) {
            if (kind != -1 && box->GetType() != kind)
                continue;
            if (kind == -1 && box->GetType() == 1 && character->IsPlayerCharacter()
                && static_cast<float>(box->GetOrigin().y) + instance->GetPosition().y
                    > character->GetPosition().y)
                continue; // a platform lets the player through from below
            Point<float> result;
            if (!CollideCharacterWithPolygon(character, fixture, &motion, &result))
                continue;
            Point<float> candidate = result;
            if (boxPushFromRects) {
                const auto& shapes = character->GetCollisionShape();
                const auto* own = g_LastPushingCharacterBox >= 0
                        && static_cast<size_t>(g_LastPushingCharacterBox) < shapes.size()
                    ? dynamic_cast<const CollisionBox<int>*>(
                        shapes[static_cast<size_t>(g_LastPushingCharacterBox)])
                    : nullptr;
                const Rect<int> boxRect
                    = CollisionBox<int>::GetMovedRect(box, instance->GetPosition(), Point<int>())
                          .Normalized();
                const Rect<int> own_rect = CollisionBox<int>::GetMovedRect(
                    own, character->GetPosition(), Point<int>(static_cast<int>(dx), static_cast<int>(dy)))
                                               .Normalized();
                candidate = Point<float>();
                if (dx > 0.0f)
                    candidate.x = static_cast<float>(boxRect.x0 - own_rect.x1 - 1);
                else if (dx < 0.0f)
                    candidate.x = static_cast<float>(boxRect.x1 - own_rect.x0 + 1);
                if (dy > 0.0f)
                    candidate.y = static_cast<float>(boxRect.y1 - own_rect.y0 - 1);
                else if (dy < 0.0f)
                    candidate.y = static_cast<float>(boxRect.y0 - own_rect.y1 + 1);
            }
            consider(candidate, 0, record);
            continue;
        }
        if (boxPushFromRects && circleMode == 16)
            continue;
        const Point<float> centre = character->GetCircleCentre();
        Point<float> result;
        if (SweepCharacterCircle(character, &motion, fixture, &result, character->GetContactRadius(kind), 0,
                centre.x, centre.y))
            consider(result, 2, record);
    }
    if (!found)
        return false;
    if (push != nullptr)
        *push = kept;
    if (contactKind != nullptr)
        *contactKind = keptKind;
    return true;
}
