#include "engine/render/PixelImage.h"

#include "engine/platform/DebugOutput.h"
#include "engine/platform/Paths.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>
#include <memory>

namespace {

struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

// SDL_RWops that appends everything written to a byte vector.
Sint64 VectorSize(SDL_RWops* ops)
{
    return Sint64(static_cast<std::vector<uint8_t>*>(ops->hidden.unknown.data1)->size());
}

Sint64 VectorSeek(SDL_RWops* ops, Sint64 offset, int whence)
{
    // The PNG writer only asks where it is; writes always append.
    const Sint64 size = VectorSize(ops);
    if (whence == RW_SEEK_CUR && offset == 0)
        return size;
    if (whence == RW_SEEK_END && offset == 0)
        return size;
    return -1;
}

size_t VectorRead(SDL_RWops*, void*, size_t, size_t)
{
    return 0;
}

size_t VectorWrite(SDL_RWops* ops, const void* source, size_t size, size_t count)
{
    auto* out = static_cast<std::vector<uint8_t>*>(ops->hidden.unknown.data1);
    const auto* bytes = static_cast<const uint8_t*>(source);
    out->insert(out->end(), bytes, bytes + size * count);
    return count;
}

int VectorClose(SDL_RWops* ops)
{
    SDL_FreeRW(ops);
    return 0;
}

} // namespace

PixelImage::PixelImage(int width, int height)
    : width(width > 0 ? width : 0)
    , height(height > 0 ? height : 0)
    , pixels(size_t(this->width) * size_t(this->height) * 4, 0)
{
    if (this->width == 0 || this->height == 0)
        this->width = this->height = 0;
}

bool PixelImage::LoadFromSurface(SDL_Surface* surface, const std::string& what)
{
    *this = PixelImage();
    SurfacePtr source(surface);
    if (!source) {
        platform::DebugOutput("Cannot load image " + what + " : " + IMG_GetError() + "\n");
        return false;
    }
    SurfacePtr rgba(SDL_ConvertSurfaceFormat(source.get(), SDL_PIXELFORMAT_RGBA32, 0));
    if (!rgba || rgba->w <= 0 || rgba->h <= 0) {
        platform::DebugOutput("Cannot convert image " + what + "\n");
        return false;
    }
    const size_t rowBytes = size_t(rgba->w) * 4;
    pixels.resize(rowBytes * size_t(rgba->h));
    SDL_LockSurface(rgba.get());
    for (int y = 0; y < rgba->h; ++y)
        std::memcpy(pixels.data() + rowBytes * size_t(y),
            static_cast<const uint8_t*>(rgba->pixels) + size_t(rgba->pitch) * size_t(y), rowBytes);
    SDL_UnlockSurface(rgba.get());
    width = rgba->w;
    height = rgba->h;
    return true;
}

bool PixelImage::LoadFromFile(const std::string& path)
{
    return LoadFromSurface(IMG_Load(platform::ResolvePath(path).c_str()), path);
}

bool PixelImage::LoadFromMemory(std::span<const uint8_t> bytes)
{
    *this = PixelImage();
    if (bytes.empty() || bytes.size() > size_t(INT32_MAX)) {
        platform::DebugOutput("Cannot load image from memory : no data\n");
        return false;
    }
    SDL_RWops* source = SDL_RWFromConstMem(bytes.data(), int(bytes.size()));
    return LoadFromSurface(IMG_Load_RW(source, 1), "from memory");
}

std::vector<uint8_t> PixelImage::EncodePng() const
{
    std::vector<uint8_t> out;
    if (IsEmpty())
        return out;
    SurfacePtr surface(SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint8_t*>(pixels.data()), width, height, 32, width * 4, SDL_PIXELFORMAT_RGBA32));
    SDL_RWops* sink = SDL_AllocRW();
    if (!surface || !sink) {
        if (sink)
            SDL_FreeRW(sink);
        return out;
    }
    sink->size = VectorSize;
    sink->seek = VectorSeek;
    sink->read = VectorRead;
    sink->write = VectorWrite;
    sink->close = VectorClose;
    sink->type = SDL_RWOPS_UNKNOWN;
    sink->hidden.unknown.data1 = &out;
    if (IMG_SavePNG_RW(surface.get(), sink, 1) != 0)
        out.clear();
    return out;
}

bool PixelImage::SavePng(const std::string& path) const
{
    if (IsEmpty())
        return false;
    SurfacePtr surface(SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint8_t*>(pixels.data()), width, height, 32, width * 4, SDL_PIXELFORMAT_RGBA32));
    return surface && IMG_SavePNG(surface.get(), path.c_str()) == 0;
}

uint32_t PixelImage::GetPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return 0;
    return ArgbFromRgba(pixels.data() + (size_t(y) * size_t(width) + size_t(x)) * 4);
}

void PixelImage::SetPixel(int x, int y, uint32_t argb)
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return;
    uint8_t* p = pixels.data() + (size_t(y) * size_t(width) + size_t(x)) * 4;
    p[0] = uint8_t(argb >> 16);
    p[1] = uint8_t(argb >> 8);
    p[2] = uint8_t(argb);
    p[3] = uint8_t(argb >> 24);
}

void PixelImage::Fill(uint32_t argb)
{
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            SetPixel(x, y, argb);
}

void PixelImage::ApplyColorKey(uint32_t argb)
{
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (GetPixel(x, y) == argb)
                SetPixel(x, y, 0);
}
