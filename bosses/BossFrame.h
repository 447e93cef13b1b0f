#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/Point.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

class GraphicalObject;
class Player;
class SceneObjectHandle;

// What every boss, mini-boss, boss part and boss projectile shares: its owned
// copies of the library's sprites looked up by full name, frame counters,
// pools of projectiles made once and reused, the script commands, the death
// announcement to the level's scripts, the slow motion and camera shake of a
// boss death, the release of its projectiles and the common movement step.
// Classes derived from `BossCharacter` get the sprites and the size rule as
// members; classes derived from another character (a floating skull) call
// the free functions of `Boss` directly.

namespace Boss {

// The fixed frame step the game passes to every character.
constexpr double kFrameStep = 33.0;
// The common explosion timing of a boss death.
constexpr float kExplosionHeadStart = 25.0f;
constexpr float kExplosionSwitchTime = 35.0f;
// The slow motion of a boss death: the world advances on 15 of 42 frames.
constexpr int kSlowMotionFrames = 15;
constexpr int kSlowMotionSkip = 3;
// Name of the camera shake a boss queues.
inline const char* const kShakeEventName = "ShakeCameraBoss";

// The lower-case copy of a text (script words are compared so).
std::string Lower(std::string text);
// Whether the command is the word, compared after lower-casing both.
bool IsCommand(const std::string& command, const std::string& word);

// A uniform value in [0, 1) from the program's random source.
double Random01();
// A random index in [0, count): r x count truncated, an r that would give
// `count` kept inside the list; 0 for an empty list.
int RandomIndex(int count);
// The draw less one, as an unsigned 32-bit value, over 2^32: a value in
// [0, 1) that some bosses take instead of the draw itself (a draw of 0 gives
// the top of the range).
double Random01LessOne();
// The index trunc(count x Random01LessOne()), in [0, count); 0 for an empty
// list.
int RandomIndexLessOne(int count);

// Turns the vector in place by `radians`.
void RotateVector(Point<float>& v, float radians);
// The unit vector of v; (0, 0) stays (0, 0).
Point<float> Normalized(Point<float> v);

// The game's player, or null (no game, no level, between levels).
Player* ThePlayer();
// The player's centre, or (0, 0) without a player.
Point<float> PlayerCenter();

// A new character of the class through the game's factory, named by the
// class (or `objectName`), appended to the live list or put just before
// `before`; null when the class is unknown or there is no game.
CharacterObject* Create(
    const std::string& className, const std::string& objectName = "", CharacterObject* before = nullptr);
template <class T>
T* CreateAs(
    const std::string& className, const std::string& objectName = "", CharacterObject* before = nullptr)
{
    return dynamic_cast<T*>(Create(className, objectName, before));
}
// The first live character of that name other than `except`, or null.
CharacterObject* Find(const std::string& name, const CharacterObject* except = nullptr);
template <class T> T* FindAs(const std::string& name, const CharacterObject* except = nullptr)
{
    return dynamic_cast<T*>(Find(name, except));
}
// Every live character of that name, in list order, without `except` and,
// with `skipDead`, without the dead ones.
std::vector<CharacterObject*> FindAll(
    const std::string& name, const CharacterObject* except = nullptr, bool skipDead = false);
// The character prototypes whose names hold the text, for preloading.
std::vector<GraphicalObject*> Related(const std::string& text);
// The preloading of a boss that uses its own and borrowed pieces: the lists
// of every text joined in order.
std::vector<GraphicalObject*> Related(std::initializer_list<const char*> texts);

// Tells every script waiting for the message (compared in lower case).
void Announce(const std::string& message);
// The slow motion of a boss death (15 slowed frames, 3 skipped at a time).
void StartSlowMotion();
// Queues a camera shake "ShakeCameraBoss" on the level: `frames` updates
// whose amplitude slides from (startX, startY) to (endX, endY).
void ShakeCamera(int frames, float startX, float endX, float startY, float endY);

// The death of a boss: explosion timing, `Explode` (with slow motion when
// asked) and the pieces cut from its current sprite when it has one. Once a
// character explodes its death has started: a later blow (the armours' area
// attack still reaches it) starts neither its explosion nor the slow motion
// again. Then nothing is done and false is returned, so that the caller
// skips the rest of the death as well.
bool StartDeath(CharacterObject& self, bool slowMotion, float headStart = kExplosionHeadStart,
    float switchTime = kExplosionSwitchTime);
// The same with the pieces cut from `look` (none when null).
bool StartDeathFrom(CharacterObject& self, GraphicalObject* look, bool slowMotion,
    float headStart = kExplosionHeadStart, float switchTime = kExplosionSwitchTime);
// Every live character of that name whose owner is `owner` (or every one,
// with a null owner) loses its owner: it finishes alone.
int ReleaseProjectiles(const std::string& name, const CharacterObject* owner);
// Every live character of that name is marked dead; the game's pass removes
// them on the next frame. Returns how many.
int KillProjectiles(const std::string& name);

// The life rule of a boss hit: with an attacker the hit is flagged, the
// flash restarts and life falls by the damage (to 0 from 0 or below).
// Returns false without an attacker (nothing changed).
bool TakeDamage(CharacterObject& self, CharacterObject* attacker, int damage);
// The hit shake in the character's drawing effect (replacing what was
// there).
void StartShake(CharacterObject& self, Point<float> amplitude, Point<float> velocity);
// Steps the drawing effect; a shake is dropped once it has run more than
// `frames` steps.
void StepShake(CharacterObject& self, int frames = 10);
// position += direction x (speed x 32 x step x 0.001).
void Move(CharacterObject& self, float speed, double step = kFrameStep);

// A frame counter in the bosses' way: set to N, lowered by one per update,
// and the action happens on the update that finds it at 0 or below, so a
// counter reset to 4 acts every fifth frame.
class Countdown {
public:
    Countdown() = default;
    explicit Countdown(int frames)
        : left(frames)
    {
    }
    void Set(int frames) { left = frames; }
    int Left() const { return left; }
    bool Done() const { return left <= 0; }
    // True when due (and then reset to `period`); else one frame less.
    bool Tick(int period)
    {
        if (left <= 0) {
            left = period;
            return true;
        }
        --left;
        return false;
    }
    // Lowers the counter while above 0; true once it has reached 0.
    bool Run()
    {
        if (left > 0)
            --left;
        return left <= 0;
    }

private:
    int left = 0;
};

} // namespace Boss

// The owned sprite copies of one character class, looked up once by their
// full names: the class name, an underscore and a suffix
// ("NPC_Boss_Cave" + "_" + "GraphicalLeft"). Each character keeps its own
// copies; they go with it. A name the library lacks gives null (and one
// warning), so the boss runs without that look.
class BossSprites {
public:
    explicit BossSprites(std::string className)
        : prefix(std::move(className))
    {
    }
    // The copy of prefix + "_" + suffix, made on the first call.
    GraphicalObject* Add(const std::string& suffix);
    // The copy of a sprite of another class, by its whole name.
    GraphicalObject* AddByFullName(const std::string& fullName);
    // A copy made before, or null.
    GraphicalObject* Get(const std::string& suffix) const;
    size_t Count() const { return owned.size(); }
    const std::string& Prefix() const { return prefix; }

private:
    std::string prefix;
    std::map<std::string, std::unique_ptr<GraphicalObject>> owned;
};

// A fixed set of projectiles made once through the factory (in the boss's
// constructor), kept disabled and reused. It never grows: when every one is
// in play, `Acquire` gives null and the caller skips that shot. The game's
// live list owns the projectiles; the pool holds weak handles, so one that
// the game has removed (a level change, a dead mark) is simply no longer
// there.
class ProjectilePoolBase {
public:
    ProjectilePoolBase() = default;
    ~ProjectilePoolBase();
    ProjectilePoolBase(const ProjectilePoolBase&) = delete;
    ProjectilePoolBase& operator=(const ProjectilePoolBase&) = delete;

    // Makes `count` characters of the class (named by the class, or by
    // `objectName`), each disabled and without a sprite. Returns how many
    // were made.
    int Fill(const std::string& className, int count, const std::string& objectName = "");
    // The first disabled, still existing projectile, reset (`ResetToStart`)
    // and enabled; null when every one is in play.
    CharacterObject* AcquireCharacter();
    // The first disabled one without resetting or enabling it.
    CharacterObject* FirstFree() const;
    // The projectile at i when it still exists.
    CharacterObject* At(size_t i) const;
    size_t Size() const { return handles.size(); }
    // Still existing and enabled.
    int InPlay() const;
    // Disables every one still there (back into the pool).
    void ReleaseAll();
    // Marks every one still there dead: the game's pass removes them.
    void KillAll();

protected:
    void Adopt(CharacterObject* projectile);

private:
    std::vector<SceneObjectHandle*> handles;
};

template <class T> class ProjectilePool : public ProjectilePoolBase {
public:
    T* Acquire() { return static_cast<T*>(AcquireCharacter()); }
    T* Get(size_t i) const { return dynamic_cast<T*>(At(i)); }
    // Fills the pool with characters of the class that are of type T; those
    // of another type are marked dead at once.
    int FillAs(const std::string& className, int count, const std::string& objectName = "")
    {
        int made = 0;
        for (int i = 0; i < count; ++i) {
            CharacterObject* c = Boss::Create(className, objectName);
            if (c == nullptr)
                continue;
            if (dynamic_cast<T*>(c) == nullptr) {
                c->SetDead(true);
                continue;
            }
            Adopt(c);
            ++made;
        }
        return made;
    }
};

// The convenient base of a boss class: its sprites and the size rule (the
// size of the current sprite, else the stored size).
class BossCharacter : public CharacterObject {
public:
    BossCharacter(std::string name, const std::string& className)
        : CharacterObject(std::move(name))
        , sprites(className)
    {
    }
    Point<int> GetSize() const override;

    // Shows the sprite; a sprite that becomes current restarts from its first
    // frame, with `skipFirstStep` held there through its next step. Null
    // shows nothing.
    void Show(GraphicalObject* sprite, bool skipFirstStep = false);
    // One animation step of the current sprite (none without one).
    void Animate(double step = Boss::kFrameStep);
    // Whether the current sprite's animation has finished (true without
    // one).
    bool AnimationDone() const;

protected:
    BossSprites sprites;
};
