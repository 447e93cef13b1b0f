#include "engine/platform/Shell.h"

#include <SDL.h>

namespace platform {

bool OpenWithDefaultProgram(const std::string& path)
{
    return SDL_OpenURL(("file://" + path).c_str()) == 0;
}

} // namespace platform
