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
    game->RequestLevelChange(tokens[0], tokens.size() > 1 ? tokens[1] : std::string());
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

bool CmdSetUserPath(std::string arguments)
{
    // The rest of the line is the path, blanks kept; a folder ends with a
    // separator so that file names can follow it directly.
    std::string path = std::move(arguments);
    while (!path.empty() && path.front() == ' ')
        path.erase(path.begin());
    if (path.empty())
        return true;
    if (path.back() != '/' && path.back() != '\\')
        path += '/';
    SetUserPath(path);
    return true;
}

bool CmdSetFrameDelay(std::string arguments)
{
    Game* game = Game::GetInstance();
    const std::vector<std::string> tokens = SplitCommandLine(std::move(arguments));
    if (game == nullptr || tokens.empty())
        return false;
    int delay = 0;
    const auto [end, error] = std::from_chars(tokens[0].data(), tokens[0].data() + tokens[0].size(), delay);
    if (error != std::errc() || delay < 0)
        return false;
    game->frameDelay = delay;
    return true;
}
