#include "bosses/NPC_Boss_Bibli.h"

#include "bosses/Projectile_Boss_Bibli.h"
#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "engine/platform/Random.h"
#include "engine/render/IRenderEngine.h"
#include "engine/render/ShaderEffect_TimeDependent.h"
#include "scene/GraphicalObject.h"
#include "scene/SceneObjectHandle.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Boss_Bibli.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kLife = 60;
constexpr float kFadeFrames = 30.0f;
constexpr int kFade = 30;
constexpr int kHiddenFrames = 150;
constexpr int kFirstVisibleFrames = 150;
constexpr int kVisibleFrames = 60;
constexpr int kRevealFrames = 60;
constexpr int kRevealFadeFrom = 10;
constexpr int kThrowGap = 60;
constexpr int kThrowGapLastBand = 30;
constexpr int kLastBand = 6;
// Knock-back: four times the drift cap for 2 frames, five times for 4 on a
// new band; the recoil then brakes by a fifth per frame and 2.0 at its end.
constexpr float kKnockBack = 2.0f;
constexpr float kRecoilBrake = 0.8f;
constexpr float kRecoilEnd = 2.0f;
// The dagger spots: x in -32..192 and y in 224..288 from the ghost's place.
constexpr float kSpotSpanX = 224.0f;
constexpr int kSpotLeft = 32;
constexpr float kSpotSpanY = 64.0f;
constexpr int kSpotLow = 224;
// Where the ink spills on a new band, from the ghost's place.
constexpr int kInkX = 80;
constexpr int kInkY = 192;
constexpr int kRevealShade = 200;
constexpr int kRevealShadeStep = 10;
constexpr float kExplosionHeadStart = 25.0f;
constexpr float kExplosionSwitchTime = 35.0f;
const char* const kDagger = "Projectile_Boss_Bibli";

enum Sound { kAppear = 2, kDisappear = 3, kHeadKilled = 4 };

} // namespace

NPC_Boss_Bibli::NPC_Boss_Bibli(std::string name)
    : BossCharacter(std::move(name), "NPC_Boss_Bibli")
{
    typeName = TypeNames::NPC_Boss_Bibli;
    life = kLife;
    maxLife = kLife;
    state = kWaiting;
    for (int band = 0; band < 6; ++band)
        spriteIdle[band] = sprites.Add("GraphicalIdle" + std::to_string(band + 1));
    spriteDie = sprites.Add("GraphicalDie");
    // Starts fully faded: the colour effect rests at its end.
    SetDrawingEffect(
        std::make_unique<GE_Color>(Enemy::FindShader("ml_NPC_GhostFade"), kFadeFrames, true, false));
    LoadSounds();
}

NPC_Boss_Bibli::~NPC_Boss_Bibli()
{
    for (SceneObjectHandle* handle : daggers)
        handle->Release();
}

bool NPC_Boss_Bibli::Draw(DXGraphicalSurface* target, Point<int> offset)
{
    if (IsExploding() || !g_RenderEngine)
        return BossCharacter::Draw(target, offset);
    g_RenderEngine->SetDrawFactor(3.0f);
    const bool drawn = BossCharacter::Draw(target, offset);
    g_RenderEngine->SetDrawFactor(1.0f);
    return drawn;
}

void NPC_Boss_Bibli::DeclareSounds()
{
    CharacterObject::DeclareSounds();
    DeclareSound("NPC_Boss_Bibli_Appear");
    DeclareSound("NPC_Boss_Bibli_Disappear");
    DeclareSound("NPC_Boss_Bibli_HeadKilled");
}

std::vector<GraphicalObject*> NPC_Boss_Bibli::GetRelatedGraphicalObjects()
{
    return Boss::Related("Boss_Bibli");
}

int NPC_Boss_Bibli::GetLifePhase() const
{
    const int s = maxLife / 6;
    if (life > 5 * s)
        return 1;
    if (life > 4 * s)
        return 2;
    if (life > 3 * s)
        return 3;
    if (life > 2 * s)
        return 4;
    if (life > s)
        return 5;
    return life > 0 ? 6 : 1;
}

bool NPC_Boss_Bibli::HandleScriptCommand(std::string command, std::string argument)
{
    if (Boss::IsCommand(command, "start") && state == kWaiting) {
        // Hidden for one frame: it fades in on the next.
        state = kHidden;
        return true;
    }
    return CharacterObject::HandleScriptCommand(std::move(command), std::move(argument));
}

void NPC_Boss_Bibli::ForgetRemovedDaggers()
{
    for (size_t i = daggers.size(); i-- > 0;)
        if (daggers[i]->GetTarget() == nullptr) {
            daggers[i]->Release();
            daggers.erase(daggers.begin() + static_cast<std::ptrdiff_t>(i));
        }
}

void NPC_Boss_Bibli::Update(double dt)
{
    // Disabled it does nothing at all: its picture stays, frozen.
    if (!enabled)
        return;
    CharacterObject::Update(dt);
    if (exploding)
        return;
    GraphicalObject* before = currentGraphical;
    auto* colour = dynamic_cast<GE_Color*>(GetDrawingEffect());
    if (life <= 0) {
        SetDrawingEffect(nullptr);
        colour = nullptr;
    } else {
        if (state == kWaiting) {
            currentGraphical = nullptr;
            return;
        }
        if (state == kVisible && appearTimer > 0) {
            --appearTimer;
            Show(spriteIdle[0]);
            Animate(dt);
            return;
        }
        if (Player* player = Boss::ThePlayer()) {
            playerPosition = player->GetPosition().ToInt();
            const Point<float> d = playerPosition.ToFloat() - GetCenter();
            if (recoil == 0) {
                speed = std::min(speed + acceleration, maxSpeed);
                direction = Boss::Normalized(direction + Boss::Normalized(d) * steering);
            }
            if (recoil >= 2) {
                speed *= kRecoilBrake;
                --recoil;
            } else if (recoil == 1) {
                speed -= kRecoilEnd;
                recoil = 0;
            }
            if (life > 0 && appearTimer <= 0)
                position += direction * Enemy::StepLength(speed, dt);
            if (state == kVisible)
                StepVisible();
            StepFades();
        }
        if (state != kVanishing && state != kAppearing)
            DamagePlayerOnContact();
    }
    const int band = GetLifePhase();
    Show(life <= 0 ? spriteDie : spriteIdle[band - 1]);
    (void)before;
    Animate(dt);
    if (colour != nullptr)
        colour->Update();
    UpdateSounds();
}

void NPC_Boss_Bibli::StepVisible()
{
    ForgetRemovedDaggers();
    const int n = GetLifePhase() + 1;
    if (firstAppearance) {
        if (--stateTimer <= 0) {
            state = kVanishing;
            stateTimer = kFade;
            firstAppearance = false;
            PlaySoundAt(kDisappear);
        }
        return;
    }
    if (daggers.empty() && !allThrown) {
        SceneObjectHandle* self = GetHandle();
        for (int i = 0; i < n; ++i) {
            auto* dagger = Boss::CreateAs<Projectile_Boss_Bibli>(kDagger);
            if (dagger == nullptr)
                continue;
            dagger->SetOwnerHandle(self);
            dagger->SetOrbit((static_cast<float>(i) + 0.5f) / static_cast<float>(n));
            dagger->Update(33.0);
            SceneObjectHandle* handle = dagger->GetHandle();
            handle->AddRef();
            daggers.push_back(handle);
        }
        return;
    }
    --stateTimer;
    if (stateTimer > 0)
        return;
    for (size_t i = daggers.size(); i-- > 0;) {
        auto* dagger = dynamic_cast<Projectile_Boss_Bibli*>(daggers[i]->GetTarget());
        if (dagger == nullptr || (dagger->GetOrbit() >= 0.25f && dagger->GetOrbit() <= 0.75f))
            continue;
        daggers[i]->Release();
        daggers.erase(daggers.begin() + static_cast<std::ptrdiff_t>(i));
        stateTimer = GetLifePhase() == kLastBand ? kThrowGapLastBand : kThrowGap;
        if (daggers.empty()) {
            stateTimer = kFade;
            allThrown = true;
        }
        const Point<int> at = position.ToInt();
        const double r1 = Boss::Random01();
        const double r2 = Boss::Random01();
        dagger->Throw(at.x + static_cast<int>(r1 * kSpotSpanX - kSpotLeft),
            at.y + static_cast<int>(r2 * kSpotSpanY + kSpotLow));
        return;
    }
    if (daggers.empty()) {
        state = kVanishing;
        stateTimer = kFade;
        PlaySoundAt(kDisappear);
        allThrown = false;
    }
}

void NPC_Boss_Bibli::StepFades()
{
    auto* colour = dynamic_cast<GE_Color*>(GetDrawingEffect());
    if (state == kVanishing) {
        if (stateTimer == kFade && colour != nullptr) {
            colour->SetReverse(false);
            Color c = colour->GetColor();
            c.a = 255;
            colour->SetColor(c);
            colour->Start(0, true);
        }
        if (stateTimer == 0) {
            hiddenTimer = kHiddenFrames;
            state = kHidden;
            if (colour != nullptr)
                colour->Start(1, false);
        } else {
            --stateTimer;
        }
    } else if (state == kAppearing) {
        if (stateTimer == kFade && colour != nullptr) {
            colour->SetReverse(true);
            colour->Start(0, false);
        }
        if (stateTimer == 0) {
            state = kVisible;
            stateTimer = firstAppearance ? kFirstVisibleFrames : kVisibleFrames;
        } else {
            --stateTimer;
        }
    } else if (state == kRevealed && colour != nullptr) {
        Color c = colour->GetColor();
        if (stateTimer == kRevealFrames) {
            c.r = kRevealShade;
            c.g = kRevealShade;
            c.a = kRevealShade;
        }
        if (stateTimer <= kRevealFadeFrom) {
            --stateTimer;
            c.a -= kRevealShadeStep;
            if (stateTimer <= 0) {
                c.r = c.g = c.a = 255;
                state = kHidden;
            }
        } else {
            --stateTimer;
        }
        colour->SetColor(c);
    }
    if (state == kHidden || state == kRevealed) {
        --hiddenTimer;
        if (hiddenTimer <= 0 && state == kHidden) {
            state = kAppearing;
            stateTimer = kFade;
            PlaySoundAt(kAppear);
            if (colour != nullptr) {
                Color c = colour->GetColor();
                c.r = c.g = 255;
                colour->SetColor(c);
            }
        }
    }
}

void NPC_Boss_Bibli::ReceiveHit(CharacterObject* attacker, int kind, float amount)
{
    if (attacker != nullptr && life != -1)
        ApplyDamage(attacker, static_cast<int>(amount));
    if (kind == Enemy::kIceHit && (state == kHidden || state == kRevealed)) {
        state = kRevealed;
        stateTimer = kRevealFrames;
    }
}

void NPC_Boss_Bibli::ApplyDamage(CharacterObject* attacker, int damage)
{
    if (state == kVanishing || state == kAppearing)
        return;
    CharacterObject::ApplyDamage(attacker, damage);
    if (attacker == nullptr)
        return;
    const int bandBefore = GetLifePhase();
    life = life > 0 ? life - damage : 0;
    const int bandNow = GetLifePhase();
    if (life <= 0) {
        Boss::StartDeath(*this, true, kExplosionHeadStart, kExplosionSwitchTime);
        return;
    }
    direction = attacker->GetCenter().x >= GetCenter().x ? Point<float>(-kKnockBack, 0.0f)
                                                         : Point<float>(kKnockBack, 0.0f);
    if (bandNow == bandBefore) {
        speed = maxSpeed * 4.0f;
        recoil = 2;
        return;
    }
    speed = maxSpeed * 5.0f;
    recoil = 4;
    Boss::ShakeCamera(30, 5.0f, 5.0f, 2.0f, 2.0f);
    PlaySoundAt(kHeadKilled);
    const Point<int> at = position.ToInt();
    LaunchParticleEffect(nullptr, GetOnSpecialEffects(), this, true, at.x + kInkX, at.y + kInkY);
}

void Zone_NPCSpawner_Boss_Bibli::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Boss_Bibli>(*this, x, y, {"NPC_Boss_Bibli", NPCSpawner::Naming::WhenNamed});
}
