// heartkeys: the Heart fought by real keys. Run on an X server (xvfb-run):
// it saves a slot at the Heart's stone with the end-game stats, starts the
// game's own program in a window there, chooses Play and the slot by keys,
// and plays one plain way from what the window shows, keys sent through the
// X server. It prints one line: the way, the seed, won or lost, life left.
// A way named with "-death" is the death fight: he stands still in the
// arena until the fight kills him, then plays from the respawn; its line
// says too whether he moved within 2 s of the picture's return.
//   heartkeys GAME WORLD FOLDER WAY SEED [LIMIT_SECONDS] [PICTURE_SECONDS]
//   WAY: walls | stones | halfstep, each with or without "-death"
#include "tools/keys/HeartFight.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 6) {
        std::fprintf(
            stderr, "usage: heartkeys GAME WORLD FOLDER WAY SEED [LIMIT_SECONDS] [PICTURE_SECONDS]\n");
        return 2;
    }
    HeartFight::Options options;
    options.game = argv[1];
    options.world = argv[2];
    options.folder = argv[3];
    const std::string way = argv[4];
    const std::string suffix = "-death";
    options.dieFirst = way.size() > suffix.size() && way.ends_with(suffix);
    const std::string plain = options.dieFirst ? way.substr(0, way.size() - suffix.size()) : way;
    if (plain == "walls")
        options.way = KeysHeartPlayer::Way::AtTheWalls;
    else if (plain == "stones")
        options.way = KeysHeartPlayer::Way::StepBackFromStones;
    else if (plain == "halfstep")
        options.way = KeysHeartPlayer::Way::HalfStepBackFromTheWest;
    else {
        std::fprintf(
            stderr, "heartkeys: unknown way \"%s\" (walls, stones, halfstep; -death)\n", way.c_str());
        return 2;
    }
    options.seed = static_cast<unsigned>(std::strtoul(argv[5], nullptr, 10));
    if (argc > 6)
        options.limitSeconds = std::strtod(argv[6], nullptr);
    if (argc > 7)
        options.picturesEvery = std::strtod(argv[7], nullptr);
    const HeartFight::Result result = HeartFight(options).Run();
    if (!result.error.empty()) {
        std::printf("%s seed %u: error: %s\n", way.c_str(), options.seed, result.error.c_str());
        return 3;
    }
    if (options.dieFirst) {
        if (!result.died)
            std::printf("%s seed %u: not killed; ", way.c_str(), options.seed);
        else if (result.moveDelay < 0.0)
            std::printf("%s seed %u: killed after %.0f s; moved within 2 s: no (never moved); ", way.c_str(),
                options.seed, result.diedAfter);
        else
            std::printf("%s seed %u: killed after %.0f s; moved within 2 s: %s (%.2f s); ", way.c_str(),
                options.seed, result.diedAfter, result.movedInTime ? "yes" : "no", result.moveDelay);
    } else {
        std::printf("%s seed %u: ", way.c_str(), options.seed);
    }
    if (result.won)
        std::printf(
            "won, %d life left, lowest %d (%.0f s)\n", result.lifeLeft, result.lowestLife, result.seconds);
    else
        std::printf(
            "lost at %s, lowest %d (%.0f s)\n", result.lostAt.c_str(), result.lowestLife, result.seconds);
    return result.won && (!options.dieFirst || result.movedInTime) ? 0 : 1;
}
