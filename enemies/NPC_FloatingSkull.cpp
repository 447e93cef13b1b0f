#include "enemies/NPC_FloatingSkull.h"

#include "characters/CharacterBoxes.h"
#include "characters/CharacterGameAccess.h"
#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "enemies/NPC_ThrowerSkull.h"
#include "enemies/NpcTuning.h"
#include "engine/platform/Random.h"
#include "engine/render/ShaderEffect_TimeDependent.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"
#include "script/BGEvent_ShowText.h"
#include "script/BackgroundEvent.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_FloatingSkull.h"

#include <utility>

namespace {

// A destination is reached within 32 pixels; a new one lies at least 100
// pixels away.
constexpr float kArrivedSq = 1024.0f;
constexpr float kMinDestinationSq = 10000.0f;
constexpr float kMinDestination = 100.0f;
// After touching the player the skull retreats toward a point behind it.
constexpr float kRetreat = 25.0f;
constexpr int kGhostHintFrames = 20;
constexpr float kGhostEffectTicks = 120.0f;

bool IsTouchableKind(int kind)
{
    return kind != 1;
}

} // namespace

NPC_FloatingSkull::NPC_FloatingSkull(std::string name)
    : CharacterObject(std::move(name))
{
    typeName = TypeNames::NPC_FloatingSkull;
    life = NpcTuning::Current().floatingSkullMaxLife;
    SetDrawnInFront(true);
}

NPC_FloatingSkull::~NPC_FloatingSkull()
{
    currentGraphical = nullptr;
}

void NPC_FloatingSkull::DeclareSounds()
{
    CharacterObject::DeclareSounds();
    DeclareSound("NPC_FloatingSkull_Idle");
}

void NPC_FloatingSkull::PostUnSerialize()
{
    CharacterObject::PostUnSerialize();
    LoadSounds();
    PlaySoundAt(2);
}

std::vector<GraphicalObject*> NPC_FloatingSkull::GetRelatedGraphicalObjects()
{
    return Enemy::RelatedGraphicals("FloatingSkull");
}

Point<int> NPC_FloatingSkull::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void NPC_FloatingSkull::SetSprites(
    std::unique_ptr<GraphicalObject> left, std::unique_ptr<GraphicalObject> right)
{
    if (currentGraphical == spriteLeft || currentGraphical == spriteRight)
        currentGraphical = nullptr;
    ownedLeft = std::move(left);
    ownedRight = std::move(right);
    spriteLeft = ownedLeft.get();
    spriteRight = ownedRight.get();
}

void NPC_FloatingSkull::SetSprite(std::unique_ptr<GraphicalObject> both)
{
    SetSprites(std::move(both), nullptr);
    spriteRight = spriteLeft;
}

void NPC_FloatingSkull::SetKind(int value)
{
    kind = value;
    switch (kind) {
    case 0:
        SetSprites(Enemy::CloneGraphical("NPC_FloatingSkull_GraphicalIdleL"),
            Enemy::CloneGraphical("NPC_FloatingSkull_GraphicalIdleR"));
        break;
    case 1: {
        // A missing right ghost look is made once as a blank 64 x 64 of the
        // game's table, where every later ghost finds it.
        const std::string rightName = "NPC_FloatingSkull_Ghost_GraphicalIdleR";
        CharacterGameAccess* game = GetCharacterGameAccess();
        if (game != nullptr && game->FindGraphicalObject(rightName) == nullptr)
            if (auto* made = dynamic_cast<GraphicalObject*>(
                    game->CreateSceneObject(rightName, "GraphicalObject", "(NPC)")))
                made->SetSize(64, 64, true);
        auto right = Enemy::CloneGraphical(rightName);
        if (right == nullptr) {
            // Without a game the blank stands in as the skull's own.
            right = std::make_unique<GraphicalObject>(rightName);
            right->SetCategory("(NPC)");
            right->SetSize(64, 64, true);
        }
        SetSprites(Enemy::CloneGraphical("NPC_FloatingSkull_Ghost_GraphicalIdleL"), std::move(right));
        SetDrawingEffect(std::make_unique<GE_Color>(
            Enemy::FindShader("ml_NPC_GhostSkull"), kGhostEffectTicks, false, true));
        break;
    }
    case 2:
    case 3:
    case 4:
    case 5:
        if (kind == 2)
            SetSprite(Enemy::CloneGraphical("Projectile_Boss2_Cave_GraphicalBlue"));
        else if (kind == 5)
            SetSprite(Enemy::CloneGraphical("Projectile_Boss2_Garden_Idle"));
        triggerDistanceSq = -1.0;
        state = kChase;
        chaseMaxSpeed *= 0.5f;
        break;
    case 6:
        SetSprites(Enemy::CloneGraphical("Projectile_Boss_Final_HeadIdleL"),
            Enemy::CloneGraphical("Projectile_Boss_Final_HeadIdleR"));
        triggerDistanceSq = -1.0;
        life = 10;
        contactDamage = 2;
        state = kChase;
        chaseMaxSpeed *= 0.8f;
        break;
    default:
        break;
    }
}

void NPC_FloatingSkull::PickRandomDestination()
{
    const uint32_t r1 = platform::Random32();
    const uint32_t r2 = platform::Random32();
    const Point<int> s = GetSize();
    const int64_t spanX = static_cast<int64_t>(roamingRect.x1) - roamingRect.x0 + s.x + 1;
    const int64_t spanY = static_cast<int64_t>(roamingRect.y0) - roamingRect.y1 + s.y + 1;
    // A damaged zone (negative span) draws its corner.
    const int64_t offX = spanX > 0 ? static_cast<int64_t>(r1 % static_cast<uint64_t>(spanX)) : 0;
    const int64_t offY = spanY > 0 ? static_cast<int64_t>(r2 % static_cast<uint64_t>(spanY)) : 0;
    const Point<float> candidate(static_cast<float>(static_cast<double>(roamingRect.x0 + offX) - s.x * 0.5),
        static_cast<float>(static_cast<double>(roamingRect.y1 + offY) - s.y * 0.5));
    const Point<float> picked(
        static_cast<float>(static_cast<int>(candidate.x)), static_cast<float>(static_cast<int>(candidate.y)));
    Point<float> d = picked - position;
    if (d.x * d.x + d.y * d.y >= kMinDestinationSq) {
        destination = picked.ToInt();
        return;
    }
    d.Normalize(false);
    destination = (position + d * kMinDestination).ToInt();
}

bool NPC_FloatingSkull::TouchesPlayer(const CharacterObject& player) const
{
    auto& self = const_cast<NPC_FloatingSkull&>(*this);
    auto& other = const_cast<CharacterObject&>(player);
    const std::vector<Rect<int>> attacks = self.GetAttackBoxes();
    for (Rect<int> hurt : other.GetHurtBoxes()) {
        hurt.Offset(player.GetPosition().ToInt());
        for (Rect<int> attack : attacks) {
            attack.Offset(position.ToInt());
            if (BoxesOverlap(hurt, attack))
                return true;
        }
    }
    return false;
}

void NPC_FloatingSkull::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    if (Player* player = Enemy::ThePlayer()) {
        const Point<float> playerCentre = player->GetCenter();
        const Point<float> centre = GetCenter();
        const Point<float> toPlayer = playerCentre - centre;
        const float distSq = toPlayer.x * toPlayer.x + toPlayer.y * toPlayer.y;
        if (state == kKnockedBack) {
            speed -= 2.0f;
            if (speed <= chaseMaxSpeed) {
                state = kChase;
                if (kind == 6)
                    speed = static_cast<float>(speed * (life / 10.0 + 1.0));
            }
        }
        if (state == kWander || state == kChase) {
            if ((triggerDistanceSq == -1.0 || distSq <= triggerDistanceSq) && aggressive) {
                state = kChase;
                destination = playerCentre.ToInt();
            } else {
                state = kWander;
                if (previousState == kChase)
                    PickRandomDestination();
            }
        }
        const Point<float> toDest = destination.ToFloat() - centre;
        const float destDistSq = toDest.x * toDest.x + toDest.y * toDest.y;
        if (state != kTouched) {
            const Point<int> s = GetSize();
            const Point<int> ps = player->GetSize();
            const float reach = static_cast<float>(s.x * s.x + s.y * s.y + ps.x * ps.x + ps.y * ps.y);
            if (distSq <= reach && TouchesPlayer(*player)) {
                if (aggressive && state != kKnockedBack)
                    state = kTouched;
                if (!player->IsInvulnerable()) {
                    stateTimer = 0;
                    destination = (centre - direction * kRetreat).ToInt();
                    player->ApplyDamage(this, 1);
                    direction = direction * -1.0f;
                    speed *= 0.5f;
                }
            }
        }
        if (destDistSq < kArrivedSq) {
            if (state == kTouched && aggressive)
                state = kChase;
            if (state == kWander)
                PickRandomDestination();
        } else {
            speed += acceleration;
            float cap = wanderMaxSpeed;
            if (state == kChase || state == kTouched)
                cap = kind == 6 ? static_cast<float>(chaseMaxSpeed * (2.0 - life / 10.0)) : chaseMaxSpeed;
            if (state != kKnockedBack && speed > cap)
                speed = cap;
            Point<float> u = toDest;
            u.Normalize(false);
            Point<float> steered = direction + u * steering;
            steered.Normalize(false);
            direction = steered;
        }
        if (state != kTouched) {
            GraphicalObject* facing = SpriteFor(toDest.x > 0.0f);
            if (facing != currentGraphical) {
                currentGraphical = facing;
                if (facing != nullptr)
                    facing->RestartAnimations(true);
            }
        }
        position += direction * Enemy::StepLength(speed, dt);
        if (currentGraphical != nullptr)
            currentGraphical->Update(dt);
        UpdateSounds();
        previousState = state;
    }
    StepDrawingEffect();
}

void NPC_FloatingSkull::StepDrawingEffect()
{
    auto* effect = dynamic_cast<ShaderEffect_TimeDependent*>(GetDrawingEffect());
    if (effect == nullptr)
        return;
    effect->Update();
    if (effect->GetDuration() <= effect->GetTimer())
        effect->Start(0, true);
}

bool NPC_FloatingSkull::IsHitByBox(Rect<int> box, bool flag)
{
    if (IsTouchableKind(kind) || frozen != 0)
        return CharacterObject::IsHitByBox(box, flag);
    if (CharacterObject::IsHitByBox(box, flag)
        && BackgroundEvent::FindByTypeName("BGEvent_ShowText") == nullptr) {
        auto* hint = new BGEvent_ShowText(
            "FloatingSkullGhostCanTouch", "You can't touch this NPC because is an unfreezed ghost");
        hint->StartFor(kGhostHintFrames);
        if (CharacterGameAccess* game = GetCharacterGameAccess())
            game->AddBackgroundEvent(hint);
        else
            delete hint;
    }
    return false;
}

void NPC_FloatingSkull::ReceiveHit(CharacterObject* attacker, int hitKind, float amount)
{
    const int n = static_cast<int>(amount);
    if (hitKind == Enemy::kFireHit && (kind == 5 || (kind != 0 && frozen == 1)))
        powerHit = Enemy::kFireHit;
    if (kind != 5 && attacker != nullptr && life != -1)
        ApplyDamage(attacker, n);
    if (kind != 0 && kind != 5 && frozen == 1 && hitKind == Enemy::kFireHit && life >= 0)
        ApplyDamage(attacker, n);
    if (kind == 0 && hitKind == Enemy::kIceHit) {
        powerHit = Enemy::kIceHit;
        if (life >= 0)
            ApplyDamage(attacker, n);
    }
    if (kind == 5 && hitKind == Enemy::kFireHit && life >= 0)
        ApplyDamage(attacker, n);
}

void NPC_FloatingSkull::ApplyDamage(CharacterObject* attacker, int damage)
{
    CharacterObject::ApplyDamage(attacker, damage);
    if (attacker == nullptr)
        return;
    const Point<float> d = attacker->GetCenter() - GetCenter();
    direction = d.x < 0.0f ? Point<float>(2.0f, 0.0f) : Point<float>(-2.0f, 0.0f);
    speed = chaseMaxSpeed * (kind < 2 ? 4.0f : 8.0f);
    state = kKnockedBack;
    life = life > 0 ? life - damage : 0;
    if (life <= 0)
        dead = true;
}

void NPC_FloatingSkull::Freeze()
{
    if (frozen != 0)
        return;
    frozen = 1;
    if (kind != 1)
        return;
    speed *= 0.5f;
    SetSprites(Enemy::CloneGraphical("NPC_FloatingSkull_GhostFreezed_GraphicalIdleL"),
        Enemy::CloneGraphical("NPC_FloatingSkull_GhostFreezed_GraphicalIdleR"));
    currentGraphical = direction.x <= 0.0f ? spriteLeft : spriteRight;
    SetDrawingEffect(nullptr);
}

void Zone_NPCSpawner_FloatingSkull::Instance::Spawn(int x, int y, Level* /*level*/)
{
    // Kinds 0 and 1 make floating skulls of that kind, 2 thrower skulls, any
    // other none. Each skull starts at its own first destination, moved by the
    // offset.
    const int kind = SkullKind.value;
    const char* className = kind < 2 ? "NPC_FloatingSkull" : "NPC_ThrowerSkull";
    NPCSpawner::SpawnEach<NPC_FloatingSkull>(*this, x, y,
        {className, NPCSpawner::Naming::Placement, &NPC_FloatingSkull::roamingRect, NPCSpawner::Area::R},
        kind <= 2 ? SpawnCount.value : 0, [&](NPC_FloatingSkull& skull) {
            if (kind < 2)
                skull.SetKind(kind);
            skull.PickRandomDestination();
            const Point<int> at = GetOffset() + skull.GetDestination();
            skull.SetPosition(Point<float>(static_cast<float>(at.x), static_cast<float>(at.y)));
        });
}
