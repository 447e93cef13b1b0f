#include "engine/config/GamePaths.h"
#include "engine/render/D3DDevice.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/ImageHandleManager.h"
#include "engine/render/PixelImage.h"
#include "engine/render/RenderPoolManager.h"
#include "game/Game.h"
#include "scene/Camera.h"
#include "scene/GraphicalObject.h"
#include "scene/Level.h"
#include "tests/engine/render/RenderTestSupport.h"
#include "tools/world/ArtAtlas.h"
#include "tools/world/GameLibraryWriter.h"
#include "tools/world/LevelDescription.h"
#include "tools/world/WorldText.h"

#include <gtest/gtest.h>

#include <filesystem>

// The first screen of the first level as the game draws it from the assembled
// world (build/world): the picture is saved next to the world and checked,
// with tolerance, against what the level's description puts there.
namespace {

const std::string kData = std::string(QUENHOLT_SOURCE_DIR) + "/data";
const std::string kWorld = QUENHOLT_WORLD_DIR;
constexpr int kScreenW = 512;
constexpr int kScreenH = 448;
constexpr int kTile = 32;

uint32_t Colour(const char* hex)
{
    uint32_t argb = 0;
    ParseHexColour(hex, argb);
    return argb | 0xFF000000u;
}

bool Near(uint32_t a, uint32_t b, int tolerance = 10)
{
    return rendertest::Near(a, b, tolerance);
}

class GLWorldFirstScreen : public testing::Test {
protected:
    void SetUp() override
    {
        if (!std::filesystem::exists(kWorld + "/levels/cemetery_01.lvl"))
            GTEST_SKIP() << "the world is not built in " << kWorld;
        for (const std::string& file : ListFiles(kData + "/art", ".txt"))
            book.ReadFile(file);
        atlas = ArtAtlas::Layout(book);
        library = std::make_unique<GameLibraryWriter>(book, atlas, noSounds);
        for (GraphicalObject* object : library->Objects())
            game.sceneObjects.push_back(object);
        description = LevelDescription::ReadFile(kData + "/levels/cemetery_01.lvd");

        SetBasePath(kWorld + "/images/");
        engine = std::make_unique<DXRenderEngine>();
        pool = engine->SetRenderPool(new RenderPoolManager());
        ASSERT_TRUE(rendertest::WaitUntil([&] { return pool->idle.load() == 1; }));
        ASSERT_FALSE(pool->startFailed.load());
    }

    void TearDown() override
    {
        level.reset();
        engine.reset();
        ImageHandleManager::DestroyInstance();
        SetBasePath("");
        game.sceneObjects.clear(); // the writer's, not the game's
    }

    // The level's first screen drawn from the camera at the origin.
    PixelImage DrawFirstScreen()
    {
        std::string error;
        level = Level::LoadFile(kWorld + "/levels/cemetery_01.lvl", &error);
        EXPECT_TRUE(level) << error;
        PixelImage picture(kScreenW, kScreenH);
        if (!level)
            return picture;
        Camera camera;
        camera.SetPosition(0, 0);
        rendertest::SubmitFrame(*pool, 0xFF000000u, [&] { level->Render(&camera); });
        rendertest::WaitForFrameDone(*pool);
        std::vector<uint32_t> pixels;
        pool->RunOnRenderThread([&] { ReadPicturePixels(0, 0, kScreenW, kScreenH, pixels); });
        EXPECT_EQ(pixels.size(), size_t(kScreenW * kScreenH));
        for (int y = 0; y < kScreenH && pixels.size() == size_t(kScreenW * kScreenH); ++y)
            for (int x = 0; x < kScreenW; ++x)
                picture.SetPixel(x, y, pixels[size_t(y * kScreenW + x)]);
        return picture;
    }

    // The share of the pixels of a screen rectangle that pass the test.
    template <class Test> static double Share(const PixelImage& p, int x0, int y0, int x1, int y1, Test test)
    {
        int hits = 0, all = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x, ++all)
                hits += test(p.GetPixel(x, y)) ? 1 : 0;
        return all == 0 ? 0.0 : double(hits) / all;
    }

    // Screen rectangle of the tile (x, y) of the level (y up), for the first screen.
    static int ScreenTop(int tileY) { return kScreenH - (tileY + 1) * kTile; }

    ArtBook book;
    ArtAtlas atlas;
    std::vector<SynthSound> noSounds;
    std::unique_ptr<GameLibraryWriter> library;
    Game game;
    LevelDescription description;
    std::unique_ptr<DXRenderEngine> engine;
    RenderPoolManager* pool = nullptr;
    std::unique_ptr<Level> level;
};

TEST_F(GLWorldFirstScreen, SkyAboveGroundAndPlatformsWhereTheTilesPutThem)
{
    const PixelImage picture = DrawFirstScreen();
    ASSERT_TRUE(level);
    const std::string saved = kWorld + "/../first_screen_cemetery_01.png";
    EXPECT_TRUE(picture.SavePng(saved)) << saved;

    // Sky: the top of the screen is the dark, cool night, not the cleared
    // black (the moon and the clouds are a small part of it).
    const double sky = Share(picture, 0, 0, kScreenW, 180, [](uint32_t c) {
        const int r = rendertest::Red(c), g = rendertest::Green(c), b = rendertest::Blue(c);
        return b > r && b >= g && b >= 0x18 && std::max({r, g, b}) < 0x80;
    });
    EXPECT_GT(sky, 0.9);

    const uint32_t grass = Colour("#5E7F3A"), stone = Colour("#3A3F66"), dark = Colour("#1E2340"),
                   light = Colour("#6A6F8F"), moss = Colour("#2F4A2B");
    int surfaces = 0, platforms = 0;
    for (int tx = 0; tx < 16; ++tx)
        for (int ty = 0; ty < 14; ++ty) {
            const char tile = description.TileAt(tx, ty);
            const int x0 = tx * kTile, top = ScreenTop(ty);
            SCOPED_TRACE("tile " + std::to_string(tx) + ", " + std::to_string(ty));
            if (tile == '#' && !IsSolidTile(description.TileAt(tx, ty + 1))) {
                // A ground surface: grass along its top rows, stone below.
                ++surfaces;
                EXPECT_GT(Share(picture, x0, top, x0 + kTile, top + 5,
                              [&](uint32_t c) { return Near(c, grass) || Near(c, moss); }),
                    0.8);
                EXPECT_GT(Share(picture, x0, top + 10, x0 + kTile, top + kTile,
                              [&](uint32_t c) { return Near(c, stone) || Near(c, dark) || Near(c, light); }),
                    0.9);
            } else if (tile == '#') {
                EXPECT_GT(Share(picture, x0, top, x0 + kTile, top + kTile,
                              [&](uint32_t c) { return Near(c, stone) || Near(c, dark) || Near(c, light); }),
                    0.9);
            } else if (tile == '=') {
                // A one-way platform: a light plank on a dark rim; open air above it.
                ++platforms;
                EXPECT_GT(
                    Share(picture, x0, top, x0 + kTile, top + 5, [&](uint32_t c) { return Near(c, light); }),
                    0.8);
                if (description.TileAt(tx, ty + 1) == '.') {
                    EXPECT_LT(Share(picture, x0, top - kTile, x0 + kTile, top,
                                  [&](uint32_t c) { return Near(c, light) || Near(c, grass); }),
                        0.1);
                }
            }
        }
    // The first screen shows ground and at least one platform.
    EXPECT_EQ(surfaces, 16);
    EXPECT_GE(platforms, 1);
}

} // namespace
