#include "bosses/NPC_Boss2_Bibli.h"

#include "bosses/Projectile_Boss2_Bibli_Guardian.h"
#include "bosses/Projectile_Boss2_Bibli_LaserBeam.h"
#include "bosses/Projectile_Boss2_Bibli_Lava.h"
#include "characters/CharacterBoxes.h"
#include "enemies/EnemyFramework.h"
#include "scene/GraphicalObject.h"
#include "script/NPC_Script.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Boss2_Bibli.h"

#include <algorithm>
#include <utility>

namespace {

const char* const kBossName = "NPC_Boss2_Bibli";
const char* const kLava = "Projectile_Boss2_Bibli_Lava";
const char* const kBeam = "Projectile_Boss2_Bibli_LaserBeam";
const char* const kGuardian = "Projectile_Boss2_Bibli_Guardian";
const char* const kShield = "Projectile_Boss2_Bibli_Shield";

// Lives and first timers of the roles.
constexpr int kBodyLife = 30;
constexpr int kPartLife = 40;
constexpr int kBodyFirstBurst = 270;
constexpr int kSideFirstBeam = 240;
constexpr int kTopFirstDrop = 600;
// The body's bursts: every 270 frames, every 150 once alone.
constexpr int kBurstGap = 270;
constexpr int kBurstGapAlone = 150;
constexpr float kBurstShift = 128.0f;
// The beams: one every 240 frames from a side, the two sides in turn,
// starting 448 right of the right part or 544 left of the left one, 160 up.
constexpr int kBeamGap = 240;
constexpr float kBeamRight = 448.0f;
constexpr float kBeamLeft = -544.0f;
constexpr float kBeamRise = 160.0f;
// The top part: a drop 600 frames in, the floor rises 47 frames after it,
// and both again every 617 frames; the floor of 32 tiles lies 864 below.
constexpr int kFloorRisesAt = -47;
constexpr int kDropGap = 570;
constexpr int kDropFrames = 210;
constexpr float kDropX = 352.0f;
constexpr float kDropY = -448.0f;
constexpr int kFloorFrom = -96;
constexpr int kFloorTo = 896;
constexpr int kTile = 32;
constexpr float kFloorDepth = -864.0f;
// Guardians come every 300 frames when they are placed one by one.
constexpr int kGuardianGap = 300;
constexpr int kGuardianLife = 5;
constexpr float kExplosionHeadStart = 25.0f;
constexpr float kExplosionSwitchTime = 35.0f;

const char* MarkerName(int step)
{
    switch (step) {
    case 1:
        return "guardian_step4";
    case 2:
    case 3:
        return "guardian_step3";
    case 4:
        return "guardian_step2";
    case 5:
        return "guardian_step1";
    default:
        return "";
    }
}

} // namespace

NPC_Boss2_Bibli::NPC_Boss2_Bibli(std::string name)
    : BossCharacter(std::move(name), kBossName)
{
    typeName = TypeNames::NPC_Boss2_Bibli;
    spritePart1 = sprites.Add("GraphicalIdle_Part1");
    spritePart2 = sprites.Add("GraphicalIdle_Part2");
    spritePart2Alt = sprites.Add("GraphicalIdle_Part2_Alt");
    spritePart3 = sprites.Add("GraphicalIdle_Part3");
    spritePart3Alt = sprites.Add("GraphicalIdle_Part3_Alt");
    spritePart4 = sprites.Add("GraphicalIdle_Part4");
    dropsItems = 0;
    LoadSounds();
}

void NPC_Boss2_Bibli::DeclareSounds()
{
    CharacterObject::DeclareSounds();
    DeclareSound("NPC_Generic_Killed");
    DeclareSound("NPC_Boss_Bibli2_Slime1");
    DeclareSound("NPC_Boss_Bibli2_Slime2");
    DeclareSound("NPC_Boss_Bibli2_Proj");
    DeclareSound("NPC_Boss_Bibli2_StepBroken");
    DeclareSound("NPC_Boss_Bibli2_Book");
}

std::vector<GraphicalObject*> NPC_Boss2_Bibli::GetRelatedGraphicalObjects()
{
    return Boss::Related("Boss2_Bibli");
}

void NPC_Boss2_Bibli::ResetToStart()
{
    if (state == kBody) {
        for (int role = kLeft; role <= kTop; ++role) {
            auto* part = Boss::CreateAs<NPC_Boss2_Bibli>(kBossName);
            if (part == nullptr)
                continue;
            part->SetOwner(this);
            part->SetPosition(position);
            part->SetState(role);
            if (role == kLeft)
                part->SetDirection(Point<float>(-1.0f, 0.0f));
            else if (role == kRight)
                part->SetDirection(Point<float>(1.0f, 0.0f));
        }
        stateTimer = kBodyFirstBurst;
        life = kBodyLife;
        stepMarkers = Boss::FindAll("guardian_step1", nullptr, false);
    } else if (state == kLeft || state == kRight) {
        stateTimer = kSideFirstBeam;
        life = kPartLife;
    } else if (state == kTop) {
        stateTimer = kTopFirstDrop;
        life = kPartLife;
        for (int i = kFloorFrom; i <= kFloorTo; i += kTile) {
            auto* tile = Boss::CreateAs<Projectile_Boss2_Bibli_Lava>(kLava);
            if (tile == nullptr)
                continue;
            tile->SetPosition(position + Point<float>(static_cast<float>(i), kFloorDepth));
            tile->SetCurrentGraphical(tile->GetSpriteLava());
            tile->SetState(Projectile_Boss2_Bibli_Lava::kResting);
            tile->SetDrawnInFront(true);
        }
    }
}

bool NPC_Boss2_Bibli::HandleScriptCommand(std::string command, std::string argument)
{
    if (Boss::IsCommand(command, "start") && waitingForStart) {
        waitingForStart = false;
        for (CharacterObject* piece : Boss::FindAll(kBossName, nullptr, false))
            if (auto* boss = dynamic_cast<NPC_Boss2_Bibli*>(piece))
                boss->StopWaiting();
        guardianWait = 1;
        guardianIndex = -1;
        return true;
    }
    return CharacterObject::HandleScriptCommand(std::move(command), std::move(argument));
}

void NPC_Boss2_Bibli::SetGuardianStep(int step)
{
    guardianWait = -1;
    guardianStep = step;
    stepMarkers = Boss::FindAll(MarkerName(step), nullptr, false);
    if (guardianIndex == -1)
        if (CharacterObject* shield = Boss::Find(kShield, nullptr))
            shield->SetDead(true);
    for (size_t i = static_cast<size_t>(std::max(guardianIndex, 0)); i < stepMarkers.size(); ++i) {
        auto* marker = dynamic_cast<NPC_Script*>(stepMarkers[i]);
        if (marker != nullptr) {
            if (auto* guardian = Boss::CreateAs<Projectile_Boss2_Bibli_Guardian>(kGuardian)) {
                guardian->SetSpeedValue(guardian->GetMaxSpeed());
                guardian->SetCurrentGraphical(guardian->GetSpriteIdle());
                guardian->SetLife(kGuardianLife);
                PlaySound("NPC_Boss_Bibli2_Book");
                guardian->SetPosition(GetCenter() - guardian->GetSize().ToFloat() * 0.5f);
                const Point<int> at = marker->GetPosition().ToInt();
                const Point<int> size = marker->GetSize();
                guardian->SetArea(at.x, at.y + size.y - 1, at.x + size.x - 1, at.y);
                guardian->SetDestination(GetBoxCenter(guardian->GetArea()).ToFloat());
            }
        }
        if (guardianIndex != -1)
            break;
    }
    if (guardianIndex != -1) {
        ++guardianIndex;
        if (static_cast<size_t>(guardianIndex) < stepMarkers.size())
            guardianWait = kGuardianGap;
        else
            guardianIndex = -1;
    }
}

void NPC_Boss2_Bibli::UseAltSprite()
{
    // A plain swap: the other picture is not restarted.
    if (currentGraphical == spritePart2)
        currentGraphical = spritePart2Alt;
    if (currentGraphical == spritePart3)
        currentGraphical = spritePart3Alt;
}

void NPC_Boss2_Bibli::RunGuardianCycle()
{
    if (guardianWait > 0) {
        if (--guardianWait == 0)
            SetGuardianStep(guardianStep);
    } else if (Boss::Find(kGuardian, nullptr) == nullptr) {
        guardianIndex = 0;
        guardianWait = kGuardianGap;
    }
    if (Boss::Find(kShield, nullptr) != nullptr)
        return;
    for (CharacterObject* guardian : Boss::FindAll(kGuardian, nullptr, false))
        if (guardian->GetState() == Projectile_Boss2_Bibli_Guardian::kRoaming) {
            auto* shield = Boss::CreateAs<Projectile_Boss2_Bibli_Guardian>(kGuardian, kShield);
            if (shield != nullptr) {
                shield->SetPosition(position);
                shield->SetOwner(this);
                shield->SetupShield(guardianStep);
            }
            break;
        }
}

void NPC_Boss2_Bibli::Attack()
{
    if (state == kBody) {
        if (--stateTimer != 0)
            return;
        stateTimer = livingParts < 2 ? kBurstGapAlone : kBurstGap;
        if (auto* burst = Boss::CreateAs<Projectile_Boss2_Bibli_Lava>(kLava)) {
            burst->SetPosition(GetCenter() - Point<float>(kBurstShift, kBurstShift));
            burst->SetOwner(this);
            burst->SetCurrentGraphical(burst->GetSpriteExplosion());
            burst->SetState(Projectile_Boss2_Bibli_Lava::kPlayOut);
            burst->SetDrawnFlagged(true);
        }
        PlaySound("NPC_Boss_Bibli2_Proj");
        return;
    }
    if (state == kLeft || state == kRight) {
        // A falling drop holds the beams back.
        for (CharacterObject* c : Boss::FindAll(kLava, nullptr, false)) {
            auto* lava = dynamic_cast<Projectile_Boss2_Bibli_Lava*>(c);
            if (lava != nullptr && lava->GetCurrentGraphical() != nullptr
                && lava->GetCurrentGraphical() == lava->GetSpriteCascade())
                return;
        }
        if (--stateTimer != 0)
            return;
        stateTimer = kBeamGap;
        if (laserTurn == state) {
            if (auto* beam = Boss::CreateAs<Projectile_Boss2_Bibli_LaserBeam>(kBeam)) {
                beam->SetOwner(this);
                const float shift = direction.x > 0.0f ? kBeamRight : (direction.x < 0.0f ? kBeamLeft : 0.0f);
                beam->SetPosition(position + Point<float>(shift, kBeamRise));
                beam->SetDirection(direction);
            }
            PlaySound("NPC_Boss_Bibli2_Slime1");
        }
        laserTurn = laserTurn == 1 ? 2 : 1;
        return;
    }
    if (state == kTop) {
        --stateTimer;
        if (stateTimer == 0) {
            if (auto* drop = Boss::CreateAs<Projectile_Boss2_Bibli_Lava>(kLava)) {
                drop->SetCurrentGraphical(drop->GetSpriteCascade());
                drop->SetStateTimer(kDropFrames);
                drop->SetState(Projectile_Boss2_Bibli_Lava::kPlayOut);
                drop->SetDrawnFlagged(true);
                drop->SetPosition(position + Point<float>(kDropX, kDropY));
                drop->SetOwner(this);
            }
            PlaySound("NPC_Boss_Bibli2_Slime2");
        }
        if (stateTimer == kFloorRisesAt) {
            stateTimer = kDropGap;
            for (CharacterObject* tile : Boss::FindAll(kLava, nullptr, false))
                tile->HandleScriptCommand("start", "");
        }
    }
}

GraphicalObject* NPC_Boss2_Bibli::RoleSprite() const
{
    switch (state) {
    case kBody:
        return spritePart1;
    case kLeft:
        return spritePart2;
    case kRight:
        return spritePart3;
    case kTop:
        return spritePart4;
    default:
        return nullptr;
    }
}

void NPC_Boss2_Bibli::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    if (exploding)
        return;
    DamagePlayerOnContact();
    if (state == kBody)
        RunGuardianCycle();
    if (currentGraphical != nullptr && !waitingForStart)
        Attack();
    Boss::Move(*this, speed, dt);
    if (currentGraphical == nullptr)
        Show(RoleSprite(), true);
    Animate(dt);
    UpdateSounds();
}

bool NPC_Boss2_Bibli::IsHitByBox(Rect<int> box, bool flag)
{
    if (state == kBody && livingParts != 1)
        return false;
    if (state == kLeft || state == kRight) {
        auto* owner = dynamic_cast<NPC_Boss2_Bibli*>(GetOwner());
        if (owner != nullptr && owner->GetLivingParts() == 4)
            return false;
    }
    if (shielded)
        return false;
    return CharacterObject::IsHitByBox(box, flag);
}

void NPC_Boss2_Bibli::ApplyDamage(CharacterObject* attacker, int damage)
{
    if (attacker == nullptr || (state == kBody && livingParts != 1))
        return;
    auto* owner = dynamic_cast<NPC_Boss2_Bibli*>(GetOwner());
    if ((state == kLeft || state == kRight) && owner != nullptr && owner->GetLivingParts() == 4)
        return;
    CharacterObject::ApplyDamage(attacker, damage);
    life = life < 1 ? 0 : life - damage;
    if (life >= 1)
        return;
    if (state != kBody) {
        deathSoundIndex = 2;
        dead = true;
        PlaySound("NPC_Boss_Bibli2_StepBroken");
        if (state == kTop) {
            for (CharacterObject* lava : Boss::FindAll(kLava, nullptr, false)) {
                if (lava->GetOwner() == this)
                    lava->SetDead(true);
                if (lava->GetState() == Projectile_Boss2_Bibli_Lava::kRestingLow
                    || lava->GetState() == Projectile_Boss2_Bibli_Lava::kMoving) {
                    lava->SetState(Projectile_Boss2_Bibli_Lava::kMoving);
                    lava->SetDirection(Point<float>(0.0f, -1.0f));
                }
            }
        } else {
            for (CharacterObject* beam : Boss::FindAll(kBeam, nullptr, false))
                if (beam->GetOwner() == this)
                    beam->SetDead(true);
        }
        if (owner != nullptr) {
            int standing = 0;
            for (CharacterObject* piece : Boss::FindAll(kBossName, this, false))
                standing += piece->IsDead() ? 0 : 1;
            owner->ResetGuardianIndex();
            owner->SetGuardianStep(standing > 0 ? state + 1 : 1);
        }
        return;
    }
    if (!Boss::StartDeath(*this, true, kExplosionHeadStart, kExplosionSwitchTime))
        return;
    for (CharacterObject* lava : Boss::FindAll(kLava, nullptr, false))
        if (lava->GetOwner() == this)
            lava->SetDead(true);
    for (CharacterObject* guardian : Boss::FindAll(kGuardian, nullptr, false))
        guardian->SetDead(true);
    // The shield goes with the body it stands on (it would otherwise outlive
    // the body it tells).
    for (CharacterObject* shield : Boss::FindAll(kShield, nullptr, false)) {
        shield->SetOwner(nullptr);
        shield->SetDead(true);
    }
}

void NPC_Boss2_Bibli::Die()
{
    if (!IsDeathHandled()) {
        if (state != kBody) {
            SetName("NPC_Boss2_Bibli_Part");
            auto* owner = dynamic_cast<NPC_Boss2_Bibli*>(GetOwner());
            if (owner != nullptr)
                owner->LowerLivingParts();
            const int twin = state == kLeft ? kRight : (state == kRight ? kLeft : -1);
            if (twin != -1)
                for (CharacterObject* piece : Boss::FindAll(kBossName, nullptr, false))
                    if (auto* boss = dynamic_cast<NPC_Boss2_Bibli*>(piece);
                        boss != nullptr && boss->GetState() == twin)
                        boss->UseAltSprite();
            Point<int> shift;
            if (state == kTop)
                shift = Point<int>(-16, -128);
            else if (state == kLeft)
                shift = Point<int>(-96, 0);
            const Point<int> at = position.ToInt() + (GetSize().ToFloat() * 0.5f).ToInt() + shift;
            LaunchParticleEffect(nullptr, GetOnSpecialEffects(), this, true, at.x, at.y);
        } else {
            for (const char* name : {kLava, kBeam, kShield})
                for (CharacterObject* c : Boss::FindAll(name, nullptr, false)) {
                    c->SetOwner(nullptr);
                    c->SetDead(true);
                }
        }
    }
    CharacterObject::Die();
}

void Zone_NPCSpawner_Boss2_Bibli::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Boss2_Bibli>(*this, x, y, {"NPC_Boss2_Bibli", NPCSpawner::Naming::AfterPlacing});
}
