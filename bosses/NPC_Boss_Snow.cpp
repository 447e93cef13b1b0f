#include "bosses/NPC_Boss_Snow.h"

#include "bosses/NPC_Boss_Snow_Arm.h"
#include "bosses/Projectile_Boss_Snow.h"
#include "characters/Player.h"
#include "characters/PlayerWorld.h"
#include "enemies/EnemyFramework.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Boss_Snow.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr float kLandDistance = 256.0f;
constexpr float kDropStartSpeed = 0.1f;
constexpr float kApexShare = 0.4f;
constexpr int kApexRise = 256;
constexpr float kSteer = 0.1f;
constexpr float kMaxJumpSpeed = 8.0f;
// Update frames a fall may steer before it heads straight for its target.
constexpr int kSteeredFall = 45;
constexpr float kDropFactor = 288.0f;
constexpr float kFastFactor = 96.0f;
constexpr float kSlowFactor = 32.0f;
constexpr float kShake[4] = {10.0f, 5.0f, 10.0f, 2.0f};
constexpr int kShakeFrames = 60;
constexpr float kPickShare = 0.98f;

Point<int> Truncated(Point<float> p)
{
    return Point<int>(static_cast<int>(p.x), static_cast<int>(p.y));
}

float LengthSquared(Point<float> v)
{
    return v.x * v.x + v.y * v.y;
}

Point<float> Unit(Point<float> v)
{
    const float length = std::sqrt(LengthSquared(v));
    return length > 0.0f ? v * (1.0f / length) : v;
}

} // namespace

NPC_Boss_Snow::NPC_Boss_Snow(std::string name)
    : BossCharacter(std::move(name), "NPC_Boss_Snow")
{
    typeName = TypeNames::NPC_Boss_Snow;
    appear = sprites.Add("Appears");
    body = sprites.Add("Body");
    woodBody = sprites.Add("WoodBody");
    bodySnowBroken = sprites.Add("Body_Snow_Broken");
    bodyBroken = sprites.Add("Body_Broken");
    prepare = sprites.Add("Projectile_Prepa");
    life = kLife;
    maxLife = kLife;
    state = kWaiting;
    SetDrawnFlagged(true);
    LoadSounds();
}

NPC_Boss_Snow::~NPC_Boss_Snow()
{
    currentGraphical = nullptr;
}

void NPC_Boss_Snow::DeclareSounds()
{
    CharacterObject::DeclareSounds();
    for (const char* sound :
        {"NPC_Boss_Snow_SnowImpact", "NPC_Boss_Snow_LandOn", "NPC_Boss_Snow_OneBodySnowKilled",
            "NPC_Boss_Snow_OneBodyWoodKilled", "NPC_Boss_Snow_Projectile"})
        DeclareSound(sound);
}

std::vector<GraphicalObject*> NPC_Boss_Snow::GetRelatedGraphicalObjects()
{
    return Boss::Related("_Boss_Snow_");
}

bool NPC_Boss_Snow::HandleScriptCommand(std::string command, std::string argument)
{
    if (Boss::IsCommand(command, "start") && state == kWaiting) {
        state = kDropping;
        return true;
    }
    return CharacterObject::HandleScriptCommand(std::move(command), std::move(argument));
}

void NPC_Boss_Snow::ResetToStart()
{
    if (IsCoat())
        return;
    for (int i = 0; i < kBlockPool; ++i)
        if (auto* block = Boss::CreateAs<Projectile_Boss_Snow>("Projectile_Boss_Snow")) {
            block->MakeRect();
            blockPool.push_back(block);
        }
}

std::vector<Rect<int>> NPC_Boss_Snow::GetHurtBoxes()
{
    if ((snowBody == nullptr || snowBody->GetState() == kBroken) && jumpPhase == kOnGround)
        return CharacterObject::GetHurtBoxes();
    return {};
}

void NPC_Boss_Snow::Update(double dt)
{
    // Disabled it does nothing at all: its picture stays, frozen. A beaten
    // giant, disabled at the start of a later visit, has none yet.
    if (!enabled)
        return;
    CharacterObject::Update(dt);
    if (exploding)
        return;
    if (Boss::ThePlayer() != nullptr && currentGraphical != nullptr) {
        if (state == kDropping)
            StepDrop();
        if (state == kFighting && life > 0 && snowBody != nullptr) {
            if (jumpPhase == kOnGround)
                StepGround();
            StepJump();
            snowBody->jumpPhase = jumpPhase;
        }
    }
    DamagePlayerOnContact();
    float factor = nextJumpRandom || jumpPhase == kRising ? kFastFactor : kSlowFactor;
    if (jumpPhase == kFalling && !nextJumpRandom)
        speed *= 1.2f;
    if (state == kDropping)
        factor = kDropFactor;
    if (state != kWaiting) {
        const Point<float> step = direction * static_cast<float>(speed * factor * dt * 0.001);
        // A fall that would pass its target this frame stops on it (and lands
        // on the next).
        if (state == kFighting && jumpPhase == kFalling
            && LengthSquared(step) >= LengthSquared(jumpTarget.ToFloat() - position))
            position = jumpTarget.ToFloat();
        else
            position = position + step;
    }
    if (snowBody != nullptr)
        snowBody->SetPosition(position);
    ChooseLook();
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
    if (prepare != nullptr)
        prepare->Update(dt);
}

void NPC_Boss_Snow::StepDrop()
{
    if (!dropStarted) {
        dropStarted = true;
        const Point<int> p = Truncated(position);
        dropPoint = Point<int>(p.x, p.y + 1 - currentGraphical->GetSize().y);
        speed = kDropStartSpeed;
    }
    direction = Point<float>(0.0f, -1.0f);
    speed = std::min(speed * 1.1f, 1.0f);
    if (LengthSquared(dropPoint.ToFloat() - position) >= kLandDistance)
        return;
    position = dropPoint.ToFloat();
    speed = 0.0f;
    state = kFighting;
    currentGraphical = woodBody;
    if (woodBody != nullptr)
        woodBody->RestartAnimations(true);
    nextJumpRandom = true;
    snowBody = Boss::CreateAs<NPC_Boss_Snow>("NPC_Boss_Snow");
    if (snowBody != nullptr) {
        snowBody->SetState(kSnowBody);
        snowBody->SetMaxLife(kCoatLife);
        snowBody->SetLife(kCoatLife);
        snowBody->SetPosition(position);
    }
    frameCounter = kFirstWait;
    direction = Point<float>(0.0f, 1.0f);
}

void NPC_Boss_Snow::StepGround()
{
    if (nextJumpRandom) {
        if (frameCounter > 0)
            --frameCounter;
        else
            StartRandomJump();
        return;
    }
    --frameCounter;
    if (frameCounter > 0) {
        --attackTimer;
        if (attackTimer == 1)
            snowBody->PrepareProjectile();
        if (attackTimer <= 0 && snowBody->prepare != nullptr && snowBody->prepare->IsAnimationFinished()) {
            attackTimer = kThrowGap;
            ThrowBlock();
        }
        return;
    }
    // Back to where it dropped.
    jumpPhase = kRising;
    jumpTarget = dropPoint;
    AimApex();
    nextJumpRandom = true;
    speed = 1.0f;
    direction = Point<float>(0.0f, 1.0f);
}

void NPC_Boss_Snow::StartRandomJump()
{
    jumpPhase = kRising;
    nextJumpRandom = false;
    jumpTarget = Truncated(position);
    speed = 1.0f;
    direction = Point<float>(0.0f, 1.0f);
    PlaySoundAt(2);
    snowBody->SetLife(snowBody->GetMaxLife());
    snowBody->SetState(kSnowBody);
    PlayerWorld* world = GetPlayerWorld();
    Level* level = world != nullptr ? world->GetLevel() : nullptr;
    if (level == nullptr)
        return;
    for (int list : Level::kFileOrder)
        for (int i = 0; i < level->GetLayerCount(list); ++i) {
            Layer* layer = level->GetLayerAt(list, i);
            if (layer == nullptr)
                continue;
            std::unique_ptr<std::list<Layer::Instance*>> spots = layer->FindInstancesByName("boss_snow_loc");
            if (spots == nullptr || spots->empty())
                continue;
            const auto pick
                = static_cast<size_t>(static_cast<float>(spots->size()) * Boss::Random01() * kPickShare);
            auto it = spots->begin();
            std::advance(it, static_cast<long>(std::min(pick, spots->size() - 1)));
            jumpTarget = Truncated((*it)->GetPosition());
            AimApex();
            return;
        }
}

void NPC_Boss_Snow::AimApex()
{
    jumpApex = Point<int>(
        static_cast<int>(position.x + static_cast<float>(jumpTarget.x - position.x) * kApexShare),
        jumpTarget.y + kApexRise);
}

void NPC_Boss_Snow::StepJump()
{
    if (jumpPhase == kRising)
        speed = std::min(speed * 1.5f, kMaxJumpSpeed);
    else if (jumpPhase == kFalling)
        speed = std::min(speed * 1.1f, kMaxJumpSpeed);
    if (jumpPhase == kRising) {
        if (static_cast<float>(jumpApex.y) < position.y) {
            jumpPhase = kFalling;
            fallFrames = 0;
        } else
            direction = direction + Unit(jumpApex.ToFloat() - position) * kSteer;
    }
    if (jumpPhase == kFalling) {
        const Point<float> toTarget = Unit(jumpTarget.ToFloat() - position);
        if (LengthSquared(jumpTarget.ToFloat() - position) <= kLandDistance) {
            position = jumpTarget.ToFloat();
            speed = 0.0f;
            jumpPhase = kOnGround;
            frameCounter = kBackWait;
            if (!nextJumpRandom) {
                if (currentGraphical != nullptr)
                    currentGraphical->RestartAnimations(true);
                if (snowBody->currentGraphical != nullptr)
                    snowBody->currentGraphical->RestartAnimations(true);
                DropSnowfall();
                attackTimer = kFirstThrow;
                frameCounter = kStandTime;
                PlaySoundAt(3);
            } else {
                PlaySoundAt(2);
            }
        }
        // Steered, a fast fall can circle its target for ever (the fight
        // never goes on): after a while it dives straight at it.
        if (++fallFrames > kSteeredFall)
            direction = toTarget;
        else
            direction = direction + toTarget * kSteer;
    }
    if (jumpPhase != kOnGround) {
        const float length = std::sqrt(LengthSquared(direction));
        if (length >= 1.0f)
            direction = direction * (1.0f / length);
    }
}

void NPC_Boss_Snow::ThrowBlock()
{
    auto* block = Boss::CreateAs<Projectile_Boss_Snow>("Projectile_Boss_Snow");
    if (block == nullptr)
        return;
    const Point<int> from = GetBoxCenter(GetSpawnPointBox(0));
    block->SetPosition(from.ToFloat());
    if (Player* player = Boss::ThePlayer())
        block->SetTargetPoint(Truncated(player->GetTopCenter()));
    block->SetStartPoint(Truncated(block->GetPosition()));
}

void NPC_Boss_Snow::PrepareProjectile()
{
    prepareShown = true;
    if (prepare == nullptr)
        return;
    PlaySound("NPC_Boss_Snow_Projectile");
    prepare->RestartAnimations(false);
}

void NPC_Boss_Snow::DropSnowfall()
{
    Boss::ShakeCamera(kShakeFrames, kShake[0], kShake[1], kShake[2], kShake[3]);
    const Point<int> top = homePoint + Point<int>(0, kSnowfallHeight);
    const float w = static_cast<float>(kSnowfallWidth);
    for (int group = 0; group < 2; ++group)
        for (int i = 0; i < 5; ++i) {
            const size_t entry = static_cast<size_t>(group * 10 + i);
            if (entry >= blockPool.size() || blockPool[entry] == nullptr)
                continue;
            const float x = static_cast<float>(homePoint.x) - (group == 0 ? w : 0.0f) + Boss::Random01() * w;
            blockPool[entry]->SetPosition(Point<float>(x, static_cast<float>(top.y)));
            blockPool[entry]->SetDirection(Point<float>(0.0f, -1.0f));
        }
}

void NPC_Boss_Snow::ChooseLook()
{
    GraphicalObject* before = currentGraphical;
    if (IsCoat()) {
        currentGraphical = life <= 0 ? bodySnowBroken : body;
        if (currentGraphical == bodySnowBroken && before != bodySnowBroken)
            PlaySoundAt(4);
    } else if (state == kWaiting || state == kDropping) {
        currentGraphical = appear;
    } else {
        currentGraphical = life <= 0 ? bodyBroken : woodBody;
        if (currentGraphical == bodyBroken && before != bodyBroken)
            PlaySoundAt(5);
    }
    if (currentGraphical != before && currentGraphical != nullptr)
        currentGraphical->RestartAnimations(true);
}

bool NPC_Boss_Snow::Draw(DXGraphicalSurface* target, Point<int> offset)
{
    const bool drawn = CharacterObject::Draw(target, offset);
    if (!prepareShown || prepare == nullptr)
        return drawn;
    if (prepare->IsAnimationFinished())
        prepareShown = false;
    GraphicalObject* shown = currentGraphical;
    currentGraphical = prepare;
    const bool prepared = CharacterObject::Draw(target, offset);
    currentGraphical = shown;
    return drawn && prepared;
}

void NPC_Boss_Snow::ApplyDamage(CharacterObject* attacker, int damage)
{
    CharacterObject::ApplyDamage(attacker, damage);
    if (attacker == nullptr)
        return;
    life = life > 0 ? life - damage : 0;
    if (life > 0)
        return;
    state = kBroken;
    if (snowBody == nullptr || exploding)
        return;
    // The explosion cuts its pieces from the look it wears at this blow; its
    // updates stop, so the broken wood is never shown.
    for (CharacterObject* block : Boss::FindAll("Projectile_Boss_Snow", nullptr, false))
        block->SetDead(true);
    blockPool.clear();
    Boss::StartDeath(*this, true, 25.0f, 35.0f);
    snowBody->SetDead(true);
    snowBody = nullptr;
}

void Zone_NPCSpawner_Boss_Snow::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Boss_Snow>(*this, x, y, {"NPC_Boss_Snow", NPCSpawner::Naming::WhenNamed},
        [&](NPC_Boss_Snow& boss) { boss.homePoint = GetOffset() + Point<int>(x, y); });
}
