#include "enemies/NPC_Fire_Launcher.h"

#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "enemies/Projectile_Fire_Launcher.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Fire_Launcher.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The trigger reaches this far beyond either bound.
constexpr int kTriggerMargin = 50;
// Flames stand on a 32-pixel grid, 16 pixels into their cell.
constexpr int kGrid = 32;
constexpr int kIntoCell = 16;
// Share of a step that the push of a hit moves per update and counter.
constexpr float kPushShare = 0.6f;

Point<int> CentreOf(const CharacterObject& c)
{
    const Point<int> s = c.GetSize();
    return c.GetPosition().ToInt()
        + Point<int>(static_cast<int>(static_cast<float>(s.x) * 0.5f),
            static_cast<int>(static_cast<float>(s.y) * 0.5f));
}

} // namespace

NPC_Fire_Launcher::NPC_Fire_Launcher(std::string name)
    : CharacterObject(std::move(name))
    , moveL(Enemy::CloneGraphical("NPC_Fire_Launcher_GraphicalMoveL"))
    , moveR(Enemy::CloneGraphical("NPC_Fire_Launcher_GraphicalMoveR"))
    , turnL(Enemy::CloneGraphical("NPC_Fire_Launcher_GraphicalChangeMoveToL"))
    , turnR(Enemy::CloneGraphical("NPC_Fire_Launcher_GraphicalChangeMoveToR"))
    , attackL(Enemy::CloneGraphical("NPC_Fire_Launcher_GraphicalAttackL"))
    , attackR(Enemy::CloneGraphical("NPC_Fire_Launcher_GraphicalAttackR"))
{
    typeName = TypeNames::NPC_Fire_Launcher;
    speed = 4.0f;
    life = 8;
    stateTimer = kCoolDown;
    // No look yet: the first update chooses one and runs no state rule.
    LoadSounds();
}

NPC_Fire_Launcher::~NPC_Fire_Launcher()
{
    currentGraphical = nullptr;
}

std::vector<GraphicalObject*> NPC_Fire_Launcher::GetRelatedGraphicalObjects()
{
    return Enemy::RelatedGraphicals("Fire_Launcher");
}

Point<int> NPC_Fire_Launcher::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

Rect<int> NPC_Fire_Launcher::TriggerRect() const
{
    const int bottom = static_cast<int>(position.y);
    const int height = currentGraphical != nullptr ? currentGraphical->GetSize().y : 0;
    return Rect<int>(leftX - kTriggerMargin, bottom + height, rightX + kTriggerMargin, bottom);
}

int NPC_Fire_Launcher::GridCellOf(int x)
{
    return static_cast<int>(std::floor(static_cast<double>(x) / kGrid)) * kGrid;
}

void NPC_Fire_Launcher::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    Player* player = Enemy::ThePlayer();
    if (player == nullptr)
        return;
    const Point<int> d = CentreOf(*player) - CentreOf(*this);
    if (currentGraphical != nullptr) {
        if (state != kAttack && stateTimer > 0)
            --stateTimer;
        if (stateTimer <= 0 && TriggerRect().Normalized().Contains(CentreOf(*player), false)) {
            fired = false;
            state = kAttack;
            stateTimer = kCoolDown;
        } else if (state == kWalk) {
            if ((d.x > 0 && facing < 0) || (d.x < 0 && facing > 0)) {
                facing = -facing;
                state = kTurn;
            }
            if (position.x <= static_cast<float>(leftX))
                direction.x = 1.0f;
            else if (position.x + static_cast<float>(GetSize().x) >= static_cast<float>(rightX))
                direction.x = -1.0f;
        } else if (state == kTurn) {
            if (currentGraphical->IsAnimationFinished())
                state = kWalk;
        } else if (state == kAttack) {
            if (currentGraphical->IsAnimationFinished())
                state = kWalk;
            else if (currentGraphical->GetFirstAnimationFrame() >= 1 && !fired)
                Launch();
        }
    }
    DamagePlayerOnContact();
    GraphicalObject* before = currentGraphical;
    if (state == kWalk)
        currentGraphical = d.x > 0 ? moveR.get() : moveL.get();
    else if (state == kTurn)
        currentGraphical = direction.x > 0.0f ? turnR.get() : turnL.get();
    else
        currentGraphical = facing > 0 ? attackR.get() : attackL.get();
    if (currentGraphical != before && currentGraphical != nullptr)
        currentGraphical->RestartAnimations(true);
    Move(dt);
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
    previousState = state;
}

void NPC_Fire_Launcher::Launch()
{
    fired = true;
    auto* flame = Enemy::CreateAs<Projectile_Fire_Launcher>("Projectile_Fire_Launcher");
    if (flame == nullptr)
        return;
    flame->ResetToStart();
    int x = 0;
    if (facing < 0) {
        x = static_cast<int>(position.x - static_cast<float>(flame->GetSize().x));
        flame->SetDirection(Point<float>(-1.0f, 0.0f));
    } else {
        x = static_cast<int>(position.x + static_cast<float>(GetSize().x));
        flame->SetDirection(Point<float>(1.0f, 0.0f));
    }
    const int cell = GridCellOf(x);
    x = facing < 0 ? cell + kGrid - 1 - kIntoCell : cell + kIntoCell;
    const int y = static_cast<int>(position.y);
    flame->SetPosition(Point<float>(static_cast<float>(x), static_cast<float>(y)));
    if (!Projectile_Fire_Launcher::TryPlace(flame, true, x, y)) {
        Enemy::Delete(flame);
        return;
    }
    flame->PlaySound("NPC_FireLauncher_Fire");
}

void NPC_Fire_Launcher::Move(double dt)
{
    const float step = Enemy::StepLength(speed, dt);
    if (knockBack == 0) {
        if (state != kAttack)
            position += direction * step;
        return;
    }
    position.x += static_cast<float>(knockBack) * step * kPushShare;
    position.x = std::max(position.x, static_cast<float>(leftX));
    position.x = std::min(position.x, static_cast<float>(rightX - GetSize().x));
    knockBack += knockBack > 0 ? -1 : 1;
}

void NPC_Fire_Launcher::ApplyDamage(CharacterObject* attacker, int damage)
{
    CharacterObject::ApplyDamage(attacker, damage);
    if (attacker == nullptr)
        return;
    life = life > 0 ? life - damage : 0;
    knockBack = attacker->GetCenter().x >= GetCenter().x ? -kKnockBack : kKnockBack;
    if (life < 1)
        dead = true;
}

void Zone_NPCSpawner_Fire_Launcher::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Fire_Launcher>(
        *this, x, y, {"NPC_Fire_Launcher"}, [&](NPC_Fire_Launcher& launcher) {
            launcher.SetDirection(Point<float>(1.0f, 0.0f));
            launcher.leftX = x;
            launcher.rightX = x + GetSize().x;
        });
}
