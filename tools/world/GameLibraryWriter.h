#pragma once

#include "tools/world/ArtAtlas.h"
#include "tools/world/ArtRecipe.h"
#include "tools/world/SoundSynth.h"

#include <map>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

// Builds the game library from the world's art and sound lists with the
// engine's own record classes and writes "gamelib.txt" in the library file's
// layout: sprites, animated sprites, scene objects, the map records, sounds
// with the sound-events record, fonts and particle systems.
//
// Scene objects: one graphical object per picture (holding its same-named
// animated sprite and its boxes), the ten collision blocks, the four camera
// blockers and one object per zone, point and spawner type, each showing the
// transparent "zone_clear" sprite.
class AnimatedSprite;
class GraphicalObject;
class Sound;
class SoundEventsManager;
class Sprite;
class UI_Font;

class GameLibraryWriter {
public:
    // Builds the tables (the records are the engine's own objects).
    GameLibraryWriter(const ArtBook& book, const ArtAtlas& atlas, const std::vector<SynthSound>& sounds);
    ~GameLibraryWriter();
    GameLibraryWriter(const GameLibraryWriter&) = delete;
    GameLibraryWriter& operator=(const GameLibraryWriter&) = delete;

    // False when a stream write fails.
    bool Write(std::ostream& os) const;

    // Every scene-object name the library holds.
    std::set<std::string> ObjectNames() const;
    // The library's scene object of that name (the prototype levels place), or null.
    GraphicalObject* FindObject(const std::string& name) const;
    // Every scene object, in the library's order (owned by the writer).
    std::vector<GraphicalObject*> Objects() const;

    // The sound-event name for a sound file name, using the events the
    // engine knows ("menu_select" -> "Menu_Select"; "_b" marks a second
    // variation); empty when no event matches.
    static std::string EventForSound(const std::string& soundName, bool& secondVariation);

private:
    void WriteParticleSystem(std::ostream& os, const ArtParticles& system) const;

    std::vector<std::unique_ptr<Sprite>> sprites;
    std::vector<std::unique_ptr<AnimatedSprite>> animations;
    std::vector<std::unique_ptr<GraphicalObject>> objects;
    std::map<std::string, GraphicalObject*> objectByName;
    std::vector<std::unique_ptr<Sound>> soundTable;
    std::unique_ptr<SoundEventsManager> events;
    std::vector<ArtParticles> particleSystems;
    std::vector<std::unique_ptr<UI_Font>> fonts;
};

// The zone, point and spawner type names placed in levels (object names, not
// record class names).
std::vector<std::string> ZoneTypeNames();

// The record class name of a zone, point or spawner type where it differs
// from the object name ("Climb_Zone" -> "Zone_ClimbJump"); else the name.
std::string ZoneClassName(const std::string& objectName);

// The sides a camera blocker of that name holds the camera on (-1, 0 or 1
// across, then up); false for any other object.
bool CameraBlockerSides(const std::string& objectName, int& horizontal, int& vertical);
