#pragma once

#include "engine/serial/Point.h"
#include "engine/serial/Rect.h"

#include <memory>
#include <string>
#include <vector>

class CharacterObject;
class GraphicalObject;
class Layer;
class Player;
class ShaderRes;

// What every enemy, world mechanism and enemy projectile shares: its owned
// copies of the library's graphicals, the common damage rule with the hit
// shake, the weak-kind double hit, the per-frame step of its graphical and
// drawing effect, the player and the level's "Collisions" layer, and the
// factory through which it makes other characters. Each enemy class calls
// these from its own overrides, so the rules live here once.

// Centre of a box given by two integer corners: each sum formed in floating
// point, halved and truncated toward zero.
Point<int> GetBoxCenter(const Rect<int>& box);

namespace Enemy {

// The damage kinds of the armours' area attack.
constexpr int kFireHit = 1;
constexpr int kIceHit = 2;
// Frame collision-entry type of a spawn point.
constexpr int kSpawnPointBox = 4;

// An owned copy of the library's graphical object of that name; null when
// the library has none, and then one warning naming it (once per name), so
// the enemy is drawn without that look instead of failing.
std::unique_ptr<GraphicalObject> CloneGraphical(const std::string& name);

// The game's player, or null (no game, no level, or between levels).
Player* ThePlayer();
// The current level's scene layer "Collisions", or null.
Layer* CollisionsLayer();
// A new character of the class made through the game's factory (named by
// the class, in the live list), or null.
CharacterObject* Create(const std::string& className);
// Creates the class and returns it when it is of type T; null otherwise.
template <class T> T* CreateAs(const std::string& className)
{
    return dynamic_cast<T*>(Create(className));
}
// Takes a character just made out of the game at once (no death sequence);
// without a game that can, it is marked dead for the next removal pass.
void Delete(CharacterObject* character);
// Whether the character is still in the game's live list: looked up by the
// name it had when it was stored, so a pointer to a character already freed
// is never followed.
bool IsLive(const CharacterObject* character, const std::string& name);
// The character prototypes of the library whose names hold the text.
std::vector<GraphicalObject*> RelatedGraphicals(const std::string& text);

// Size of the character's current graphical, or its stored size.
Point<int> SizeOf(const CharacterObject& self, Point<int> stored);

// The common damage rule: the base flags the hit and restarts the flash;
// with an attacker, life falls by the damage (to 0 from 0 or below) and the
// dead flag is set below 1 life; a living character without a drawing
// effect starts the hit shake when `shake` is set. Returns whether there was
// an attacker.
bool ApplyDamage(CharacterObject& self, CharacterObject* attacker, int damage, bool shake = true);

// The hit shake: vertical amplitude 1 and velocity 30, one pixel of jitter.
void StartHitShake(CharacterObject& self);

// The weak-kind rule of an area hit: a hit of the weak kind marks the
// character with that kind and deals its damage twice (the second time only
// while life is 0 or more).
void ReceiveHit(CharacterObject& self, CharacterObject* attacker, int kind, float amount, int weakKind);

// When a graphical that became current restarts its animation: before its
// first step, so a new look shows its first frame in the update that chose
// it, or after the step, so it shows it one update later.
enum class Restart { BeforeStep, AfterStep };

// The per-frame step of the current graphical: restart its animation when
// it differs from `before` (at the moment `when` says), advance it, and step
// the drawing effect (a hit shake is dropped after 10 frames).
void StepGraphical(
    CharacterObject& self, GraphicalObject* before, double dt, Restart when = Restart::BeforeStep);

// The player's centre minus the character's centre, or (0, 0) without a
// player.
Point<float> ToPlayer(const CharacterObject& self);

// Whether the character's bounding box, at its position, overlaps a solid
// box (type 0) of the collision world that the layer belongs to, or, with
// anyKind, a box of any collision kind (one-way platforms included). Tests
// the box whatever shape the character moves with, so a projectile whose
// shape is a line still meets the box walls.
bool TouchesWall(const CharacterObject& self, Layer* collisions, bool anyKind = false);

// Where the current frame's first spawn point lies (its box centre, placed
// at the character and the box's cell), or `fallback` without one.
Point<int> SpawnPointOr(CharacterObject& self, Point<int> fallback);

// The render engine's loaded shader of that name, or null (no engine, or an
// effect file that did not load: the look is then plain).
ShaderRes* FindShader(const std::string& name);

// The move of one update at a speed in 32-pixel cells per second.
float StepLength(float speed, double dt);

} // namespace Enemy
