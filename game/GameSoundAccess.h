#pragma once

#include "engine/sound/SoundGameAccess.h"
#include "game/Game.h"

#include <string>

// What the sound code asks of the game, answered from the game that owns it.
class GameSoundAccess : public SoundGameAccess {
public:
    explicit GameSoundAccess(Game& owner)
        : game(owner)
    {
    }
    ISoundEngine* GetSoundEngine() override { return game.GetSoundEngine(); }
    SoundEventsManager* GetSoundEventsManager() override { return game.GetSoundEventsManager(); }
    MusicLibrary* GetMusicLibrary() override { return game.GetMusicLibrary(); }
    Sound* FindSound(const std::string& name) override { return Game::FindSound(name); }
    bool GetPlayerBox(float& x, float& y, int& width, int& height) override;
    GameConfig* GetConfig() override { return game.GetConfig(); }

private:
    Game& game;
};
