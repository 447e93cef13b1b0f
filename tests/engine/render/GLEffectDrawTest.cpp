#include "engine/platform/Window.h"
#include "engine/render/D3DDevice.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/GE_Blink.h"
#include "engine/render/GE_Fade.h"
#include "engine/render/GE_Shake.h"
#include "engine/render/ImageHandleManager.h"
#include "engine/render/PixelImage.h"
#include "scene/Sprite.h"

#include "RenderTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using rendertest::Near;

constexpr uint32_t kBackground = 0xFF323232u;
constexpr uint32_t kRed = 0xFFFF0000u;

// Draws an 8 x 8 red sprite through each effect on a real device and reads
// the picture back.
class GLEffectDrawTest : public testing::Test
{
protected:
    void SetUp() override
    {
        window = platform::Window::Create("effects", 0, 0, 512, 448, false, false);
        if (!window || !window->CreateGLContext())
            GTEST_SKIP() << "no GL context";
        ASSERT_TRUE(CreateD3DDevice(512, 448, window.get(), false));
        engine = std::make_unique<DXRenderEngine>();

        folder = fs::temp_directory_path() / ("quenholt_effects_" + std::to_string(getpid()));
        fs::create_directories(folder);
        PixelImage picture(8, 8);
        picture.Fill(kRed);
        ASSERT_TRUE(picture.SavePng((folder / "red.png").string()));
        sprite = std::make_unique<Sprite>("Red", (folder / "red.png").string(), 0, 0, 7, 7);
    }
    void TearDown() override
    {
        if (engine)
            engine->SetEffect(nullptr);
        sprite.reset();
        ImageHandleManager::DestroyInstance();
        engine.reset();
        D3D_Cleanup();
        window.reset();
        if (!folder.empty())
            fs::remove_all(folder);
    }

    // The 32 x 16 top-left corner of the picture after one draw at (x, y).
    std::vector<uint32_t> Draw(GraphicalEffect* effect, int x, int y, ISprite* drawn)
    {
        engine->BeginScene(true);
        engine->SetEffect(effect);
        EXPECT_TRUE(engine->DrawSprite(drawn, nullptr, x, y, 0, 0, 0.0f, nullptr, true));
        engine->SetEffect(nullptr);
        engine->EndScene(false);
        std::vector<uint32_t> pixels;
        EXPECT_TRUE(ReadPicturePixels(0, 0, 32, 16, pixels));
        return pixels;
    }
    static uint32_t At(const std::vector<uint32_t>& pixels, int x, int y) { return pixels[size_t(y) * 32 + size_t(x)]; }

    std::unique_ptr<platform::Window> window;
    std::unique_ptr<DXRenderEngine> engine;
    std::unique_ptr<Sprite> sprite;
    fs::path folder;
};

TEST_F(GLEffectDrawTest, BlinkTintsEverySecondFrame)
{
    GE_Blink blink;
    auto pixels = Draw(&blink, 4, 2, sprite.get());
    EXPECT_TRUE(Near(At(pixels, 4, 2), kRed));
    EXPECT_TRUE(Near(At(pixels, 11, 9), kRed));
    EXPECT_TRUE(Near(At(pixels, 12, 9), kBackground));

    blink.Update();
    pixels = Draw(&blink, 4, 2, sprite.get());
    // Red at alpha 50 over the grey: 255 x 50/255 + 50 x 205/255, and grey x 205/255.
    EXPECT_TRUE(Near(At(pixels, 6, 5), 0xFF5A2828u)) << std::hex << At(pixels, 6, 5);
}

TEST_F(GLEffectDrawTest, FadeOutEndsInvisible)
{
    GE_Fade fade(51, false);
    auto pixels = Draw(&fade, 0, 0, sprite.get());
    EXPECT_TRUE(Near(At(pixels, 3, 3), kRed));
    for (int i = 0; i < 51; ++i)
        fade.Update();
    pixels = Draw(&fade, 0, 0, sprite.get());
    EXPECT_TRUE(Near(At(pixels, 3, 3), kBackground)) << std::hex << At(pixels, 3, 3);
}

TEST_F(GLEffectDrawTest, ShakeMovesTheSprite)
{
    GE_Shake shake;
    shake.SetAmplitude(4.0f, 0.0f);
    shake.SetVelocity(10.0f, 0.0f);
    shake.Update(); // offset 3.3: drawn 3 pixels to the right
    const auto pixels = Draw(&shake, 4, 2, sprite.get());
    EXPECT_TRUE(Near(At(pixels, 6, 4), kBackground));
    EXPECT_TRUE(Near(At(pixels, 7, 4), kRed));
    EXPECT_TRUE(Near(At(pixels, 14, 4), kRed));
    EXPECT_TRUE(Near(At(pixels, 15, 4), kBackground));
}

TEST_F(GLEffectDrawTest, MissingSpriteOrImageDrawsNothing)
{
    GE_Blink blink;
    auto pixels = Draw(&blink, 0, 0, nullptr);
    EXPECT_TRUE(Near(At(pixels, 2, 2), kBackground));

    Sprite unloaded("Nothing", (folder / "nothing.png").string(), 0, 0, 7, 7);
    pixels = Draw(&blink, 0, 0, &unloaded);
    EXPECT_TRUE(Near(At(pixels, 2, 2), kBackground));
}

} // namespace
