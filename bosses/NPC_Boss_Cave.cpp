#include "bosses/NPC_Boss_Cave.h"

#include "bosses/Projectile_Boss_Cave.h"
#include "characters/Player.h"
#include "engine/platform/DebugOutput.h"
#include "scene/GraphicalObject.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Boss_Cave.h"

#include <cmath>
#include <string>

namespace {

constexpr int kHeadLife = 40;
constexpr int kBobPeriod = 4;
constexpr int kBobReach = 3;
constexpr int kInsectPeriod = 4;
constexpr int kBurstPause = 150;
constexpr int kDefaultBurst = 3;
constexpr float kInsectRadius = 128.0f;

// Insects of a burst by the heads left (the manager's life).
int BurstFor(int headsLeft)
{
    switch (headsLeft) {
    case 3:
        return 2;
    case 2:
        return 3;
    case 1:
        return 5;
    default:
        return kDefaultBurst;
    }
}

} // namespace

NPC_Boss_Cave::NPC_Boss_Cave(std::string name)
    : BossCharacter(std::move(name), "NPC_Boss_Cave")
    , spriteLeft(sprites.Add("GraphicalLeft"))
    , spriteRight(sprites.Add("GraphicalRight"))
    , spriteLeftMiddle(sprites.Add("GraphicalLeft_Middle"))
    , spriteRightMiddle(sprites.Add("GraphicalRight_Middle"))
    , spriteLeftDead(sprites.Add("GraphicalLeft_Dead"))
    , spriteRightDead(sprites.Add("GraphicalRight_Dead"))
{
    typeName = TypeNames::NPC_Boss_Cave;
    life = kHeadLife;
    maxLife = kHeadLife;
    direction = Point<float>(1.0f, 1.0f);
    LoadSounds();
}

void NPC_Boss_Cave::DeclareSounds()
{
    CharacterObject::DeclareSounds();
    DeclareSound("NPC_Boss_Cave_Insects");
}

std::vector<GraphicalObject*> NPC_Boss_Cave::GetRelatedGraphicalObjects()
{
    return Boss::Related("Boss_Cave");
}

void NPC_Boss_Cave::Update(double dt)
{
    // A disabled head or manager loses all its life.
    if (!enabled)
        life = 0;
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    if (exploding || Boss::ThePlayer() == nullptr)
        return;
    UpdateSprite();
    if (!IsManager()) {
        if (life < 1) {
            currentGraphical = direction.x <= 0.0f ? spriteLeftDead : spriteRightDead;
        } else {
            Bob();
            DamagePlayerOnContact();
            if (insectsAlive != -1)
                UpdateBursts();
        }
    }
    if (currentGraphical != nullptr) {
        currentGraphical->Update(dt);
        Boss::StepShake(*this, 10);
    }
}

void NPC_Boss_Cave::UpdateSprite()
{
    if (currentGraphical == nullptr && !IsManager()) {
        currentGraphical = direction.x <= 0.0f ? spriteLeft : spriteRight;
        if (currentGraphical != nullptr)
            BuildExplosionPieces(currentGraphical);
    }
    if (life < maxLife * 0.5f) {
        if (currentGraphical == spriteLeft)
            currentGraphical = spriteLeftMiddle;
        else if (currentGraphical == spriteRight)
            currentGraphical = spriteRightMiddle;
    }
    if (IsManager())
        currentGraphical = nullptr;
}

void NPC_Boss_Cave::Bob()
{
    if (bobTimer <= 0) {
        bobTimer = kBobPeriod;
        const int step = static_cast<int>(direction.y);
        if (std::abs(bobOffset) >= kBobReach && direction.y != 0.0f) {
            bobOffset -= step;
            direction.y = -direction.y;
        } else {
            bobOffset += step;
        }
    } else {
        --bobTimer;
    }
    drawOffset.y = bobOffset;
}

void NPC_Boss_Cave::UpdateBursts()
{
    if (burstLeft > 0) {
        if (burstTimer <= 0) {
            ThrowInsect();
            // Counted even when none could be made: the head then waits for
            // it for good and throws no more.
            --burstLeft;
            ++insectsAlive;
            burstTimer = kInsectPeriod;
        } else {
            --burstTimer;
        }
    }
    if (insectsAlive == 0 && burstLeft == 0) {
        burstLeft = kDefaultBurst;
        if (auto* manager = dynamic_cast<NPC_Boss_Cave*>(owner))
            burstLeft = BurstFor(manager->GetLife());
        burstTimer = kBurstPause;
    }
}

void NPC_Boss_Cave::ThrowInsect()
{
    PlaySoundAt(2);
    auto* insect = Boss::CreateAs<Projectile_Boss_Cave>(NPC_Boss_Cave::kInsectClass);
    if (insect == nullptr)
        return;
    // From the head's first spawn point, or its centre when the frame has
    // none.
    const Rect<int> spawn = GetSpawnPointBox(0);
    Point<float> from = GetCenter();
    if (spawn.x0 != 0 || spawn.y0 != 0 || spawn.x1 != 0 || spawn.y1 != 0)
        from = Point<float>((spawn.x0 + spawn.x1) * 0.5f, (spawn.y0 + spawn.y1) * 0.5f);
    const double angle = Boss::Random01() * 3.1415 * 2.0;
    insect->target = Point<int>(static_cast<int>(from.x + kInsectRadius * std::cos(angle)),
        static_cast<int>(from.y + kInsectRadius * std::sin(angle)));
    insect->SetPosition(from - size.ToFloat() * 0.5f);
    insect->SetOwner(this);
    // With the log on, a run of the game from outside knows the fight runs.
    if (platform::IsDebugLogOn())
        platform::DebugOutput(name + ": an insect flies\n");
}

bool NPC_Boss_Cave::HandleScriptCommand(std::string command, std::string argument)
{
    if (name == kManagerName) {
        for (int n = 1; n <= 3; ++n)
            if (CharacterObject* head = Boss::Find(kHeadPrefix + std::to_string(n)))
                head->HandleScriptCommand(command, argument);
    } else if (command == "start" && insectsAlive == -1) {
        insectsAlive = 0;
        // Said on the debug output (QUENHOLT_LOG=1): a run of the game from
        // outside, such as the fight's benchmark, knows the fight is on.
        platform::DebugOutput(name + ": the fight starts\n");
    }
    return CharacterObject::HandleScriptCommand(std::move(command), std::move(argument));
}

void NPC_Boss_Cave::ApplyDamage(CharacterObject* attacker, int damage)
{
    // A head already exploding, or a manager already done, has had its
    // death: a late hit neither restarts it nor ends the fight twice.
    if (exploding || dead) {
        CharacterObject::ApplyDamage(attacker, damage);
        return;
    }
    if (!Boss::TakeDamage(*this, attacker, damage))
        return;
    if (life >= 1) {
        Boss::StartShake(*this, {1.0f, 1.0f}, {25.0f, 20.0f});
        return;
    }
    SetShockWaveTiming(Boss::kExplosionHeadStart, Boss::kExplosionSwitchTime);
    Explode(false);
    Boss::ReleaseProjectiles(kInsectClass, this);
    if (owner != nullptr) {
        CharacterObject* manager = owner;
        owner = nullptr;
        manager->ApplyDamage(attacker, 1);
        return;
    }
    if (IsManager()) {
        Boss::KillProjectiles(kInsectClass);
        Boss::StartSlowMotion();
        dead = true;
        Boss::Announce(kFightOver);
    }
}

// Roles 0 and 1 make a head (turned right or left) numbered after the heads
// already there and owned by the manager; role 2 makes the manager, which
// adopts the heads spawned before it.
void Zone_NPCSpawner_Boss_Cave::Instance::Spawn(int x, int y, Level* /*level*/)
{
    if (!TakePendingSpawn())
        return;
    // Made under its class name (its sounds are declared by it); the role names it below.
    CharacterObject* created = NPCSpawner::Create("NPC_Boss_Cave", *this, false);
    auto* boss = dynamic_cast<NPC_Boss_Cave*>(created);
    if (boss == nullptr)
        return;
    // The heads already there, and the highest number among them.
    int highest = 0;
    CharacterObject* heads[3] = {};
    for (int n = 1; n <= 3; ++n) {
        heads[n - 1] = Boss::Find(NPC_Boss_Cave::kHeadPrefix + std::to_string(n), boss);
        if (heads[n - 1] != nullptr)
            highest = n;
    }
    boss->SetPosition(NPCSpawner::SpawnPoint(*this, x, y));
    if (HeadRole.value == 0)
        boss->SetDirection(Point<float>(1.0f, 1.0f));
    else if (HeadRole.value == 1)
        boss->SetDirection(Point<float>(-1.0f, 1.0f));
    if (HeadRole.value != 2) {
        boss->SetName(NPC_Boss_Cave::kHeadPrefix
            + (highest < 3 ? std::to_string(highest + 1) : std::string("(UNKNOW)")));
        boss->SetOwner(Boss::Find(NPC_Boss_Cave::kManagerName, boss));
        return;
    }
    boss->SetName(NPC_Boss_Cave::kManagerName);
    boss->SetLife(3);
    boss->SetDirection(Point<float>(0.0f, 0.0f));
    for (CharacterObject* head : heads)
        if (head != nullptr)
            head->SetOwner(boss);
}
