#include "enemies/NPC_Door.h"

#include "characters/CharacterBoxes.h"
#include "characters/Player.h"
#include "characters/Projectile_Crossbow.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "zones/NPCSpawner.h"
#include "zones/ZoneGameAccess.h"
#include "zones/Zone_NPCSpawner_Door.h"

#include <utility>

namespace {

constexpr const char* kStateNames[4] = {"Close", "Open", "Openning", "Closing"};

// Slot of a graphical: kind (classic, crossbow), state, side.
int SlotOf(int kind, int state, int side)
{
    const int kindIndex = kind == NPC_Door::kClassic ? 0 : 1;
    return kindIndex * 8 + state * 2 + (side == 0 ? 0 : 1);
}

bool KnownKind(int kind)
{
    return kind == NPC_Door::kClassic || kind == NPC_Door::kCrossbow;
}

Player* ThePlayer()
{
    ZoneGameAccess* game = GetZoneGameAccess();
    return game != nullptr ? game->GetPlayer() : nullptr;
}

} // namespace

NPC_Door::NPC_Door(std::string name)
    : CharacterObject(std::move(name))
{
    typeName = TypeNames::NPC_Door;
    SetDropsItems(0);
    LoadSounds();
    hitSoundIndex = 2;
}

// The graphicals go before the base's destructor; the collision instance
// belongs to its layer.
NPC_Door::~NPC_Door()
{
    currentGraphical = nullptr;
    for (auto& graphical : graphicals)
        graphical.reset();
}

void NPC_Door::DeclareSounds()
{
    CharacterObject::DeclareSounds();
    DeclareSound("Door_Open");
    DeclareSound("Door_Close");
    hitSoundIndex = 2;
}

std::string NPC_Door::GraphicalName(int kind, int state, int side)
{
    if (!KnownKind(kind) || state < 0 || state > 3)
        return std::string();
    return std::string(kind == kClassic ? "NPC_DoorClassic_" : "NPC_DoorCrossbow_") + kStateNames[state]
        + (side == 0 ? "L" : "R");
}

Level* NPC_Door::DoorLevel() const
{
    ZoneGameAccess* game = GetZoneGameAccess();
    Level* current = game != nullptr ? game->GetCurrentLevel() : nullptr;
    return current != nullptr ? current : builtLevel;
}

Layer* NPC_Door::CollisionLayerOf(Level* level)
{
    if (level == nullptr || level->GetFirstLayer(Level::kScene, -1.0f, -1.0f) == nullptr)
        return nullptr;
    return level->GetLayer(Level::kScene, "Collisions");
}

GraphicalObject* NPC_Door::GraphicalOf(int state) const
{
    if (!KnownKind(doorKind) || state < 0 || state > 3)
        return nullptr;
    return graphicals[static_cast<size_t>(SlotOf(doorKind, state, doorSide))].get();
}

void NPC_Door::PlaceCollisionCopy(Layer* layer, GraphicalObject* graphical)
{
    collisionInstance = nullptr;
    if (layer == nullptr || graphical == nullptr)
        return;
    collisionInstance = layer->AddGraphicalObject(graphical, position.x, position.y, true, -1);
    if (collisionInstance == nullptr)
        return;
    // The clone is restarted by the layer with its first step held, so the
    // copy plays from its first frame.
    collisionInstance->SetVisible(false);
}

void NPC_Door::BuildCollisionGraphicals(Level* level)
{
    // The spawner's level: while a level is being loaded it is not yet the
    // current one.
    if (level != nullptr)
        builtLevel = level;
    Layer* collisions = CollisionLayerOf(level != nullptr ? level : DoorLevel());
    // Another kind has no graphicals and is never placed.
    if (collisions == nullptr || !KnownKind(doorKind))
        return;
    for (int state = 0; state < 4; ++state) {
        for (int side = 0; side < 2; ++side) {
            ZoneGameAccess* game = GetZoneGameAccess();
            std::unique_ptr<SceneObject> found(game != nullptr
                    ? game->FindSceneObject(GraphicalName(doorKind, state, side), true)
                    : nullptr);
            auto* graphical = dynamic_cast<GraphicalObject*>(found.get());
            if (graphical != nullptr)
                found.release();
            graphicals[static_cast<size_t>(SlotOf(doorKind, state, side))].reset(graphical);
        }
    }
    currentGraphical = GraphicalOf(kClosed);
    PlaceCollisionCopy(collisions, currentGraphical);
}

void NPC_Door::SetDoorState(int newState)
{
    GraphicalObject* before = currentGraphical;
    if (Layer* collisions = CollisionLayerOf(DoorLevel())) {
        GraphicalObject* picked = GraphicalOf(newState);
        if (collisionInstance != nullptr)
            collisions->DeleteInstance(collisionInstance);
        PlaceCollisionCopy(collisions, picked);
        currentGraphical = picked;
        if (newState == kOpen)
            openTimer = kOpenDelay;
        if (newState == kClosing)
            PlaySound("Door_Close");
    }
    if (currentGraphical != before && currentGraphical != nullptr)
        currentGraphical->RestartAnimations(true);
}

bool NPC_Door::IsHitByBox(Rect<int> box, bool flag)
{
    Player* player = ThePlayer();
    if (doorKind != kClassic || player == nullptr || player->GetAttackRank() <= 1 || doorState != kClosed)
        return false;
    return CharacterObject::IsHitByBox(box, flag);
}

bool NPC_Door::IsHitByAttack(Rect<int> box, bool flag)
{
    return CharacterObject::IsHitByBox(box, flag);
}

bool NPC_Door::AttackHitsBox(Rect<int> box)
{
    return CharacterObject::IsHitByBox(box, false);
}

void NPC_Door::ApplyDamage(CharacterObject* attacker, int /*damage*/)
{
    CharacterObject::ApplyDamage(attacker, 0);
    Player* player = ThePlayer();
    const bool counts = (doorKind == kClassic && player != nullptr && player->GetAttackRank() > 1)
        || (doorKind == kCrossbow && dynamic_cast<Projectile_Crossbow*>(attacker) != nullptr);
    if (!counts) {
        if (player != nullptr)
            player->PlaySound("Player_Attack_Near_Touch");
        return;
    }
    if (doorState != kClosed)
        return;
    PlaySound("Door_Open");
    doorState = kOpening;
    SetDoorState(kOpening);
}

bool NPC_Door::CollisionCopyFinished() const
{
    return collisionInstance != nullptr && collisionInstance->GetPrototype() != nullptr
        && collisionInstance->GetPrototype()->IsAnimationFinished();
}

bool NPC_Door::PlayerInDoorway() const
{
    Player* player = ThePlayer();
    if (player == nullptr)
        return false;
    const Point<int> at = position.ToInt();
    const Rect<int> doorway(at.x, at.y + kHeight, at.x + kWidth, at.y);
    const Point<float> p = player->GetPosition();
    const Point<int> s = player->GetSize();
    const Rect<int> body(static_cast<int>(p.x), static_cast<int>(p.y + static_cast<float>(s.y - 1)),
        static_cast<int>(p.x + static_cast<float>(s.x - 1)), static_cast<int>(p.y));
    return BoxesOverlap(doorway, body);
}

void NPC_Door::Update(double dt)
{
    CharacterObject::Update(dt);
    if (!enabled) {
        // The collision copy stays: a disabled closed door still blocks.
        currentGraphical = nullptr;
        return;
    }
    if (doorState == kOpen) {
        if (doorKind == kClassic)
            openTimer -= 1.0;
        if (openTimer <= 0.0) {
            openTimer = 0.0;
            if (!PlayerInDoorway()) {
                doorState = kClosing;
                SetDoorState(kClosing);
            }
        }
    }
    if (doorState == kOpening && CollisionCopyFinished()) {
        doorState = kOpen;
        SetDoorState(kOpen);
    }
    if (doorState == kClosing && CollisionCopyFinished()) {
        doorState = kClosed;
        SetDoorState(kClosed);
    }
    if (currentGraphical != nullptr)
        currentGraphical->Update(dt);
    UpdateSounds();
    previousState = state;
}

void Zone_NPCSpawner_Door::Instance::Spawn(int x, int y, Level* level)
{
    NPCSpawner::Spawn<NPC_Door>(*this, x, y, {"NPC_Door"}, [&](NPC_Door& door) {
        door.doorKind = DoorKind.value;
        door.doorSide = DoorSide.value;
        door.BuildCollisionGraphicals(level);
    });
}
