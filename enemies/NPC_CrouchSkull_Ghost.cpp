#include "enemies/NPC_CrouchSkull_Ghost.h"

#include "enemies/EnemyFramework.h"
#include "engine/render/ShaderEffect_TimeDependent.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"
#include "zones/NPCSpawner.h"
#include "zones/Zone_NPCSpawner_CrouchSkull_Ghost.h"

#include <utility>

namespace {

constexpr float kGhostEffectTicks = 120.0f;

} // namespace

NPC_CrouchSkull_Ghost::NPC_CrouchSkull_Ghost(std::string name)
    : NPC_CrouchSkull(std::move(name))
{
    typeName = TypeNames::NPC_CrouchSkull_Ghost;
    // Its death is shown in the frozen look: only a frozen ghost can die.
    SetLooks(Enemy::CloneGraphical("NPC_CrouchSkull_Ghost_GraphicalWalkL"),
        Enemy::CloneGraphical("NPC_CrouchSkull_Ghost_GraphicalWalkR"),
        Enemy::CloneGraphical("NPC_CrouchSkull_GhostFreezed_GraphicalDie"));
    auto effect
        = std::make_unique<GE_Color>(Enemy::FindShader("ml_NPC_GhostSkull"), kGhostEffectTicks, false, false);
    effect->SetLoop(true);
    SetDrawingEffect(std::move(effect));
}

void NPC_CrouchSkull_Ghost::Update(double dt)
{
    NPC_CrouchSkull::Update(dt);
    if (auto* effect = dynamic_cast<ShaderEffect_TimeDependent*>(GetDrawingEffect())) {
        effect->Update();
        if (effect->GetDuration() <= effect->GetTimer())
            effect->Start(0, true);
    }
    if (!enabled)
        currentGraphical = nullptr;
}

bool NPC_CrouchSkull_Ghost::IsHitByBox(Rect<int> box, bool flag)
{
    return !ghost && NPC_CrouchSkull::IsHitByBox(box, flag);
}

void NPC_CrouchSkull_Ghost::Freeze()
{
    ghost = false;
    walkLeft = Enemy::CloneGraphical("NPC_CrouchSkull_GhostFreezed_GraphicalWalkL");
    walkRight = Enemy::CloneGraphical("NPC_CrouchSkull_GhostFreezed_GraphicalWalkR");
    SetDrawingEffect(nullptr);
    currentGraphical = direction.x > 0.0f ? walkRight.get() : walkLeft.get();
}

void Zone_NPCSpawner_CrouchSkull_Ghost::Instance::Spawn(int x, int y, Level* /*level*/)
{
    // The skull made by the last spawn, or null when none was.
    if (IsPending())
        character = NPCSpawner::Spawn<NPC_CrouchSkull_Ghost>(*this, x, y,
            {"NPC_CrouchSkull_Ghost", NPCSpawner::Naming::Placement, &NPC_CrouchSkull_Ghost::walkRect,
                NPCSpawner::Area::Rc});
}
