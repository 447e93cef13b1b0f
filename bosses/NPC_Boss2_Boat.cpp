#include "bosses/NPC_Boss2_Boat.h"

#include "bosses/Projectile_Boss2_Boat.h"
#include "characters/CharacterBoxes.h"
#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Boss2_Boat.h"

#include <string>
#include <utility>

namespace {

// The four characters stacked on the leader: names while made, suffixes
// of their object names and offsets from the leader.
struct PartPlace {
    const char* name;
    const char* suffix;
    Point<float> offset;
};
constexpr PartPlace kPartPlaces[4] = {
    {"NPC_Boss2_Boat_Part1", "_1", {96.0f, 128.0f}},
    {"NPC_Boss2_Boat_Part2", "_2", {96.0f, 384.0f}},
    {"NPC_Boss2_Boat_Part3", "_3", {96.0f, 544.0f}},
    {"NPC_Boss2_Boat_Part4", "_4", {96.0f, 704.0f}},
};
constexpr float kScreamShake[4] = {2.0f, 15.0f, 10.0f, 2.0f};
constexpr int kScreamShakeFrames = 120;
// The blades hang this high below the top of their part.
constexpr int kBladeDrop = 128;
constexpr int kTriggerHeight = 96;
constexpr int kTriggerDrop = 129;
constexpr int kVolleyStep = 92;
constexpr float kVolleyShift = 46.0f;
constexpr float kJitter = 17.0f;
constexpr float kJitterBase = 8.0f;

Point<int> Truncated(Point<float> p)
{
    return Point<int>(static_cast<int>(p.x), static_cast<int>(p.y));
}

} // namespace

std::vector<std::string> NPC_Boss2_Boat::PartNames()
{
    std::vector<std::string> names;
    for (const PartPlace& place : kPartPlaces)
        names.emplace_back(place.name);
    return names;
}

NPC_Boss2_Boat::NPC_Boss2_Boat(std::string name)
    : BossCharacter(std::move(name), "NPC_Boss2_Boat")
{
    typeName = TypeNames::NPC_Boss2_Boat;
    baseIdle = sprites.Add("GraphicalBaseIdle");
    baseAttack = sprites.Add("GraphicalBaseAttack");
    headIdle = sprites.Add("GraphicalHeadIdle");
    headIdle2 = sprites.Add("GraphicalHeadIdle2");
    headScream = sprites.Add("GraphicalHeadScream");
    headScream2 = sprites.Add("GraphicalHeadScream2");
    for (int n = 0; n < 3; ++n) {
        const std::string part = "GraphicalPart" + std::to_string(n + 1);
        partIdle[n] = sprites.Add(part + "Idle");
        partDead[n] = sprites.Add(part + "Dead");
        partAttack[n] = sprites.Add(part + "Atatck");
    }
    life = kLife;
    speed = kSwaySpeed;
    state = kWaiting;
    SetDrawnFlagged(true);
    LoadSounds();
}

NPC_Boss2_Boat::~NPC_Boss2_Boat()
{
    currentGraphical = nullptr;
}

void NPC_Boss2_Boat::DeclareSounds()
{
    for (const char* sound :
        {"NPC_Generic_HitByPlayer", "NPC_Boss_Boat2_Die", "NPC_Boss_Boat2_Scream", "NPC_Boss_Boat2_Attack1"})
        DeclareSound(sound);
    hitSoundIndex = 0;
    deathSoundIndex = 1;
}

std::vector<GraphicalObject*> NPC_Boss2_Boat::GetRelatedGraphicalObjects()
{
    return Boss::Related("Boss2_Boat");
}

float NPC_Boss2_Boat::Draw01()
{
    const float r = Boss::Random01();
    return r == 1.0f ? 0.99f : r;
}

void NPC_Boss2_Boat::RollAttackDelay()
{
    const float r = Draw01();
    if (role != kLeader)
        attackDelay = static_cast<int>(450 + 480 * r);
    else if (partsAlive >= 2)
        attackDelay = static_cast<int>(240 + 120 * r);
    else if (partsAlive == 1)
        attackDelay = static_cast<int>(120 + 90 * r);
    else
        attackDelay = static_cast<int>(60 + 60 * r);
}

void NPC_Boss2_Boat::RollSway()
{
    sway = static_cast<int>(30 + 60 * Draw01());
}

void NPC_Boss2_Boat::ResetToStart()
{
    homeX = static_cast<int>(position.x);
    if (role == kLeader)
        BuildParts();
}

void NPC_Boss2_Boat::BuildParts()
{
    partsAlive = 3;
    CharacterObject* before = this;
    for (int n = 0; n < 4; ++n) {
        const PartPlace& place = kPartPlaces[n];
        auto* part = Boss::CreateAs<NPC_Boss2_Boat>("NPC_Boss2_Boat", place.name, before);
        if (part == nullptr)
            continue;
        before = part;
        parts.push_back(part);
        part->SetPosition(position + place.offset);
        part->role = n + 1;
        part->SetOwner(this);
        part->CharacterObject::SetDrawOffset(0, kEntryDrop);
        part->SetName(GetName() + place.suffix);
        part->CreateProjectiles();
        if (n == 2)
            RollAttackDelay();
        if (n == 3)
            part->attackDelay = 0;
    }
}

void NPC_Boss2_Boat::CreateProjectiles()
{
    if (role != kLeader) {
        for (int i = 0; i < kBladesPerPart; ++i)
            if (auto* blade = Boss::CreateAs<Projectile_Boss2_Boat>("Projectile_Boss2_Boat"))
                blades.push_back(blade);
        return;
    }
    for (int i = 0; i < kSpheres; ++i)
        if (auto* sphere = Boss::CreateAs<Projectile_Boss2_Boat>("Projectile_Boss2_Boat")) {
            sphere->Launch(2, false);
            spheres.push_back(sphere);
        }
}

Projectile_Boss2_Boat* NPC_Boss2_Boat::GetFreeProjectile(int pool) const
{
    return Projectile_Boss2_Boat::FirstFree(pool == 0 ? blades : spheres);
}

void NPC_Boss2_Boat::ForgetProjectiles()
{
    blades.clear();
    spheres.clear();
    for (NPC_Boss2_Boat* part : parts)
        if (part != nullptr)
            part->ForgetProjectiles();
}

bool NPC_Boss2_Boat::HandleScriptCommand(std::string command, std::string argument)
{
    if (Boss::IsCommand(command, "start") && state != kEntry) {
        state = kEntry;
        for (NPC_Boss2_Boat* part : parts)
            if (part != nullptr)
                part->SetState(kEntry);
        return true;
    }
    return CharacterObject::HandleScriptCommand(std::move(command), std::move(argument));
}

void NPC_Boss2_Boat::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    if (exploding)
        return;
    StepEntry();
    StepBlades();
    StepHead();
    StepLeader();
    DamagePlayerOnContact();
    if (!StepMovement(dt))
        return;
    StepSprite(dt);
    UpdateSounds();
}

void NPC_Boss2_Boat::StepEntry()
{
    if (state != kEntry)
        return;
    --frameCounter;
    if (frameCounter > 0 || role == kLeader)
        return;
    const int y = drawOffset.y + kEntryStep;
    CharacterObject::SetDrawOffset(drawOffset.x, y);
    if (y > 0) {
        CharacterObject::SetDrawOffset(0, 0);
        state = kReady;
        frameCounter = 0;
    }
}

void NPC_Boss2_Boat::StepBlades()
{
    Player* player = Boss::ThePlayer();
    if (role < 1 || role > 3 || player == nullptr || life <= 0 || state == kEntry || state == kWaiting)
        return;
    ++frameCounter;
    const Point<int> size = currentGraphical != nullptr ? currentGraphical->GetSize() : GetSize();
    Rect<int> trigger = MakeBox(Truncated(position), kTriggerHeight, size.x + 2 * bladeRange - 1);
    trigger.Offset(Point<int>(-bladeRange, size.y - kTriggerDrop));
    const Rect<int> body
        = MakeBox(Truncated(player->GetPosition()), player->GetSize().y, player->GetSize().x);
    if (state == kAttacking && currentGraphical != nullptr && currentGraphical->IsAnimationFinished()) {
        state = kReady;
        currentGraphical->RestartAnimations(true);
    }
    if (state == kReady && BoxesOverlap(trigger, body)) {
        state = kAttacking;
        frameCounter = 0;
        attackFlag = true;
    }
    if (attackFlag && frameCounter >= kBladeDelay && currentGraphical != nullptr) {
        PlaySound("NPC_Boss_Boat2_Attack1");
        const float px = position.x;
        const float py = position.y + static_cast<float>(size.y - kBladeDrop);
        ThrowBlade(px, py, true);
        ThrowBlade(px + static_cast<float>(size.x - 32), py, false);
        attackFlag = false;
    }
}

void NPC_Boss2_Boat::ThrowBlade(float x, float y, bool left)
{
    Projectile_Boss2_Boat* blade = GetFreeProjectile(0);
    if (blade == nullptr)
        return;
    blade->SetBlade();
    if (blade->GetCurrentGraphical() == nullptr)
        return; // no blade look: it stays free
    const float bx = left ? x - static_cast<float>(blade->GetSize().x) : x;
    blade->SetPosition(Point<float>(bx, y));
    blade->SetOwner(this);
    blade->SetDirection(position - blade->GetPosition());
}

void NPC_Boss2_Boat::StepHead()
{
    auto* leader = dynamic_cast<NPC_Boss2_Boat*>(owner);
    if (role != kHead || state == kEntry || state == kWaiting || leader == nullptr)
        return;
    ++frameCounter;
    --attackDelay;
    if ((attackDelay <= 0 || leader->IsVolleyStarting()) && state != kAttacking
        && state != kHeadAttackingAlone) {
        RollAttackDelay();
        frameCounter = 0;
        state = leader->GetPartsAlive() > 0 ? kAttacking : kHeadAttackingAlone;
    } else if (state == kAttacking || state == kHeadAttackingAlone) {
        if (frameCounter == kScreamAt) {
            Boss::ShakeCamera(
                kScreamShakeFrames, kScreamShake[0], kScreamShake[1], kScreamShake[2], kScreamShake[3]);
            PlaySound("NPC_Boss_Boat2_Scream");
        }
        if (currentGraphical != nullptr && currentGraphical->IsAnimationFinished())
            state = kReady;
    }
    if (leader->GetPartsAlive() <= 0 && state == kReady)
        state = kHeadAlone;
}

void NPC_Boss2_Boat::LaunchSphere(int mode, float x, float y, bool fromTop)
{
    Projectile_Boss2_Boat* sphere = GetFreeProjectile(1);
    if (sphere == nullptr)
        return;
    sphere->Launch(mode, true);
    if (sphere->GetCurrentGraphical() == nullptr)
        return;
    const float height = static_cast<float>(sphere->GetSize().y);
    sphere->SetPosition(Point<float>(x, fromTop ? y - height : y));
}

void NPC_Boss2_Boat::StepLeader()
{
    if (role != kLeader || state == kWaiting)
        return;
    if (state == kAttacking && currentGraphical != nullptr && currentGraphical->IsAnimationFinished())
        state = kReady;
    --volleyTimer;
    if (volleyTimer == 0) {
        if (volleyIndex == 0) {
            Player* player = Boss::ThePlayer();
            const float centre = position.x + static_cast<float>(GetSize().x) * 0.5f;
            volleySide = player != nullptr && player->GetPosition().x > centre ? 1 : -1;
        }
        for (int i = 0; i < kVolleyShots; ++i) {
            const int k = kVolleyStep * i;
            int j = static_cast<int>(kJitter * Draw01() - kJitterBase);
            if (volleyIndex % 2 == 0)
                j = static_cast<int>(static_cast<float>(volleySide) * kVolleyShift + static_cast<float>(j));
            const float x = volleySide < 0 ? position.x + 32.0f - static_cast<float>(k + j)
                                           : position.x + 32.0f + 256.0f + static_cast<float>(k + j);
            LaunchSphere(2, x, position.y + 32.0f, false);
        }
        ++volleyIndex;
        if (volleyIndex == kVolleys) {
            volleyIndex = 0;
            volleyTimer = kVolleyPeriod;
        } else {
            volleyTimer = kVolleyGap;
        }
    }
    if (partsAlive != 3) {
        --attackDelay;
        if (attackDelay <= 0) {
            RollAttackDelay();
            state = kAttacking;
            LaunchSphere(1, position.x + 32.0f, position.y + 96.0f, true);
            LaunchSphere(1, position.x + 256.0f, position.y, false);
        }
    }
}

bool NPC_Boss2_Boat::StepMovement(double dt)
{
    if (role == kLeader) {
        if (partsAlive >= 0)
            return true;
        // The fourth loss: the body and the three parts go up together.
        Boss::StartDeath(*this, true, 25.0f, 35.0f);
        for (size_t i = 0; i + 1 < parts.size(); ++i)
            if (parts[i] != nullptr)
                Boss::StartDeath(*parts[i], true, 25.0f, 35.0f);
        return false;
    }
    if (state == kWaiting)
        return true;
    const float step = Enemy::StepLength(speed, dt);
    position = position + direction * step;
    if (sway == 0) {
        RollSway();
        direction.x = -direction.x;
    }
    --sway;
    position = position + direction * step;
    const float home = static_cast<float>(homeX);
    if (position.x - home < -kSwayLimit) {
        position.x = home - kSwayLimit;
        sway = 0;
    }
    if (position.x - home > kSwayLimit) {
        position.x = home + kSwayLimit;
        sway = 0;
    }
    return true;
}

void NPC_Boss2_Boat::StepSprite(double dt)
{
    GraphicalObject* idle = nullptr;
    GraphicalObject* destroyed = nullptr;
    GraphicalObject* attack = nullptr;
    if (role == kLeader) {
        idle = baseIdle;
        attack = baseAttack;
    } else if (role == kHead) {
        idle = state == kHeadAlone ? headIdle2 : headIdle;
        attack = state == kAttacking ? headScream : headScream2;
    } else {
        idle = partIdle[role - 1];
        destroyed = partDead[role - 1];
        attack = partAttack[role - 1];
    }
    GraphicalObject* shown = idle;
    if (state == kDestroyed)
        shown = destroyed;
    else if (state == kAttacking || state == kHeadAttackingAlone)
        shown = attack;
    if (shown != currentGraphical && shown != nullptr && state != kHeadAlone)
        shown->RestartAnimations(true);
    currentGraphical = shown;
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
}

void NPC_Boss2_Boat::ApplyDamage(CharacterObject* attacker, int damage)
{
    CharacterObject::ApplyDamage(attacker, damage);
    if (attacker == nullptr)
        return;
    life = life > 0 ? life - damage : 0;
    if (life > 0 || role == kLeader)
        return;
    auto* leader = dynamic_cast<NPC_Boss2_Boat*>(owner);
    if (leader != nullptr)
        leader->LosePart();
    state = kDestroyed;
    const Point<int> centre = Truncated(position + GetSize().ToFloat() * 0.5f);
    CharacterObject::LaunchParticleEffect(nullptr, onExploseEffects, this, true, centre.x, centre.y);
    if (role != kHead || exploding)
        return;
    for (CharacterObject* shot : Boss::FindAll("Projectile_Boss2_Boat", nullptr, false))
        shot->SetDead(true);
    if (leader != nullptr) {
        leader->ForgetProjectiles();
        for (NPC_Boss2_Boat*& part : leader->parts)
            if (part == this)
                part = nullptr;
    }
    Boss::StartDeath(*this, true, 25.0f, 35.0f);
}

void NPC_Boss2_Boat::Die()
{
    owner = nullptr;
}

void Zone_NPCSpawner_Boss2_Boat::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Boss2_Boat>(*this, x, y, {"NPC_Boss2_Boat", NPCSpawner::Naming::WhenNamed},
        [](NPC_Boss2_Boat& boss) { boss.CreateProjectiles(); });
}
