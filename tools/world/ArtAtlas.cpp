#include "tools/world/ArtAtlas.h"

#include "tools/world/WorldText.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kMaxPage = 1024;

int PowerOfTwoAtLeast(int n)
{
    int p = 1;
    while (p < n)
        p *= 2;
    return p;
}

std::string PageName(const std::string& image, int index)
{
    if (index == 0)
        return image;
    size_t dot = image.rfind('.');
    return image.substr(0, dot) + "_" + std::to_string(index) + image.substr(dot);
}

} // namespace

std::string FrameSpriteName(const ArtObject& object, int frame)
{
    if (object.plainSprite && object.frames == 1)
        return object.name;
    char suffix[8];
    std::snprintf(suffix, sizeof suffix, "_f%02d", frame);
    return object.name + suffix;
}

ArtAtlas ArtAtlas::Layout(const ArtBook& book)
{
    ArtAtlas atlas;
    std::vector<std::string> images;
    for (const ArtObject& o : book.objects)
        if (std::find(images.begin(), images.end(), o.image) == images.end())
            images.push_back(o.image);

    for (const std::string& image : images) {
        long area = 0;
        int widest = 0;
        for (const ArtObject& o : book.objects)
            if (o.image == image) {
                area += long(o.width) * o.height * o.frames;
                widest = std::max(widest, o.width);
            }
        int side = 1;
        while (long(side) * side < area)
            side *= 2;
        const int pageWidth = std::min(kMaxPage, std::max(PowerOfTwoAtLeast(widest), side));

        int page = 0, x = 0, y = 0, shelf = 0;
        auto closePage = [&]() {
            atlas.pages.push_back(
                {PageName(image, page), pageWidth, PowerOfTwoAtLeast(std::max(1, y + shelf))});
        };
        for (const ArtObject& o : book.objects) {
            if (o.image != image)
                continue;
            for (int f = 0; f < o.frames; ++f) {
                if (x + o.width > pageWidth) {
                    x = 0;
                    y += shelf;
                    shelf = 0;
                }
                if (y + o.height > kMaxPage) {
                    closePage();
                    ++page;
                    x = y = shelf = 0;
                }
                atlas.frames[o.name].push_back({PageName(image, page), x, y});
                x += o.width;
                shelf = std::max(shelf, o.height);
            }
        }
        closePage();
    }
    return atlas;
}
