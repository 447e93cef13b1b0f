#pragma once

#include "engine/serial/Point.h"

#include <cstddef>
#include <string>
#include <vector>

class AbstractInputManager;
class CharacterObject;
class GraphicalObject;
class Level;
class MapModel;
class Player;
class SceneObject;
class SceneObjectInstance;
template <class Object, class Coord> class SpacialInstance;

// What zones, points and spawners (and the characters they place) ask of the
// game object: the player, the level, the map, teleports and saves, and the
// texts, dialogues and scripts that the layer above makes. The game installs
// itself with SetZoneGameAccess while it exists; without it nothing is found
// and every request does nothing.
class ZoneGameAccess {
public:
    using Placed = SpacialInstance<GraphicalObject, float>;

    virtual ~ZoneGameAccess() = default;

    virtual Player* GetPlayer() = 0;
    virtual Level* GetCurrentLevel() = 0;
    virtual AbstractInputManager* GetInputManager() = 0;
    // The game's minimap model, or null.
    virtual MapModel* GetMinimapModel() = 0;
    // A new character of the class, named `name`, in the game's live list
    // (the list owns it); null for a class the factory does not know.
    virtual CharacterObject* CreateCharacterByClass(const std::string& name, const std::string& className)
        = 0;
    // The library's object of that name (a copy owned by the caller when
    // `clone`), or null.
    virtual SceneObject* FindSceneObject(const std::string& name, bool clone) = 0;
    virtual GraphicalObject* FindGraphicalObject(const std::string& name, bool clone) = 0;

    virtual void RequestLevelChange(const std::string& levelFile, const std::string& startPoint) = 0;
    // Counts one point of score into the game's save data.
    virtual void IncrementGameScore() = 0;
    // Saves the game with the player at (x, y) facing `direction`; true when
    // the save file was written.
    virtual bool SaveGameAt(float x, float y, int direction) = 0;
    // The slot being played, -1 without one.
    virtual int GetCurrentSaveSlot() = 0;
    // Opens the overlay screen on the map, as a pickup does, while the sound
    // events keep playing.
    virtual void OpenMap() = 0;

    // Whether the teleporter of that level is known.
    virtual bool IsTeleportKnown(const std::string& levelFile) = 0;
    virtual size_t GetTeleportCount() = 0;
    // Records the level's teleporter, says so on the HUD and counts it.
    virtual void DiscoverTeleport(const Level* level) = 0;
    virtual void OpenTeleportMenu() = 0;

    // Queues a text event on the current level, shown for `ticks` logic
    // ticks (-1: until finished).
    virtual void ShowText(const std::string& eventName, const std::string& text, int ticks) = 0;
    // Queues the first dialogue of `fileName` on the level as the event
    // `eventName`, started with its first line shown whole; false when the
    // file gives no line.
    virtual bool ShowDialogue(Level& level, const std::string& eventName, const std::string& fileName) = 0;
    // Queues a new script event `scriptName` running `text` on the level,
    // started at `label` on behalf of `placed`.
    virtual void StartScript(Level& level, const std::string& scriptName, const std::string& text,
        const std::string& label, Placed* placed)
        = 0;
    // The script-driven character of a trigger zone, named `name`, showing a
    // copy of the graphic `graphicName` when that is not empty; null when
    // the factory cannot make it.
    virtual CharacterObject* CreateScriptCharacter(const std::string& name, const std::string& graphicName)
        = 0;
    // The graphical objects the script's "SetGraphical" commands will show.
    virtual std::vector<GraphicalObject*> CollectScriptGraphicals(const std::string& scriptText) = 0;
};

ZoneGameAccess* GetZoneGameAccess();
void SetZoneGameAccess(ZoneGameAccess* access);
