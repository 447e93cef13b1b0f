#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct SDL_Surface;

// A PNG read and its header checked, not yet decoded: its bytes, the name it
// is reported under and the size its header gives. Decoding waits until the
// picture is first needed (PixelImage::LoadFromPng), and the bytes go then.
struct EncodedPng {
    std::vector<uint8_t> bytes;
    std::string name;
    int width = 0;
    int height = 0;
    bool IsEmpty() const { return width == 0 || height == 0; }
};

// The ARGB word of one pixel stored as R, G, B, A bytes (PixelImage rows, GL
// read-backs).
inline uint32_t ArgbFromRgba(const uint8_t* rgba)
{
    return (uint32_t(rgba[3]) << 24) | (uint32_t(rgba[0]) << 16) | (uint32_t(rgba[1]) << 8)
        | uint32_t(rgba[2]);
}

// A decoded picture in CPU memory: 8-bit RGBA, rows from the top, bytes in
// R, G, B, A order. Decoding needs no GL context, so it may run on any thread;
// GLTexture uploads it on the render thread.
class PixelImage {
public:
    PixelImage() = default;
    // A transparent black picture of that size (sizes below 0 count as 0).
    PixelImage(int width, int height);

    // Largest picture the decoder accepts, on either side.
    static constexpr uint32_t kMaxSide = 8192;

    // Decode a PNG (and nothing else) from a data file (the path goes through
    // the platform resolver) or from bytes in memory; `name` names those bytes
    // in messages. On failure the picture is left empty and GetError() says
    // why. A missing file is not reported (the texture loader tries several
    // places and reports when none has the picture): IsMissingFile() tells it
    // apart; a file that is there but cannot be decoded is reported with its
    // name and the reason on the debug output and stderr.
    bool LoadFromFile(const std::string& path);
    bool LoadFromMemory(std::span<const uint8_t> bytes, const std::string& name = "image in memory");
    bool LoadFromPng(const EncodedPng& png) { return LoadFromMemory(png.bytes, png.name); }
    // Read a PNG and check its header (signature, size limits, enough data
    // for the size it claims) without decoding it: failures are told and
    // reported as the loads above tell them, and leave `png` empty. The
    // picture data and its checksums are checked when it is decoded.
    bool PeekFile(const std::string& path, EncodedPng& png);
    bool PeekMemory(std::vector<uint8_t> bytes, const std::string& name, EncodedPng& png);
    // Takes over a surface SDL made (decoded, rendered text) and frees it;
    // `what` names it in the debug output when it is null or unusable.
    bool LoadFromSurface(SDL_Surface* surface, const std::string& what);

    // PNG encoding, for the world-building tools and the tests.
    bool SavePng(const std::string& path) const;
    std::vector<uint8_t> EncodePng() const;

    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    bool IsEmpty() const { return width == 0 || height == 0; }
    const std::vector<uint8_t>& GetPixels() const { return pixels; }

    // Pixels as ARGB words (the colour format the draws use). Reads outside
    // the picture give 0; writes outside it are ignored.
    uint32_t GetPixel(int x, int y) const;
    void SetPixel(int x, int y, uint32_t argb);
    void Fill(uint32_t argb);

    // Pixels equal to `argb` (alpha included) become transparent black, as the
    // texture loader's colour key asks.
    void ApplyColorKey(uint32_t argb);

    // Why the last load failed ("<name>: <reason>"); empty after a success.
    const std::string& GetError() const { return error; }
    // The last load failed because the file could not be opened.
    bool IsMissingFile() const { return missingFile; }

private:
    // Empties the picture, keeps "<name>: <reason>" and reports it.
    bool Refuse(const std::string& name, const std::string& reason);
    // The whole file, or false with the reason kept (a missing file is not
    // reported).
    bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes);

    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
    std::string error;
    bool missingFile = false;
};
