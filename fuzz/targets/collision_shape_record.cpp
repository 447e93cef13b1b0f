#include "fuzz/FuzzRecord.h"
#include "scene/CollisionShape.h"

#include <sstream>

// A run of shapes as an owner writes them, each tested against the first.
QUENHOLT_FUZZ_TARGET(collision_shape_record, fuzz::Reports::Nothing)
{
    std::istringstream is(input.Text());
    ReaderContext context(is, input.name);
    std::unique_ptr<CollisionShape<int>> first;
    bool any = false;
    for (int i = 0; i < 16 && is; ++i) {
        std::unique_ptr<CollisionShape<int>> shape = ReadCollisionShape(is);
        if (!shape)
            continue;
        any = true;
        if (first) {
            Point<float> normal;
            shape->Intersects(first.get(), 0.0f, 0.0f, 10.0f, -10.0f);
            shape->Collide(first.get(), 0.0f, 0.0f, 10.0f, -10.0f, 1.0f, 1.0f, &normal);
        } else {
            first = std::move(shape);
        }
    }
    return any;
}
