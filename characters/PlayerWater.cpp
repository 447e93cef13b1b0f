// The player's contact with water and lava, and the water effects.

#include "characters/Player.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/SpacialInstance.h"

namespace {

// The height of the player's body that the water surface is compared with.
int BodyHeight(int moveState, bool spider)
{
    if (spider)
        return 32;
    // Crouching (states 2 and 3) the head is lower.
    return moveState == Player::kCrouch || moveState == Player::kCrouch + 1 ? 64 : 96;
}

void Restart(SpacialInstance<GraphicalObject, float>* instance)
{
    if (instance != nullptr && instance->GetPrototype() != nullptr)
        instance->GetPrototype()->RestartAnimations(false);
}

} // namespace

void Player::UpdateContacts(bool silent)
{
    inLava = false;
    PlayerWorld* world = GetPlayerWorld();
    if (world != nullptr && world->IsWaterOverrideActive()) {
        touchingWater = true;
        return;
    }
    if (world == nullptr || !world->HasLevel())
        return;
    if (world->GetLevel() != waterEffects.level) {
        // The effects placed in another level went with it.
        waterEffects = WaterEffects();
        waterEffects.level = world->GetLevel();
    }
    const bool wasTouching = touchingWater;
    touchingWater = false;
    const Point<int> probe(static_cast<int>(position.x) + GetSize().x / 2, static_cast<int>(position.y) + 10);
    switch (world->GetLiquidAt(probe)) {
    case PlayerLiquid::Water:
        touchingWater = true;
        break;
    case PlayerLiquid::Lava:
        inLava = true;
        ApplyDamage(nullptr, 1);
        break;
    default:
        break;
    }
    // Water falling or splashing under the feet: the player counts as
    // already in the water there (no enter sound, no new effects).
    const Point<int> below(probe.x, static_cast<int>(position.y) - 32);
    const bool alreadyIn = touchingWater && world->GetLiquidAt(below) == PlayerLiquid::WaterFall;
    if (touchingWater && !alreadyIn)
        FollowWaterSurface(*world, probe);
    if (touchingWater && !wasTouching && !silent && !alreadyIn) {
        PlaySoundAt(kSoundEnterWater);
        if (waterEffects.idle != nullptr) {
            const Point<float> at = waterEffects.idle->GetPosition();
            waterEffects.enter = PlaceWaterEffect(waterEffects.enter, waterFxEnter, at);
            Restart(waterEffects.enter);
        }
    }
    if (!touchingWater && wasTouching) {
        PlaySoundAt(kSoundLeaveWater);
        if (waterEffects.idle != nullptr) {
            waterEffects.idle->SetVisible(false);
            waterEffects.leave
                = PlaceWaterEffect(waterEffects.leave, waterFxLeave, waterEffects.idle->GetPosition());
            Restart(waterEffects.leave);
        }
    }
}

void Player::FollowWaterSurface(PlayerWorld& world, Point<int> probe)
{
    int surface = 0;
    if (!world.GetWaterSurface(probe, &surface))
        surface = static_cast<int>(position.y) + BodyHeight(moveState, IsSpiderForm());
    const Point<int> size = waterFxIdle != nullptr ? waterFxIdle->GetSize() : Point<int>();
    // Centred on the player's middle, across the surface line.
    const Point<float> at(static_cast<float>(probe.x - size.x / 2), static_cast<float>(surface - size.y / 2));
    waterEffects.idle = PlaceWaterEffect(waterEffects.idle, waterFxIdle, at);
    // Shown while the body reaches the surface: a player deep under the
    // surface makes no ripples.
    if (waterEffects.idle != nullptr)
        waterEffects.idle->SetVisible(
            static_cast<int>(position.y) + BodyHeight(moveState, IsSpiderForm()) >= surface);
}

Player::WaterEffectInstance* Player::PlaceWaterEffect(
    WaterEffectInstance* instance, GraphicalObject* effect, Point<float> at)
{
    // The contact pass has already let go of the effects of another level.
    Level* level = waterEffects.level;
    if (instance != nullptr) {
        instance->SetPosition(at.x, at.y);
        instance->SetVisible(true);
        return instance;
    }
    if (level == nullptr || effect == nullptr)
        return nullptr;
    Layer* layer = level->GetLastLayer(Level::kScene, -1.0f, -1.0f);
    if (layer == nullptr)
        return nullptr;
    waterEffects.layer = layer;
    return layer->AddGraphicalObject(effect, at.x, at.y, true, -1);
}
