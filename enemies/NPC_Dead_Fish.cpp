#include "enemies/NPC_Dead_Fish.h"

#include "enemies/EnemyFramework.h"
#include "enemies/Projectile_Dead_Fish_Spike.h"
#include "engine/platform/Random.h"
#include "engine/serial/TypeNames.h"
#include "scene/CollisionShape.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Dead_Fish.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <utility>

namespace {

// Spikes are planted on the blocks up to this far around the rectangle, and
// shown within this distance of the fish (long within half of it).
constexpr int kReach = 256;
constexpr int kShownSquared = 65536;
constexpr int kLongSquared = 16384;
// A block's reference point is its position plus this.
constexpr Point<int> kBlockCentre {16, 16};
// Two blocks one above the other at most a tile apart cover each other.
constexpr int kCoverSquared = 1024;
// The cells around the rectangle's centre that are searched, each way.
constexpr int kCellReach = 2;
// The columns of spikes shown around the fish.
constexpr int kColumns = 16;
constexpr int kTile = 32;

// The span in x of the spikes of a block, by its name.
struct Extent {
    int left = 0;
    int right = 31;
};
Extent ExtentOf(const std::string& block)
{
    if (block == "Coll_wall_left_16" || block == "cube_ceiling_16_16_left")
        return {0, 15};
    if (block == "Coll_wall_left_8")
        return {0, 7};
    if (block == "Coll_wall_right_16" || block == "cube_ceiling_16_16_right")
        return {16, 31};
    if (block == "Coll_wall_right_8")
        return {24, 31};
    return {};
}

// Whether a placed object is a collision block (a solid or one-way box):
// zones, points and camera blockers share the layer but carry no spikes.
bool IsBlock(GraphicalObject* object)
{
    if (object == nullptr)
        return false;
    for (int i = 0; i < object->GetCollisionShapeCount(); ++i) {
        auto* box = dynamic_cast<CollisionBox<int>*>(object->GetCollisionShape(i));
        if (box != nullptr && (box->GetType() == 0 || box->GetType() == 1))
            return true;
    }
    return false;
}

// The greatest multiple of 32 not above v.
int FloorToTile(int v)
{
    return static_cast<int>(std::floor(static_cast<double>(v) / kTile)) * kTile;
}

} // namespace

NPC_Dead_Fish::NPC_Dead_Fish(std::string name)
    : CharacterObject(std::move(name))
    , moveLeft(Enemy::CloneGraphical("NPC_Dead_Fish_GraphicalMoveL"))
    , moveRight(Enemy::CloneGraphical("NPC_Dead_Fish_GraphicalMoveR"))
    , turnToLeft(Enemy::CloneGraphical("NPC_Dead_Fish_GraphicalChangeMoveToL"))
    , turnToRight(Enemy::CloneGraphical("NPC_Dead_Fish_GraphicalChangeMoveToR"))
{
    typeName = TypeNames::NPC_Dead_Fish;
    speed = kSpeed;
    life = 1;
    SetDrawnFlagged(true);
    LoadSounds();
}

NPC_Dead_Fish::~NPC_Dead_Fish()
{
    currentGraphical = nullptr;
}

std::vector<GraphicalObject*> NPC_Dead_Fish::GetRelatedGraphicalObjects()
{
    return Enemy::RelatedGraphicals("Dead_Fish");
}

Point<int> NPC_Dead_Fish::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void NPC_Dead_Fish::ResetToStart()
{
    if (Layer* collisions = Enemy::CollisionsLayer())
        PlantSpikes(*collisions);
    currentGraphical = moveRight.get();
}

void NPC_Dead_Fish::PlantSpikes(Layer& collisions)
{
    const Rect<int> search(static_cast<int>(rect.x0) - kReach, static_cast<int>(rect.y0) + kReach,
        static_cast<int>(rect.x1) + kReach, static_cast<int>(rect.y1) - kReach);
    const Point<int> centre(
        static_cast<int>((rect.x0 + rect.x1) * 0.5f), static_cast<int>((rect.y0 + rect.y1) * 0.5f));
    Point<int> cell;
    collisions.PointToCell(centre, &cell);
    const CellGrid& grid = collisions.GetCellGrid();
    // A block filed under several cells is still one block.
    std::vector<Layer::Instance*> blocks;
    std::set<const Layer::Instance*> seen;
    for (int cx = cell.x - kCellReach; cx <= cell.x + kCellReach; ++cx) {
        if (cx < 0 || cx >= static_cast<int>(grid.size()))
            continue;
        const auto& column = grid[static_cast<size_t>(cx)];
        for (int cy = cell.y - kCellReach; cy <= cell.y + kCellReach; ++cy) {
            if (cy < 0 || cy >= static_cast<int>(column.size()))
                continue;
            for (Layer::Instance* instance : column[static_cast<size_t>(cy)]) {
                if (instance == nullptr || !IsBlock(instance->GetPrototype()) || seen.count(instance))
                    continue;
                const Point<int> p = instance->GetPosition().ToInt() + kBlockCentre;
                if (p.x < search.x0 || p.x > search.x1 || p.y > search.y0 || p.y < search.y1)
                    continue;
                seen.insert(instance);
                blocks.push_back(instance);
            }
        }
    }
    for (Layer::Instance* a : blocks) {
        const Point<int> pa = a->GetPosition().ToInt() + kBlockCentre;
        bool coveredAbove = false;
        bool coveredBelow = false;
        for (Layer::Instance* b : blocks) {
            if (b == a)
                continue;
            const Point<int> pb = b->GetPosition().ToInt() + kBlockCentre;
            const int dy = pb.y - pa.y;
            if (pb.x != pa.x || dy * dy > kCoverSquared)
                continue;
            coveredAbove = coveredAbove || pb.y > pa.y;
            coveredBelow = coveredBelow || pb.y < pa.y;
        }
        const std::string& name = a->GetPrototype()->GetName();
        const Extent extent = ExtentOf(name);
        const Point<float> at = a->GetPosition();
        if (!coveredAbove) {
            const float rise = name == "Coll_rectangle_32_24" ? 24.0f : 32.0f;
            AddSpike(at + Point<float>(0.0f, rise), false, extent.left, extent.right);
        }
        if (!coveredBelow && name != "Coll_cube_32") {
            const bool thin = name == "cube_ceiling_16_16_left" || name == "cube_ceiling_16_16_right"
                || name == "coll_ceiling_16";
            AddSpike(at - Point<float>(0.0f, thin ? 16.0f : 32.0f), true, extent.left, extent.right);
        }
    }
}

Projectile_Dead_Fish_Spike* NPC_Dead_Fish::AddSpike(Point<float> at, bool ceiling, int left, int right)
{
    auto* spike = Enemy::CreateAs<Projectile_Dead_Fish_Spike>("Projectile_Dead_Fish_Spike");
    if (spike == nullptr)
        return nullptr;
    spike->SetPosition(at);
    spike->SetDirection(Point<float>(0.0f, ceiling ? -1.0f : 1.0f));
    spike->SetCeiling(ceiling);
    if (left != 0 || right != 31)
        spike->SetExtent(left, right);
    spikes.push_back(spike);
    return spike;
}

void NPC_Dead_Fish::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    DamagePlayerOnContact();
    float d = 0.0f;
    if (state != kTurn) {
        const float step = Enemy::StepLength(speed, dt);
        Point<float> u = referencePoint - (position + GetSize().ToFloat() * 0.5f);
        d = u.Length();
        u.Normalize(false);
        position += u * step;
    }
    if (currentGraphical != nullptr) {
        const float width = static_cast<float>(currentGraphical->GetSize().x);
        if (state == kSwim) {
            if (direction.x > 0.0f && (d < 1.0f || position.x + width > rect.x1)) {
                state = kTurn;
                position.x = rect.x1 - width;
                direction.x = -1.0f;
            }
            if (direction.x < 0.0f && (d < 1.0f || position.x < rect.x0)) {
                state = kTurn;
                position.x = rect.x0;
                direction.x = 1.0f;
            }
            ShowSpikesNearby();
        } else if (currentGraphical->IsAnimationFinished()) {
            const auto r = static_cast<float>(platform::RandomFraction());
            referencePoint.y = (rect.y0 - rect.y1) * r + rect.y1;
            if (direction.x > 0.0f)
                referencePoint.x = rect.x1;
            else if (direction.x < 0.0f)
                referencePoint.x = rect.x0;
            state = kSwim;
        }
    }
    GraphicalObject* before = currentGraphical;
    if (state == kSwim)
        currentGraphical = direction.x > 0.0f ? moveRight.get() : moveLeft.get();
    else
        currentGraphical = direction.x > 0.0f ? turnToRight.get() : turnToLeft.get();
    if (currentGraphical != nullptr) {
        if (currentGraphical != before)
            currentGraphical->RestartAnimations(true);
        currentGraphical->Update(dt);
    }
    previousState = state;
}

void NPC_Dead_Fish::ShowSpikesNearby()
{
    for (Projectile_Dead_Fish_Spike* spike : spikes)
        spike->Hide();
    const Point<int> at = position.ToInt();
    const Point<int> c = at
        + Point<int>(static_cast<int>(static_cast<float>(GetSize().x) * 0.5f),
            static_cast<int>(static_cast<float>(GetSize().y) * 0.5f));
    const int x0 = FloorToTile(c.x - kReach);
    const int y = FloorToTile(c.y - kReach) + kReach;
    const auto distanceSquared = [&](const Projectile_Dead_Fish_Spike& spike) {
        const Point<float> d = spike.GetCenter() - c.ToFloat();
        return d.x * d.x + d.y * d.y;
    };
    for (int column = 0; column < kColumns; ++column) {
        const int x = x0 + column * kTile;
        Projectile_Dead_Fish_Spike* ground = nullptr;
        Projectile_Dead_Fish_Spike* ceiling = nullptr;
        for (Projectile_Dead_Fish_Spike* spike : spikes) {
            const Point<float> p = spike->GetPosition();
            if (static_cast<int>(p.x) != x)
                continue;
            if (p.y < static_cast<float>(y) && p.y > static_cast<float>(y - 2 * kReach)
                && (ground == nullptr || p.y > ground->GetPosition().y))
                ground = spike;
            if (p.y > static_cast<float>(y) && p.y < static_cast<float>(y + 2 * kReach)
                && (ceiling == nullptr || p.y < ceiling->GetPosition().y))
                ceiling = spike;
        }
        if (ground != nullptr) {
            const float s = distanceSquared(*ground);
            if (s <= static_cast<float>(kShownSquared) && !ground->IsCeiling())
                ground->SetLook(s <= static_cast<float>(kLongSquared), false);
        }
        if (ceiling != nullptr) {
            const float s = distanceSquared(*ceiling);
            if (s <= static_cast<float>(kShownSquared) && ceiling->IsCeiling())
                ceiling->SetLook(s <= static_cast<float>(kLongSquared), true);
        }
    }
}

void NPC_Dead_Fish::ApplyDamage(CharacterObject* attacker, int damage)
{
    if (life == 0)
        return;
    CharacterObject::ApplyDamage(attacker, damage);
    life = life > 0 ? life - damage : 0;
    if (life <= 0)
        dead = true;
}

void NPC_Dead_Fish::Die()
{
    CharacterObject::Die();
    for (Projectile_Dead_Fish_Spike* spike : spikes)
        spike->SetDead(true);
}

void Zone_NPCSpawner_Dead_Fish::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Dead_Fish>(*this, x, y, {"NPC_Dead_Fish"}, [&](NPC_Dead_Fish& fish) {
        fish.SetDirection(Point<float>(1.0f, 0.0f));
        const auto fx = static_cast<float>(x);
        const auto fy = static_cast<float>(y);
        const auto w = static_cast<float>(GetSize().x);
        const auto h = static_cast<float>(GetSize().y);
        fish.rect = Rect<float>(fx, fy + h, fx + w, fy);
        fish.referencePoint = Point<float>(fx + 46.0f, fy + 32.0f);
    });
}

Projectile_Dead_Fish_Spike::Projectile_Dead_Fish_Spike(std::string name)
    : CharacterObject(std::move(name))
    , groundUpSmall(Enemy::CloneGraphical("Projectile_Dead_Fish_GraphicalGroundUp_Small"))
    , groundUpLong(Enemy::CloneGraphical("Projectile_Dead_Fish_GraphicalGroundUp_Long"))
    , groundDownLong(Enemy::CloneGraphical("Projectile_Dead_Fish_GraphicalGroundDown_Long"))
    , groundDownSmall(Enemy::CloneGraphical("Projectile_Dead_Fish_GraphicalGroundDown_Small"))
    , ceilSmall(Enemy::CloneGraphical("Projectile_Dead_Fish_GraphicalCeilUp_Small"))
    , ceilLong(Enemy::CloneGraphical("Projectile_Dead_Fish_GraphicalCeilUp_Long"))
{
    typeName = TypeNames::Projectile_Dead_Fish_Spike;
    dropsItems = 0;
}

Projectile_Dead_Fish_Spike::~Projectile_Dead_Fish_Spike()
{
    currentGraphical = nullptr;
}

Point<int> Projectile_Dead_Fish_Spike::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void Projectile_Dead_Fish_Spike::Update(double dt)
{
    CharacterObject::Update(dt);
    DamagePlayerOnContact();
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
}

std::vector<Rect<int>> Projectile_Dead_Fish_Spike::GetAttackBoxes()
{
    std::vector<Rect<int>> boxes = CharacterObject::GetAttackBoxes();
    if (!longSpike && currentGraphical != nullptr) {
        const int half = static_cast<int>(static_cast<float>(GetSize().y) * 0.5f);
        for (Rect<int>& box : boxes)
            box.y0 += half;
    }
    return boxes;
}

void Projectile_Dead_Fish_Spike::SetExtent(int left, int right)
{
    GraphicalObject* const all[] = {groundUpSmall.get(), groundUpLong.get(), groundDownLong.get(),
        groundDownSmall.get(), ceilSmall.get(), ceilLong.get()};
    for (GraphicalObject* g : all) {
        if (g == nullptr || g->GetCollisionShapeCount() == 0)
            continue;
        if (auto* box = dynamic_cast<CollisionBox<int>*>(g->GetCollisionShape(0))) {
            box->SetCornerX(0, left);
            box->SetCornerX(1, right);
        }
        if (g != groundUpSmall.get() && g != groundUpLong.get())
            g->SetSize(right - left + 1, g->GetSize().y, g->AreShapesInObjectSpace());
    }
    SetDrawOffset(left, GetDrawOffset().y);
}

void Projectile_Dead_Fish_Spike::SetLook(bool isLong, bool isCeiling)
{
    if (direction.y >= 0.0f)
        currentGraphical = isLong ? groundDownLong.get() : groundDownSmall.get();
    else if (isCeiling)
        currentGraphical = isLong ? ceilLong.get() : ceilSmall.get();
    else
        currentGraphical = isLong ? groundUpLong.get() : groundUpSmall.get();
    if (currentGraphical != nullptr)
        currentGraphical->RestartAnimations(true);
    longSpike = isLong;
    ceiling = isCeiling;
}
