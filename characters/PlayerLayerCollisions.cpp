#include "characters/PlayerLayerCollisions.h"

#include "scene/CellGrid.h"
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
    // Every instance filed under the screen cells the area touches (corners
    // outside the layer are pulled onto its edge), then the added ones.
    Layer::InstanceList found;
    const Rect<int>& bounds = layer->GetBounds();
    auto clampX = [&bounds](int x) { return std::clamp(x, bounds.x0, std::max(bounds.x0, bounds.x1 - 1)); };
    auto clampY = [&bounds](int y) { return std::clamp(y, bounds.y1, std::max(bounds.y1, bounds.y0 - 1)); };
    Point<int> first;
    Point<int> last;
    if (layer->PointToCell(Point<int>(clampX(a.x), clampY(b.y)), &first)
        && layer->PointToCell(Point<int>(clampX(b.x), clampY(a.y)), &last)) {
        const CellGrid& grid = layer->GetCellGrid();
        for (int cx = first.x; cx <= last.x; ++cx) {
            for (int cy = first.y; cy <= last.y; ++cy) {
                for (Layer::Instance* instance : grid[static_cast<size_t>(cx)][static_cast<size_t>(cy)]) {
                    if (std::find(found.begin(), found.end(), instance) == found.end())
                        found.push_back(instance);
                }
            }
        }
    }
    for (size_t i = 0; i < layer->GetAddedInstanceCount(); ++i)
        found.push_back(layer->GetAddedInstance(i));
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
