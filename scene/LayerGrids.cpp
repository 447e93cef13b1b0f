// The layer's cell grids and the collision world of the layer "Collisions".

#include "scene/CameraBlocker.h"
#include "scene/CharacterCollision.h"
#include "scene/CollisionShape.h"
#include "scene/GameplayObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"

#include <box2d/box2d.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr float kInverseCellWidth = 1.0f / Layer::kCellWidth;
constexpr float kInverseCellHeight = 1.0f / Layer::kCellHeight;

bool Finite(float a, float b)
{
    return std::isfinite(a) && std::isfinite(b);
}

// Level coordinates as ints, held inside the range the bounds start from.
int ToCoordinate(float v)
{
    if (!(v > -16777215.0f))
        return -16777215;
    if (!(v < 16777215.0f))
        return 16777215;
    return static_cast<int>(v);
}

// The extent an instance takes in the grids: an empty one (a zone of a
// size below 1) is filed at its position's cell, as one pixel.
Point<int> GridExtent(const Layer::Instance& instance)
{
    const Point<int> s = instance.GetSize();
    return Point<int>(std::max(s.x, 1), std::max(s.y, 1));
}

} // namespace

void Layer::BuildCollisions()
{
    // Bounds: left, top the smallest x, y; right, bottom the largest.
    Rect<int> r;
    if (!instances.empty()) {
        int left = 16777215;
        int top = 16777215;
        int right = -16777215;
        int bottom = -16777215;
        for (const Instance& instance : instances) {
            const Point<float> p = instance.GetPosition();
            const Point<int> s = GridExtent(instance);
            if (p.x < static_cast<float>(left))
                left = ToCoordinate(p.x);
            if (static_cast<float>(right) < p.x + static_cast<float>(s.x))
                right = ToCoordinate(p.x + static_cast<float>(s.x));
            if (static_cast<float>(bottom) < p.y + static_cast<float>(s.y))
                bottom = ToCoordinate(p.y + static_cast<float>(s.y));
            if (p.y < static_cast<float>(top))
                top = ToCoordinate(p.y);
        }
        r = Rect<int>(left, bottom, right, top);
    }
    contentBounds = r;
    if (!instances.empty()) {
        auto down = [](int v, int n) {
            return static_cast<int>(std::floor(static_cast<float>(v) / static_cast<float>(n)) * n);
        };
        auto up = [](int v, int n) {
            return static_cast<int>(std::ceil(static_cast<float>(v) / static_cast<float>(n)) * n);
        };
        r = Rect<int>(
            down(r.x0, kCellWidth), up(r.y0, kCellHeight), up(r.x1, kCellWidth), down(r.y1, kCellHeight));
    }
    bounds = r;

    cellGrid.clear();
    cameraBlockerGrid.clear();
    gameplayGrid.clear();
    gameplayInstances.clear();
    const int64_t columns = (static_cast<int64_t>(bounds.x1) - bounds.x0) / kCellWidth;
    const int64_t rows = (static_cast<int64_t>(bounds.y0) - bounds.y1) / kCellHeight;
    // A layer spread wider than the grid allows gets no grid: its instances
    // are then found by no cell (the reader refuses such a layer).
    if (columns * rows <= kMaxCells) {
        for (CellGrid* grid : {&cellGrid, &cameraBlockerGrid, &gameplayGrid})
            grid->assign(static_cast<size_t>(columns), std::vector<InstanceList>(static_cast<size_t>(rows)));
    }

    for (Instance& instance : instances) {
        const Point<float> p = instance.GetPosition();
        const Point<int> s = GridExtent(instance);
        const float xRight = p.x + static_cast<float>(s.x) - 1.0f;
        const float yTop = p.y + static_cast<float>(s.y) - 1.0f;
        const Point<int> a = CornerCell(p.x, p.y);
        const Point<int> b = CornerCell(xRight, p.y);
        const Point<int> c = CornerCell(p.x, yTop);
        const Point<int> d = CornerCell(xRight, yTop);
        if (cellGrid.empty() || cellGrid[0].empty())
            continue;
        auto file = [&instance](CellGrid& grid, Point<int> cell) {
            grid[static_cast<size_t>(cell.x)][static_cast<size_t>(cell.y)].push_back(&instance);
        };
        file(cellGrid, a);
        if (dynamic_cast<CameraBlocker*>(instance.GetPrototype()) != nullptr)
            file(cameraBlockerGrid, a);
        if (dynamic_cast<GameplayObject*>(instance.GetPrototype()) != nullptr)
            file(gameplayGrid, a);
        if (b != a)
            file(cellGrid, b);
        if (c != a && c != b)
            file(cellGrid, c);
        if (d != a && d != b && d != c)
            file(cellGrid, d);
    }
    gameplayInstances.clear();
    for (auto& column : gameplayGrid) {
        for (auto& cell : column)
            gameplayInstances.insert(gameplayInstances.end(), cell.begin(), cell.end());
    }
    autoScrollOffset = 0.0f;

    if (name == "Collisions" && level != nullptr) {
        level->ReplaceCollisionWorld();
        // Bodies are recorded in their instances, so that an instance that
        // goes or moves takes its bodies' records with it.
        for (Instance& instance : instances)
            CreateCollisionBody(&instance, true);
        for (auto& added : addedInstances)
            CreateCollisionBody(added.get(), true);
    }
}

Point<int> Layer::CornerCell(float x, float y) const
{
    Point<int> cell;
    if (!PointToCell(Point<int>(ToCoordinate(x), ToCoordinate(y)), &cell))
        return Point<int>();
    return cell;
}

bool Layer::PointToCell(Point<int> point, Point<int>* cell) const
{
    if (bounds.x0 == 0 && bounds.y0 == 0 && bounds.x1 == 0 && bounds.y1 == 0)
        return false;
    if (cellGrid.empty() || cellGrid[0].empty())
        return false;
    if (point.x < bounds.x0 || point.x >= bounds.x1)
        return false;
    cell->x = static_cast<int>(static_cast<float>(point.x - bounds.x0) * kInverseCellWidth);
    if (point.y < bounds.y1 || point.y >= bounds.y0)
        return false;
    cell->y = static_cast<int>(static_cast<float>(point.y - bounds.y1) * kInverseCellHeight);
    // The float product can round up at the far edge of a wide layer.
    const auto columns = static_cast<int>(cellGrid.size());
    const auto rows = static_cast<int>(cellGrid[0].size());
    if (cell->x >= columns)
        cell->x = columns - 1;
    if (cell->y >= rows)
        cell->y = rows - 1;
    return true;
}

void Layer::CreateCollisionBody(Instance* instance, bool record)
{
    if (instance == nullptr || level == nullptr || level->GetCollisionWorld() == nullptr)
        return;
    GraphicalObject* object = instance->GetPrototype();
    if (object == nullptr || object->GetCollisionShapeCount() == 0)
        return;
    CollisionWorld* world = level->GetCollisionWorld();
    const Point<float> position = instance->GetPosition();
    if (!Finite(position.x, position.y))
        return;
    for (int i = 0; i < object->GetCollisionShapeCount(); ++i) {
        CollisionShape<int>* shape = object->GetCollisionShape(i);
        b2BodyDef def;
        def.position.Set(position.x * kPixelsToWorld, position.y * kPixelsToWorld);
        b2Body* body = nullptr;
        if (auto* box = dynamic_cast<CollisionBox<int>*>(shape)) {
            if (box->GetType() >= 2)
                continue;
            const Point<float> half = box->GetExactHalfSize();
            const Point<float> centre = box->GetExactCentre();
            // A box without area has no polygon (Box2D asserts on one).
            if (!(half.x > 0.0f && half.y > 0.0f))
                continue;
            b2PolygonShape polygon;
            polygon.SetAsBox(half.x * kPixelsToWorld, half.y * kPixelsToWorld,
                b2Vec2(centre.x * kPixelsToWorld, centre.y * kPixelsToWorld), 0.0f);
            body = world->CreateBody(def, instance, i);
            body->CreateFixture(&polygon, 0.0f);
        } else if (auto* line = dynamic_cast<CollisionLine<int>*>(shape)) {
            const Point<int> first = line->GetFirstPoint();
            const Point<int> second = line->GetSecondPoint();
            if (first == second)
                continue;
            b2EdgeShape edge;
            edge.SetTwoSided(b2Vec2(static_cast<float>(first.x) * kPixelsToWorld,
                                 static_cast<float>(first.y) * kPixelsToWorld),
                b2Vec2(static_cast<float>(second.x) * kPixelsToWorld,
                    static_cast<float>(second.y) * kPixelsToWorld));
            body = world->CreateBody(def, instance, i);
            body->CreateFixture(&edge, 0.0f);
        }
        if (body != nullptr && record)
            instance->AddCollisionBody(body);
    }
}

void Layer::DropCollisionBodies()
{
    for (Instance& instance : instances)
        instance.DestroyCollisionBodies();
    for (auto& added : addedInstances)
        added->DestroyCollisionBodies();
}
