#include "engine/platform/Termination.h"
#include "game/GameStartup.h"

#include <string>
#include <vector>

namespace {

// The handler of a request to end is the first code of the program to run:
// before the libraries' and the program's own static set-up (tenths of a
// second), so an end asked in the program's first instant ends it in order,
// never by the signal's default action.
void InstallTerminationHandlerFirst(int, char**, char**)
{
    platform::InstallTerminationHandler();
}

[[gnu::section(".preinit_array"), gnu::used]] void (*const kFirstOfAll)(int, char**, char**)
    = InstallTerminationHandlerFirst;

} // namespace

int main(int argc, char** argv)
{
    return RunGame(std::vector<std::string>(argv + 1, argv + argc));
}
