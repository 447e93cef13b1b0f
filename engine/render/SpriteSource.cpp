#include "engine/render/SpriteSource.h"

#include "engine/render/D3DDevice.h"

#include <algorithm>

namespace {

int StorageSide(int n)
{
    return int(NextPowerOfTwo(uint32_t(std::max(n, 0))));
}

} // namespace

TiledQuad MakeTiledQuad(const SpriteSource& source, float tileValue)
{
    const int storageWidth = StorageSide(source.width);
    const int storageHeight = StorageSide(source.height);
    TiledQuad quad;
    quad.size = {int(float(storageWidth) * tileValue), int(float(storageHeight) * tileValue)};
    quad.shift
        = {int(float(quad.size.x - storageWidth) * -0.5f), int(float(quad.size.y - storageHeight) * -0.5f)};
    return quad;
}

uint32_t ColorToArgb(const Color& colour)
{
    auto channel = [](int32_t value) { return uint32_t(std::clamp(value, 0, 255)); };
    return channel(colour.a) << 24 | channel(colour.r) << 16 | channel(colour.g) << 8 | channel(colour.b);
}
