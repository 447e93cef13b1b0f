#include "game/GameFlowCommands.h"

#include "engine/app/SplitCommandLine.h"
#include "engine/config/GamePaths.h"
#include "engine/render/IRenderEngine.h"
#include "engine/render/RenderPoolManager.h"
#include "game/Game.h"

#include <charconv>

bool CmdChangeLevel(std::string arguments)
{
    Game* game = Game::GetInstance();
    const std::vector<std::string> tokens = SplitCommandLine(std::move(arguments));
    if (game == nullptr || tokens.empty())
        return false;
    // Typed by the user: a path is welcome.
    game->RequestLevelChange(
        tokens[0], tokens.size() > 1 ? tokens[1] : std::string(), Game::LevelNameSource::kTyped);
    return true;
}

bool CmdExit(std::string)
{
    Game* game = Game::GetInstance();
    if (game == nullptr)
        return false;
    game->RequestQuit();
    return true;
}
