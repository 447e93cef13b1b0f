#pragma once

#include "engine/serial/Point.h"
#include "script/BackgroundEvent.h"

#include <string>

class GraphicalObject;
class Layer;
class LocalParticleSystem;
class NPC_Script;
template <class T, class C> class SpacialInstance;

// The short cut-scene of a pickup, played every frame (not only on logic
// ticks): the screen darkens over 60 frames, the pickup animation is placed
// at the player (kinds 1 and 2) or the crossbow rises, changes and sinks
// (kind 3), a particle burst is launched, and the screen brightens again over
// 60 frames. The darkness is a black overlay of at most half opacity.
// The pickup kinds ("Event_RunPickupCinematic"'s mode, kept by the game and
// read by the event on every frame; below 1 the event is inert):
// 1 and 2 place a pickup animation at the player (1 holds it longer and
// launches its burst 7 px lower), 3 is the crossbow upgrade, 4 and 5 run the
// game's cinematic object (4 at the position given), 6 is a burst only.
enum PickupCinematicKind : int {
    kPickupNone = 0,
    kPickupAnimation = 1,
    kPickupAnimationShort = 2,
    kPickupCrossbow = 3,
    kPickupObjectAt = 4,
    kPickupObject = 5,
    kPickupBurst = 6,
};

class BGEvent_PickupCinematic : public BackgroundEvent {
public:
    using Instance = SpacialInstance<GraphicalObject, float>;

    // The crossbow before and after the upgrade (kind 3) are chosen here by
    // the player's crossbow rank (1 to 3): rank 1's, then rank 1's again;
    // rank 1's, then rank 2's; rank 2's, then rank 3's.
    BGEvent_PickupCinematic(std::string name, GraphicalObject* animationLeft, GraphicalObject* animationRight,
        LocalParticleSystem* burst, int burstOffsetX, int burstOffsetY);
    ~BGEvent_PickupCinematic() override;

    void Run() override;
    std::string GetTypeName() const override { return "BGEvent_PickupCinematic"; }

    int GetPhase() const { return params[0]; }
    int GetSubPhase() const { return params[1]; }
    int GetCounter() const { return params[2]; }
    int GetFade() const { return fade; }
    // The overlay's alpha this frame: fade / 60 x 255 x 0.5, truncated.
    int GetOverlayAlpha() const { return overlayAlpha; }
    Instance* GetInstance() const { return instance; }
    int GetBurstCount() const { return bursts; }
    NPC_Script* GetActor() const { return actor; }

private:
    void Darken();
    void Show();
    void ShowCrossbow();
    void WaitForAnimation();
    void Brighten();
    void LaunchBurst(Point<int> at);
    void RemoveInstance();

    // The game's pickup kind this frame (a word of the game, which the
    // creator sets): 0, the kind without a game.
    int kind = kPickupNone;
    GraphicalObject* animationLeft;
    GraphicalObject* animationRight;
    LocalParticleSystem* burst;
    int fade = 0;
    int overlayAlpha = 0;
    int bursts = 0;
    NPC_Script* actor = nullptr;
    Instance* instance = nullptr;
    Layer* instanceLayer = nullptr;
    Point<int> burstOffset;
    GraphicalObject* oldCrossbow = nullptr;
    GraphicalObject* newCrossbow = nullptr;
};
