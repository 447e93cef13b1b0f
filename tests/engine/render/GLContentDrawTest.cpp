#include "engine/render/ContentMap.h"
#include "engine/render/D3DDevice.h"
#include "engine/render/GLTexture.h"
#include "engine/render/OcclusionQueue.h"
#include "tests/engine/render/RenderThreadFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <span>
#include <vector>

// Draws through the content map (trimmed to the cells with content, opaque
// cells without blending), several textures in one batch and clears that a
// covering draw makes needless must give the picture, byte for byte, that
// plain whole-quad draws of one texture each give.
namespace {

constexpr int kW = 512;
constexpr int kH = 448;

// A 160 x 110 picture: an opaque block large enough to go unblended, a
// half-transparent gradient, a transparent hole and a few single pixels in
// otherwise empty cells.
PixelImage MixedPicture()
{
    PixelImage picture(160, 110);
    for (int y = 0; y < 110; ++y)
        for (int x = 0; x < 160; ++x) {
            if (y >= 40)
                picture.SetPixel(x, y, 0xFF000000u | uint32_t(x) << 16 | uint32_t(y * 2) << 8 | 0x30u);
            else if (x >= 100)
                picture.SetPixel(x, y, uint32_t(x) << 24 | 0x00C08040u);
        }
    picture.SetPixel(50, 45, 0x00000000u);
    picture.SetPixel(3, 5, 0xFFFFFFFFu);
    picture.SetPixel(40, 20, 0x40FF0000u);
    return picture;
}

// One quad of a test's list: a picture's part (or, with no texture, a plain
// colour) where it lands, tinted, mirrored, turned.
struct QuadDraw {
    GLTexture* texture;
    float x, y;
    int sx, sy, w, h;
    uint32_t colour;
    bool mirror;
    float rotation;
};

// Queues the quads, each flushed at once when told (then no draw is cut by
// a later one); without their pictures' content maps when told, as draws
// that cannot be trimmed or cut.
void Submit(std::span<const QuadDraw> draws, bool flushEach, bool withContent = true)
{
    for (const QuadDraw& d : draws) {
        g_MirrorX = d.mirror;
        if (d.texture)
            DrawTexturedQuad(d.x, d.y, d.texture->GetTextureWidth(), d.texture->GetTextureHeight(),
                Point<int>(80, 55), d.rotation, d.sx, d.sy, d.w, d.h, d.colour, d.texture->GetName(),
                withContent ? d.texture->GetContent() : nullptr);
        else
            DrawColourQuad(int(d.x), int(d.y), d.w, d.h, d.colour, true);
        g_MirrorX = false;
        if (flushEach)
            FlushQuads();
    }
}

int DifferingPixels(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b)
{
    int differing = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        differing += a[i] != b[i] ? 1 : 0;
    return differing;
}

class GLContentDraw : public rendertest::RenderThreadFixture {
protected:
    void SetUp() override
    {
        MakeDataFolder("quenholt_content_draw");
        StartRenderThread();
    }

    // Runs the draws on the render thread over a striped background and
    // reads the whole picture back.
    std::vector<uint32_t> DrawAndRead(const std::function<void()>& draws)
    {
        std::vector<uint32_t> pixels;
        pool->RunOnRenderThread([&] {
            BindDrawTarget(0, kW, kH);
            ClearTarget(0xFF204060u);
            for (int x = 0; x < kW; x += 24)
                DrawColourQuad(x, 0, 12, kH, 0x80FFC000u, true);
            draws();
            FlushQuads();
            ReadPicturePixels(0, 0, kW, kH, pixels);
        });
        return pixels;
    }
};

TEST_F(GLContentDraw, TrimmedAndOpaqueDrawsGiveThePictureOfWholeBlendedDraws)
{
    // The textures are made and dropped on the render thread, where their
    // GL names live.
    std::unique_ptr<GLTexture> texture;
    pool->RunOnRenderThread([&] {
        texture = std::make_unique<GLTexture>(MixedPicture());
        texture->MapContent();
        texture->Upload();
    });
    ASSERT_NE(texture->GetContent(), nullptr);
    QuadDraw draws[] = {
        {nullptr, 10, 10, 0, 0, 160, 110, 0xFFFFFFFFu, false, 0.0f},
        {nullptr, 130, 20, 0, 0, 160, 110, 0xFFFFFFFFu, true, 0.0f},
        {nullptr, 250, 5, 30, 15, 100, 80, 0xFFFFFFFFu, false, 0.0f},
        {nullptr, 330, 100, 30, 15, 100, 80, 0xFF80FF80u, true, 0.0f},
        {nullptr, 10, 200, 0, 0, 160, 110, 0x80FFFFFFu, false, 0.0f},
        {nullptr, 200, 200, 0, 0, 160, 110, 0xFFFFFFFFu, false, 30.0f},
        {nullptr, -40, 380, 0, 0, 160, 110, 0xFFFFFFFFu, false, 0.0f},
    };
    for (QuadDraw& d : draws)
        d.texture = texture.get();
    // Whole draws one call each, as before batches held several.
    const std::vector<uint32_t> plain = DrawAndRead([&] { Submit(draws, true, false); });
    const std::vector<uint32_t> trimmed = DrawAndRead([&] { Submit(draws, false); });
    pool->RunOnRenderThread([&] { texture.reset(); });
    ASSERT_EQ(plain.size(), size_t(kW * kH));
    EXPECT_EQ(DifferingPixels(plain, trimmed), 0);
}

TEST_F(GLContentDraw, ImagesDrawnInTurnShareABatchAndLandInDrawOrder)
{
    std::vector<std::unique_ptr<GLTexture>> textures;
    pool->RunOnRenderThread([&] {
        for (uint32_t colour : {0xFFFF0000u, 0x8000FF00u, 0xFF0000FFu, 0x40FFFFFFu, 0xFF808080u, 0xC0FF00FFu,
                 0xFF00FFFFu, 0xFFFFFF00u, 0x80000000u, 0xFF402010u}) {
            PixelImage picture(16, 16);
            picture.Fill(colour);
            textures.push_back(std::make_unique<GLTexture>(std::move(picture)));
            textures.back()->Upload();
        }
    });
    // More textures than a batch holds, overlapping, untextured quads
    // among them.
    auto drawAll = [&](bool flushEach) {
        for (int i = 0; i < 60; ++i) {
            GLTexture& t = *textures[size_t(i * 7) % textures.size()];
            if (i % 9 == 4)
                DrawColourQuad(i * 7, i * 5, 20, 20, 0xA0FFFFFFu, true);
            else
                DrawTexturedQuad(float(i * 7), float(i * 5), t.GetTextureWidth(), t.GetTextureHeight(),
                    Point<int>(0, 0), 0.0f, 0, 0, 16, 16, 0xFFFFFFFFu, t.GetName());
            if (flushEach)
                FlushQuads();
        }
    };
    const std::vector<uint32_t> apart = DrawAndRead([&] { drawAll(true); });
    const std::vector<uint32_t> together = DrawAndRead([&] { drawAll(false); });
    pool->RunOnRenderThread([&] { textures.clear(); });
    ASSERT_EQ(apart.size(), size_t(kW * kH));
    EXPECT_TRUE(apart == together);
    // Quad 0 (red) overlapped by quad 1 (texture 7: yellow) from (7, 5) on.
    EXPECT_EQ(apart[size_t(2 * kW + 2)] & 0xFFFFFFu, 0xFF0000u);
    EXPECT_EQ(apart[size_t(6 * kW + 8)] & 0xFFFFFFu, 0xFFFF00u);
}

TEST_F(GLContentDraw, DrawsHiddenByLaterOpaqueOnesAreCutWithoutChangingThePicture)
{
    std::unique_ptr<GLTexture> mixed, solid;
    pool->RunOnRenderThread([&] {
        mixed = std::make_unique<GLTexture>(MixedPicture());
        mixed->MapContent();
        PixelImage block(200, 150);
        for (int y = 0; y < 150; ++y)
            for (int x = 0; x < 200; ++x)
                block.SetPixel(x, y, 0xFF000000u | uint32_t(x) << 16 | uint32_t(y) << 8 | uint32_t(x ^ y));
        solid = std::make_unique<GLTexture>(block);
        solid->MapContent();
    });
    // Pictures under opaque ones, partly and wholly, mirrored, off the
    // edges, tinted, half transparent, rotated, between pixels.
    const QuadDraw draws[] = {
        {mixed.get(), 10, 10, 0, 0, 160, 110, 0xFFFFFFFFu, false, 0.0f},
        {solid.get(), 60, 30, 0, 0, 200, 150, 0xFFFFFFFFu, true, 0.0f},
        {mixed.get(), 200, 100, 0, 0, 160, 110, 0xFFFFFFFFu, true, 0.0f},
        {mixed.get(), 230, 120, 30, 15, 100, 80, 0x80FFFFFFu, false, 0.0f},
        {solid.get(), 180, 90, 10, 20, 150, 100, 0xFF80FF80u, false, 0.0f},
        {mixed.get(), 300, 150, 0, 0, 160, 110, 0xFFFFFFFFu, false, 25.0f},
        {solid.get(), 330, 140, 0, 0, 200, 150, 0xFFFFFFFFu, false, 0.0f},
        {mixed.get(), -50, 300, 0, 0, 160, 110, 0xFFFFFFFFu, false, 0.0f},
        {nullptr, 0, 330, 0, 0, 120, 60, 0xFF204080u, false, 0.0f},
        {solid.get(), 20.5f, 250, 0, 0, 200, 150, 0xFFFFFFFFu, false, 0.0f},
        {solid.get(), 100, 400, 0, 0, 200, 150, 0xFFFFFFFFu, false, 0.0f},
        {mixed.get(), 120, 380, 0, 0, 160, 110, 0xFFFFFFFFu, true, 0.0f},
    };
    // The stripes under the draws go out first, alike in both.
    OcclusionQueue::Counts counts[2];
    const auto drawn = [&](bool flushEach) {
        return DrawAndRead([&] {
            FlushQuads();
            TakeDrawCounts();
            Submit(draws, flushEach);
            FlushQuads();
            counts[flushEach] = TakeDrawCounts();
        });
    };
    const std::vector<uint32_t> apart = drawn(true), together = drawn(false);
    const OcclusionQueue::Counts& apartCounts = counts[1];
    const OcclusionQueue::Counts& togetherCounts = counts[0];
    pool->RunOnRenderThread([&] {
        mixed.reset();
        solid.reset();
    });
    ASSERT_EQ(apart.size(), size_t(kW * kH));
    EXPECT_EQ(DifferingPixels(apart, together), 0);
    EXPECT_EQ(apartCounts.drawnPixels, apartCounts.addedPixels);
    EXPECT_EQ(togetherCounts.addedPixels, apartCounts.addedPixels);
    EXPECT_LT(togetherCounts.drawnPixels, apartCounts.drawnPixels);
}

TEST_F(GLContentDraw, AClearShowsWhereNoOpaqueDrawCoversTheWholeTarget)
{
    std::unique_ptr<GLTexture> full, partial;
    pool->RunOnRenderThread([&] {
        PixelImage solid(kW, kH);
        solid.Fill(0xFF336699u);
        full = std::make_unique<GLTexture>(solid);
        full->MapContent();
        PixelImage band(kW, kH);
        for (int x = 0; x < kW; ++x)
            band.SetPixel(x, 300, 0xFF00FF00u);
        partial = std::make_unique<GLTexture>(band);
        partial->MapContent();
    });
    struct Case {
        const char* what;
        GLTexture* texture;
        uint32_t colour;
        uint32_t atTop;
    };
    const Case cases[] = {
        {"an opaque picture over the whole target", full.get(), 0xFFFFFFFFu, 0xFF336699u},
        // 0x336699 at 128/255 over 0xC02010.
        {"the same picture half transparent: blended over the clear", full.get(), 0x80FFFFFFu, 0xFF794355u},
        {"a picture with content in one row only", partial.get(), 0xFFFFFFFFu, 0xFFC02010u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint32_t> pixels;
        pool->RunOnRenderThread([&] {
            BindDrawTarget(0, kW, kH);
            ClearTarget(0xFFFFFFFFu);
            FlushQuads();
            ClearTarget(0xFFC02010u);
            DrawTexturedQuad(0.0f, 0.0f, c.texture->GetTextureWidth(), c.texture->GetTextureHeight(),
                Point<int>(0, 0), 0.0f, 0, 0, kW, kH, c.colour, c.texture->GetName(),
                c.texture->GetContent());
            ReadPicturePixels(0, 0, kW, kH, pixels);
        });
        ASSERT_EQ(pixels.size(), size_t(kW * kH));
        EXPECT_TRUE(rendertest::Near(pixels[10], c.atTop, 2)) << std::hex << pixels[10];
    }
    // A clear that no draw follows still reaches a read.
    std::vector<uint32_t> pixels;
    pool->RunOnRenderThread([&] {
        ClearTarget(0xFF102030u);
        ReadPicturePixels(5, 5, 1, 1, pixels);
    });
    ASSERT_EQ(pixels.size(), 1u);
    EXPECT_EQ(pixels[0] & 0xFFFFFFu, 0x102030u);
    pool->RunOnRenderThread([&] {
        full.reset();
        partial.reset();
    });
}

} // namespace
