#pragma once

#include "tools/keys/KeysHeartPlayer.h"

#include <string>

class GameWindow;
class HeartDeath;

// One fight at the Heart by real keys: the game's own program started on
// the X server of DISPLAY, Play and the first slot chosen by keys, then the
// player plays from what the window shows until the slot says the Heart is
// won ("done_h") or he is down. The death fight lets the fight kill him
// first and times his first move after the respawn (HeartDeath).
class HeartFight {
public:
    struct Options {
        std::string game;
        std::string world;
        // Scratch folder: the game's documents (its slot), its output and
        // pictures when asked.
        std::string folder;
        KeysHeartPlayer::Way way = KeysHeartPlayer::Way::AtTheWalls;
        unsigned seed = 1;
        double limitSeconds = 300.0;
        // Every this many seconds a picture of the window is kept (0: none).
        double picturesEvery = 0.0;
        // He first stands still in the arena until the fight kills him, then
        // plays from the respawn (the limit counts from there).
        bool dieFirst = false;
    };
    struct Result {
        bool won = false;
        // Hearts shown on the HUD as the fight was won, the fewest shown in
        // it, and where a lost fight was lost.
        int lifeLeft = 0;
        int lowestLife = 0;
        std::string lostAt;
        double seconds = 0.0;
        std::string error;
        // The death fight: killed (after this many seconds), and his first
        // move this many seconds after the picture was back (-1: none).
        bool died = false;
        double diedAfter = 0.0;
        double moveDelay = -1.0;
        bool movedInTime = false;
    };

    explicit HeartFight(Options options);
    Result Run();

private:
    bool StartFromTheMenu(GameWindow& window, Result& result);
    void Play(GameWindow& window, Result& result);
    bool FollowDeath(HeartDeath& death, KeysHeartPlayer& player, double now,
        const HeartScreen::Reading& reading, double& fightFrom, bool& still, Result& result) const;
    void Keep(const Picture& picture, const std::string& name) const;

    Options options;
};
