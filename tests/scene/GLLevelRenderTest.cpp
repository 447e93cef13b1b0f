#include "scene/Level.h"

#include "engine/config/GamePaths.h"
#include "engine/render/D3DDevice.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/ImageHandleManager.h"
#include "engine/render/PixelImage.h"
#include "engine/render/RenderPoolManager.h"
#include "game/Game.h"
#include "scene/Camera.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Sprite.h"
#include "tests/engine/render/RenderTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using rendertest::Near;
using rendertest::WaitUntil;

namespace {

constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kGreen = 0xFF00FF00u;
constexpr uint32_t kBlue = 0xFF0000FFu;
constexpr uint32_t kBlack = 0xFF000000u;

// A level of three layers drawn through the device engine on the render
// thread: a red square in a background that scrolls at half speed, a green
// one in the scene and a blue one in the foreground, each overlapping the
// one before on screen.
class GLLevelRender : public testing::Test {
protected:
    void SetUp() override
    {
        folder = std::filesystem::temp_directory_path()
            / ("quenholt_level_render_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        for (auto [name, colour] :
            {std::pair {"red.png", kRed}, {"green.png", kGreen}, {"blue.png", kBlue}}) {
            PixelImage square(16, 16);
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    square.SetPixel(x, y, colour);
            ASSERT_TRUE(square.SavePng((folder / name).string()));
        }
        SetBasePath(folder.string() + "/");
        engine = std::make_unique<DXRenderEngine>();
        pool = engine->SetRenderPool(new RenderPoolManager());
        ASSERT_TRUE(WaitUntil([&] { return pool->idle.load() == 1; }));
        ASSERT_FALSE(pool->startFailed.load());
    }

    void TearDown() override
    {
        engine.reset();
        ImageHandleManager::DestroyInstance();
        SetBasePath("");
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    GraphicalObject& Square(const std::string& name, const std::string& image)
    {
        sprites.push_back(std::make_unique<Sprite>(name, image, 0, 0, 15, 15));
        objects.push_back(std::make_unique<GraphicalObject>(name));
        GraphicalObject& object = *objects.back();
        object.AddSpriteInstance(sprites.back().get(), 0, 0);
        object.AddGenericSpriteIndex(sprites.back().get(), 0);
        object.SetSize(16, 16, true);
        return object;
    }

    uint32_t Picture(int x, int y)
    {
        std::vector<uint32_t> pixels;
        pool->RunOnRenderThread([&] { ReadPicturePixels(x, y, 1, 1, pixels); });
        return pixels.empty() ? 0u : pixels[0];
    }

    std::filesystem::path folder;
    Game game;
    std::unique_ptr<DXRenderEngine> engine;
    RenderPoolManager* pool = nullptr;
    std::vector<std::unique_ptr<Sprite>> sprites;
    std::vector<std::unique_ptr<GraphicalObject>> objects;
};

TEST_F(GLLevelRender, LayersLandInDepthOrderWithTheBackgroundScrolledByItsFactor)
{
    Level level("picture");
    Layer* back = level.CreateLayer(Level::kBackground, "Sky", nullptr, 512, 448, 32, 32);
    back->SetScrollFactor(0.5f, 1.0f);
    // Listed foreground first: the drawing order comes from the lists.
    level.CreateLayer(Level::kForeground, "Mist", nullptr, 512, 448, 32, 32)
        ->AddPlacedInstance(&Square("Blue", "blue.png"), 266, 100);
    level.CreateLayer(Level::kScene, "Garden", nullptr, 512, 448, 32, 32)
        ->AddPlacedInstance(&Square("Green", "green.png"), 258, 100);
    back->AddPlacedInstance(&Square("Red", "red.png"), 200, 100);

    Camera camera;
    camera.SetPosition(100, 0);
    rendertest::SubmitFrame(*pool, kBlack, [&] { level.Render(&camera); });
    rendertest::WaitForFrameDone(*pool);

    // Screen y of the squares' top row: 0 + 448 - (100 + 16) = 332.
    struct Expected {
        const char* what;
        int x;
        uint32_t colour;
    };
    const Expected expected[] = {
        {"background at 200 - 100 x 0.5", 150, kRed},
        {"background's last column below the scene", 157, kRed},
        {"scene over background", 158, kGreen},
        {"scene at 258 - 100", 165, kGreen},
        {"foreground over scene", 166, kBlue},
        {"foreground's last column", 181, kBlue},
        {"right of everything", 182, kBlack},
        {"where an unscrolled background would stand", 100, kBlack},
    };
    for (const Expected& e : expected) {
        const uint32_t seen = Picture(e.x, 335);
        EXPECT_TRUE(Near(seen, e.colour)) << e.what << std::hex << " " << seen;
    }
    EXPECT_TRUE(Near(Picture(160, 331), kBlack)); // above the squares
    EXPECT_TRUE(Near(Picture(160, 347), kGreen)); // their bottom row
    EXPECT_TRUE(Near(Picture(160, 348), kBlack));
}

} // namespace
