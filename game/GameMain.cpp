#include "game/GameStartup.h"

#include <string>
#include <vector>

int main(int argc, char** argv)
{
    return RunGame(std::vector<std::string>(argv + 1, argv + argc));
}
