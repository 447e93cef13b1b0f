#pragma once

#include <string>

class GameConfig;
class ISoundEngine;
class MusicLibrary;
class Sound;
class SoundEventsManager;

// What the sound classes ask of the game object: its engine, its sound-event
// manager and music library, its sound table, the player (the listener of
// positional events) and the configuration. The game object installs
// itself with SetSoundGameAccess while it exists; without it every sound class
// behaves as when no game runs (no lookups, no listener, no started-list).
class SoundGameAccess {
public:
    virtual ~SoundGameAccess() = default;

    virtual ISoundEngine* GetSoundEngine() = 0;
    virtual SoundEventsManager* GetSoundEventsManager() = 0;
    virtual MusicLibrary* GetMusicLibrary() = 0;
    // The sound of that name in the game library's sound table, or null.
    virtual Sound* FindSound(const std::string& name) = 0;
    // The player's position and size; false when the game has no player.
    virtual bool GetPlayerBox(float& x, float& y, int& width, int& height) = 0;
    // The user's options (music and sound volumes, 0 to 10 each).
    virtual GameConfig* GetConfig() = 0;
};

SoundGameAccess* GetSoundGameAccess();
void SetSoundGameAccess(SoundGameAccess* access);
