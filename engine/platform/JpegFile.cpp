#include "engine/platform/JpegFile.h"

#include <SDL.h>
#include <SDL_image.h>

namespace platform {

namespace {
constexpr int kJpegQuality = 90;
}

bool SaveJpeg(const std::string& path, const std::vector<uint32_t>& argb, int width, int height)
{
    if (width <= 0 || height <= 0 || argb.size() < static_cast<size_t>(width) * static_cast<size_t>(height))
        return false;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint32_t*>(argb.data()), width, height, 32, width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!surface)
        return false;
    const bool ok = IMG_SaveJPG(surface, path.c_str(), kJpegQuality) == 0;
    SDL_FreeSurface(surface);
    return ok;
}

bool LoadPicture(const std::string& path, std::vector<uint32_t>& argb, int& width, int& height)
{
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (!loaded)
        return false;
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!converted)
        return false;
    width = converted->w;
    height = converted->h;
    argb.resize(static_cast<size_t>(width) * height);
    SDL_LockSurface(converted);
    for (int row = 0; row < height; ++row) {
        const auto* line = reinterpret_cast<const uint32_t*>(
            static_cast<const uint8_t*>(converted->pixels) + static_cast<size_t>(row) * converted->pitch);
        std::copy(line, line + width, argb.begin() + static_cast<size_t>(row) * width);
    }
    SDL_UnlockSurface(converted);
    SDL_FreeSurface(converted);
    return true;
}

} // namespace platform
