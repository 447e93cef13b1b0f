#include "tools/world/ArtPainter.h"

#include "tools/world/ArtAtlas.h"
#include "tools/world/FontArt.h"
#include "tools/world/WorldText.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Cells of the world map picture: 10 x 10 pixels from (1, 4), so the 51 x 44
// grid fills 510 x 440 of the 512 x 448 picture.
constexpr int kCellSize = 10;
constexpr int kMapLeft = 1;
constexpr int kMapTop = 4;

// 4 x 4 ordered-dither thresholds, 0..15.
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

// Draws one pixel: an opaque colour or "clear" replaces what is there, a
// translucent one is laid over it (source over, integer arithmetic).
void Plot(PixelImage& img, int x, int y, uint32_t c)
{
    const uint32_t sa = c >> 24;
    if (sa == 255 || c == 0) {
        img.SetPixel(x, y, c);
        return;
    }
    const uint32_t d = img.GetPixel(x, y);
    const uint32_t da = (d >> 24) * (255 - sa) / 255;
    const uint32_t oa = sa + da;
    if (oa == 0)
        return;
    auto mix = [&](int shift) {
        return ((((c >> shift) & 0xFF) * sa + ((d >> shift) & 0xFF) * da + oa / 2) / oa) << shift;
    };
    img.SetPixel(x, y, (oa << 24) | mix(16) | mix(8) | mix(0));
}

void FillRect(PixelImage& img, int x, int y, int w, int h, uint32_t c)
{
    for (int yy = std::max(0, y); yy < std::min(img.GetHeight(), y + h); ++yy)
        for (int xx = std::max(0, x); xx < std::min(img.GetWidth(), x + w); ++xx)
            Plot(img, xx, yy, c);
}

void FrameRect(PixelImage& img, int x, int y, int w, int h, uint32_t c)
{
    FillRect(img, x, y, w, 1, c);
    FillRect(img, x, y + h - 1, w, 1, c);
    FillRect(img, x, y, 1, h, c);
    FillRect(img, x + w - 1, y, 1, h, c);
}

// The pixels whose centres can lie within [x0, x1] x [y0, y1], clipped to
// the picture: columns x0..x1-1, rows y0..y1-1 of the span.
struct PixelSpan {
    int x0, y0, x1, y1;
};

PixelSpan SpanOf(const PixelImage& img, double x0, double y0, double x1, double y1)
{
    auto clip = [](double v, int limit) { return int(std::clamp(v, 0.0, double(limit))); };
    return PixelSpan {clip(std::floor(x0 - 1.0), img.GetWidth()), clip(std::floor(y0 - 1.0), img.GetHeight()),
        clip(std::ceil(x1 + 1.0), img.GetWidth()), clip(std::ceil(y1 + 1.0), img.GetHeight())};
}

double Edge(double ax, double ay, double bx, double by, double px, double py)
{
    return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
}

// Squared distance from (px, py) to the segment from a to b.
double SegmentDistance2(double ax, double ay, double bx, double by, double px, double py)
{
    const double dx = bx - ax, dy = by - ay, length2 = dx * dx + dy * dy;
    const double t = length2 > 0 ? std::clamp(((px - ax) * dx + (py - ay) * dy) / length2, 0.0, 1.0) : 0.0;
    const double ex = ax + t * dx - px, ey = ay + t * dy - py;
    return ex * ex + ey * ey;
}

} // namespace

PixelImage ArtPainter::Paint(const ArtObject& object, int frame) const
{
    PixelImage img(object.width, object.height);
    WorldRandom random = WorldRandom::ForName(object.name, seed);
    const std::vector<uint32_t>* palette = nullptr;
    if (auto it = book.palettes.find(object.palette); it != book.palettes.end())
        palette = &it->second;

    for (const ArtStep& step : object.steps) {
        if (step.frame != -1 && step.frame != frame)
            continue;
        auto num = [&](size_t i) { return ParseInt(step.args.at(i), object.file, step.line); };
        auto real = [&](size_t i) { return ParseDouble(step.args.at(i), object.file, step.line); };
        auto colour = [&](size_t i) -> uint32_t {
            const std::string& word = step.args.at(i);
            uint32_t argb = 0;
            if (word == "clear")
                return 0;
            if (ParseHexColour(word, argb))
                return argb;
            int index = ParseInt(word, object.file, step.line);
            if (palette == nullptr || index < 0 || index >= int(palette->size()))
                throw WorldError(
                    object.file, step.line, "colour index " + word + " needs a palette of the object");
            return (*palette)[size_t(index)];
        };
        const std::string& op = step.op;
        if (op == "fill") {
            img.Fill(colour(0));
        } else if (op == "rect") {
            FillRect(img, num(0), num(1), num(2), num(3), colour(4));
        } else if (op == "ellipse") {
            double cx = real(0), cy = real(1), rx = real(2), ry = real(3);
            uint32_t c = colour(4);
            // Only the pixels of the bounding box can be inside.
            const PixelSpan span = SpanOf(img, cx - std::max(rx, 0.5), cy - std::max(ry, 0.5),
                cx + std::max(rx, 0.5), cy + std::max(ry, 0.5));
            for (int y = span.y0; y < span.y1; ++y)
                for (int x = span.x0; x < span.x1; ++x) {
                    double dx = (x + 0.5 - cx) / std::max(rx, 0.5), dy = (y + 0.5 - cy) / std::max(ry, 0.5);
                    if (dx * dx + dy * dy <= 1.0)
                        Plot(img, x, y, c);
                }
        } else if (op == "dither") {
            int x0 = num(0), y0 = num(1), w = num(2), h = num(3);
            uint32_t a = colour(4), b = colour(5);
            for (int y = y0; y < y0 + h; ++y)
                for (int x = x0; x < x0 + w; ++x)
                    Plot(img, x, y, ((x + y) & 1) ? b : a);
        } else if (op == "vgrad") {
            // Two-colour vertical blend by ordered dither over the full width.
            int y0 = num(0), y1 = num(1);
            uint32_t a = colour(2), b = colour(3);
            for (int y = y0; y < y1; ++y) {
                int level = (y - y0) * 16 / std::max(1, y1 - y0);
                for (int x = 0; x < img.GetWidth(); ++x)
                    Plot(img, x, y, kBayer[y & 3][x & 3] < level ? b : a);
            }
        } else if (op == "speckle") {
            int x0 = num(0), y0 = num(1), w = num(2), h = num(3);
            uint32_t c = colour(4);
            int count = num(5);
            for (int i = 0; i < count && w > 0 && h > 0; ++i)
                Plot(img, x0 + random.Range(0, w - 1), y0 + random.Range(0, h - 1), c);
        } else if (op == "ridge") {
            // A skyline that wraps around the picture's width (so the layer
            // tiles seamlessly), filled down to the bottom edge.
            double base = real(0), amplitude = real(1);
            int waves = num(2);
            uint32_t c = colour(3);
            const double twoPi = 2.0 * std::numbers::pi;
            std::vector<double> phases;
            for (int k = 1; k <= 4; ++k)
                phases.push_back(random.Unit() * twoPi);
            for (int x = 0; x < img.GetWidth(); ++x) {
                double t = double(x) / img.GetWidth(), offset = 0;
                for (int k = 1; k <= 4; ++k)
                    offset += std::sin(twoPi * waves * k * t + phases[size_t(k - 1)]) / k;
                int top = int(std::lround(base + amplitude * offset * 0.5));
                FillRect(img, x, top, 1, img.GetHeight() - top, c);
            }
        } else if (op == "tri") {
            double ax = real(0), ay = real(1), bx = real(2), by = real(3), qx = real(4), qy = real(5);
            uint32_t c = colour(6);
            double area = Edge(ax, ay, bx, by, qx, qy);
            const PixelSpan span = SpanOf(img, std::min({ax, bx, qx}), std::min({ay, by, qy}),
                std::max({ax, bx, qx}), std::max({ay, by, qy}));
            for (int y = span.y0; y < span.y1; ++y)
                for (int x = span.x0; x < span.x1; ++x) {
                    double px = x + 0.5, py = y + 0.5;
                    double e0 = Edge(ax, ay, bx, by, px, py), e1 = Edge(bx, by, qx, qy, px, py),
                           e2 = Edge(qx, qy, ax, ay, px, py);
                    if (area != 0
                        && (area > 0 ? (e0 >= 0 && e1 >= 0 && e2 >= 0) : (e0 <= 0 && e1 <= 0 && e2 <= 0)))
                        Plot(img, x, y, c);
                }
        } else if (op == "line") {
            // A stroke of the given width with round ends (limbs, straps,
            // shafts): the pixels whose centres lie within half the width of
            // the segment.
            double ax = real(0), ay = real(1), bx = real(2), by = real(3), r = std::max(real(4), 1.0) / 2;
            uint32_t c = colour(5);
            const PixelSpan span = SpanOf(
                img, std::min(ax, bx) - r, std::min(ay, by) - r, std::max(ax, bx) + r, std::max(ay, by) + r);
            for (int y = span.y0; y < span.y1; ++y)
                for (int x = span.x0; x < span.x1; ++x)
                    if (SegmentDistance2(ax, ay, bx, by, x + 0.5, y + 0.5) <= r * r)
                        Plot(img, x, y, c);
        } else if (op == "outline") {
            // Transparent pixels touching an opaque one (4-neighbours) take the colour.
            uint32_t c = colour(0);
            PixelImage before = img;
            for (int y = 0; y < img.GetHeight(); ++y)
                for (int x = 0; x < img.GetWidth(); ++x) {
                    if (before.GetPixel(x, y) >> 24)
                        continue;
                    if ((before.GetPixel(x - 1, y) >> 24) || (before.GetPixel(x + 1, y) >> 24)
                        || (before.GetPixel(x, y - 1) >> 24) || (before.GetPixel(x, y + 1) >> 24))
                        Plot(img, x, y, c);
                }
        } else if (op == "glyphs") {
            // The world font's glyphs in their cells, with their shadow.
            PaintFontGlyphs(img, colour(0), colour(1));
        } else if (op == "text") {
            // A line of the world font at (x, y), with its shadow.
            PaintFontText(img, num(0), num(1), step.args.at(4), colour(2), colour(3));
        } else if (op == "label") {
            // A line of the world font enlarged by a whole factor (menu rows,
            // the title), with its shadow.
            const int x0 = num(0), y0 = num(1), scale = std::max(1, num(2));
            const std::string& text = step.args.at(5);
            PixelImage line(int(text.size()) * 6 + 2, kFontCellHeight + 1);
            PaintFontText(line, 0, 0, text, colour(3), colour(4));
            for (int y = 0; y < line.GetHeight(); ++y)
                for (int x = 0; x < line.GetWidth(); ++x)
                    if (const uint32_t p = line.GetPixel(x, y); (p >> 24) != 0)
                        FillRect(img, x0 + x * scale, y0 + y * scale, scale, scale, p);
        } else if (op == "cells" || op == "cellsfill") {
            // Map cells x0..x1, rows r0..r1 of the world map grid.
            int x0 = num(0), x1 = num(1), r0 = num(2), r1 = num(3);
            if (x0 < 0 || x1 > 50 || r0 < 0 || r1 > 43 || x1 < x0 || r1 < r0)
                throw WorldError(object.file, step.line, "map cells must lie inside 0-50 x 0-43");
            int px = kMapLeft + x0 * kCellSize, py = kMapTop + r0 * kCellSize;
            int pw = (x1 - x0 + 1) * kCellSize, ph = (r1 - r0 + 1) * kCellSize;
            if (op == "cells")
                FrameRect(img, px, py, pw, ph, colour(4));
            else
                FillRect(img, px, py, pw, ph, colour(4));
        }
    }
    return img;
}

std::map<std::string, PixelImage> PaintAtlasPages(const ArtBook& book, const ArtAtlas& atlas, uint64_t seed)
{
    std::map<std::string, PixelImage> pages;
    for (const AtlasPage& page : atlas.pages)
        pages.emplace(page.file, PixelImage(page.width, page.height));
    ArtPainter painter(book, seed);
    for (const ArtObject& object : book.objects) {
        const std::vector<AtlasFrame>& places = atlas.frames.at(object.name);
        for (int f = 0; f < object.frames; ++f) {
            PixelImage frame = painter.Paint(object, f);
            PixelImage& page = pages.at(places[size_t(f)].page);
            for (int y = 0; y < frame.GetHeight(); ++y)
                for (int x = 0; x < frame.GetWidth(); ++x)
                    page.SetPixel(places[size_t(f)].x + x, places[size_t(f)].y + y, frame.GetPixel(x, y));
        }
    }
    return pages;
}
