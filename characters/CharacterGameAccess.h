#pragma once

#include "engine/serial/Point.h"

#include <string>
#include <vector>

class BackgroundEvent;
class Camera;
class CharacterObject;
class GraphicalObject;
class Layer;
class LocalParticleSystem;
class ParticleSystem;
class SceneObject;

// The state of the player's crossbow that a dying character reads to decide
// on a bolt refill.
struct PlayerCrossbowState {
    bool exists = false;
    bool enabled = false;
    int boltsLeft = 0;
    int capacity = 0;
};

// What the characters and their particle systems ask of the game object: the
// player, the current level's event queue and particle layers, slow motion,
// messages to waiting scripts and the game library's look-ups. The game
// installs itself with SetCharacterGameAccess while it exists; without it
// there is no player and no level, so drops, death effects and contact
// damage are skipped and look-ups find nothing.
class CharacterGameAccess {
public:
    virtual ~CharacterGameAccess() = default;

    // The player character, or null.
    virtual CharacterObject* GetPlayer() = 0;
    virtual PlayerCrossbowState GetPlayerCrossbow() = 0;
    // Whether a level is loaded.
    virtual bool HasLevel() = 0;
    // Appends the event to the current level's queue, which owns it; without
    // a level the event is destroyed.
    virtual void AddBackgroundEvent(BackgroundEvent* event) = 0;
    // The first and last scene layers of the current level that accept
    // objects; either may be null.
    virtual void GetParticleLayers(Layer*& front, Layer*& back) = 0;
    // Hands the system to the layer, which owns, updates and draws it.
    virtual void AddParticleSystem(Layer* layer, ParticleSystem* system) = 0;
    // The world advances only on every step-th frame for a while.
    virtual void RequestSlowMotion(int budget, int step) = 0;
    // Tells every script waiting for the message.
    virtual void BroadcastMessage(const std::string& message) = 0;
    virtual GraphicalObject* FindGraphicalObject(const std::string& name) = 0;
    virtual LocalParticleSystem* FindLocalParticleSystem(const std::string& name) = 0;
    // Whether characters are made under that name: a class of the character
    // factory, or a part a boss makes of itself under a name of its own.
    virtual bool IsParticleLinkName(const std::string& name) = 0;

    // What enemies and their projectiles ask besides. The defaults find and
    // make nothing, as a game without a level would.
    // A new character of the class, named by the class, in the game's live
    // list (the list owns it); null for a class the factory does not know.
    virtual CharacterObject* CreateCharacter(const std::string& /*className*/) { return nullptr; }
    // Takes the character out of the live list and deletes it at once (no
    // death sequence); false when the game cannot, and the caller then sets
    // its dead flag instead.
    virtual bool DeleteCharacter(CharacterObject* /*character*/) { return false; }
    // A copy of the library's graphical object, owned by the caller; null
    // when the library has none of that name.
    virtual GraphicalObject* CloneGraphicalObject(const std::string& /*name*/) { return nullptr; }
    // A new scene object of the class through the game's scene-object
    // factory, entered in the game's table (so it is found by name) and owned
    // by it, with the category when not empty; null for an unknown class.
    virtual SceneObject* CreateSceneObject(
        const std::string& /*name*/, const std::string& /*classKey*/, const std::string& /*category*/)
    {
        return nullptr;
    }
    // The first live character of that name other than `leaveOut`, or null.
    virtual CharacterObject* FindCharacterByName(
        const std::string& /*name*/, const CharacterObject* /*leaveOut*/)
    {
        return nullptr;
    }
    // Every live character of that name other than `leaveOut`, in list
    // order; with skipDead those whose dead flag is set are left out.
    virtual std::vector<CharacterObject*> FindCharactersByName(
        const std::string& /*name*/, const CharacterObject* /*leaveOut*/, bool /*skipDead*/)
    {
        return {};
    }
    // Whether the character is live under that name: a pointer kept across
    // frames may name a character deleted since.
    virtual bool IsLiveCharacter(const CharacterObject* character, const std::string& name)
    {
        for (const CharacterObject* live : FindCharactersByName(name, nullptr, false))
            if (live == character)
                return true;
        return false;
    }
    // The library's character prototypes whose names hold the text (not
    // copies).
    virtual std::vector<GraphicalObject*> FindCharacterPrototypes(const std::string& /*text*/) { return {}; }
    // The current level's scene layer of that name, or null.
    virtual Layer* FindSceneLayer(const std::string& /*layerName*/) { return nullptr; }

    // What the bosses ask besides. A new character of the class under the
    // object name, appended to the live list or put just before `before`
    // when that is in the list; null for an unknown class.
    virtual CharacterObject* CreateCharacterNamed(
        const std::string& /*objectName*/, const std::string& /*className*/, CharacterObject* /*before*/)
    {
        return nullptr;
    }
    // The camera's lower-left corner in level pixels.
    virtual Point<float> GetCameraPosition() { return Point<float>(); }
    // The game's gameplay pause (while set the player takes no damage and
    // only the exempt characters update).
    virtual void SetGameplayPaused(bool /*paused*/) { }
    // The game's camera (a boss's grip makes it travel to the held player),
    // or null.
    virtual Camera* GetCamera() { return nullptr; }
};

CharacterGameAccess* GetCharacterGameAccess();
void SetCharacterGameAccess(CharacterGameAccess* access);
