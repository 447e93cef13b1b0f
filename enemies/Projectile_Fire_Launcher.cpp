#include "enemies/Projectile_Fire_Launcher.h"

#include "characters/CharacterGameAccess.h"
#include "enemies/EnemyFramework.h"
#include "engine/serial/TypeNames.h"
#include "scene/CollisionShape.h"
#include "scene/CollisionWorld.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"

#include <box2d/box2d.h>

#include <algorithm>
#include <utility>

namespace {

// The wall probe starts this far above the flame's foot, over the ground.
constexpr float kWallProbeRise = 8.0f;
// How far below its foot a flame looks for ground, and the snap's reach.
constexpr float kGroundProbe = 8.0f;
constexpr float kSnapReach = 16.0f;
// The second snow boss's chain is laid from this offset and moved back.
constexpr Point<float> kSnowOffset {-10.0f, 32.0f};
constexpr int kSpreadFrame = 1;
constexpr int kSnowSpreadFrame = 4;
constexpr int kHeavyContact = 2;
constexpr int kSolidBox = 0;

// A collision box of the level's world that overlaps the rectangle.
struct FoundBox {
    Rect<int> rect; // placed, in normal form
    int type = 0;
};

Level* CollisionsLevel()
{
    Layer* collisions = Enemy::CollisionsLayer();
    return collisions != nullptr ? collisions->GetLevel() : nullptr;
}

// The boxes of the collision world whose placed rectangles overlap the
// rectangle between the two corners.
std::vector<FoundBox> BoxesIn(Level* level, Point<float> a, Point<float> b)
{
    std::vector<FoundBox> found;
    if (level == nullptr || level->GetCollisionWorld() == nullptr)
        return found;
    const Rect<int> probe = Rect<int>(a.ToInt(), b.ToInt()).Normalized();
    for (b2Fixture* fixture : level->QueryFixtures(probe)) {
        const CollisionBodyRecord* record = CollisionWorld::GetRecord(fixture->GetBody());
        if (record == nullptr || record->instance == nullptr || record->instance->GetPrototype() == nullptr)
            continue;
        GraphicalObject* object = record->instance->GetPrototype();
        if (record->shapeIndex >= object->GetCollisionShapeCount())
            continue;
        auto* box = dynamic_cast<CollisionBox<int>*>(object->GetCollisionShape(record->shapeIndex));
        if (box == nullptr)
            continue;
        const Rect<int> placed = CollisionBox<int>::GetMovedRect(
            box, record->instance->GetPosition(), object->GetCollisionCell(record->shapeIndex))
                                     .Normalized();
        if (placed.x0 <= probe.x1 && probe.x0 <= placed.x1 && placed.y1 <= probe.y0 && probe.y1 <= placed.y0)
            found.push_back({placed, box->GetType()});
    }
    return found;
}

} // namespace

Projectile_Fire_Launcher::Projectile_Fire_Launcher(std::string name)
    : CharacterObject(std::move(name))
{
    typeName = TypeNames::Projectile_Fire_Launcher;
    dropsItems = 0;
    SetDrawnFlagged(true);
    LoadSounds();
}

Projectile_Fire_Launcher::~Projectile_Fire_Launcher()
{
    currentGraphical = nullptr;
}

void Projectile_Fire_Launcher::DeclareSounds()
{
    DeclareSound("NPC_FireLauncher_Fire");
    DeclareSound("NPC_ChainedSkull_Fire");
}

Point<int> Projectile_Fire_Launcher::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void Projectile_Fire_Launcher::SetLook(const char* name)
{
    currentGraphical = nullptr;
    look = Enemy::CloneGraphical(name);
    currentGraphical = look.get();
    if (currentGraphical != nullptr)
        currentGraphical->RestartAnimations(true);
}

void Projectile_Fire_Launcher::ResetToStart()
{
    if (currentGraphical == nullptr)
        SetLook("Projectile_Fire_Launcher_GraphicalIdle");
}

void Projectile_Fire_Launcher::SetGraphicalChainedSkull()
{
    chainedSkull = true;
    SetLook("Projectile_Chained_SkullFire_GraphicalIdle");
}

void Projectile_Fire_Launcher::SetGraphicalMiniBossBoat()
{
    miniBossBoat = true;
    contactDamage = kHeavyContact;
    SetLook("Projectile_MiniBoss_Boat_GraphicalIdle");
}

void Projectile_Fire_Launcher::SetGraphicalBoss2Snow()
{
    boss2Snow = true;
    contactDamage = kHeavyContact;
    SetLook("Projectile_Boss2_Snow_GraphicalAttackDown");
}

void Projectile_Fire_Launcher::SetBoundingCharacter(CharacterObject* character)
{
    boundingCharacter = character;
    boundingName = character != nullptr ? character->GetName() : std::string();
}

CharacterObject* Projectile_Fire_Launcher::GetBoundingCharacter() const
{
    // A bound that has left the level bounds nothing any more.
    return Enemy::IsLive(boundingCharacter, boundingName) ? boundingCharacter : nullptr;
}

void Projectile_Fire_Launcher::SnapToGround(Projectile_Fire_Launcher* flame)
{
    Point<float> from, to;
    flame->GetLeadingEdge(from, to, Point<float>(0.0f, -kSnapReach));
    bool found = false;
    int top = 0;
    for (const FoundBox& box : BoxesIn(CollisionsLevel(), from, to)) {
        // The highest solid top below the flame's head.
        if (box.type != kSolidBox || (found && box.rect.y0 <= top))
            continue;
        found = true;
        top = box.rect.y0;
    }
    if (found)
        flame->SetPosition(Point<float>(flame->GetPosition().x, static_cast<float>(top)));
}

bool Projectile_Fire_Launcher::TryPlace(Projectile_Fire_Launcher* flame, bool snap, int x, int y)
{
    if (flame == nullptr)
        return false;
    const Point<float> at(static_cast<float>(x), static_cast<float>(y));
    if (CharacterObject* bound = flame->GetBoundingCharacter()) {
        flame->SetPosition(at);
        const float left = bound->GetPosition().x;
        const float right = left + static_cast<float>(bound->GetSize().x);
        return left <= at.x && at.x + static_cast<float>(flame->GetSize().x) <= right;
    }
    const Point<float> move = at - flame->GetPosition();
    Level* level = CollisionsLevel();
    if (level == nullptr)
        return false;
    if (snap) {
        flame->SetPosition(Point<float>(at.x, flame->GetPosition().y));
        SnapToGround(flame);
    }
    // A solid box in the way, above the ground the flame stands on.
    Point<float> from, to;
    flame->GetLeadingEdge(from, to, move);
    from.y += kWallProbeRise;
    for (const FoundBox& box : BoxesIn(level, from, to))
        if (box.type == kSolidBox)
            return false;
    flame->SetPosition(flame->GetPosition() + move);
    // Ground under the new place: a box whose top is at or below the foot.
    flame->GetLeadingEdge(from, to, Point<float>(0.0f, -kGroundProbe));
    const float foot = flame->GetPosition().y;
    for (const FoundBox& box : BoxesIn(level, from, to))
        if (static_cast<float>(box.rect.y0) <= foot)
            return true;
    return false;
}

void Projectile_Fire_Launcher::Spread()
{
    spawned = true;
    auto* next = Enemy::CreateAs<Projectile_Fire_Launcher>("Projectile_Fire_Launcher");
    if (next == nullptr)
        return;
    next->SetBoundingCharacter(GetBoundingCharacter());
    if (chainedSkull)
        next->SetGraphicalChainedSkull();
    else if (miniBossBoat)
        next->SetGraphicalMiniBossBoat();
    else if (boss2Snow)
        next->SetGraphicalBoss2Snow();
    else
        next->ResetToStart();
    CharacterGameAccess* game = GetCharacterGameAccess();
    if (boss2Snow && game != nullptr && game->HasLevel()) {
        const Point<int> top = GetTopCenter().ToInt();
        LaunchParticleEffect(nullptr, onSpecialEffects, this, true, top.x, top.y);
    }
    // A fire sound still playing goes on along the row.
    ReleaseSounds(next);
    next->SetDirection(direction);
    next->SetPosition(position);
    const float width
        = currentGraphical != nullptr ? static_cast<float>(currentGraphical->GetSize().x) : 0.0f;
    const Point<float> from = boss2Snow ? position + kSnowOffset : position;
    const Point<int> target = (from + direction * width).ToInt();
    if (!TryPlace(next, false, target.x, target.y)) {
        Enemy::Delete(next);
        return;
    }
    if (boss2Snow)
        next->SetPosition(next->GetPosition() - kSnowOffset);
}

void Projectile_Fire_Launcher::Update(double dt)
{
    CharacterObject::Update(dt);
    if (Enemy::ThePlayer() != nullptr && currentGraphical != nullptr && !spawned
        && currentGraphical->GetAnimationFrame() == (boss2Snow ? kSnowSpreadFrame : kSpreadFrame))
        Spread();
    UpdateSounds();
    DamagePlayerOnContact();
    // A flame lives as long as its animation; one whose look the library
    // lacks has nothing to show or wait for, and ends at once rather than
    // staying in the level for ever.
    if (currentGraphical == nullptr) {
        dead = true;
        return;
    }
    dead = currentGraphical->IsAnimationFinished();
    currentGraphical->Update(dt);
}
