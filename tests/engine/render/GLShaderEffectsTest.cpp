#include "engine/config/GamePaths.h"
#include "engine/platform/JpegFile.h"
#include "engine/platform/Window.h"
#include "engine/render/D3DDevice.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/ImageHandleManager.h"
#include "engine/render/PixelImage.h"
#include "engine/render/RenderPoolManager.h"
#include "engine/render/ShaderEffect_PostProcess.h"
#include "engine/render/ShaderEffect_TimeDependent.h"
#include "engine/render/ShaderRes.h"
#include "tests/engine/platform/DebugCapture.h"
#include "tests/engine/render/RenderTestSupport.h"
#include "tests/engine/render/RenderThreadFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using rendertest::Blue;
using rendertest::Near;
using rendertest::Red;
using rendertest::WaitUntil;

namespace {

constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kBlue = 0xFF0000FFu;
constexpr uint32_t kBlack = 0xFF000000u;
constexpr uint32_t kGrey = 0xFF808080u;

// A render thread with every effect of the game loaded from the source
// tree's "fx" folder, and a data folder for pictures.
class GLShaderEffects : public rendertest::RenderThreadFixture {
protected:
    void SetUp() override
    {
        MakeDataFolder("quenholt_fx");
        previousFolder = std::filesystem::current_path();
        std::filesystem::current_path(QUENHOLT_SOURCE_DIR);
        StartRenderThread();
        if (!HasFatalFailure())
            pool->RequestLoadEffects();
    }

    void TearDown() override
    {
        sprites.clear();
        RenderThreadFixture::TearDown();
        SetUserPath("");
        g_ScreenshotRequested = false;
        std::filesystem::current_path(previousFolder);
    }

    rendertest::ImageSprite* MakeSprite(const std::string& image, int width, int height)
    {
        sprites.push_back(
            std::make_unique<rendertest::ImageSprite>(image, Rect<int>(0, 0, width - 1, height - 1)));
        return sprites.back().get();
    }

    // One frame on the background: the draws, then each full-screen effect
    // over the picture, then the final copy to the window.
    void RenderFrame(uint32_t background, const std::vector<const GraphicalEffect*>& passes,
        const std::function<void()>& draws = {})
    {
        const auto record = [&] {
            pool->ClearCurrentFrame();
            pool->AddCommand(RenderPoolCommand::Named("StartRendering"));
            RenderPoolCommand clear = RenderPoolCommand::Named("ClearScreen");
            clear.SetColour(background);
            pool->AddCommand(std::move(clear));
            if (draws)
                draws();
            pool->AddCommand(RenderPoolCommand::Named("EndRendering"));
            for (const GraphicalEffect* pass : passes)
                pool->AddCommand(RenderPoolCommand::Named("StretchBackbuffer false", pass->Clone()));
            pool->AddCommand(RenderPoolCommand::Named("StretchBackbuffer true", finalCopy.Clone()));
        };
        rendertest::SubmitRecordedFrame(*pool, record);
        rendertest::WaitForFrameDone(*pool);
    }

    ShaderRes* Shader(const std::string& name) { return engine->FindShaderRes(name); }

    std::filesystem::path previousFolder;
    DebugCapture debug; // written from the render thread too
    rendertest::FakeGame game;
    std::vector<std::unique_ptr<rendertest::ImageSprite>> sprites;
    ShaderEffect_PostProcess finalCopy {nullptr};
};

TEST_F(GLShaderEffects, EveryEffectCompilesAndABrokenOneIsReportedAndLeftOut)
{
    // Only the placeholder without a file fails, and is listed like any other.
    const std::string text = debug.Text();
    const size_t listed = text.find("Shader non charge ... ");
    ASSERT_NE(listed, std::string::npos) << text;
    EXPECT_EQ(text.substr(listed, 28), "Shader non charge ... Empty\n") << text;
    EXPECT_EQ(text.find("Shader non charge", listed + 1), std::string::npos) << text;
    int loaded = 0;
    for (const auto& shader : pool->GetEffectList().GetEffects())
        if (shader->IsLoaded())
            ++loaded;
        else
            EXPECT_TRUE(shader->IsPlaceholder()) << shader->GetName();
    EXPECT_EQ(loaded, 19);

    const std::string brokenPath = (folder / "broken.fx").string();
    std::ofstream(brokenPath) << "#version 330 core\nthis is not GLSL;\n";
    ShaderRes broken("fullFX_Broken", brokenPath);
    pool->RunOnRenderThread([&] { engine->LoadAllShaderRes(); });
    EXPECT_NE(debug.Text().find("Shader non charge ... fullFX_Broken"), std::string::npos);
    EXPECT_NE(debug.Text().find("broken.fx"), std::string::npos); // the compiler's text names the file
    EXPECT_FALSE(broken.IsLoaded());

    // The game draws on without it: the picture is unchanged.
    ShaderEffect_PostProcess without(&broken);
    RenderFrame(kRed, {&without});
    EXPECT_TRUE(Near(Picture(200, 200), kRed));
}

TEST_F(GLShaderEffects, FullScreenEffectsChangeThePictureAsTheirNamesSay)
{
    ShaderEffect_PostProcess brightness(Shader("fullFX_Brightness"));
    const auto brightnessAt = [&](int level) {
        brightness.SetInputValue(float(level));
        RenderFrame(kGrey, {&brightness});
        return int(Red(Picture(100, 100)));
    };
    const int dark = brightnessAt(0);
    const int neutral = brightnessAt(10);
    const int bright = brightnessAt(20);
    EXPECT_GT(bright, neutral + 30);
    EXPECT_LT(dark, neutral - 30);
    EXPECT_NEAR(neutral, 0x80, 3);

    // A fade held at its end (its end delay still counting) is the colour.
    ShaderEffect_PostProcess_TimeDependent fade(
        Shader("fullFX_FadeToColor"), 30.0f, false, 0.0f, 5.0f, false, 0);
    for (int i = 0; i < 30; ++i)
        fade.Advance(1.0f);
    ASSERT_TRUE(fade.IsRunning());
    RenderFrame(kRed, {&fade});
    EXPECT_TRUE(Near(Picture(300, 300), kBlack)) << std::hex << Picture(300, 300);
    ShaderEffect_PostProcess_TimeDependent halfway(
        Shader("fullFX_FadeToColor"), 30.0f, false, 0.0f, 0.0f, false, 0);
    halfway.Advance(15.0f);
    RenderFrame(kRed, {&halfway});
    EXPECT_NEAR(Red(Picture(300, 300)), 0x80, 4);
}

TEST_F(GLShaderEffects, MotionBlurMixesThePreviousPicture)
{
    ShaderEffect_PostProcess_TimeDependent blur(Shader("fullFX_MoBlur"), 100.0f, false, 0.0f, 0.0f, false, 2);
    blur.Advance(40.0f);
    RenderFrame(kRed, {&blur});
    RenderFrame(kBlue, {&blur});
    const uint32_t mixed = Picture(256, 224);
    EXPECT_GT(Red(mixed), 40) << std::hex << mixed; // what the last frame left
    EXPECT_GT(Blue(mixed), 120) << std::hex << mixed;
    EXPECT_LT(Blue(mixed), 200) << std::hex << mixed;
}

TEST_F(GLShaderEffects, MotionBlurLeavesNoTrailForEver)
{
    // At its strongest mix the trail fades in a few dozen frames and is gone:
    // the 8-bit picture rounds no last steps back into itself.
    ShaderEffect_PostProcess_TimeDependent blur(Shader("fullFX_MoBlur"), 100.0f, false, 0.0f, 0.0f, false, 2);
    blur.Advance(90.0f);
    RenderFrame(kRed, {&blur});
    for (int frame = 0; frame < 100; ++frame)
        RenderFrame(kBlack, {&blur});
    EXPECT_EQ(Picture(256, 224) & 0xFFFFFFu, 0u) << std::hex << Picture(256, 224);
}

TEST_F(GLShaderEffects, MotionBlurOverAStillPictureStillMixesTheNextChangeWithIt)
{
    // A still picture needs no pass (the blur would give it back as it is),
    // but the next change must still be mixed with that picture, not with
    // what came before it.
    ShaderEffect_PostProcess_TimeDependent blur(Shader("fullFX_MoBlur"), 100.0f, false, 0.0f, 0.0f, false, 2);
    blur.Advance(40.0f);
    RenderFrame(kRed, {&blur});
    for (int frame = 0; frame < 60; ++frame)
        RenderFrame(kBlue, {&blur});
    EXPECT_TRUE(Near(Picture(256, 224), kBlue)) << std::hex << Picture(256, 224);
    RenderFrame(kBlack, {&blur});
    const uint32_t mixed = Picture(256, 224);
    EXPECT_EQ(Red(mixed), 0) << std::hex << mixed;
    EXPECT_GT(Blue(mixed), 80) << std::hex << mixed; // 40 % of the still blue
    EXPECT_LT(Blue(mixed), 125) << std::hex << mixed;
}

TEST_F(GLShaderEffects, BlurLowersTheContrastOfACheckerboard)
{
    PixelImage checker(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            checker.SetPixel(x, y, (x + y) % 2 ? 0xFFFFFFFFu : kBlack);
    ASSERT_TRUE(checker.SavePng((folder / "checker.png").string()));
    rendertest::ImageSprite* sprite = MakeSprite("checker.png", 32, 32);
    const auto contrast = [&] {
        std::vector<uint32_t> pixels;
        pool->RunOnRenderThread([&] { ReadPicturePixels(108, 108, 16, 16, pixels); });
        int low = 255, high = 0;
        for (uint32_t p : pixels) {
            low = std::min<int>(low, Red(p));
            high = std::max<int>(high, Red(p));
        }
        return high - low;
    };
    const auto draw = [&] { engine->DrawSprite(sprite, nullptr, 100, 100, 0, 0, 0.0f, nullptr, false); };
    RenderFrame(kBlack, {}, draw);
    EXPECT_GT(contrast(), 240);
    ShaderEffect_PostProcess blur(Shader("fullFX_BasicBlur"));
    RenderFrame(kBlack, {&blur}, draw);
    EXPECT_LT(contrast(), 60);
}

TEST_F(GLShaderEffects, HitFlashTurnsASpriteWhiteAndFadesBack)
{
    PixelImage red(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            red.SetPixel(x, y, kRed);
    ASSERT_TRUE(red.SavePng((folder / "red.png").string()));
    rendertest::ImageSprite* sprite = MakeSprite("red.png", 8, 8);
    ShaderEffect_TimeDependent flash(Shader("ml_NPC_Hit"), 10.0f, false, false, false, true);
    const auto draw = [&] {
        engine->SetEffect(&flash);
        engine->DrawSprite(sprite, nullptr, 40, 40, 0, 0, 0.0f, nullptr, false);
        engine->SetEffect(nullptr);
    };
    RenderFrame(kBlack, {}, draw);
    EXPECT_TRUE(Near(Picture(43, 43), 0xFFFFFFFFu)) << std::hex << Picture(43, 43);
    EXPECT_TRUE(Near(Picture(50, 50), kBlack)); // only the sprite's quad
    flash.Start(1, false);
    RenderFrame(kBlack, {}, draw);
    EXPECT_TRUE(Near(Picture(43, 43), kRed)) << std::hex << Picture(43, 43);
}

TEST_F(GLShaderEffects, FinalCopyThroughItsEffectFillsTheWindowAndScreenshotsKeepEarlierFiles)
{
    finalCopy = ShaderEffect_PostProcess(Shader("BasicPostEffect_Point"));
    SetUserPath(folder.string() + "/");
    std::filesystem::create_directories(folder / "Screenshots");
    g_ScreenshotRequested = true;
    RenderFrame(kRed, {});
    int width = 0, height = 0;
    pool->RunOnRenderThread([&] { g_DeviceWindow->GetDrawableSize(width, height); });
    EXPECT_TRUE(Near(Window(width / 2, height / 2), kRed)) << std::hex << Window(width / 2, height / 2);
    EXPECT_FALSE(g_ScreenshotRequested.load());

    g_ScreenshotRequested = true;
    RenderFrame(kBlue, {});
    std::vector<std::filesystem::path> shots;
    for (const auto& entry : std::filesystem::directory_iterator(folder / "Screenshots"))
        shots.push_back(entry.path());
    ASSERT_EQ(shots.size(), 2u);
    std::sort(shots.begin(), shots.end(), [](const auto& a, const auto& b) {
        return std::filesystem::last_write_time(a) < std::filesystem::last_write_time(b)
            || (std::filesystem::last_write_time(a) == std::filesystem::last_write_time(b)
                && a.string().size() < b.string().size());
    });
    for (size_t i = 0; i < shots.size(); ++i) {
        EXPECT_EQ(shots[i].extension(), ".jpg");
        EXPECT_EQ(shots[i].filename().string().rfind("Screenshot_", 0), 0u);
        std::vector<uint32_t> argb;
        int w = 0, h = 0;
        ASSERT_TRUE(platform::LoadPicture(shots[i].string(), argb, w, h)) << shots[i];
        EXPECT_EQ(w, width);
        EXPECT_EQ(h, height);
        const uint32_t centre = argb[size_t(h / 2) * w + w / 2];
        EXPECT_TRUE(Near(centre, i == 0 ? kRed : kBlue, 12)) << shots[i] << std::hex << " " << centre;
    }
}

} // namespace
