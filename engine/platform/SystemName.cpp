#include "engine/platform/SystemName.h"

#include <SDL.h>

namespace platform {

std::string PlatformName()
{
    return SDL_GetPlatform();
}

} // namespace platform
