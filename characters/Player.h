#pragma once

#include "characters/CharacterObject.h"
#include "characters/PlayerAnimationSet.h"
#include "characters/PlayerArmorHost.h"
#include "characters/PlayerMovingStage.h"
#include "characters/PlayerProgress.h"
#include "characters/PlayerTuning.h"
#include "characters/PlayerWorld.h"
#include "engine/input/InputActions.h"
#include "engine/serial/Rect.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class AbstractInputManager;
class AnimatedSprite;
class BGEvent_DisplayGO;
class DXGraphicalSurface;
class Firefly;
class GE_Blink;
class Layer;
class PlayerArmor;
class PlayerArmorCrossbow;
class PlayerArmorFire;
class PlayerArmorIce;
class PlayerModifier;
class SceneObjectInstance;
template <class C> class CollisionBox;

// The character the user steers: move states with timed jump and fall
// stages, the collision sweep through the level's "Collisions" layer,
// climbing, the spider form and the strafe, the close attack and the
// crossbow, damage, death and respawn, and the abilities and armors it owns.
// Position is the bottom-left corner of its box; y grows upward.
class Player : public CharacterObject, public PlayerArmorHost {
public:
    // Move states.
    static constexpr int kIdle = 0, kWalk = 1, kCrouch = 2, kJump = 4, kEndJump = 5, kFall = 6, kHanging = 8,
                         kClimbing = 9, kStrafe = 10, kDying = 15, kRespawning = 16, kScripted = 255;
    // Forms.
    static constexpr int kNormal = 0, kHighFallFreeze = 1, kRecovery = 2, kHurt = 3, kSpider = 4,
                         kSpiderHurt = 5, kSpiderRecovery = 6, kSpiderHighFallFreeze = 7;
    // Modifier indices.
    static constexpr int kFireArmor = 0, kIceArmor = 1, kDoubleJump = 2, kClimb = 3, kSpiderAbility = 4,
                         kCrossbow = 5, kStraff = 6;
    // Slots of the animation fields (those of PlayerAnimationSet).
    static constexpr int kDieL = 14, kDieR = 15, kRespawnL = 16, kRespawnR = 17;
    // Recovery lasts this many updates after a hurt on the ground.
    static constexpr double kRecoveryTime = 4.0;
    static constexpr int kInvulnerableFrames = 66;
    static constexpr float kAirStep = 0.3f;
    // The 31 sound names, by index.
    static const std::array<const char*, kSoundCount> kSoundNames;
    // The 52 animation names looked up first, in lookup order.
    static const std::array<const char*, 52> kAnimationNames;

    explicit Player(std::string name);
    ~Player() override;

    std::string GetVersionedClassName() override { return "PlayerV0"; }
    void DeclareSounds() override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    std::vector<Rect<int>> GetHurtBoxes() override;
    GraphicalObject* GetCurrentGraphical() const override;
    // Draws the current graphical, blinking while the player is hit.
    bool Draw(DXGraphicalSurface* target, Point<int> offset) override;
    bool IsBlinking() const { return hitBlink != nullptr; }
    int GetTrailLength() const { return drawInstance.GetTrail().GetLength(); }
    void ApplyDamage(CharacterObject* attacker, int damage) override;
    Point<float> GetCircleCenter() const override { return {32.0f, 23.0f}; }
    float GetCircleRadius() const override { return 23.0f; }

    // The frame update (dt is always 33.0 ms); nothing without input.
    virtual void UpdateInputs(double dt, AbstractInputManager* input);
    // The same with the poll's three records (pressed, previous, released).
    void UpdateWithActions(
        double dt, const InputActions& pressed, const InputActions& previous, const InputActions& released);
    virtual void UpdateArmors(const InputActions& pressed);
    virtual void UpdateMoveState(bool& hurtRunning, PlayerCollisions* collisions, int& resumeState,
        const InputActions& pressed, const InputActions& previous, const InputActions& released,
        const float& airStep);
    virtual void UpdateMovement(
        double dt, int& state, bool& force, PlayerCollisions* collisions, const InputActions& pressed);
    virtual void MoveWithCollisions(PlayerCollisions* collisions, float dx, float dy, int& previousState,
        float dirX, float dirY, const InputActions& pressed);
    virtual void FindNearestSecretZone();
    virtual void UpdateContacts(bool silent);
    virtual void FireAttack();
    virtual void UpdateNearAttackHits(bool showNoHitEffect);
    virtual void ApplyArmorAreaAttack(int kind);
    virtual Rect<int> GetBodyBox();
    virtual void SetMoveStateValue(int value) { moveState = value; }
    int GetMoveState() const override { return moveState; }
    virtual void SetForm(int value) { form = value; }
    virtual int GetForm() const { return form; }
    virtual void SetAttackKind(int value) { attackKind = value; }
    virtual int GetAttackKind() const { return attackKind; }
    virtual void SetPendingMoveState(int value) { pendingMoveState = value; }
    virtual void SetPendingForm(int value) { pendingForm = value; }
    virtual void SetMoveState(int value);

    void UpdateMovingStage(double dt);
    void UpdateClimb(PlayerCollisions* collisions, double dt);
    bool HasHeadroom(PlayerCollisions* collisions);
    void LandingStep(PlayerCollisions* collisions, double dt);
    void UpdateDeath();
    // A player wholly below the level's bottom edge has nothing left to land
    // on: he dies at once, and the game brings him back as from any death
    // (in god mode too, or the screen would show the sky for ever).
    void UpdateFallOut(PlayerWorld& world);
    // Life to 0, the death's sound, and its record when deaths are logged.
    void NoteDeath(PlayerWorld* world, CharacterObject* attacker);
    void ResetForLevel(bool keepState);
    // What refers into the level left: the climb zone, the secret zones
    // (refilled from the current level), the script's targets, the
    // fireflies' targets and the ice armor's frozen front. Part of
    // ResetForLevel, and all of it for a player not placed by a start point.
    void ForgetLevel();
    // Set by a level change that finds no floor under the player (or places
    // it at the level's stored view): its next update starts a fall, unless
    // another move state is asked for by then.
    void SetArrivalFlag(bool value) { arrivalFlag = value; }
    bool GetArrivalFlag() const { return arrivalFlag; }
    // The arrival after a reload: the respawn begins, and move state 16
    // shows the respawn pose of the side faced from its first frame, until
    // it has played. False, and no pose, unless both respawn poses exist.
    bool StartArrival();
    // From the arrival after a reload until the player is back on its feet
    // (the pose played or cut short, a fall landed, a level entered): the
    // keys held through the death move nobody and no hit counts.
    bool IsRespawning() const { return respawning; }
    // Where the player was last drawn, on the layer's surface.
    Point<int> GetScreenPosition() const { return drawInstance.GetScreenPosition(); }
    // Takes the progress of a loaded save slot: abilities and armors, the
    // worn armor, the crossbow, life, the armor charges and levels, the
    // pickups' flags, the attack rank and the fireflies.
    void ApplySaveData(const PlayerProgress& record);
    void EnableModifier(int index);
    bool IsModifierEnabled(int index) const;
    int GetModifierCount() const { return static_cast<int>(modifiers.size()); }
    PlayerModifier* GetModifier(int index) const;
    void SwitchArmor(int previousIndex, bool silent);
    bool IsSpiderForm() const { return form >= kSpider && form <= kSpiderHighFallFreeze; }
    bool IsAttacking() const { return GetAttackKind() == 1 || GetAttackKind() == 2; }
    void ToggleSpiderForm();
    void ResizeCollisionBox(int which);

    // The water effects placed on the level's last scene layer while the
    // player is in water (the layer owns them; they go with the level).
    using WaterEffectInstance = SpacialInstance<GraphicalObject, float>;
    struct WaterEffects {
        Level* level = nullptr;
        Layer* layer = nullptr;
        WaterEffectInstance* idle = nullptr;
        WaterEffectInstance* enter = nullptr;
        WaterEffectInstance* leave = nullptr;
    };
    const WaterEffects& GetWaterEffects() const { return waterEffects; }
    void SetAttackRank(int rank);
    int GetAttackRank() const { return attackRank; }
    // +1 when the current animation's name ends in 'R', else -1.
    int GetFacingFromAnimation() const;

    // What the armors, the abilities and the fireflies ask of the player.
    PlayerArmorState& GetArmorState() override { return armorState; }
    // Tells the player the level's collision geometry changed (a level
    // change, an armour switch, ice melting, a trap's body gone): until its
    // next update has run, a ground probe that meets nothing does not let it
    // sink. The flag is the armour state's, cleared by that update.
    void SetCollisionChanged() { armorState.armorChanged = true; }
    bool IsCollisionChanged() const { return armorState.armorChanged; }
    const PlayerArmorState& GetArmorState() const { return armorState; }
    std::vector<std::unique_ptr<PlayerModifier>>& GetModifiers() override { return modifiers; }
    Point<float> GetArmorHostPosition() const override { return position; }
    Point<int> GetArmorHostSize() const override { return GetSize(); }
    int GetLife() const override { return life; }
    bool IsInSpiderForm() const override { return IsSpiderForm(); }
    void PlayPlayerSound(int index) override { PlaySoundAt(index); }
    // The area attack's radius follows from the worn armor's level.
    void AreaAttack(int kind, float radius) override;
    void FreezeGhostsNear(Point<float> centre, float radius) override;
    Level* GetCurrentLevel() const override;
    // The set's poses replace the default ones; its empty slots keep them.
    void ApplyAnimationSet(const ArmorAnimationSet& set) override;
    // The HUD shows a slot per charge the player can hold, so the armors
    // are on screen from the first slot on (or after "enableplayerarmors").
    bool IsArmorDisplayShown() const override { return armorFlagByte != 0 || armorState.armorChargesMax > 0; }

    // The three fireflies (Firefly01 to 03), owned by the player.
    const std::vector<std::unique_ptr<Firefly>>& GetFireflies() const { return fireflies; }
    // Every firefly back over the player: position (32, 64) relative to the
    // player, no target, attached, flying to the given point.
    void ResetFireflies(Point<int> targetPoint = Point<int>(32, 64));
    // Moves every firefly to the player's position and clears its target.
    void PlaceFirefliesAtPlayer();
    // Draws the fireflies while the secret finder runs.
    void RenderFireflies(DXGraphicalSurface* target, Point<int> offset);
    // The level's placed "ZoneSecret" instances, collected at each level.
    const std::vector<SpacialInstance<GraphicalObject, float>*>& GetSecretZones() const
    {
        return secretZones;
    }

    // The player's box in the level at its position plus (dx, dy).
    PlayerBox GetWorldBox(float dx = 0.0f, float dy = 0.0f) const;

    // Animation fields, by the slots of PlayerAnimationSet (borrowed).
    GraphicalObject* GetAnimationField(int slot) const;
    void SetAnimationField(int slot, GraphicalObject* g);
    GraphicalObject* GetCurrentAnimation() const { return currentAnimation; }
    void SetCurrentAnimation(GraphicalObject* g) { currentAnimation = g; }
    int GetCurrentAnimationId() const { return currentAnimationId; }
    GraphicalObject* GetAttackGraphical() const { return attackGraphical; }
    const PlayerAnimationSet& GetDefaultAnimationSet() const { return defaultAnimationSet; }
    const PlayerAnimationSet& GetSpiderAnimationSet() const { return spiderAnimationSet; }

    // Plain state, read by the game, the HUD, zones, scripts and tests.
    float GetCurrentSpeed() const { return speed; }
    void SetCurrentSpeed(float value) { speed = value; }
    float GetVerticalSpeed() const { return verticalSpeed; }
    int GetPendingMoveState() const { return pendingMoveState; }
    int GetPendingForm() const { return pendingForm; }
    int GetPreviousMoveState() const { return previousMoveState; }
    double GetFormTimer() const { return formTimer; }
    int GetInvulnerableFrames() const { return invulnerableFrames; }
    int GetCurrentStage() const { return stageClock.stage; }
    double GetStageElapsed() const { return stageClock.elapsed; }
    float GetJumpStartY() const { return jumpStartY; }
    // The lock of a death, a script or a boss, or a respawn in progress.
    bool IsInputLocked() const { return inputLocked || respawning; }
    void SetInputLocked(bool value) { inputLocked = value; }
    bool IsTouchingWater() const { return touchingWater; }
    bool IsInLava() const { return inLava; }
    bool HasDoubleJumped() const { return doubleJumped; }
    int GetCurrentArmor() const { return armorState.currentArmor; }
    void SetCurrentArmor(int index) { armorState.currentArmor = index; }
    int GetCrossbowFrames() const { return crossbowFrames; }
    const std::vector<CharacterObject*>& GetStruckCharacters() const { return struckCharacters; }
    // A character the present attack must not strike again (a boss whose
    // parts share one life).
    void AddStruckCharacter(CharacterObject* c) { struckCharacters.push_back(c); }
    bool IsAttackFired() const { return attackFired; }

    float walkSpeed = PlayerTuning::Current().walkSpeed;
    float jumpSpeedH = PlayerTuning::Current().jumpSpeedH;
    float climbSpeed = PlayerTuning::Current().climbSpeed;
    PlayerMovingStages stages = PlayerTuning::Current().stages;
    // Set by "enableplayerarmors": the armors count as shown on the HUD.
    int32_t armorFlag = 0;
    uint8_t armorFlagByte = 0;
    int32_t crossbowCount = 0;

    bool secretFinder = false;
    std::vector<CharacterObject*> targetCharacters;
    bool inClimbZone = false;
    bool climbSkip = false;
    // The instance data of the climb zone that set inClimbZone (only
    // compared, never followed); null when none.
    const SceneObjectInstance* currentClimbZone = nullptr;
    bool minimapEnabled = false;
    int32_t crossbowLevel = 1;
    bool spiderDoubleJump = false;
    bool itemAttraction = false;
    int32_t facing = 1;
    int32_t attackFireFrame = 0;

    // A boss's grip holds the player through the input lock and places it
    // each frame, saying so with the placed flag (which keeps the previous
    // position it was given; the player's next update clears it).
    void SetPlacedExternally(bool value) { placedExternally = value; }
    bool IsPlacedExternally() const { return placedExternally; }

private:
    friend class PlayerAnimationSet;

    // The steps of the frame update after the input is read.
    void ChooseAnimation(const InputActions& pressed, bool stateChanged, int formAtStart, int stateAtStart);
    void UpdateAttack(const InputActions& pressed, int stateBefore);
    void StartAttack(const InputActions& pressed, const InputActions& previous, const InputActions& released);
    void EndAttack();
    // An attack that starts while walking stops the walk.
    void StopWalkForAttack();
    void ApplyTransitions(PlayerCollisions* collisions, const InputActions& pressed,
        const InputActions& previous, const InputActions& released);
    void ApplyStateMotion(const InputActions& pressed, float airStep);
    bool StrafeStarts(const InputActions& pressed, const InputActions& previous);
    // The steps of UpdateWithActions: the requests of other code, the
    // frame's counters, the hit frames, the move by the actions, the freeze
    // after a high fall, the sounds and previous values of what changed, and
    // the blink, armors and low-life sound.
    void ApplyRequests(double dt);
    void CountFrame(PlayerWorld* world);
    void UpdateInvulnerability();
    void MoveByActions(double dt, PlayerCollisions* collisions, const InputActions& pressed,
        const InputActions& previous, const InputActions& released);
    void FreezeAfterHighFall(int stateAtStart);
    void NoteChanges(int stateAtStart, int formAtStart, int attackAtStart);
    void FinishUpdate(PlayerWorld& world, const InputActions& pressed);
    // The transitions out of one move state.
    void LeaveIdle(PlayerCollisions* collisions, const InputActions& pressed, bool jumpPressed, bool strafe);
    void LeaveWalk(PlayerCollisions* collisions, const InputActions& pressed, bool jumpPressed, bool strafe);
    void LeaveCrouch(PlayerCollisions* collisions, const InputActions& pressed, bool jumpPressed);
    void LeaveStrafe(PlayerCollisions* collisions, const InputActions& pressed, bool jumpPressed);
    // From hanging or climbing, away from the wall.
    void JumpOffWall(bool facedLeft);
    // The steps of MoveWithCollisions. The horizontal move is true when the
    // player caught a wall and hangs on it; the vertical one when it was
    // blocked. `allowed` and `kind` are what the last test met.
    bool MoveHorizontally(PlayerCollisions* collisions, float dx, float dy, float dirX,
        const InputActions& pressed, float& allowed, int& kind);
    // Walking into a low step climbs it: false (and no move) when it is too high.
    bool StepUp(PlayerCollisions* collisions, Point<float> start, float dx);
    bool MoveVertically(PlayerCollisions* collisions, float dy, float move, const InputActions& pressed,
        float& allowed, int& kind);
    // On the ground: falls off an edge, or settles onto a slope or step.
    void FollowGround(PlayerCollisions* collisions, float dy, float move, bool blockedY, int kind);
    void ShowAnimation(int id);
    // The graphical the player owns (the looked-up copies), or null.
    GraphicalObject* Own(GraphicalObject* g);
    // An armor's set as the player's poses: the library's pictures of its
    // sprites, made once and owned by the player; empty slots stay empty.
    PlayerAnimationSet ArmorPoses(const ArmorAnimationSet& set);
    GraphicalObject* LookUp(const std::string& name);
    void ApplyFormSet();
    void WriteDeathRecord(CharacterObject* attacker);
    // The idle water effect on the surface over the player (placed once).
    void FollowWaterSurface(PlayerWorld& world, Point<int> probe);
    // The effect's instance moved to at, or placed there when it is null.
    WaterEffectInstance* PlaceWaterEffect(
        WaterEffectInstance* instance, GraphicalObject* effect, Point<float> at);
    // The no-hit spark at the leading edge of an attack box that met another
    // character's attack.
    void ShowNoHitEffect(const Rect<int>& box);
    // The fade of the pose left behind by a change of form.
    void ShowFormFade();
    // Queues on the current level an event that shows a copy of the object
    // (null without a level or an object).
    BGEvent_DisplayGO* QueueDisplay(const std::string& eventName, int layerSelector, GraphicalObject* object,
        Point<int> at, int count, int mode);
    // Moves the first active type-3 box of the attack graphical into the level.
    bool AttackBoxInWorld(int shapeIndex, Rect<int>& box);

    double stateStartTime = 0.0;
    double stateFrames = 0.0;
    double formTimer = 0.0;
    int32_t crossbowFrames = PlayerTuning::Current().crossbowDelay;
    int32_t pendingMoveState = -1;
    int32_t pendingForm = -1;
    bool arrivalFlag = false;
    int32_t moveState = 0;
    int32_t form = 0;
    int32_t attackKind = 0;
    int32_t previousMoveState = -1;
    int32_t previousForm = -1;
    int32_t previousAttackKind = -1;
    bool inputLocked = false;
    bool respawning = false;
    float jumpStartY = 0.0f;
    float verticalSpeed = 0.0f;
    PlayerStageClock stageClock;
    GraphicalObject* currentAnimation = nullptr;
    int32_t currentAnimationId = -1;
    GraphicalObject* attackGraphical = nullptr;
    std::array<GraphicalObject*, PlayerAnimationSet::kSlotCount> animationFields {};
    GraphicalObject* noHitEffect = nullptr;
    std::vector<std::unique_ptr<PlayerModifier>> modifiers;
    PlayerArmorState armorState;
    int32_t attackRank = 1;
    bool doubleJumped = false;
    bool touchingWater = false;
    bool inLava = false;
    bool attackFired = false;
    // Set in an update whose attack start stopped a walk (that stop does
    // not end the attack it began).
    bool walkStoppedByAttack = false;
    bool lowLifeSoundPlaying = false;
    PlayerAnimationSet defaultAnimationSet;
    PlayerAnimationSet spiderAnimationSet;
    GraphicalObject* waterFxIdle = nullptr;
    GraphicalObject* waterFxEnter = nullptr;
    GraphicalObject* waterFxLeave = nullptr;
    WaterEffects waterEffects;
    std::vector<CharacterObject*> struckCharacters;
    std::vector<std::unique_ptr<GraphicalObject>> ownedGraphicals;
    std::unique_ptr<CollisionBox<int>> collisionBox;
    std::unique_ptr<GE_Blink> hitBlink;
    std::vector<std::unique_ptr<Firefly>> fireflies;
    std::vector<SpacialInstance<GraphicalObject, float>*> secretZones;
    // The player's graphicals made from an armor's animated sprites.
    std::vector<std::pair<AnimatedSprite*, GraphicalObject*>> armorPoses;
    bool placedExternally = false;
    bool fellOut = false;
};

// The worn-armor look-ups of the game's player: null when the entry is
// missing or of another class.
PlayerArmorFire* GetPlayerArmorFire(Player* player);
PlayerArmorIce* GetPlayerArmorIce(Player* player);
PlayerArmorCrossbow* GetPlayerArmorCrossbow(Player* player);
// The struck character's death or hit sound.
void PlayCharacterHitSound(CharacterObject* character);

// The game's player, or null (no game, or a game without a player): the
// folders above the scene ask for the player this way.
Player* GetGamePlayer();
