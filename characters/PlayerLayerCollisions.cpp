#include "characters/PlayerLayerCollisions.h"

#include "scene/CollisionShape.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/SpacialInstance.h"

#include <algorithm>
#include <cmath>

namespace {

// Objects are placed on the 32-px grid; one cell more on every side finds
// an object whose cell starts before the tested area.
constexpr int kMargin = 32;

} // namespace

void PlayerLayerCollisions::Gather(const PlayerBox& box, float dx, float dy)
{
    boxes.Clear();
    if (layer == nullptr)
        return;
    const Point<int> a(static_cast<int>(std::floor(std::min(box.left, box.left + dx))) - kMargin,
        static_cast<int>(std::ceil(std::max(box.top, box.top + dy))) + kMargin);
    const Point<int> b(static_cast<int>(std::ceil(std::max(box.right, box.right + dx))) + kMargin,
        static_cast<int>(std::floor(std::min(box.bottom, box.bottom + dy))) - kMargin);
    Layer::InstanceList found;
    layer->CollectInstancesInRect(a, b, found, true);
    for (Layer::Instance* instance : found) {
        GraphicalObject* object = instance != nullptr ? instance->GetPrototype() : nullptr;
        if (object == nullptr)
            continue;
        for (int i = 0; i < object->GetCollisionShapeCount(); ++i) {
            const auto* shape = dynamic_cast<const CollisionBox<int>*>(object->GetCollisionShape(i));
            if (shape == nullptr || (shape->GetType() != 0 && shape->GetType() != 1))
                continue;
            const Rect<int> r
                = CollisionBox<int>::GetMovedRect(shape, instance->GetPosition(), Point<int>()).Normalized();
            // Inclusive pixel rectangles: a box covers x0 to x1 and y1 to y0.
            boxes.Add(static_cast<float>(r.x0), static_cast<float>(r.y1), static_cast<float>(r.x1 + 1),
                static_cast<float>(r.y0 + 1), shape->GetType() == 1);
        }
    }
}

bool PlayerLayerCollisions::Test(
    int testKind, const PlayerBox& box, float dx, float dy, float* allowed, int* boxKind)
{
    Gather(box, dx, dy);
    return boxes.Test(testKind, box, dx, dy, allowed, boxKind);
}

bool PlayerLayerCollisions::Overlaps(const PlayerBox& box)
{
    Gather(box, 0.0f, 0.0f);
    return boxes.Overlaps(box);
}
