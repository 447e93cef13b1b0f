#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/TypeNames.h"
#include "scene/SpacialInstance.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class GraphicalObject;
class Layer;
class Level;

// A door 32 x 96 that blocks the player while closed and opens when struck
// by the right attack: the classic door (kind 0) under the player's attacks
// from attack rank 2 on, closing again once the player has left the
// doorway; the crossbow door (kind 3) only under a crossbow bolt, and then
// for good. It blocks through a copy of its current look placed in the
// level's "Collisions" layer, and draws its own copy as a character. It has
// no life, takes no damage and never hurts the player.
class NPC_Door : public CharacterObject {
public:
    static constexpr int kClassic = 0;
    static constexpr int kCrossbow = 3;
    static constexpr int kClosed = 0;
    static constexpr int kOpen = 1;
    static constexpr int kOpening = 2;
    static constexpr int kClosing = 3;
    // Updates an open classic door waits before it tries to close (the
    // single-precision 166.66667 held as a double).
    static constexpr double kOpenDelay = 166.6666717529297;
    static constexpr int kWidth = 32;
    static constexpr int kHeight = 96;

    explicit NPC_Door(std::string name);
    ~NPC_Door() override;

    // The base's sounds, then "Door_Open" (2) and "Door_Close" (3).
    void DeclareSounds() override;
    int GetHitSoundIndex() const override { return 2; }
    void Update(double dt) override;
    // The player's near and area attacks: only a closed classic door while
    // the player's attack rank is above 1.
    bool IsHitByBox(Rect<int> box, bool flag) override;
    // The crossbow bolt's test: the hurt boxes alone.
    bool IsHitByAttack(Rect<int> box, bool flag) override;
    // The door has no attack boxes; its hurt boxes answer instead.
    bool AttackHitsBox(Rect<int> box) override;
    // Opens a closed door struck by the right attack; the amount is ignored
    // and the life never changes. A wrong attack makes the player play
    // "Player_Attack_Near_Touch".
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    // Makes the door's graphicals for its kind and shows the closed one,
    // placing its copy in the level's "Collisions" layer (the given level,
    // else the current one). Called once by the spawner after kind and side.
    void BuildCollisionGraphicals(Level* level);
    // Shows the graphical of the state just stored in the door state.
    void SetDoorState(int newState);

    // The door's kind (0 classic, 3 crossbow; other values have no
    // graphicals) and side (0 left, any other value right), set by its
    // spawner.
    int32_t doorKind = 0;
    int32_t doorSide = 0;

    int GetDoorState() const { return doorState; }
    double GetOpenTimer() const { return openTimer; }
    SpacialInstance<GraphicalObject, float>* GetCollisionInstance() const { return collisionInstance; }
    // The library names of the graphical of a kind, state and side; empty
    // for a kind other than classic and crossbow.
    static std::string GraphicalName(int kind, int state, int side);

private:
    // The level whose layers the door uses: the current one, else the one
    // it was built in.
    Level* DoorLevel() const;
    // The "Collisions" layer of list 2, when the list also has a layer that
    // accepts objects; null otherwise.
    static Layer* CollisionLayerOf(Level* level);
    GraphicalObject* GraphicalOf(int state) const;
    // Places a copy of the graphical in the layer at the door's position as
    // the new, invisible collision instance (none for a null graphical).
    void PlaceCollisionCopy(Layer* layer, GraphicalObject* graphical);
    bool CollisionCopyFinished() const;
    bool PlayerInDoorway() const;

    // Classic, then crossbow; each closed, open, opening, closing; each left
    // and right. Only the eight of the door's own kind are ever filled.
    std::array<std::unique_ptr<GraphicalObject>, 16> graphicals;
    int32_t doorState = kClosed;
    SpacialInstance<GraphicalObject, float>* collisionInstance = nullptr;
    double openTimer = 0.0;
    Level* builtLevel = nullptr;
};
