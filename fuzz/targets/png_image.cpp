#include "engine/render/PixelImage.h"
#include "fuzz/FuzzTarget.h"

#include <cstdlib>

QUENHOLT_FUZZ_TARGET(png_image, fuzz::Reports::FileName)
{
    PixelImage picture;
    const bool decoded = picture.LoadFromMemory(input.bytes, input.name);
    // Loading checks only the header and decodes at the first draw: the
    // header check never refuses a picture that decodes, and the size it
    // promises is the size decoded.
    EncodedPng png;
    const bool peeked = PixelImage().PeekMemory(
        std::vector<uint8_t>(input.bytes.begin(), input.bytes.end()), input.name, png);
    if (decoded && (!peeked || png.width != picture.GetWidth() || png.height != picture.GetHeight()))
        std::abort();
    PixelImage later;
    if (peeked && later.LoadFromPng(png) != decoded)
        std::abort();
    return decoded;
}
