#include "bosses/NPC_Boss2_Garden.h"

#include "bosses/Projectile_Boss2_Bibli_Lava.h"
#include "bosses/Projectile_Boss2_Garden.h"
#include "bosses/Projectile_Boss2_Garden_Scyte.h"
#include "characters/Player.h"
#include "characters/Projectile_Crossbow.h"
#include "enemies/EnemyFramework.h"
#include "engine/render/ShaderEffect_TimeDependent.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/SpacialInstance.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Boss2_Garden.h"

#include <cmath>
#include <utility>

namespace {

constexpr int kLife = 105;
constexpr int kAngryLife = 80;
constexpr int kContactDamage = 2;
constexpr float kFadeFrames = 30.0f;
constexpr int kFade = 30;
constexpr int kFirstIdle = 50;
constexpr int kIdleFrames = 90;
constexpr int kAttackCount = 20;
constexpr int kWait = 120;
constexpr int kAngryWait = 60;
constexpr int kHiddenFrames = 150;
constexpr int kBob = 16;
// The scythes circle 80 pixels from (48 or 80, 128) of its place.
constexpr float kOrbitStep = 0.03f;
constexpr float kOrbitRadius = 80.0f;
constexpr float kOrbitLeft = 48.0f;
constexpr float kOrbitRight = 80.0f;
constexpr float kOrbitHeight = 128.0f;
constexpr float kTwoPi = 2.0f * 3.14f;
// A crowded place loses its two oldest skulls before it throws again.
constexpr size_t kCrowded = 9;
// The lava row: 32 tiles 32 apart, 416 pixels below "lava_max".
constexpr int kLavaTiles = 32;
constexpr float kLavaDepth = -416.0f;
constexpr float kTile = 32.0f;
constexpr float kExplosionHeadStart = 25.0f;
constexpr float kExplosionSwitchTime = 35.0f;
const char* const kSkull = "Projectile_Boss2_Garden";
const char* const kScythe = "Projectile_Boss2_Garden_Scyte";

enum Sound { kAppears = 2, kFire = 3 };

} // namespace

std::vector<Point<int>>& NPC_Boss2_Garden::SpawnPlaces()
{
    static std::vector<Point<int>> points;
    return points;
}

std::vector<std::vector<Projectile_Boss2_Garden*>>& NPC_Boss2_Garden::SkullGroups()
{
    static std::vector<std::vector<Projectile_Boss2_Garden*>> groups;
    return groups;
}

NPC_Boss2_Garden::NPC_Boss2_Garden(std::string name)
    : BossCharacter(std::move(name), "NPC_Boss2_Garden")
{
    typeName = TypeNames::NPC_Boss2_Garden;
    spriteIdleLeft = sprites.Add("IdleLeft");
    spriteIdleRight = sprites.Add("IdleRight");
    spriteAttackLeft = sprites.Add("AttackLeft");
    spriteAttackRight = sprites.Add("AttackRight");
    spriteAngryIdleLeft = sprites.Add("AngryIdleLeft");
    spriteAngryIdleRight = sprites.Add("AngryIdleRight");
    spriteAngryAttackLeft = sprites.Add("AngryAttackLeft");
    spriteAngryAttackRight = sprites.Add("AngryAttackRight");
    life = kLife;
    contactDamage = kContactDamage;
    direction = Point<float>(1.0f, -1.0f);
    state = kWaiting;
    currentGraphical = nullptr;
    stateTimer = 0;
    auto fade = std::make_unique<GE_Color>(Enemy::FindShader("ml_NPC_GhostFade"), kFadeFrames, false, false);
    fade->SetColor(Color(255, 255, 255, 255));
    fade->Start(0, true);
    SetDrawingEffect(std::move(fade));
    LoadSounds();
}

void NPC_Boss2_Garden::DeclareSounds()
{
    CharacterObject::DeclareSounds();
    DeclareSound("NPC_Boss_Garden2_Appears");
    DeclareSound("NPC_Boss_Garden2_Fire");
    DeclareSound("NPC_Boss_Garden2_Disapear");
}

std::vector<GraphicalObject*> NPC_Boss2_Garden::GetRelatedGraphicalObjects()
{
    return Boss::Related("Boss2_Garden");
}

void NPC_Boss2_Garden::ResetToStart()
{
    CharacterObject* mark = Boss::Find("lava_max", nullptr);
    if (mark == nullptr)
        return;
    Point<float> p = mark->GetPosition() + Point<float>(0.0f, kLavaDepth);
    for (int i = 0; i < kLavaTiles; ++i) {
        CharacterObject* made = Boss::Create("Projectile_Boss2_Bibli_Lava");
        if (made == nullptr)
            continue;
        made->SetPosition(p);
        if (auto* tile = dynamic_cast<Projectile_Boss2_Bibli_Lava*>(made)) {
            tile->SetCurrentGraphical(tile->GetSpriteLava());
            tile->SetState(Projectile_Boss2_Bibli_Lava::kHidden);
            tile->SetDrawnInFront(true);
        }
        p.x += kTile;
    }
}

bool NPC_Boss2_Garden::HandleScriptCommand(std::string command, std::string argument)
{
    if (Boss::IsCommand(command, "start") && state == kWaiting) {
        PlaySoundAt(kAppears);
        state = kFadingIn;
        currentGraphical = spriteIdleLeft;
        appearOnly = true;
        stateTimer = kFade;
        return true;
    }
    return CharacterObject::HandleScriptCommand(std::move(command), std::move(argument));
}

void NPC_Boss2_Garden::RestartFade(bool appear)
{
    auto* fade = dynamic_cast<GE_Color*>(GetDrawingEffect());
    if (fade == nullptr)
        return;
    Color c = fade->GetColor();
    c.a = 255;
    fade->SetColor(c);
    fade->SetReverse(appear);
    fade->Start(0, !appear);
}

void NPC_Boss2_Garden::SwapToAttack()
{
    if (currentGraphical == spriteIdleLeft)
        currentGraphical = spriteAttackLeft;
    else if (currentGraphical == spriteIdleRight)
        currentGraphical = spriteAttackRight;
    else if (currentGraphical == spriteAngryIdleLeft)
        currentGraphical = spriteAngryAttackLeft;
    else if (currentGraphical == spriteAngryIdleRight)
        currentGraphical = spriteAngryAttackRight;
}

void NPC_Boss2_Garden::SwapToIdle()
{
    if (currentGraphical == spriteAttackLeft)
        currentGraphical = spriteIdleLeft;
    else if (currentGraphical == spriteAttackRight)
        currentGraphical = spriteIdleRight;
    else if (currentGraphical == spriteAngryAttackLeft)
        currentGraphical = spriteAngryIdleLeft;
    else if (currentGraphical == spriteAngryAttackRight)
        currentGraphical = spriteAngryIdleRight;
}

void NPC_Boss2_Garden::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    if (exploding)
        return;
    GraphicalObject* before = currentGraphical;
    if (std::abs(bobOffset) >= kBob && direction.y != 0.0f) {
        bobOffset -= static_cast<int>(direction.y);
        direction.y = -direction.y;
    } else {
        bobOffset += static_cast<int>(direction.y);
    }
    drawOffset.y = bobOffset;
    if (state != kFadingOut && state != kFadingIn && state != kHidden)
        DamagePlayerOnContact();
    if (currentGraphical != nullptr) {
        switch (state) {
        case kFadingIn:
            if (stateTimer == kFade)
                RestartFade(true);
            if (stateTimer == 0) {
                state = kIdle;
                stateTimer = appearOnly ? kFirstIdle : kIdleFrames;
            } else {
                --stateTimer;
            }
            break;
        case kIdle:
            if (stateTimer != 0) {
                --stateTimer;
            } else if (appearOnly) {
                state = kFadingOut;
                PlaySound("NPC_Boss_Garden2_Disapear");
                stateTimer = kFade;
            } else {
                state = kAttacking;
                SwapToAttack();
                stateTimer = kAttackCount;
            }
            break;
        case kAttacking:
            --stateTimer;
            if (currentGraphical->IsAnimationFinished()) {
                stateTimer = phase == 1 ? kWait : kAngryWait;
                state = kAfterAttack;
                SwapToIdle();
            }
            break;
        case kAfterAttack:
            if (--stateTimer == 0) {
                state = kFadingOut;
                PlaySoundAt(kFire);
                stateTimer = kFade;
            }
            break;
        case kFadingOut:
            if (GetDrawingEffect() != nullptr) {
                if (stateTimer == kFade)
                    RestartFade(false);
                if (stateTimer == 0) {
                    appearOnly = false;
                    stateTimer = kHiddenFrames;
                    state = kHidden;
                    RestartFade(false);
                } else {
                    --stateTimer;
                }
            }
            for (auto& slot : scythes) {
                if (Projectile_Boss2_Garden_Scyte* scythe = slot.Get())
                    scythe->SetDead(true);
                slot.Reset(nullptr);
            }
            break;
        case kHidden:
            if (--stateTimer == 0) {
                state = kFadingIn;
                PlaySoundAt(kAppears);
                stateTimer = kFade;
                LaunchSkulls();
                const bool right = GetTopCenter().x < Boss::PlayerCenter().x;
                if (phase == 2)
                    currentGraphical = right ? spriteAngryIdleRight : spriteAngryIdleLeft;
                else
                    currentGraphical = right ? spriteIdleRight : spriteIdleLeft;
            }
            break;
        default:
            break;
        }
    }
    orbitTurn = std::fmod(orbitTurn + kOrbitStep, 1.0f);
    const bool facingRight = currentGraphical != nullptr
        && (currentGraphical == spriteIdleRight || currentGraphical == spriteAttackRight
            || currentGraphical == spriteAngryIdleRight || currentGraphical == spriteAngryAttackRight);
    for (int i = 0; i < kScytheSlots; ++i)
        if (Projectile_Boss2_Garden_Scyte* scythe = scythes[i].Get()) {
            const Point<float> c
                = position + Point<float>(facingRight ? kOrbitRight : kOrbitLeft, kOrbitHeight);
            const float angle = orbitTurn * kTwoPi + static_cast<float>(i) / 3.0f * kTwoPi;
            scythe->SetPosition(
                c + Point<float>(kOrbitRadius * std::cos(angle), kOrbitRadius * std::sin(angle)));
        }
    Boss::Move(*this, speed, dt);
    if (currentGraphical != before && currentGraphical != nullptr)
        currentGraphical->RestartAnimations(true);
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
    if (GraphicalEffect* effect = GetDrawingEffect())
        effect->Update();
}

void NPC_Boss2_Garden::LaunchSkulls()
{
    std::vector<std::vector<Projectile_Boss2_Garden*>>& groups = SkullGroups();
    std::vector<Point<int>>& places = SpawnPlaces();
    const size_t n = std::min(groups.size(), places.size());
    if (n == 0)
        return;
    const size_t k = Boss::RandomIndexLessOne(static_cast<int>(n));
    for (size_t g = 0; g < n; ++g) {
        if (g == k) {
            position = places[g].ToFloat();
            continue;
        }
        if (groups[g].size() > kCrowded) {
            // The two oldest go (their removal takes them out of the group).
            std::vector<Projectile_Boss2_Garden*> oldest(groups[g].begin(), groups[g].begin() + 2);
            groups[g].erase(groups[g].begin(), groups[g].begin() + 2);
            for (Projectile_Boss2_Garden* skull : oldest) {
                skull->SetDead(true);
                skull->SetGroupIndex(-1);
            }
        }
        auto* skull = Boss::CreateAs<Projectile_Boss2_Garden>(kSkull);
        if (skull == nullptr)
            continue;
        skull->SetPosition(places[g].ToFloat());
        skull->SetOwner(this);
        skull->SetGroupIndex(static_cast<int>(g));
    }
}

void NPC_Boss2_Garden::ReleaseScythe(Projectile_Boss2_Garden_Scyte* scythe)
{
    for (auto& slot : scythes)
        if (slot.Get() == scythe) {
            scythe->SetDead(true);
            slot.Reset(nullptr);
        }
}

void NPC_Boss2_Garden::ApplyDamage(CharacterObject* attacker, int damage)
{
    if (state == kFadingOut || state == kFadingIn || state == kHidden)
        return;
    if (attacker != nullptr && attacker == Boss::ThePlayer()) {
        CharacterObject::ApplyDamage(attacker, damage);
        life = life <= 0 ? 0 : life - damage;
        if (life >= 1)
            return;
        if (phase == 2) {
            if (!Boss::StartDeath(*this, true, kExplosionHeadStart, kExplosionSwitchTime))
                return;
            Boss::KillProjectiles(kSkull);
            for (auto& slot : scythes) {
                if (Projectile_Boss2_Garden_Scyte* scythe = slot.Get())
                    scythe->SetDead(true);
                slot.Reset(nullptr);
            }
            return;
        }
        state = kFadingOut;
        PlaySoundAt(kFire);
        stateTimer = kFade;
        phase = 2;
        life = kAngryLife;
        return;
    }
    auto* bolt = dynamic_cast<Projectile_Crossbow*>(attacker);
    if (bolt == nullptr)
        return;
    // A bolt never hurts the ghost: it is caught as a scythe, when a slot is
    // free.
    for (auto& slot : scythes) {
        if (slot.Get() != nullptr)
            continue;
        auto* scythe = Boss::CreateAs<Projectile_Boss2_Garden_Scyte>(kScythe);
        if (scythe == nullptr)
            continue;
        slot.Reset(scythe);
        GraphicalObject* look = bolt->GetCurrentGraphical();
        scythe->TakeLook(look != nullptr ? dynamic_cast<GraphicalObject*>(look->Clone(true)) : nullptr);
        scythe->SetOwner(this);
        bolt->SetDead(true);
        bolt->SetDeathHandled(true);
        return;
    }
    bolt->SetDead(true);
}

void NPC_Boss2_Garden::Die()
{
    for (const char* name : {kSkull, kScythe})
        for (CharacterObject* c : Boss::FindAll(name, nullptr, false))
            if (c->GetOwner() == this)
                c->SetOwner(nullptr);
    CharacterObject::Die();
}

void Zone_NPCSpawner_Boss2_Garden::Instance::Spawn(int x, int y, Level* level)
{
    // Its spawn places are the "spawnzone" placements of the scene layers.
    if (IsPending()) {
        NPC_Boss2_Garden::SkullGroups().clear();
        NPC_Boss2_Garden::SpawnPlaces().clear();
    }
    NPCSpawner::Spawn<NPC_Boss2_Garden>(
        *this, x, y, {"NPC_Boss2_Garden", NPCSpawner::Naming::AfterPlacing}, [&](NPC_Boss2_Garden& /*boss*/) {
            for (int i = 0; level != nullptr && i < level->GetLayerCount(Level::kScene); ++i) {
                Layer* layer = level->GetLayerAt(Level::kScene, i);
                if (layer == nullptr)
                    continue;
                const auto found = layer->FindInstancesByName("spawnzone");
                for (auto* spawnZone : *found) {
                    NPC_Boss2_Garden::SpawnPlaces().push_back(spawnZone->GetPosition().ToInt());
                    NPC_Boss2_Garden::SkullGroups().emplace_back();
                }
            }
        });
}
