#pragma once

#include "engine/serial/Point.h"
#include "engine/serial/Rect.h"
#include "scene/GraphicalObject.h"
#include "scene/SceneCharacter.h"
#include "scene/SceneObject.h"
#include "scene/SpacialInstance.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class DXGraphicalSurface;
class GraphicalEffect;
class Layer;
struct CollisionBodyRecord;
class LocalParticleSystem;
class ShaderEffect_TimeDependent;
template <class C> class CollisionShape;

// Base of everything in a level that lives, moves and can be hit: the player,
// enemies and bosses, projectiles, particles, fireflies and script-driven
// characters. It keeps a position and direction, life, hurt and attack boxes
// read from the current animation frame, a hit flash, invulnerability frames,
// a two-stage explosion with flying pieces, a death sequence that runs once
// (item drop, death particles, death message) and the enable and disable
// script commands. Characters are never written to files.
class CharacterObject : public SceneCharacter {
public:
    explicit CharacterObject(std::string name = "");
    ~CharacterObject() override;
    CharacterObject(const CharacterObject&) = delete;
    CharacterObject& operator=(const CharacterObject&) = delete;

    // "NPC_Generic_HitByPlayer" (hit index 0), then "NPC_Boss_Killed" for a
    // boss or mini-boss name, else "NPC_Generic_Killed" (death index 1).
    void DeclareSounds() override;
    // Once per frame; the base does not use the time step.
    void Update(double dt) override;
    // Places the own sound events at the centre, then updates them.
    void UpdateSounds() override;

    virtual void SetPosition(Point<float> p) { position = p; }
    Point<float> GetPosition() const override { return position; }
    Point<float> GetPreviousPosition() const override { return previousPosition; }
    virtual void SetPreviousPosition(float x, float y) { previousPosition = Point<float>(x, y); }
    virtual Point<int> GetDrawOffset() const { return drawOffset; }
    virtual void SetDrawOffset(int x, int y) { drawOffset = Point<int>(x, y); }
    // Draws the current graphical (or, while exploding, its pieces) with the
    // hit flash as a second pass. False when a draw failed.
    bool Draw(DXGraphicalSurface* target, Point<int> offset) override;
    virtual void RemoveChild(CharacterObject* child);
    virtual void ResetToStart();
    virtual std::vector<GraphicalObject*> GetRelatedGraphicalObjects();
    // "enable" and "disable", in any letter case; false for anything else.
    virtual bool HandleScriptCommand(std::string command, std::string argument);
    virtual float GetSpeed(int state) const;
    virtual int GetLife() const { return life; }
    virtual void SetLife(int value) { life = value; }
    virtual int GetMaxLife() const { return maxLife; }
    virtual void SetMaxLife(int value) { maxLife = value; }
    virtual void SetCustomFlag1(bool value) { customFlag1 = value; }
    virtual bool GetCustomFlag1() const { return customFlag1; }
    Point<int> GetSize() const override { return size; }
    virtual void SetSize(int w, int h) { size = Point<int>(w, h); }
    virtual double GetStateDelay(int state) const;
    // Boxes of the current frame, local to the graphical.
    virtual std::vector<Rect<int>> GetHurtBoxes();
    virtual std::vector<Rect<int>> GetAttackBoxes();
    virtual void Explode(bool slowMotion);
    virtual bool WasHit() const { return hitThisFrame || hitThisFrame2; }
    // After an attack that struck: the hit flag clears, and a living
    // character's second hit flag too, so the next attack can strike again.
    void ClearStruck()
    {
        hitThisFrame = false;
        if (life > 0)
            hitThisFrame2 = false;
    }
    virtual GraphicalObject* GetCurrentGraphical() const { return currentGraphical; }
    // True when the player was damaged by touching this character.
    virtual bool DamagePlayerOnContact();
    // Whether a box (world coordinates) hits this character.
    virtual bool IsHitByBox(Rect<int> box, bool flag);
    virtual bool IsHitByAttack(Rect<int> box, bool flag);
    // Whether this character's attack boxes reach a box (world coordinates).
    virtual bool AttackHitsBox(Rect<int> box);
    virtual void ReceiveHit(CharacterObject* attacker, int kind, float amount);
    // Flags the hit and restarts the flash; the base never lowers life.
    virtual void ApplyDamage(CharacterObject* attacker, int damage);
    virtual int GetHitSoundIndex() const { return hitSoundIndex; }
    virtual int GetDeathSoundIndex() const { return deathSoundIndex; }
    virtual float GetSizeSquared() const;
    virtual Point<float> GetCircleCenter() const;
    virtual float GetCircleRadius() const;
    // The trailing corner before a move and the leading corner after it.
    virtual void GetLeadingEdge(Point<float>& from, Point<float>& to, Point<float> move) const;
    // Spawn point n of the current frame in world coordinates; the zero
    // rectangle when the frame has fewer.
    virtual Rect<int> GetSpawnPointBox(int n);
    virtual bool GetCustomFlag2() const { return customFlag2; }
    virtual void SetCustomFlag2(bool value) { customFlag2 = value; }
    // Set, the player's blow that meets this character's attack shows no spark.
    bool GetCustomByte() const { return customByte; }
    void SetCustomByte(bool value) { customByte = value; }
    virtual bool IsAlive() const { return life > 0; }
    virtual void SetState(int value) { state = value; }
    // The death sequence; runs once.
    virtual void Die();
    // Cuts g into 16 x 16 pieces that fly apart from the centre.
    virtual void BuildExplosionPieces(GraphicalObject* g);
    virtual bool IsDead() const { return dead; }
    virtual void SetInvulnerableFrames(int frames) { invulnerableFrames = frames; }
    // The ice armour's freeze of the ghosts near the player: whether the
    // character is one it freezes now, and the freeze itself.
    virtual bool IsFreezable() const { return false; }
    virtual void Freeze() { }

    Point<float> GetDrawPosition() const { return position + drawOffset.ToFloat(); }
    Point<float> GetCenter() const override;
    Point<float> GetTopCenter() const;
    Point<float> GetDirection() const { return direction; }
    void SetDirection(Point<float> d) { direction = d; }

    // Plain state accessors for subclasses, the level and tests.
    bool IsEnabled() const { return enabled; }
    void SetEnabled(bool value) { enabled = value; }
    bool IsInvulnerable() const { return invulnerable; }
    void SetInvulnerable(bool value) { invulnerable = value; }
    void SetDead(bool value) { dead = value; }
    bool IsExploding() const { return exploding; }
    int GetExplosionPhase() const { return explosionPhase; }
    bool IsDeathHandled() const { return deathHandled; }
    // A character taken over by another (a caught bolt) leaves without its
    // death sequence.
    void SetDeathHandled(bool value) { deathHandled = value; }
    void SetCurrentGraphical(GraphicalObject* g) { currentGraphical = g; }
    // Shows the object in place of the one shown ("SetGraphical", a script
    // trigger's look). The character owns it from now on; the one it took
    // this way before goes, while the pictures its class holds stay the
    // class's own (the class may show them again).
    void SetOwnedGraphical(std::unique_ptr<GraphicalObject> object);
    CharacterObject* GetOwner() const { return owner; }
    // The owner is marked as one: when it goes, the game looks for the
    // characters that still point at it only if it was ever marked.
    void SetOwner(CharacterObject* o)
    {
        owner = o;
        if (o != nullptr)
            o->hasBeenOwner = true;
    }
    bool HasBeenOwner() const { return hasBeenOwner; }
    int GetState() const { return state; }
    int GetStateTimer() const { return stateTimer; }
    void SetStateTimer(int value) { stateTimer = value; }
    int GetPowerHit() const { return powerHit; }
    void SetPowerHit(int value) { powerHit = value; }
    void SetDropsItems(int value) { dropsItems = value; }
    // After-images left behind as the character is drawn (0 for none).
    void SetTrailLength(int32_t count) { drawInstance.SetTrailLength(count); }
    int32_t GetTrailLength() const { return drawInstance.GetTrail().GetLength(); }
    void SetTrailSpacing(int32_t spacing) { drawInstance.SetTrailSpacing(spacing); }
    int32_t GetTrailSpacing() const { return drawInstance.GetTrail().GetSpacing(); }
    void SetContactDamage(int value) { contactDamage = value; }
    void SetWholeBodyAttacks(bool value) { wholeBodyAttacks = value; }
    void SetHitTestsOff(bool value) { hitTestsOff = value; }
    void SetShockWaveTiming(float start, float delay)
    {
        shockWaveStart = start;
        shockWaveDelay = delay;
    }
    bool IsHidden() const override { return hiddenA || hiddenB; }
    void SetHidden(bool a, bool b)
    {
        hiddenA = a;
        hiddenB = b;
    }
    ShaderEffect_TimeDependent* GetHitFlash() const { return hitFlash.get(); }
    // The owned effect the character is drawn with (a hit shake, a colour
    // effect), or null; the shock wave of an explosion takes its place.
    GraphicalEffect* GetDrawingEffect() const { return drawingEffect.get(); }
    void SetDrawingEffect(std::unique_ptr<GraphicalEffect> effect);
    ShaderEffect_TimeDependent* GetShockWave() const { return shockWave.get(); }
    size_t GetExplosionPieceCount() const { return explosionPieces.size(); }
    Point<float> GetExplosionPiecePosition(size_t i) const;
    Point<float> GetExplosionPieceSource(size_t i) const;
    Point<float> GetExplosionPieceVelocity(size_t i) const;
    // What the level's collision and the camera read of a character.
    void SetPreviousPosition(Point<float> p) { previousPosition = p; }
    void SetSize(Point<int> s) { SetSize(s.x, s.y); }
    // The move state (jump 4, end of jump 5, fall 6 for the player) and its
    // speed, for the camera's look-ahead.
    int GetMoveState() const override { return state; }
    void SetMoveState(int value) { state = value; }
    float GetSpeedValue() const override { return GetSpeed(GetMoveState()); }
    void SetSpeedValue(float value) { speed = value; }
    // The circle tested against collision lines; the kind of contact is for
    // subclasses with several circles.
    Point<float> GetCircleCentre() const override { return GetCircleCenter(); }
    float GetCircleRadius(int /*kind*/) const { return GetCircleRadius(); }
    float GetContactRadius(int kind) const override { return GetCircleRadius(kind); }
    // The player character (one-way platforms let it pass from below).
    bool IsPlayerCharacter() const override { return playerCharacter; }
    void SetPlayerCharacter(bool value) { playerCharacter = value; }
    // The player's layer draws the characters with neither flag before the
    // player and the flagged ones after it; the layers that draw front
    // characters draw those drawn in front.
    bool IsDrawnFlagged() const override { return drawnFlagged; }
    void SetDrawnFlagged(bool value) { drawnFlagged = value; }
    bool IsDrawnInFront() const override { return drawnInFront; }
    void SetDrawnInFront(bool value) { drawnInFront = value; }
    // The collision body the character touched last, or null.
    const CollisionBodyRecord* GetLastContact() const { return lastContact; }
    void SetLastContact(const CollisionBodyRecord* record) override { lastContact = record; }
    // The movement collision shapes (owned).
    std::vector<CollisionShape<int>*>& GetCollisionShape() override { return collisionShapes; }
    std::vector<LocalParticleSystem*>& GetOnExploseEffects() { return onExploseEffects; }
    std::vector<LocalParticleSystem*>& GetOnExploseWithPowerEffects() { return onExploseWithPowerEffects; }
    std::vector<LocalParticleSystem*>& GetOnSpecialEffects() { return onSpecialEffects; }

    // Particle effects linked to character classes by configuration: an
    // event ("OnExplose", "OnExploseWithPower", "OnSpecial_01") and a class
    // name select definitions of the game library.
    static void LinkParticleSystem(
        const std::string& event, const std::string& className, LocalParticleSystem* system);
    // Fresh copies of the systems linked to the event and class, owned by
    // the caller.
    static std::vector<LocalParticleSystem*> GetLinkedParticleSystems(
        const std::string& event, const std::string& className);
    // Places the systems of the list in the layer (or the current level's
    // front and back scene layers), each followed by a background event at
    // (x, y). Without copy the systems leave the list for the layers.
    static void LaunchParticleEffect(Layer* layer, std::vector<LocalParticleSystem*>& list,
        CharacterObject* owner, bool copy, int x, int y);

protected:
    // Without effects the character takes no copies of the particle systems
    // linked to its name (particles: a link can never make a particle copy
    // systems that make particles).
    CharacterObject(std::string name, bool withLinkedEffects);
    // The effects on the named shaders: the timer exists even when the
    // shader does not, so a missing effect file only loses the look.
    static std::unique_ptr<ShaderEffect_TimeDependent> MakeTimedEffect(
        const char* shaderName, float duration, bool startAtEnd);
    // Boxes of the current frame of the given types.
    std::vector<Rect<int>> CollectBoxes(int typeA, int typeB);
    void DestroyExplosionPieces();
    // The flash pass over an instance just drawn; result as Draw keeps it.
    void DrawFlashPass(SpacialInstance<GraphicalObject, float>& instance, DXGraphicalSurface* target,
        Point<int> offset, bool& result);

    bool enabled = true;
    Point<float> position;
    Point<float> previousPosition;
    bool customFlag0 = false;
    // Linked through SetOwner (cleared by a plain assignment of null).
    CharacterObject* owner = nullptr;
    Point<int> drawOffset;
    Point<float> direction {1.0f, 0.0f};
    float speed = 0.0f;
    float customFloats[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    int32_t deathSoundIndex = -1;
    int32_t hitSoundIndex = -1;
    GraphicalObject* currentGraphical = nullptr;
    int32_t state = 0;
    // Frames left in a timed state, and the state at the end of the last
    // update (enemies).
    int32_t stateTimer = 0;
    int32_t previousState = 0;
    int32_t customInts[2] = {0, 0};
    bool dead = false;
    bool exploding = false;
    bool deathHandled = false;
    float shockWaveStart = 0.0f;
    float shockWaveDelay = 0.0f;
    int32_t life = -1;
    int32_t maxLife = -1;
    bool customFlag1 = false;
    bool hitThisFrame = false;
    bool hitThisFrame2 = false;
    bool customByte = false;
    int32_t dropsItems = 1;
    int32_t contactDamage = 1;
    Point<int> size;
    bool firstUpdate = true;
    bool invulnerable = false;
    bool hitTestsOff = false;
    int32_t invulnerableFrames = 0;
    bool wholeBodyAttacks = false;
    bool customFlag2 = false;
    bool hiddenA = false;
    bool hiddenB = false;
    int32_t powerHit = 0;
    int32_t explosionPhase = 0;
    int32_t customInt = 0;
    std::vector<SpacialInstance<GraphicalObject, float>*> explosionPieces;
    std::vector<SpacialInstance<GraphicalObject, float>*> pieceSources;
    std::vector<Point<float>*> pieceVelocities;
    std::vector<LocalParticleSystem*> onExploseEffects;
    std::vector<LocalParticleSystem*> onExploseWithPowerEffects;
    std::vector<LocalParticleSystem*> onSpecialEffects;
    std::unique_ptr<ShaderEffect_TimeDependent> shockWave;
    std::unique_ptr<ShaderEffect_TimeDependent> hitFlash;
    std::unique_ptr<GraphicalEffect> drawingEffect;
    std::vector<CollisionShape<int>*> collisionShapes;
    SpacialInstance<GraphicalObject, float> drawInstance;
    // The picture given by SetOwnedGraphical, or null.
    std::unique_ptr<GraphicalObject> ownedGraphical;
    bool playerCharacter = false;
    bool drawnFlagged = false;
    bool drawnInFront = false;
    const CollisionBodyRecord* lastContact = nullptr;

private:
    bool hasBeenOwner = false;
};
