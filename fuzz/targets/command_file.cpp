#include "fuzz/FuzzPlayground.h"
#include "fuzz/FuzzTarget.h"

#include <sstream>

// A settings file such as "init_vars.txt", or the lines typed at the console,
// run through every console command of a game in a level, then once more
// with no level (as the first pass of the start-up runs it).
QUENHOLT_FUZZ_TARGET(command_file, fuzz::Reports::Nothing)
{
    for (const bool inLevel : {true, false}) {
        fuzz::FuzzPlayground playground;
        if (!inLevel)
            playground.DropLevel();
        std::istringstream stream(playground.ConfineUserPaths(input.Text()));
        playground.game.RunCommandFile(stream, input.name);
    }
    return true;
}
