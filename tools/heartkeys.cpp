// heartkeys: the Heart fought by real keys. Run on an X server (xvfb-run):
// it saves a slot at the Heart's stone with the end-game stats, starts the
// game's own program in a window there, chooses Play and the slot by keys,
// and plays one plain way from what the window shows, keys sent through the
// X server. It prints one line: the way, the seed, won or lost, life left.
//   heartkeys GAME WORLD FOLDER WAY SEED [LIMIT_SECONDS] [PICTURE_SECONDS]
//   WAY: walls | stones | halfstep
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
    if (way == "walls")
        options.way = KeysHeartPlayer::Way::AtTheWalls;
    else if (way == "stones")
        options.way = KeysHeartPlayer::Way::StepBackFromStones;
    else if (way == "halfstep")
        options.way = KeysHeartPlayer::Way::HalfStepBackFromTheWest;
    else {
        std::fprintf(stderr, "heartkeys: unknown way \"%s\" (walls, stones, halfstep)\n", way.c_str());
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
    if (result.won)
        std::printf("%s seed %u: won, %d life left, lowest %d (%.0f s)\n", way.c_str(), options.seed,
            result.lifeLeft, result.lowestLife, result.seconds);
    else
        std::printf("%s seed %u: lost at %s, lowest %d (%.0f s)\n", way.c_str(), options.seed,
            result.lostAt.c_str(), result.lowestLife, result.seconds);
    return result.won ? 0 : 1;
}
