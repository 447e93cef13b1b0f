#include "bosses/NPC_Boss2_Cave.h"

#include "bosses/Projectile_Boss2_Boat.h"
#include "characters/Player.h"
#include "enemies/NPC_FloatingSkull.h"
#include "engine/serial/Rect.h"
#include "scene/GraphicalObject.h"
#include "scene/SceneObjectHandle.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Boss2_Cave.h"

namespace {

constexpr int kFirstLife = 90;
constexpr int kSecondLife = 60;
constexpr int kRedFrames = 90;
constexpr int kPlantsPerGreen = 3;
constexpr int kPlantPeriod = 30;
constexpr int kEyeLife = 10;
constexpr int kBlueEyeKind = 2;
constexpr int kSmallShot = 3;
constexpr int kBigShot = 4;
const Point<float> kEyeOffset {288.0f, 224.0f};
const Point<float> kSmallShotOffset {-672.0f, 76.0f};
const Point<float> kBigShotOffset {-672.0f, -24.0f};

} // namespace

NPC_Boss2_Cave::NPC_Boss2_Cave(std::string name)
    : BossCharacter(std::move(name), "NPC_Boss2_Cave")
    , spriteOpen(sprites.Add("GraphicalMainOpen"))
    , spriteClose(sprites.Add("GraphicalMainClose"))
    , spriteBlue(sprites.Add("GraphicalMainBlue"))
    , spriteRed(sprites.Add("GraphicalMainRed"))
    , spriteGreen(sprites.Add("GraphicalMainGreen"))
    , spriteClosingOpen2(sprites.Add("GraphicalMainClosingOpen2"))
    , spriteOpen2(sprites.Add("GraphicalMainOpen2"))
    , spriteShotSmall(sprites.AddByFullName("Projectile_Boss2_Cave_GraphicalRed"))
    , spriteShotBig(sprites.AddByFullName("Projectile_Boss2_Cave_GraphicalPurple"))
{
    typeName = TypeNames::NPC_Boss2_Cave;
    life = kFirstLife;
    contactDamage = 2;
    plantPool.FillAs("Projectile_Boss2_Cave", kPoolSize);
    LoadSounds();
}

NPC_Boss2_Cave::~NPC_Boss2_Cave()
{
    if (shotHandle != nullptr)
        shotHandle->Release();
}

void NPC_Boss2_Cave::DeclareSounds()
{
    CharacterObject::DeclareSounds();
    for (const char* sound : {"NPC_Boss_Cave2_NewEye", "NPC_Boss_Cave2_EyeMove", "NPC_Boss_Cave2_ProjBig",
             "NPC_Boss_Cave2_ProjSmall", "NPC_Boss_Cave2_EyeMoveFirst"})
        DeclareSound(sound);
}

std::vector<GraphicalObject*> NPC_Boss2_Cave::GetRelatedGraphicalObjects()
{
    return Boss::Related({"Boss2_Boat", "Boss2_Cave"});
}

void NPC_Boss2_Cave::ResetToStart()
{
    currentGraphical = spriteClose;
    state = kClosed;
    for (CharacterObject* marker : Boss::FindAll(kMarkerName))
        marker->SetEnabled(false);
}

bool NPC_Boss2_Cave::HandleScriptCommand(std::string command, std::string argument)
{
    if (Boss::IsCommand(command, "start") && state != kOpening) {
        currentGraphical = nullptr;
        Show(spriteOpen);
        state = kOpening;
        PlaySound("NPC_Boss_Cave2_EyeMoveFirst");
        return true;
    }
    return CharacterObject::HandleScriptCommand(std::move(command), std::move(argument));
}

CharacterObject* NPC_Boss2_Cave::GetShot() const
{
    return shotHandle != nullptr ? static_cast<CharacterObject*>(shotHandle->GetTarget()) : nullptr;
}

void NPC_Boss2_Cave::DropShot(bool kill)
{
    if (shotHandle == nullptr)
        return;
    if (CharacterObject* shot = GetShot(); shot != nullptr && kill)
        shot->SetDead(true);
    shotHandle->Release();
    shotHandle = nullptr;
}

void NPC_Boss2_Cave::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    if (exploding)
        return;
    DamagePlayerOnContact();
    if (currentGraphical != nullptr)
        StepStates();
    Boss::Move(*this, speed, dt);
    UpdateSprite();
    Animate(dt);
}

void NPC_Boss2_Cave::StepStates()
{
    int event = 0;
    // The state timer holds the red state's frames left.
    if (stateTimer > 0)
        --stateTimer;
    const bool finished = AnimationDone();
    if (state == kRed) {
        if (finished || stateTimer == 0) {
            state = kGreen;
            plantsLeft = kPlantsPerGreen;
            frameCounter = 0;
            DropShot(true);
        }
    } else if (state == kBlue && finished) {
        state = kRed;
        event = kSmallShot;
        stateTimer = kRedFrames;
    } else if ((state == kGreen || state == kOpening) && finished) {
        state = kBlue;
        event = 2;
    } else if (currentGraphical == spriteOpen2 && currentGraphical->GetAnimationFrame() == 0
        && !bigShotFired) {
        event = kBigShot;
        bigShotFired = true;
    }
    --frameCounter;
    if (state == kGreen && plantsLeft > 0 && frameCounter <= 0) {
        frameCounter = kPlantPeriod;
        --plantsLeft;
        RaisePlant();
    }
    if (event == 2)
        CallEye();
    else if (event == kSmallShot || event == kBigShot)
        Fire(event);
}

void NPC_Boss2_Cave::UpdateSprite()
{
    if (state == kGreen)
        Show(spriteGreen);
    else if (state == kRed)
        Show(spriteRed);
    else if (state == kBlue)
        Show(spriteBlue);
    else if (state == kSecondCycle && currentGraphical != nullptr
        && currentGraphical->IsAnimationFinished()) {
        if (currentGraphical == spriteOpen2) {
            Show(spriteClosingOpen2);
            PlaySound("NPC_Boss_Cave2_EyeMove");
            DropShot(true);
        } else if (currentGraphical == spriteClosingOpen2) {
            Show(spriteOpen2);
            bigShotFired = false;
            PlaySound("NPC_Boss_Cave2_EyeMove");
            RaisePlant();
            CallEye();
        }
    }
}

void NPC_Boss2_Cave::RaisePlant()
{
    Player* player = Boss::ThePlayer();
    if (player == nullptr)
        return;
    const Point<float> top = player->GetPosition();
    const Point<int> size = player->GetSize();
    const Rect<float> body(top.x, top.y + size.y, top.x + size.x, top.y);
    const Point<float> centre = player->GetCenter();
    CharacterObject* best = nullptr;
    double bestSq = 1.0e10;
    for (CharacterObject* marker : Boss::FindAll(kMarkerName)) {
        const Point<float> at = marker->GetPosition();
        if (marker->IsEnabled() || at.y <= top.y)
            continue;
        const Rect<float> strip(at.x, at.y, at.x + 32.0f, top.y);
        if (!strip.Intersects(body))
            continue;
        const Point<float> d = marker->GetCenter() - centre;
        const double sq = static_cast<double>(d.x) * d.x + static_cast<double>(d.y) * d.y;
        if (sq < bestSq) {
            bestSq = sq;
            best = marker;
        }
    }
    if (best == nullptr)
        return;
    Projectile_Boss2_Cave* plant = TakeFreePlant();
    if (plant == nullptr)
        return;
    plant->SetPosition(best->GetPosition() + Point<float>(0.0f, -32.0f));
    plant->ResetToStart();
    plant->PlaySoundAt(2);
    plant->SetEnabled(true);
    plant->SetOwner(best);
    plant->SetGrowCount(Projectile_Boss2_Cave::kColumnLength);
    plant->SetCurrentGraphical(plant->GetSpriteGhost());
    best->SetEnabled(true);
}

void NPC_Boss2_Cave::CallEye()
{
    auto* eye = Boss::CreateAs<NPC_FloatingSkull>("NPC_FloatingSkull", kEyeName);
    PlaySound("NPC_Boss_Cave2_NewEye");
    if (eye == nullptr)
        return;
    eye->SetLife(kEyeLife);
    eye->SetKind(kBlueEyeKind);
    eye->SetPosition(position + kEyeOffset);
}

void NPC_Boss2_Cave::Fire(int event)
{
    auto* shot = Boss::CreateAs<Projectile_Boss2_Boat>(
        "Projectile_Boss2_Boat", "Projectile_Boss2_Cave_" + std::to_string(event));
    if (shot == nullptr)
        return;
    shot->SetDrawnInFront(false);
    shot->SetDrawnFlagged(true);
    DropShot(false);
    shotHandle = shot->GetHandle();
    shotHandle->AddRef();
    shot->SetContactDamage(2);
    // The beam's look is the eye's own copy, restarted for each shot: the
    // shot never outlives the eye, which ends it with its colour or its
    // death.
    const bool small = event == kSmallShot;
    PlaySound(small ? "NPC_Boss_Cave2_ProjSmall" : "NPC_Boss_Cave2_ProjBig");
    GraphicalObject* look = small ? spriteShotSmall : spriteShotBig;
    if (look != nullptr)
        look->RestartAnimations(false);
    shot->SetCurrentGraphical(look);
    shot->SetPosition(position + (small ? kSmallShotOffset : kBigShotOffset));
}

void NPC_Boss2_Cave::ApplyDamage(CharacterObject* attacker, int damage)
{
    if (exploding) {
        CharacterObject::ApplyDamage(attacker, damage);
        return;
    }
    if (!Boss::TakeDamage(*this, attacker, damage))
        return;
    if (life > 0) {
        if (attacker != Boss::ThePlayer())
            CallEye();
        return;
    }
    if (state == kSecondCycle) {
        Boss::StartDeath(*this, true);
        Boss::KillProjectiles(kEyeName);
        Boss::KillProjectiles("Projectile_Boss2_Cave");
        plantPool.KillAll();
    } else {
        life = kSecondLife;
        state = kSecondCycle;
        currentGraphical = nullptr;
        Show(spriteClosingOpen2);
    }
    DropShot(true);
}

void Zone_NPCSpawner_Boss2_Cave::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Boss2_Cave>(*this, x, y, {"NPC_Boss2_Cave", NPCSpawner::Naming::WhenNamed});
}
