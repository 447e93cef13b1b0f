#include "bosses/NPC_Boss_Snow_Arm.h"

#include "bosses/NPC_Boss_Snow.h"
#include "enemies/EnemyFramework.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"

#include <utility>

namespace {

std::unique_ptr<GraphicalObject> LookOrNone(const std::string& name)
{
    return name.empty() ? nullptr : Enemy::CloneGraphical(name);
}

} // namespace

NPC_Boss_Snow_Arm::NPC_Boss_Snow_Arm(std::string name)
    : CharacterObject(std::move(name))
{
    typeName = TypeNames::NPC_Boss_Snow_Arm;
}

NPC_Boss_Snow_Arm::~NPC_Boss_Snow_Arm()
{
    currentGraphical = nullptr;
}

Point<int> NPC_Boss_Snow_Arm::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void NPC_Boss_Snow_Arm::SetLooks(const std::string& idleName, const std::string& attackName,
    const std::string& brokenName, const std::string& forwardName, const std::string& backwardName)
{
    currentGraphical = nullptr;
    idle = LookOrNone(idleName);
    attack = LookOrNone(attackName);
    broken = LookOrNone(brokenName);
    forwarding = LookOrNone(forwardName);
    backwarding = LookOrNone(backwardName);
}

void NPC_Boss_Snow_Arm::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled)
        return;
    if (state == kAttacking && attack != nullptr && attack->IsAnimationFinished())
        state = kIdle;
    DamagePlayerOnContact();
    GraphicalObject* before = currentGraphical;
    if (life >= 1) {
        GraphicalObject* looks[4] = {idle.get(), attack.get(), forwarding.get(), backwarding.get()};
        if (state >= kIdle && state <= kBackwarding)
            currentGraphical = looks[state];
    } else if (state == kBroken) {
        currentGraphical = broken.get();
    }
    if (currentGraphical != before && currentGraphical != nullptr)
        currentGraphical->RestartAnimations(true);
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
}

std::vector<Rect<int>> NPC_Boss_Snow_Arm::GetHurtBoxes()
{
    return vulnerable ? CharacterObject::GetHurtBoxes() : std::vector<Rect<int>>();
}

void NPC_Boss_Snow_Arm::ApplyDamage(CharacterObject* attacker, int damage)
{
    CharacterObject::ApplyDamage(attacker, damage);
    if (attacker == nullptr)
        return;
    life = life > 0 ? life - damage : 0;
    if (life < 1)
        SetState(kBroken);
}

void NPC_Boss_Snow_Arm::SetState(int value)
{
    if (state == kIdle && value == kBroken && broken != nullptr) {
        currentGraphical = broken.get();
        currentGraphical->RestartAnimations(true);
    }
    state = value;
}

void NPC_Boss_Snow::SetupArms(NPC_Boss_Snow_Arm* arm, int side, bool wood)
{
    if (arm == nullptr)
        return;
    const int armLife = wood ? 30 : 10;
    arm->SetMaxLife(armLife);
    arm->SetLife(armLife);
    if (side != 1 && side != -1)
        return;
    const std::string n = side == 1 ? "NPC_Boss_Snow_Arm_Right" : "NPC_Boss_Snow_Arm_Left";
    if (wood)
        arm->SetLooks(n + "_Wood", n + "_Attack_Wood", n + "_Wood_Broken", n + "_Wood_Forwarding",
            n + "_Wood_Backwarding");
    else
        arm->SetLooks("", n + "_Attack", n + "_Broken", n + "_Forwarding", n + "_Backwarding");
}
