#include "characters/ArmorAnimationSet.h"
#include "characters/Firefly.h"
#include "characters/Player.h"
#include "characters/PlayerArmorControl.h"
#include "characters/PlayerWorld.h"
#include "engine/render/DXGraphicalSurface.h"
#include "scene/AnimatedSprite.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/ZoneInstance.h"

#include <algorithm>

// The player's side of its armors and fireflies: the armor rules of each
// frame, what the armors ask of the player that wears them, and the search
// for the secret the fireflies show.

void Player::UpdateArmors(const InputActions& pressed)
{
    if (GetLife() < 1)
        return;
    constexpr const char* kSection = " Player::UpdateArmors";
    PlayerWorld* world = GetPlayerWorld();
    if (world != nullptr)
        world->ProfileSection(kSection);
    PlayerArmorControl::UpdateArmors(*this, pressed.Action6, pressed.Action5);
    if (world != nullptr)
        world->ProfileSection(kSection);
}

void Player::AreaAttack(int kind, float /*radius*/)
{
    // The radius (112, 144 at armor level 2) is the worn armor's, which the
    // area attack reads itself.
    ApplyArmorAreaAttack(kind);
}

void Player::FreezeGhostsNear(Point<float> centre, float radius)
{
    // The ghosts (and every floating skull) whose centre lies closer than
    // the radius to the given centre freeze.
    PlayerWorld* world = GetPlayerWorld();
    if (world == nullptr)
        return;
    for (size_t i = 0; i < world->GetCharacterCount(); ++i) {
        CharacterObject* character = world->GetCharacter(i);
        if (character == nullptr || character == this || !character->IsFreezable())
            continue;
        const Point<float> d = character->GetCenter() - centre;
        if (d.x * d.x + d.y * d.y < radius * radius)
            character->Freeze();
    }
}

Level* Player::GetCurrentLevel() const
{
    PlayerWorld* world = GetPlayerWorld();
    return world != nullptr ? world->GetLevel() : nullptr;
}

PlayerAnimationSet Player::ArmorPoses(const ArmorAnimationSet& set)
{
    PlayerAnimationSet poses;
    for (int slot = 0; slot < ArmorAnimationSet::kAnimationCount; ++slot) {
        AnimatedSprite* sprite = set.animations[static_cast<size_t>(slot)];
        if (sprite == nullptr)
            continue;
        auto known = std::find_if(armorPoses.begin(), armorPoses.end(),
            [sprite](const auto& pose) { return pose.first == sprite; });
        GraphicalObject* pose = nullptr;
        if (known != armorPoses.end()) {
            pose = known->second;
        } else {
            // The library's picture of the sprite's name, with its hurt and
            // blow boxes, when there is one: a pose without boxes could
            // neither strike nor be struck. Else the sprite alone.
            PlayerWorld* world = GetPlayerWorld();
            GraphicalObject* picture = world != nullptr ? world->CloneGraphical(sprite->GetName()) : nullptr;
            if (picture != nullptr) {
                pose = Own(picture);
            } else {
                pose = Own(new GraphicalObject(sprite->GetName()));
                pose->AddAnimatedInstance(sprite, 0, 0);
                pose->SetSize(64, 96, true);
            }
            armorPoses.emplace_back(sprite, pose);
        }
        poses.SetSlot(slot, pose);
    }
    return poses;
}

void Player::ApplyAnimationSet(const ArmorAnimationSet& set)
{
    // The armor's set as it stands: a pose it lacks shows nothing (every
    // reader of the player's current picture stands a null one).
    ArmorPoses(set).ApplyToPlayer(this);
}

void Player::ResetFireflies(Point<int> targetPoint)
{
    for (const std::unique_ptr<Firefly>& firefly : fireflies)
        firefly->Reset(Point<float>(32.0f, 64.0f), targetPoint);
}

void Player::PlaceFirefliesAtPlayer()
{
    for (const std::unique_ptr<Firefly>& firefly : fireflies) {
        firefly->SetPosition(position);
        firefly->SetTargetBox(Rect<int>());
    }
}

void Player::FindNearestSecretZone()
{
    float best = 262144.0f; // 512 pixels, squared
    Rect<int> target;
    const Point<float> centre = GetCenter();
    auto consider = [&](Point<float> at, Point<int> size) {
        // The box in the convention (0, height - 1)-(width - 1, 0); its
        // middle is the position plus the box's whole-pixel centre.
        // (Halves truncated toward zero, as every box centre of the game.)
        const Rect<int> local(0, size.y - 1, size.x - 1, 0);
        const Point<float> middle(
            at.x + static_cast<float>((size.x - 1) / 2), at.y + static_cast<float>((size.y - 1) / 2));
        Rect<int> box = local;
        box.Offset(Point<int>(static_cast<int>(at.x), static_cast<int>(at.y)));
        const Point<float> d = middle - centre;
        const float d2 = d.x * d.x + d.y * d.y;
        if (d2 < best) {
            best = d2;
            target = box;
        }
    };
    for (SpacialInstance<GraphicalObject, float>* zone : secretZones) {
        auto* zoneData = zone != nullptr ? dynamic_cast<ZoneInstance*>(zone->GetPayload()) : nullptr;
        if (zoneData != nullptr)
            consider(zone->GetPosition(), zoneData->GetSize());
    }
    // A target counts while it is one of the game's live characters: one
    // the game has deleted since a script named it is never touched.
    PlayerWorld* world = GetPlayerWorld();
    for (CharacterObject* c : targetCharacters) {
        bool live = false;
        for (size_t i = 0; world != nullptr && !live && i < world->GetCharacterCount(); ++i)
            live = c != nullptr && world->GetCharacter(i) == c;
        if (live)
            consider(c->GetPosition(), c->GetSize());
    }
    for (const std::unique_ptr<Firefly>& firefly : fireflies) {
        firefly->SetTargetBox(best < 262144.0f ? target : Rect<int>());
        firefly->Update(33.0);
    }
}

void Player::RenderFireflies(DXGraphicalSurface* target, Point<int> offset)
{
    if (!secretFinder)
        return;
    const Point<int> at = position.ToInt();
    for (const std::unique_ptr<Firefly>& firefly : fireflies) {
        // An attached firefly's position is relative to the player.
        if (firefly->IsAttached())
            firefly->SetDrawOffset(at.x, at.y);
        else
            firefly->SetDrawOffset(0, 0);
        firefly->Draw(target, offset);
    }
}
