#pragma once

#include "bosses/BossFrame.h"

#include <string>
#include <vector>

class GraphicalObject;
class Projectile_Boss_Bibli;

// The library's ghost: it drifts toward the player, fades out, stays hidden
// for a while and fades back in; while visible it raises a carousel of
// daggers (one more than its life band) and throws them one by one. Each hit
// knocks it back, harder when the hit crosses into a new sixth of its life
// (which also shakes the camera and spills ink). Only the ice armour's area
// attack reveals it while it is hidden.
class NPC_Boss_Bibli : public BossCharacter {
public:
    // States: not started, visible, vanishing, appearing, hidden, revealed.
    static constexpr int kWaiting = -1;
    static constexpr int kVisible = 0;
    static constexpr int kVanishing = 2;
    static constexpr int kAppearing = 3;
    static constexpr int kHidden = 4;
    static constexpr int kRevealed = 5;

    explicit NPC_Boss_Bibli(std::string name);
    ~NPC_Boss_Bibli() override;

    // The base's two, then "NPC_Boss_Bibli_Appear" (2), "..._Disappear" (3)
    // and "..._HeadKilled" (4).
    void DeclareSounds() override;
    void Update(double dt) override;
    // Unless exploding, drawn with the render engine's draw factor at 3.0,
    // then the factor back at 1.0.
    bool Draw(DXGraphicalSurface* target, Point<int> offset) override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    // "start" (any case) brings the waiting ghost in; the rest is the base's.
    bool HandleScriptCommand(std::string command, std::string argument) override;
    // An ice area hit on the hidden ghost reveals it for 60 frames.
    void ReceiveHit(CharacterObject* attacker, int kind, float amount) override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    // The sixth of its life it is in: 1 (full) to 6; 1 again at 0 life.
    int GetLifePhase() const;
    int GetHiddenTimer() const { return hiddenTimer; }
    int GetAppearTimer() const { return appearTimer; }
    int GetRecoil() const { return recoil; }
    bool IsFirstAppearance() const { return firstAppearance; }
    // The daggers still on the carousel.
    size_t GetCarouselSize() const { return daggers.size(); }

private:
    void StepVisible();
    void StepFades();
    // Drops the carousel's daggers that the game has removed.
    void ForgetRemovedDaggers();

    Point<int> playerPosition;
    float acceleration = 0.1f;
    float steering = 0.2f;
    float maxSpeed = 2.5f;
    GraphicalObject* spriteIdle[6] = {};
    GraphicalObject* spriteDie = nullptr;
    int hiddenTimer = 1;
    int appearTimer = 90;
    int recoil = 0;
    bool firstAppearance = true;
    bool allThrown = false;
    // The carousel, held by weak handles: a dagger may be removed by the game.
    std::vector<SceneObjectHandle*> daggers;
};
