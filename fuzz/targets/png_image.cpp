#include "engine/render/PixelImage.h"
#include "fuzz/FuzzTarget.h"

QUENHOLT_FUZZ_TARGET(png_image, fuzz::Reports::FileName)
{
    PixelImage picture;
    return picture.LoadFromMemory(input.bytes, input.name);
}
