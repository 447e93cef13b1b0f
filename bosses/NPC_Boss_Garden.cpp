#include "bosses/NPC_Boss_Garden.h"

#include "bosses/Projectile_Boss_Garden_Beam.h"
#include "bosses/Projectile_Boss_Garden_String.h"
#include "characters/Player.h"
#include "enemies/EnemyFramework.h"
#include "enemies/Projectile_SadSoul.h"
#include "engine/render/GE_Shake.h"
#include "scene/GraphicalObject.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Boss_Garden.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

constexpr int kLife = 40;
constexpr int kHelmetLife = 20;
constexpr int kCrackedHelmetLife = 30;
constexpr int kContactDamage = 2;
// It comes down from 1024 pixels above its home, speeding up by a fifth a
// frame to 5, and arrives within 8 pixels.
constexpr float kComeFrom = 1024.0f;
constexpr float kArrivedSq = 64.0f;
constexpr float kTopSpeed = 5.0f;
constexpr float kCreep = 0.2f;
constexpr float kGain = 0.3f;
constexpr float kBrakeFactor = 0.75f;
constexpr int kSpeedUpFrames = 66;
constexpr int kBrakeFrames = 22;
constexpr float kHomeSq = 256.0f;
constexpr int kDashes = 8;
constexpr int kDashesCracked = 6;
constexpr int kDashesBroken = 4;
// The beams fire when the attack picture has played; the cycle goes on 53
// frames later. Raised beams go up 176 pixels for 9 steps.
constexpr int kBeamFrames = 53;
constexpr float kRaise = 176.0f;
constexpr int kRaiseSteps = 9;
constexpr int kBeamRows = 40;
constexpr int kLimitedRows = 5;
constexpr int kLimit = 256;
constexpr int kTile = 32;
// Ten souls, 12 frames apart, from (65, 39) of its place toward a ring of 64.
constexpr int kSoulCount = 10;
constexpr int kSoulGap = 12;
constexpr float kSoulX = 65.0f;
constexpr float kSoulY = 39.0f;
constexpr float kSoulRing = 64.0f;
constexpr float kSoulRise = 32.0f;
constexpr float kSoulHalf = 16.0f;
constexpr int kRowLinks = 64;
constexpr int kColumnLinks = 84;
constexpr int kBreakDelay = 3;
constexpr int kShakeFrames = 10;
constexpr float kExplosionHeadStart = 25.0f;
constexpr float kExplosionSwitchTime = 35.0f;
const char* const kBeam = "Projectile_Boss_Garden_Beam";
const char* const kString = "Projectile_Boss_Garden_String";

enum Sound { kMove = 2, kProje = 3, kProje2 = 4 };

// The soul's target mark and the point it first flies to.
void AimSoul(Projectile_SadSoul& soul, Point<int> target)
{
    soul.SetGraphicalTarget();
    soul.SetApproachPoint(target);
}

int FloorTo32(float v)
{
    return static_cast<int>(std::floor(v / static_cast<float>(kTile))) * kTile;
}

} // namespace

NPC_Boss_Garden::NPC_Boss_Garden(std::string name)
    : BossCharacter(std::move(name), "NPC_Boss_Garden")
{
    typeName = TypeNames::NPC_Boss_Garden;
    spriteSkull = sprites.Add("GraphicalSkull");
    spriteSkullAttack = sprites.Add("GraphicalSkullAttack");
    spriteSkullBroken = sprites.Add("GraphicalSkullBroken");
    spriteHelmet1 = sprites.Add("GraphicalHelmet1");
    spriteHelmet2 = sprites.Add("GraphicalHelmet2");
    spriteHelmet3 = sprites.Add("GraphicalHelmet3");
    life = kLife;
    contactDamage = kContactDamage;
    speed = 1.0f;
    state = kWaiting;
    SetDrawnFlagged(true);
    // The player's near attack leaves the overlap of its blow alone.
    customByte = true;
    LoadSounds();
}

void NPC_Boss_Garden::DeclareSounds()
{
    CharacterObject::DeclareSounds();
    DeclareSound("NPC_Boss_Garden_Move");
    DeclareSound("NPC_Boss_Garden_Proje");
    DeclareSound("NPC_Boss_Garden_Proje2");
    DeclareSound("NPC_Boss_Garden_Change");
}

std::vector<GraphicalObject*> NPC_Boss_Garden::GetRelatedGraphicalObjects()
{
    return Boss::Related("Boss_Garden");
}

Point<float> NPC_Boss_Garden::GetAnchor() const
{
    return position + anchorOffset.ToFloat();
}

void NPC_Boss_Garden::BuildParts()
{
    if (rowChains.empty() && columnChains.empty()) {
        if (auto* made = Boss::CreateAs<NPC_Boss_Garden>("NPC_Boss_Garden")) {
            helmet.Reset(made);
            made->SetPosition(position);
            made->SetState(kHelmetWhole);
            made->SetLife(kHelmetLife);
        }
        const int v = FloorTo32(static_cast<float>(home.y + 64));
        for (int side = 0; side < 2; ++side) {
            const float dir = side == 0 ? -1.0f : 1.0f;
            std::vector<WeakCharacter<Projectile_Boss_Garden_Beam>>& column
                = side == 0 ? leftBeams : rightBeams;
            for (int i = -1; i < kBeamRows; ++i) {
                auto* beam = Boss::CreateAs<Projectile_Boss_Garden_Beam>(kBeam);
                if (beam == nullptr)
                    continue;
                const bool top = i == -1;
                beam->SetPosition(
                    Point<float>(0.0f, static_cast<float>(top ? v - 192 : v - 160 + kTile * i)));
                beam->SetState(top ? Projectile_Boss_Garden_Beam::kDown : Projectile_Boss_Garden_Beam::kBase);
                beam->SetDirection(Point<float>(dir, 0.0f));
                if (top)
                    beam->SetRaiseTimer(kRaiseSteps);
                else if (i < kLimitedRows)
                    beam->SetDrawLimitX(home.x + 48 + static_cast<int>(dir) * kLimit);
                beam->FetchSprites();
                beam->BuildSegments();
                column.emplace_back(beam);
            }
        }
    }
    if (rowChains.empty()) {
        const int y = static_cast<int>(GetAnchor().y);
        const int x0 = FloorTo32(position.x);
        for (int i = 0; i < kRowLinks; ++i) {
            auto* link = Boss::CreateAs<Projectile_Boss_Garden_String>(kString);
            if (link == nullptr)
                continue;
            const int x = i % 2 == 0 ? x0 + kTile * (i / 2) : x0 - kTile * (i / 2 + 1);
            link->SetState(Projectile_Boss_Garden_String::kHorizontal);
            link->SetPosition(Point<float>(static_cast<float>(x), static_cast<float>(y)));
            link->FetchSprites();
            rowChains.emplace_back(link);
        }
    }
    if (columnChains.empty()) {
        const int x = static_cast<int>(GetAnchor().x);
        const int y0 = FloorTo32(position.y);
        for (int i = 0; i < kColumnLinks; ++i) {
            auto* link = Boss::CreateAs<Projectile_Boss_Garden_String>(kString);
            if (link == nullptr)
                continue;
            const int y = i % 2 == 0 ? y0 + kTile * (i / 2) : y0 - kTile * (i / 2 + 1);
            link->SetState(Projectile_Boss_Garden_String::kVertical);
            link->SetPosition(Point<float>(static_cast<float>(x), static_cast<float>(y)));
            link->FetchSprites();
            columnChains.emplace_back(link);
        }
    }
}

bool NPC_Boss_Garden::HandleScriptCommand(std::string command, std::string argument)
{
    if (Boss::IsCommand(command, "start") && state == kWaiting) {
        state = kComing;
        return true;
    }
    return CharacterObject::HandleScriptCommand(std::move(command), std::move(argument));
}

void NPC_Boss_Garden::AlignChains()
{
    const Point<float> anchor = GetAnchor();
    for (const auto& link : rowChains)
        if (Projectile_Boss_Garden_String* chain = link.Get())
            chain->SetPosition(Point<float>(chain->GetPosition().x, anchor.y));
    for (const auto& link : columnChains)
        if (Projectile_Boss_Garden_String* chain = link.Get())
            chain->SetPosition(Point<float>(anchor.x, chain->GetPosition().y));
}

void NPC_Boss_Garden::StepDashes()
{
    if (dashPhase == kAim) {
        dashTarget = Boss::PlayerCenter().ToInt();
        speed = kCreep;
        dashPhase = kSpeedUp;
        direction = Boss::Normalized(dashTarget.ToFloat() - GetCenter());
        stateTimer = 0;
        PlaySoundAt(kMove);
    }
    if (dashPhase == kSpeedUp) {
        speed = std::min(speed + kGain, kTopSpeed);
        if (++stateTimer == kSpeedUpFrames) {
            dashPhase = kBrake;
            stateTimer = 0;
        }
    }
    if (dashPhase == kBrake) {
        speed = std::max(speed * kBrakeFactor, kCreep);
        if (++stateTimer == kBrakeFrames || speed == kCreep) {
            if (dashesLeft > 0)
                --dashesLeft;
            dashPhase = kAim;
        }
    }
    if (dashPhase == kReturn) {
        speed = std::min(speed + kGain, kTopSpeed);
        const Point<float> d = dashTarget.ToFloat() - position;
        if (d.x * d.x + d.y * d.y < kHomeSq) {
            position = home.ToFloat();
            direction = Point<float>(0.0f, 0.0f);
            stateTimer = 0;
            if (nextAttackIsBeams == 1) {
                state = kBeams;
                nextAttackIsBeams = 0;
                PlaySoundAt(kProje);
            } else {
                state = kSouls;
                nextAttackIsBeams = 1;
                soulsLeft = kSoulCount;
            }
        }
    }
    if (state == kDashing && dashesLeft <= 0 && dashPhase == kAim) {
        speed = kCreep;
        dashTarget = home;
        stateTimer = 0;
        dashPhase = kReturn;
        direction = Boss::Normalized(home.ToFloat() - position);
        PlaySoundAt(kProje2);
    }
}

void NPC_Boss_Garden::FireBeams()
{
    const Point<int> a = GetAnchor().ToInt();
    for (auto* column : {&leftBeams, &rightBeams})
        for (size_t i = 0; i < column->size(); ++i) {
            Projectile_Boss_Garden_Beam* beam = (*column)[i].Get();
            if (beam == nullptr)
                continue;
            Point<float> at(static_cast<float>(a.x), beam->GetPosition().y);
            if (i == 0 && beam->IsEnabled()) {
                at.y -= kRaise;
                beam->SetRaiseTimer(kRaiseSteps);
            }
            beam->SetPosition(at);
            beam->SetEnabled(true);
            beam->Fire();
        }
}

void NPC_Boss_Garden::ThrowSoul()
{
    PlaySound("NPC_Boss_Garden_Proje2");
    auto* soul = Boss::CreateAs<Projectile_SadSoul>("Projectile_SadSoul", "Projectile_Boss_Garden_Proj2");
    if (soul == nullptr)
        return;
    soul->SetDrawnInFront(true);
    const Point<float> p = position + Point<float>(kSoulX, kSoulY);
    const float a = static_cast<float>(Boss::Random01() * 3.1415 * 2.0);
    const Point<int> target
        = (p + Point<float>(kSoulRing * std::cos(a), kSoulRing * std::sin(a) + kSoulRise)).ToInt();
    AimSoul(*soul, target);
    soul->SetPosition(p - Point<float>(kSoulHalf, kSoulHalf));
}

void NPC_Boss_Garden::GoOnWithCycle()
{
    state = kDashing;
    if (NPC_Boss_Garden* h = helmet.Get()) {
        const int s = h->GetState();
        dashesLeft = s == kHelmetCracked ? kDashesCracked : (s == kHelmetBroken ? kDashesBroken : kDashes);
    }
    dashPhase = kAim;
    speed = kCreep;
}

GraphicalObject* NPC_Boss_Garden::StateSprite() const
{
    switch (state) {
    case kWaiting:
    case kComing:
    case kDashing:
    case kSouls:
        return spriteSkull;
    case kBeams:
        return spriteSkullAttack;
    case kDying:
        return spriteSkullBroken;
    case kHelmetWhole:
        return spriteHelmet1;
    case kHelmetCracked:
        return spriteHelmet2;
    case kHelmetBroken:
        return spriteHelmet3;
    default:
        return currentGraphical;
    }
}

void NPC_Boss_Garden::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        Boss::KillProjectiles(kString);
        return;
    }
    if (exploding)
        return;
    if (state == kWaiting) {
        // Not restarted: the skull plays on from its clone's own start.
        currentGraphical = spriteSkull;
        Animate(dt);
        return;
    }
    if (Boss::ThePlayer() != nullptr) {
        if (state == kComing) {
            const Point<float> d = home.ToFloat() - position;
            if (d.x * d.x + d.y * d.y > kArrivedSq) {
                speed = std::min(speed * 1.2f, kTopSpeed);
                direction = Point<float>(0.0f, -1.0f);
            } else {
                state = kDashing;
                dashesLeft = kDashes;
                position = home.ToFloat();
                speed = kCreep;
                direction = Point<float>(0.0f, 0.0f);
                dashPhase = kAim;
            }
        }
        if (state == kDashing) {
            StepDashes();
        } else if (state == kBeams) {
            if (currentGraphical == nullptr || currentGraphical->IsAnimationFinished()) {
                if (stateTimer == 0)
                    FireBeams();
                if (++stateTimer == kBeamFrames)
                    GoOnWithCycle();
            }
        } else if (state == kSouls) {
            if (stateTimer > 0)
                --stateTimer;
            if (stateTimer == 0) {
                stateTimer = kSoulGap;
                ThrowSoul();
                if (--soulsLeft == 0)
                    GoOnWithCycle();
            }
        }
    }
    DamagePlayerOnContact();
    Boss::Move(*this, speed, dt);
    AlignChains();
    if (NPC_Boss_Garden* h = helmet.Get())
        h->SetPosition(position);
    Show(StateSprite(), true);
    Animate(dt);
    if (GraphicalEffect* effect = GetDrawingEffect()) {
        effect->Update();
        auto* shake = dynamic_cast<GE_Shake*>(effect);
        if (shake != nullptr && shake->GetFrameCount() > kShakeFrames)
            SetDrawingEffect(nullptr);
    }
}

bool NPC_Boss_Garden::IsHitByBox(Rect<int> box, bool flag)
{
    if (NPC_Boss_Garden* h = helmet.Get())
        if (h->GetState() != kHelmetBroken)
            return false;
    return CharacterObject::IsHitByBox(box, flag);
}

void NPC_Boss_Garden::ApplyDamage(CharacterObject* attacker, int damage)
{
    CharacterObject::ApplyDamage(attacker, damage);
    if (attacker == nullptr)
        return;
    life = life <= 0 ? 0 : life - damage;
    if (life < 1) {
        const Point<int> centre = GetCenter().ToInt();
        if (state == kHelmetCracked) {
            state = kHelmetBroken;
            LaunchParticleEffect(nullptr, GetOnSpecialEffects(), this, true, centre.x, centre.y);
        }
        if (state == kHelmetWhole) {
            state = kHelmetCracked;
            life = kCrackedHelmetLife;
            LaunchParticleEffect(nullptr, GetOnSpecialEffects(), this, true, centre.x, centre.y);
        }
        if (state == kDashing || state == kBeams || state == kSouls) {
            state = kDying;
            if (NPC_Boss_Garden* h = helmet.Get())
                Boss::StartDeath(*h, false, kExplosionHeadStart, kExplosionSwitchTime);
            Boss::StartDeath(*this, true, kExplosionHeadStart, kExplosionSwitchTime);
            const Point<float> a = GetAnchor();
            for (const auto& ref : rowChains)
                if (Projectile_Boss_Garden_String* link = ref.Get()) {
                    link->SetState(Projectile_Boss_Garden_String::kHorizontalBreaking);
                    link->SetStateTimer(
                        kBreakDelay * static_cast<int>(std::fabs(a.x - link->GetPosition().x) / kTile));
                }
            for (const auto& ref : columnChains)
                if (Projectile_Boss_Garden_String* link = ref.Get()) {
                    link->SetState(Projectile_Boss_Garden_String::kVerticalBreaking);
                    link->SetStateTimer(
                        kBreakDelay * static_cast<int>(std::fabs(a.y - link->GetPosition().y) / kTile));
                }
            Boss::KillProjectiles(kBeam);
        }
        return;
    }
    if (helmet.Get() != nullptr && helmet.Get()->GetState() == kHelmetBroken && GetDrawingEffect() == nullptr)
        Boss::StartShake(*this, Point<float>(0.0f, 1.0f), Point<float>(0.0f, 30.0f));
}

void Zone_NPCSpawner_Boss_Garden::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Boss_Garden>(
        *this, x, y, {"NPC_Boss_Garden", NPCSpawner::Naming::WhenNamed}, [&](NPC_Boss_Garden& boss) {
            boss.SetPosition(NPCSpawner::SpawnPoint(*this, x, y) + Point<float>(0.0f, kComeFrom));
            const Point<int> home = GetOffset() + Point<int>(x, y);
            boss.SetHome(home.x, home.y);
            boss.SetState(NPC_Boss_Garden::kWaiting);
            boss.BuildParts();
        });
}
