#include "engine/render/Image.h"

#include "engine/render/IGraphicalRessource.h"

#include <charconv>

Image::Image(std::string name) : name(std::move(name))
{
    Load();
}

Image::~Image() = default;

bool Image::ParseEmptySize(const std::string& name, int& width, int& height)
{
    static constexpr std::string_view prefix = "_EMPTY_";
    if (name.compare(0, prefix.size(), prefix) != 0)
        return false;
    const char* begin = name.data() + prefix.size();
    const char* end = name.data() + name.size();
    int w = 0;
    int h = 0;
    auto [afterWidth, widthError] = std::from_chars(begin, end, w);
    if (widthError != std::errc() || afterWidth == end || *afterWidth != 'x')
        return false;
    auto [afterHeight, heightError] = std::from_chars(afterWidth + 1, end, h);
    if (heightError != std::errc() || afterHeight != end || w <= 0 || h <= 0)
        return false;
    width = w;
    height = h;
    return true;
}

bool Image::Load()
{
    // Placeholder until the render engine lands: without an engine there is
    // no texture, as for a game object without a render engine.
    texture.reset();
    return false;
}

bool Image::Draw(int, int, int, int, float) const
{
    return false;
}
