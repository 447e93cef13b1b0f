#include "engine/render/PixelImage.h"

#include "engine/platform/DebugOutput.h"
#include "engine/platform/Paths.h"

#include <SDL.h>
#include <spng.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>

namespace {

struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

struct SpngDeleter {
    void operator()(spng_ctx* ctx) const { spng_ctx_free(ctx); }
};
using SpngPtr = std::unique_ptr<spng_ctx, SpngDeleter>;

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// No picture of the game comes near these: a damaged file cannot make the
// loader read or keep more.
constexpr uint64_t kMaxFileBytes = 256ull << 20;
constexpr size_t kMaxChunkBytes = 4u << 20;
constexpr size_t kMaxChunkCacheBytes = 16u << 20;
// Deflate packs at most about 1032 bytes into one; a file claiming more
// pixels than its compressed data could ever unpack to is damaged, and is
// refused before the picture is allocated.
constexpr uint64_t kMaxDeflateRatio = 1032;

void ReportLoadError(const std::string& message)
{
    platform::DebugOutput(message);
    std::fputs(message.c_str(), stderr);
}

int ChannelsOf(uint8_t colourType)
{
    switch (colourType) {
    case SPNG_COLOR_TYPE_GRAYSCALE_ALPHA:
        return 2;
    case SPNG_COLOR_TYPE_TRUECOLOR:
        return 3;
    case SPNG_COLOR_TYPE_TRUECOLOR_ALPHA:
        return 4;
    default:
        return 1; // greyscale, indexed
    }
}

bool HoldsEnoughData(const spng_ihdr& header, size_t fileBytes)
{
    const uint64_t rowBits
        = uint64_t(header.width) * uint64_t(ChannelsOf(header.color_type)) * header.bit_depth;
    const uint64_t rawBytes = uint64_t(header.height) * (1 + (rowBits + 7) / 8);
    return rawBytes / kMaxDeflateRatio <= fileBytes;
}

// A greyscale picture with a transparency key: the key is a grey level at the
// picture's own bit depth, compared with each sample before it is widened.
bool IsGreyWithKey(spng_ctx* ctx, const spng_ihdr& header)
{
    spng_trns key {};
    return header.color_type == SPNG_COLOR_TYPE_GRAYSCALE && spng_get_trns(ctx, &key) == 0;
}

int DecodeGreyWithKey(spng_ctx* ctx, const spng_ihdr& header, std::vector<uint8_t>& rgba)
{
    spng_trns key {};
    spng_get_trns(ctx, &key);
    // Samples as stored (big-endian, packed below 8 bits), then widened here.
    size_t rawBytes = 0;
    if (const int result = spng_decoded_image_size(ctx, SPNG_FMT_PNG, &rawBytes); result != 0)
        return result;
    std::vector<uint8_t> raw(rawBytes);
    if (const int result = spng_decode_image(ctx, raw.data(), raw.size(), SPNG_FMT_PNG, 0); result != 0)
        return result;
    const uint32_t depth = header.bit_depth;
    const size_t rowBytes = (size_t(header.width) * depth + 7) / 8;
    const uint32_t maxLevel = (1u << depth) - 1;
    for (size_t y = 0; y < header.height; ++y) {
        const uint8_t* row = raw.data() + y * rowBytes;
        for (size_t x = 0; x < header.width; ++x) {
            uint32_t level = 0;
            if (depth == 16)
                level = (uint32_t(row[x * 2]) << 8) | row[x * 2 + 1];
            else if (depth == 8)
                level = row[x];
            else {
                const size_t bit = x * depth;
                level = (row[bit / 8] >> (8 - depth - bit % 8)) & maxLevel;
            }
            const auto grey = uint8_t((level * 255 + maxLevel / 2) / maxLevel);
            uint8_t* out = rgba.data() + (y * header.width + x) * 4;
            out[0] = out[1] = out[2] = grey;
            out[3] = level == key.gray ? 0 : 255;
        }
    }
    return 0;
}

// A decoder over the bytes with the loader's limits, its header read and
// checked; the reason when the bytes are no picture the game accepts.
std::string OpenPng(std::span<const uint8_t> bytes, SpngPtr& decoder, spng_ihdr& header)
{
    if (bytes.empty())
        return "no data";
    if (bytes.size() < 8 || std::memcmp(bytes.data(), kPngSignature, 8) != 0)
        return "not a PNG image";
    decoder.reset(spng_ctx_new(0));
    if (!decoder)
        return "out of memory";
    spng_ctx* ctx = decoder.get();
    spng_set_image_limits(ctx, PixelImage::kMaxSide, PixelImage::kMaxSide);
    spng_set_chunk_limits(ctx, kMaxChunkBytes, kMaxChunkCacheBytes);
    spng_set_png_buffer(ctx, bytes.data(), bytes.size());
    if (const int result = spng_get_ihdr(ctx, &header); result != 0)
        return std::string("bad PNG header: ") + spng_strerror(result);
    if (!HoldsEnoughData(header, bytes.size()))
        return "claims " + std::to_string(header.width) + " x " + std::to_string(header.height)
            + " pixels, more than its " + std::to_string(bytes.size()) + " bytes can hold";
    return {};
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
        platform::DebugOutput("Cannot load image " + what + " : " + SDL_GetError() + "\n");
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

bool PixelImage::ReadFile(const std::string& path, std::vector<uint8_t>& bytes)
{
    const std::string resolved = platform::ResolvePath(path);
    std::ifstream file = platform::OpenRegularFile(resolved, std::ios::binary | std::ios::ate);
    if (!file) {
        // A picture that is there but cannot be opened says why.
        if (const std::string why = platform::OpenFailureReason(resolved); !why.empty())
            return Refuse(path, "the file cannot be opened: " + why);
        // A pipe or a device stands there: not missing, and never read.
        if (platform::IsNonRegularFile(resolved))
            return Refuse(path, "the file is not a regular file");
        // A missing one is not reported here: the texture loader tries
        // several places and reports only when none has the picture.
        error = path + ": cannot open the file";
        missingFile = true;
        return false;
    }
    const std::streamoff size = file.tellg();
    if (size < 0)
        return Refuse(path, "the file cannot be read: its size cannot be found (it cannot be seeked)");
    if (uint64_t(size) > kMaxFileBytes)
        return Refuse(path, "the file is larger than any picture the game can load");
    bytes.resize(static_cast<size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size))
        return Refuse(path, "the file cannot be read");
    return true;
}

bool PixelImage::LoadFromFile(const std::string& path)
{
    *this = PixelImage();
    std::vector<uint8_t> bytes;
    return ReadFile(path, bytes) && LoadFromMemory(bytes, path);
}

bool PixelImage::PeekFile(const std::string& path, EncodedPng& png)
{
    *this = PixelImage();
    png = EncodedPng();
    std::vector<uint8_t> bytes;
    return ReadFile(path, bytes) && PeekMemory(std::move(bytes), path, png);
}

bool PixelImage::PeekMemory(std::vector<uint8_t> bytes, const std::string& name, EncodedPng& png)
{
    *this = PixelImage();
    png = EncodedPng();
    SpngPtr decoder;
    spng_ihdr header {};
    if (const std::string reason = OpenPng(bytes, decoder, header); !reason.empty())
        return Refuse(name, reason);
    png.width = int(header.width);
    png.height = int(header.height);
    png.name = name;
    png.bytes = std::move(bytes);
    return true;
}

bool PixelImage::LoadFromMemory(std::span<const uint8_t> bytes, const std::string& name)
{
    *this = PixelImage();
    SpngPtr decoder;
    spng_ihdr header {};
    if (const std::string reason = OpenPng(bytes, decoder, header); !reason.empty())
        return Refuse(name, reason);
    spng_ctx* ctx = decoder.get();

    size_t decodedBytes = 0;
    if (const int result = spng_decoded_image_size(ctx, SPNG_FMT_RGBA8, &decodedBytes); result != 0)
        return Refuse(name, std::string("bad PNG image: ") + spng_strerror(result));
    std::vector<uint8_t> decoded(decodedBytes);
    const int result = IsGreyWithKey(ctx, header)
        ? DecodeGreyWithKey(ctx, header, decoded)
        : spng_decode_image(ctx, decoded.data(), decoded.size(), SPNG_FMT_RGBA8, SPNG_DECODE_TRNS);
    if (result != 0)
        return Refuse(name, std::string("damaged PNG data: ") + spng_strerror(result));

    width = int(header.width);
    height = int(header.height);
    pixels = std::move(decoded);
    return true;
}

bool PixelImage::Refuse(const std::string& name, const std::string& reason)
{
    *this = PixelImage();
    error = name + ": " + reason;
    ReportLoadError("Cannot load image " + error + "\n");
    return false;
}

std::vector<uint8_t> PixelImage::EncodePng() const
{
    std::vector<uint8_t> out;
    if (IsEmpty())
        return out;
    SpngPtr encoder(spng_ctx_new(SPNG_CTX_ENCODER));
    if (!encoder)
        return out;
    spng_set_option(encoder.get(), SPNG_ENCODE_TO_BUFFER, 1);
    spng_ihdr header {};
    header.width = uint32_t(width);
    header.height = uint32_t(height);
    header.bit_depth = 8;
    header.color_type = SPNG_COLOR_TYPE_TRUECOLOR_ALPHA;
    if (spng_set_ihdr(encoder.get(), &header) != 0
        || spng_encode_image(encoder.get(), pixels.data(), pixels.size(), SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE)
            != 0)
        return out;
    size_t length = 0;
    int result = 0;
    std::unique_ptr<void, decltype(&std::free)> buffer(
        spng_get_png_buffer(encoder.get(), &length, &result), &std::free);
    if (buffer && result == 0) {
        const auto* begin = static_cast<const uint8_t*>(buffer.get());
        out.assign(begin, begin + length);
    }
    return out;
}

bool PixelImage::SavePng(const std::string& path) const
{
    const std::vector<uint8_t> png = EncodePng();
    if (png.empty())
        return false;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    return bool(file);
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
