#include "bosses/NPC_Boss_Underwater.h"

#include "bosses/NPC_Boss_Underwater_Line.h"
#include "bosses/Projectile_Boss_Underwater.h"
#include "enemies/EnemyFramework.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"
#include "scene/SceneObjectHandle.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_Boss_Underwater.h"

#include <utility>

NPC_Boss_Underwater::NPC_Boss_Underwater(std::string name)
    : BossCharacter(std::move(name), "NPC_Boss_Underwater")
{
    typeName = TypeNames::NPC_Boss_Underwater;
    normal = sprites.Add("GraphicalNormal");
    weak = sprites.Add("GraphicalWeak");
    currentGraphical = normal;
    life = kLife;
    state = kWaiting;
    SetDrawnInFront(true);
    LoadSounds();
}

NPC_Boss_Underwater::~NPC_Boss_Underwater()
{
    for (auto* list : {&shortLines, &longLines})
        for (SceneObjectHandle* handle : *list)
            handle->Release();
    currentGraphical = nullptr;
}

void NPC_Boss_Underwater::DeclareSounds()
{
    CharacterObject::DeclareSounds();
    DeclareSound("NPC_Boss_Underwater_Projectile");
    DeclareSound("NPC_Boss_Underwater_Mode2");
}

std::vector<GraphicalObject*> NPC_Boss_Underwater::GetRelatedGraphicalObjects()
{
    return Boss::Related("Boss_Underwater");
}

bool NPC_Boss_Underwater::HandleScriptCommand(std::string command, std::string argument)
{
    if (Boss::IsCommand(command, "start") && state == kWaiting) {
        state = kFighting;
        return true;
    }
    return CharacterObject::HandleScriptCommand(std::move(command), std::move(argument));
}

void NPC_Boss_Underwater::ResetToStart()
{
    for (int n = 0; n < kShortArms + kLongArms; ++n) {
        CharacterObject* made = Boss::Create("NPC_Boss_Underwater_Line", "NPC_Boss_Underwater_Line", this);
        auto* arm = dynamic_cast<NPC_Boss_Underwater_Line*>(made);
        if (arm == nullptr)
            continue;
        arm->SetOwner(this);
        SceneObjectHandle* handle = arm->GetHandle();
        handle->AddRef();
        if (n < kShortArms) {
            shortLines.push_back(handle);
        } else {
            arm->MakeLong();
            longLines.push_back(handle);
        }
    }
}

Point<float> NPC_Boss_Underwater::Anchor() const
{
    return Point<float>(GetCenter().x - 32.0f, position.y);
}

std::vector<CharacterObject*> NPC_Boss_Underwater::LiveArms() const
{
    std::vector<CharacterObject*> arms;
    for (const auto* list : {&shortLines, &longLines})
        for (SceneObjectHandle* handle : *list)
            if (auto* arm = dynamic_cast<CharacterObject*>(handle->GetTarget()))
                arms.push_back(arm);
    return arms;
}

void NPC_Boss_Underwater::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        currentGraphical = nullptr;
        return;
    }
    if (exploding)
        return;
    for (CharacterObject* arm : LiveArms())
        arm->SetPosition(Anchor());
    if (state != kWaiting && --frameCounter <= 0) {
        if (CharacterObject* shot
            = Boss::Create("Projectile_Boss_Underwater", "Projectile_Boss_Underwater", nullptr)) {
            shot->SetPosition(position + kShotStart);
            PlaySoundAt(2);
        }
        frameCounter = state == kWeak ? kWeakShotPeriod : kShotPeriod;
    }
    DamagePlayerOnContact();
    GraphicalObject* before = currentGraphical;
    position = position + direction * Enemy::StepLength(speed, dt);
    if (state == kWeak)
        currentGraphical = weak;
    if (currentGraphical != before && currentGraphical != nullptr)
        currentGraphical->RestartAnimations(true);
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
}

void NPC_Boss_Underwater::ApplyDamage(CharacterObject* attacker, int damage)
{
    CharacterObject::ApplyDamage(attacker, damage);
    if (attacker == nullptr)
        return;
    life = life > 0 ? life - damage : 0;
    if (life > 0)
        return;
    // Hits after the life is gone repeat this step, but the explosion that
    // runs is never started again.
    Boss::StartDeath(*this, true, 25.0f, 35.0f);
    for (CharacterObject* shot : Boss::FindAll("Projectile_Boss_Underwater", nullptr, false))
        shot->SetDead(true);
    // The arms and their eyes go with the body: they point back at it, and
    // left behind they would go on turning and hurting after the fight.
    for (CharacterObject* arm : LiveArms()) {
        arm->SetOwner(nullptr);
        arm->SetDead(true);
    }
    for (CharacterObject* eye : Boss::FindAll("Projectile_Boss_Underwater_Eye", nullptr, false)) {
        eye->SetOwner(nullptr);
        eye->SetDead(true);
    }
}

void Zone_NPCSpawner_Boss_Underwater::Instance::Spawn(int x, int y, Level* /*level*/)
{
    NPCSpawner::Spawn<NPC_Boss_Underwater>(
        *this, x, y, {"NPC_Boss_Underwater", NPCSpawner::Naming::WhenNamed});
}
