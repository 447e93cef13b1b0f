#include "enemies/Projectile_Killing_Mechanism.h"

#include "enemies/EnemyFramework.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"

#include <utility>

namespace {

// The blade's size while it shows nothing.
constexpr Point<int> kStoredSize {96, 160};

} // namespace

Projectile_Killing_Mechanism::Projectile_Killing_Mechanism(std::string name)
    : CharacterObject(std::move(name))
    , forward(Enemy::CloneGraphical("Projectile_Killing_Mechanism_Graphical_Forward"))
    , backward(Enemy::CloneGraphical("Projectile_Killing_Mechanism_Graphical_Backward"))
{
    typeName = TypeNames::Projectile_Killing_Mechanism;
    size = kStoredSize;
    state = kForward;
    dropsItems = 0;
    LoadSounds();
}

Projectile_Killing_Mechanism::~Projectile_Killing_Mechanism()
{
    currentGraphical = nullptr;
}

void Projectile_Killing_Mechanism::DeclareSounds()
{
    DeclareSound("NPC_KillingMechanism_Appears");
    DeclareSound("NPC_KillingMechanism_Disappears");
}

Point<int> Projectile_Killing_Mechanism::GetSize() const
{
    return Enemy::SizeOf(*this, size);
}

void Projectile_Killing_Mechanism::Update(double dt)
{
    // No base update: the blade has no life, flash or first frame.
    GraphicalObject* before = currentGraphical;
    if (state == kStart) {
        currentGraphical = forward.get();
        if (currentGraphical != nullptr)
            currentGraphical->RestartAnimations(true);
        before = currentGraphical;
        state = kForward;
        PlaySound("NPC_KillingMechanism_Appears");
    }
    if (currentGraphical == nullptr)
        return;
    DamagePlayerOnContact();
    if (state == kForward && currentGraphical->IsAnimationFinished()) {
        state = kBackward;
        PlaySound("NPC_KillingMechanism_Disappears");
        currentGraphical = backward.get();
    } else if (state == kBackward && currentGraphical->IsAnimationFinished()) {
        // Hidden until the next start.
        currentGraphical = nullptr;
        UpdateSounds();
        return;
    }
    if (currentGraphical != nullptr) {
        if (currentGraphical != before)
            currentGraphical->RestartAnimations(true);
        currentGraphical->Update(dt);
    }
    UpdateSounds();
}
