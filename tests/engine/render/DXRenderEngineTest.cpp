#include "engine/render/DXRenderEngine.h"

#include "engine/assets/ScrambledFile.h"
#include "engine/config/GamePaths.h"
#include "engine/platform/Window.h"
#include "engine/render/D3DDevice.h"
#include "engine/render/DXGraphicalRessource.h"
#include "engine/render/DXGraphicalSurface.h"
#include "engine/render/GE_Blink.h"
#include "engine/render/GE_Fade.h"
#include "engine/render/GE_Shake.h"
#include "engine/render/ImageHandleManager.h"
#include "engine/render/PixelImage.h"
#include "engine/render/RenderPoolManager.h"
#include "tests/engine/render/RenderTestSupport.h"
#include "tests/engine/render/RenderThreadFixture.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <functional>
#include <memory>

using rendertest::Near;
using rendertest::WaitUntil;

namespace {

constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kGreen = 0xFF00FF00u;
constexpr uint32_t kBlue = 0xFF0000FFu;
constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kBlack = 0xFF000000u;
constexpr uint32_t kGrey = 0xFF323232u;

// An 8 x 8 picture in four 4 x 4 quadrants: red, green / blue, white.
PixelImage Quadrants()
{
    PixelImage picture(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            picture.SetPixel(x, y, y < 4 ? (x < 4 ? kRed : kGreen) : (x < 4 ? kBlue : kWhite));
    return picture;
}

// A render thread with the device engine, a game object that knows the
// engine, and a data folder holding the test picture.
class GLRenderEngine : public rendertest::RenderThreadFixture {
protected:
    void SetUp() override
    {
        MakeDataFolder("quenholt_render");
        ASSERT_TRUE(Quadrants().SavePng((folder / "quad.png").string()));
        StartRenderThread();
    }

    void TearDown() override
    {
        sprites.clear();
        RenderThreadFixture::TearDown();
    }

    rendertest::ImageSprite* MakeSprite(
        const std::string& image, int x0, int y0, int x1, int y1, Point<int> point = Point<int>())
    {
        sprites.push_back(std::make_unique<rendertest::ImageSprite>(image, Rect<int>(x0, y0, x1, y1), point));
        return sprites.back().get();
    }

    struct ExpectedPixel {
        const char* what;
        int x, y;
        uint32_t colour;
    };
    // Reads back each pixel of the picture and compares it with its colour
    // (alpha blends round by a few steps).
    void ExpectPicture(std::initializer_list<ExpectedPixel> expected)
    {
        for (const ExpectedPixel& e : expected) {
            const uint32_t seen = Picture(e.x, e.y);
            EXPECT_TRUE(Near(seen, e.colour, 4)) << e.what << std::hex << " " << seen;
        }
    }

    rendertest::FakeGame game;
    std::vector<std::unique_ptr<rendertest::ImageSprite>> sprites;
};

} // namespace

TEST_F(GLRenderEngine, RecordedDrawsLandPixelExactMirroredRotatedTintedAndClipped)
{
    rendertest::ImageSprite* sprite = MakeSprite("quad.png", 0, 0, 7, 7);
    rendertest::ImageSprite* turned = MakeSprite("quad.png", 0, 0, 7, 7, Point<int>(4, 4));
    const Rect<int> clip(2, 0, 6, 8);
    RenderFrame([&] {
        engine->DrawSprite(sprite, nullptr, 100, 50, 0, 0, 0.0f, nullptr, false);
        engine->SetMirror(true);
        engine->DrawSprite(sprite, nullptr, 200, 50, 0, 0, 0.0f, nullptr, false);
        engine->SetMirror(false);
        engine->DrawSprite(turned, nullptr, 300, 50, 0, 0, 90.0f, nullptr, false);
        engine->DrawSprite(sprite, nullptr, 400, 50, 0, 0, 0.0f, &clip, false);
        engine->SetDiffuseColor(0xFF00FF00u);
        engine->DrawSprite(sprite, nullptr, 100, 150, 0, 0, 0.0f, nullptr, false);
        engine->SetDiffuseColor(0x80FFFFFFu);
        engine->DrawSprite(sprite, nullptr, 200, 150, 0, 0, 0.0f, nullptr, false);
        // Changed after recording: the replay keeps the recorded colours.
        engine->SetDiffuseColor(0xFFFFFFFFu);
    });
    ExpectPicture({
        {"plain, top-left quadrant", 100, 50, kRed},
        {"plain, its last pixel", 103, 53, kRed},
        {"plain, top-right", 104, 50, kGreen},
        {"plain, bottom-left", 100, 54, kBlue},
        {"plain, bottom-right corner", 107, 57, kWhite},
        {"plain, left of it", 99, 50, kBlack},
        {"plain, right of it", 108, 50, kBlack},
        {"plain, below it", 100, 58, kBlack},
        {"mirrored, top-left", 200, 50, kGreen},
        {"mirrored, top-right", 204, 50, kRed},
        {"mirrored, bottom-left", 201, 55, kWhite},
        {"mirrored, bottom-right", 206, 55, kBlue},
        {"turned clockwise, top-left", 301, 51, kBlue},
        {"turned, top-right", 306, 51, kRed},
        {"turned, bottom-right", 306, 56, kGreen},
        {"turned, bottom-left", 301, 56, kWhite},
        {"clipped, source column 2", 400, 50, kRed},
        {"clipped, column 3", 401, 50, kRed},
        {"clipped, column 4", 402, 50, kGreen},
        {"clipped, column 5", 403, 50, kGreen},
        {"clipped, cut at clip.x1", 404, 50, kBlack},
        {"tinted green, red times green", 101, 151, kBlack},
        {"tinted green, green", 105, 151, kGreen},
        {"tinted green, white times green", 105, 155, kGreen},
        {"half alpha, red", 201, 151, 0xFF800000u},
        {"half alpha, white", 205, 155, 0xFF808080u},
    });
}

TEST_F(GLRenderEngine, ImageStoredOnlyScrambledIsLoadedFromTheQhspriteFile)
{
    const std::vector<uint8_t> png = Quadrants().EncodePng();
    const std::string scrambled = ScrambledImagePath(folder.string() + "/Hidden.png");
    ASSERT_FALSE(scrambled.empty());
    ASSERT_TRUE(WriteScrambledFile(scrambled, png));
    rendertest::ImageSprite* sprite = MakeSprite("Hidden.png", 0, 0, 7, 7);
    RenderFrame([&] { engine->DrawSprite(sprite, nullptr, 10, 20, 0, 0, 0.0f, nullptr, false); });
    EXPECT_TRUE(Near(Picture(10, 20), kRed));
    EXPECT_TRUE(Near(Picture(17, 27), kWhite));
}

TEST_F(GLRenderEngine, EffectsDrawTheRecordedStateOfTheirClones)
{
    WriteFilledPng("red.png", 8, 8, kRed);
    rendertest::ImageSprite* sprite = MakeSprite("red.png", 0, 0, 7, 7);
    rendertest::ImageSprite* unloaded = MakeSprite("nothing.png", 0, 0, 7, 7);
    GE_Blink plain; // frame 0: opaque white
    GE_Blink faint; // frame 1: alpha 50, red 255, green and blue 200
    faint.Update();
    GE_Fade fade(51, false);
    for (int i = 0; i < 51; ++i)
        fade.Update();
    GE_Shake shake;
    shake.SetAmplitude(4.0f, 0.0f);
    shake.SetVelocity(10.0f, 0.0f);
    shake.Update(); // offset 3.3: drawn 3 pixels to the right
    RenderFrame(
        [&] {
            const auto drawWith = [&](GraphicalEffect& effect, rendertest::ImageSprite* drawn, int x) {
                engine->SetEffect(&effect);
                engine->DrawSprite(drawn, nullptr, x, 10, 0, 0, 0.0f, nullptr, false);
                engine->SetEffect(nullptr);
            };
            drawWith(plain, sprite, 10);
            drawWith(faint, sprite, 30);
            drawWith(fade, sprite, 50);
            drawWith(shake, sprite, 70);
            drawWith(faint, nullptr, 90);
            drawWith(faint, unloaded, 110);
        },
        kGrey);
    ExpectPicture({
        {"blink frame 0, top-left", 10, 10, kRed},
        {"blink frame 0, bottom-right", 17, 17, kRed},
        {"blink frame 0, right of it", 18, 17, kGrey},
        // Red at alpha 50 over the grey: 255 x 50/255 + 50 x 205/255, and grey x 205/255.
        {"blink frame 1", 32, 13, 0xFF5A2828u},
        {"faded out", 53, 13, kGrey},
        {"shaken, left of it", 72, 12, kGrey},
        {"shaken, its left edge", 73, 12, kRed},
        {"shaken, its right edge", 80, 12, kRed},
        {"shaken, right of it", 81, 12, kGrey},
        {"no sprite", 92, 12, kGrey},
        {"no image", 112, 12, kGrey},
    });
}

TEST_F(GLRenderEngine, RectanglesDrawFilledOrAsAnOutline)
{
    RenderFrame([&] {
        engine->DrawRect(Point<int>(4, 3), nullptr, 10, 20, 0, 0, 0.0f, kBlue, true, false);
        engine->DrawRect(Point<int>(6, 6), nullptr, 30, 20, 0, 0, 0.0f, kGreen, false, false);
    });
    EXPECT_TRUE(Near(Picture(10, 20), kBlue));
    EXPECT_TRUE(Near(Picture(13, 22), kBlue));
    EXPECT_TRUE(Near(Picture(14, 22), kBlack));
    EXPECT_TRUE(Near(Picture(13, 23), kBlack));
    EXPECT_TRUE(Near(Picture(30, 20), kGreen));
    EXPECT_TRUE(Near(Picture(35, 25), kGreen));
    EXPECT_TRUE(Near(Picture(32, 22), kBlack)); // inside the outline
}

TEST_F(GLRenderEngine, RecordingAddsOneCommandWithTheEngineStateAndItsOwnEffect)
{
    rendertest::ImageSprite* sprite = MakeSprite("quad.png", 0, 0, 7, 7);
    pool->ClearCurrentFrame();
    GE_Blink blink;
    engine->SetEffect(&blink);
    engine->SetCameraOffset(3, -4);
    engine->SetMirror(true);
    engine->SetDiffuseColor(0x80FF0000u);
    engine->SetTileValue(2.5f);
    engine->SetLayerSpeed(0.5f);
    engine->SetParamInt(9);
    engine->SetDrawFactor(3.0f);
    game.state.frameAdvance = 6;
    game.state.cameraWorld = Point<int>(-7, 11);
    const Rect<int> clip(1, 2, 3, 4);
    engine->DrawSprite(sprite, nullptr, 10, 20, 1, 2, 45.0f, &clip, false);
    engine->SetEffect(nullptr);
    engine->SetMirror(false);
    engine->SetDrawFactor(1.0f);
    engine->DrawSprite(sprite, nullptr, 10, 20, 1, 2, 0.0f, nullptr, false);
    const uint32_t drawsBefore = engine->GetDrawCount();
    ASSERT_EQ(pool->GetFillCommands().size(), 2u);
    const RenderPoolCommand& command = pool->GetFillCommands()[0];
    EXPECT_EQ(command.GetImage(), sprite);
    EXPECT_NE(command.GetEffect(), nullptr);
    EXPECT_NE(command.GetEffect(), &blink);
    EXPECT_EQ(command.GetPosition(), Point<int>(10, 20));
    EXPECT_EQ(command.GetExtent(), Point<int>(1, 2));
    EXPECT_FLOAT_EQ(command.GetRotation(), 45.0f);
    EXPECT_TRUE(command.GetMirror());
    EXPECT_EQ(command.GetCameraOffset(), Point<int>(3, -4));
    EXPECT_EQ(command.GetColour(), 0x80FF0000u);
    EXPECT_FLOAT_EQ(command.GetTileValue(), 2.5f);
    EXPECT_FLOAT_EQ(command.GetLayerSpeed(), 0.5f);
    EXPECT_EQ(command.GetParamInt(), 9);
    EXPECT_FLOAT_EQ(command.GetDrawFactor(), 3.0f);
    EXPECT_FLOAT_EQ(pool->GetFillCommands()[1].GetDrawFactor(), 1.0f);
    EXPECT_EQ(command.GetFrameAdvance(), 6);
    EXPECT_EQ(command.GetCameraWorld(), Point<int>(-7, 11));
    ASSERT_NE(command.GetClipOrNull(), nullptr);
    EXPECT_EQ(*command.GetClipOrNull(), clip);
    // A draw without a clip replays without one.
    EXPECT_EQ(pool->GetFillCommands()[1].GetClipOrNull(), nullptr);
    EXPECT_EQ(pool->GetFillCommands()[1].GetEffect(), nullptr);
    EXPECT_EQ(engine->GetDrawCount(), drawsBefore);

    // Immediate: drawn at once (counted), nothing recorded.
    engine->DrawSprite(sprite, nullptr, 1, 2, 0, 0, 0.0f, nullptr, true);
    EXPECT_EQ(engine->GetDrawCount(), drawsBefore + 1);
    EXPECT_EQ(pool->GetFillCommands().size(), 2u);
    pool->ClearCurrentFrame();
}

class GLFinalPicture : public GLRenderEngine, public testing::WithParamInterface<int> { };

TEST_P(GLFinalPicture, PictureIsFittedIntoThe1024By768WindowByScaleMode)
{
    int width = 0, height = 0;
    pool->RunOnRenderThread([&] { g_DeviceWindow->GetDrawableSize(width, height); });
    ASSERT_EQ(width, 1024);
    ASSERT_EQ(height, 768);
    game.state.displayScaleMode = GetParam();
    const Rect<int> expected = FinalPictureRect(GetParam(), width, height);
    // A red picture with a blue mark in its top-left pixel.
    RenderFrame(
        [&] { engine->DrawRect(Point<int>(1, 1), nullptr, 0, 0, 0, 0, 0.0f, kBlue, true, false); }, kRed);
    const int cx = width / 2, cy = height / 2;
    EXPECT_TRUE(Near(Window(cx, cy), kRed));
    const int left = std::max(expected.x0, 0), right = std::min(expected.x1, width) - 1;
    const int top = std::max(expected.y0, 0), bottom = std::min(expected.y1, height) - 1;
    EXPECT_TRUE(Near(Window(left, cy), kRed));
    EXPECT_TRUE(Near(Window(right, cy), kRed));
    EXPECT_TRUE(Near(Window(cx, top), kRed));
    EXPECT_TRUE(Near(Window(cx, bottom), kRed));
    if (expected.x0 > 0) {
        EXPECT_TRUE(Near(Window(expected.x0 - 1, cy), kBlack));
        EXPECT_TRUE(Near(Window(expected.x1, cy), kBlack));
    }
    if (expected.y0 >= 0) {
        EXPECT_TRUE(Near(Window(expected.x0, expected.y0), kBlue)); // the mark is in the corner
    }
}

INSTANTIATE_TEST_SUITE_P(GLScaleModes, GLFinalPicture, testing::Values(0, 1, 2));

TEST(FinalPictureRect, FitFillAndStretchIn1024By768)
{
    struct Case {
        int mode, width, height;
        Rect<int> expected;
    };
    const Case cases[] = {
        {0, 1024, 768, Rect<int>(73, 0, 950, 768)},   // fit: bars left and right
        {1, 1024, 768, Rect<int>(0, -64, 1024, 832)}, // fill: top and bottom cut
        {2, 1024, 768, Rect<int>(0, 0, 1024, 768)},   // stretch
        {0, 512, 448, Rect<int>(0, 0, 512, 448)},     // the logical size, one to one
        {7, 1024, 768, Rect<int>(73, 0, 950, 768)},   // an unknown mode fits
    };
    for (const Case& c : cases)
        EXPECT_EQ(FinalPictureRect(c.mode, c.width, c.height), c.expected) << c.mode << " " << c.width;
}

TEST_F(GLRenderEngine, DisplayRequestsSwitchWindowAndFullScreenAndKeepDrawing)
{
    RenderFrame([] {}, kBlue);
    ASSERT_TRUE(pool->IsReady());
    auto fullScreenWindow = [&] {
        bool full = false;
        pool->RunOnRenderThread([&] { full = g_DeviceWindow && g_DeviceWindow->IsFullScreen(); });
        return full;
    };

    ASSERT_TRUE(pool->PostDisplayRequest(RenderPoolManager::kRequestWindow, 100));
    EXPECT_FALSE(pool->IsReady());
    EXPECT_FALSE(g_FullScreen);
    ASSERT_TRUE(WaitUntil([&] { return pool->request.load() == 0 && pool->IsReady(); }));
    EXPECT_FALSE(fullScreenWindow());
    EXPECT_FALSE(g_NeedResetWindow);
    RenderFrame([] {}, kGreen);
    EXPECT_TRUE(Near(Picture(256, 224), kGreen));

    const int restoresBefore = game.deviceRestores.load();
    ASSERT_TRUE(pool->PostDisplayRequest(RenderPoolManager::kRequestFullScreen, 100));
    ASSERT_TRUE(WaitUntil([&] { return pool->request.load() == 0 && pool->IsReady(); }));
    EXPECT_EQ(game.deviceRestores.load() - restoresBefore, 1); // the objects rebuilt on the new device
    EXPECT_TRUE(g_FullScreen);
    EXPECT_TRUE(fullScreenWindow());
    RenderFrame([] {}, kRed);
    EXPECT_TRUE(Near(Picture(256, 224), kRed));

    ASSERT_TRUE(pool->PostDisplayRequest(RenderPoolManager::kRequestDisplaySettings, 100));
    ASSERT_TRUE(WaitUntil([&] { return pool->request.load() == 0 && pool->IsReady(); }));
    RenderFrame([] {}, kWhite);
    EXPECT_TRUE(Near(Picture(256, 224), kWhite));
}

TEST_F(GLRenderEngine, DebugTextLightsPixelsOfThePicture)
{
    RenderFrame([] {});
    int lit = 0;
    pool->RunOnRenderThread([&] {
        engine->BeginScene(false);
        engine->Clear(kBlack, 0);
        DrawDebugText("Quenholt", Point<int>(10, 10), kWhite);
        engine->EndScene(false);
        std::vector<uint32_t> pixels;
        ReadPicturePixels(10, 10, 80, 16, pixels);
        for (uint32_t p : pixels)
            lit += rendertest::Red(p) > 128 ? 1 : 0;
    });
    EXPECT_GT(lit, 20);
}

TEST_F(GLRenderEngine, SpriteDrawnIntoARenderTextureIsCopiedToAnotherSurface)
{
    rendertest::ImageSprite* sprite = MakeSprite("quad.png", 0, 0, 7, 7);
    RenderFrame([] {});
    std::vector<uint32_t> first;
    std::vector<uint32_t> second;
    // The second target is made on the main thread, where no GL context is
    // current: it still becomes a target once the render thread uses it.
    std::unique_ptr<IGraphicalRessource> b(engine->CreateRenderTexture(32, 32));
    pool->RunOnRenderThread([&] {
        std::unique_ptr<IGraphicalRessource> a(engine->CreateRenderTexture(32, 32));
        auto* ra = dynamic_cast<DXGraphicalRessource*>(a.get());
        auto* rb = dynamic_cast<DXGraphicalRessource*>(b.get());
        ASSERT_TRUE(ra && rb && ra->GetSurface() && rb->GetSurface());
        DXGraphicalSurface surfaceA(ra, false);
        DXGraphicalSurface surfaceB(rb, false);
        engine->BeginScene(false);
        surfaceA.Activate();
        engine->Clear(kBlack, 0);
        engine->DrawSprite(sprite, &surfaceA, 2, 3, 0, 0, 0.0f, nullptr, true);
        surfaceB.Activate();
        engine->Clear(kBlack, 0);
        engine->DrawSurface(&surfaceA, &surfaceB, 5, 1, 0, 0, 0.0f);
        SetRenderTarget(0, nullptr, false);
        engine->EndScene(false);
        ReadFramebufferPixels(ra->GetSurface(), 2, 3, 8, 8, first);
        ReadFramebufferPixels(rb->GetSurface(), 7, 4, 8, 8, second);
    });
    ASSERT_EQ(first.size(), 64u);
    ASSERT_EQ(second.size(), 64u);
    // Top-left red, top-right green, bottom-left blue in both, upright.
    EXPECT_TRUE(Near(first[0], kRed));
    EXPECT_TRUE(Near(first[4], kGreen));
    EXPECT_TRUE(Near(first[4 * 8], kBlue));
    EXPECT_TRUE(Near(second[0], kRed));
    EXPECT_TRUE(Near(second[4], kGreen));
    EXPECT_TRUE(Near(second[4 * 8 + 4], kWhite));
}

TEST_F(GLRenderEngine, ImagePassResolvesQueuedSpritesOnTheRenderThread)
{
    rendertest::ImageSprite* drawn = MakeSprite("quad.png", 0, 0, 7, 7);
    rendertest::ImageSprite* framed = MakeSprite("quad.png", 0, 0, 3, 3);

    // Queued with the frame: resolved before the frame is drawn.
    pool->ClearCurrentFrame();
    pool->QueueSpriteImage(drawn);
    pool->QueueSpriteImage(framed);
    pool->QueueSpriteImage(nullptr);
    ASSERT_EQ(pool->frameImages[pool->fillSlot.load()].size(), 2u);
    RenderFrame([] {});
    EXPECT_TRUE(drawn->IsImageLoaded());
    EXPECT_TRUE(framed->IsImageLoaded());
    for (const auto& list : pool->frameImages)
        EXPECT_TRUE(list.empty());

    // Asked for directly: the game's load runs on the render thread, then the
    // queued images; the request is forgotten once done.
    rendertest::ImageSprite* later = MakeSprite("quad.png", 4, 4, 7, 7);
    std::thread::id loadedOn;
    pool->RequestLoadImages(
        [&] {
            loadedOn = std::this_thread::get_id();
            later->LoadImage();
        },
        true);
    EXPECT_TRUE(later->IsImageLoaded());
    EXPECT_EQ(loadedOn, pool->thread.get_id());
    EXPECT_FALSE(pool->imageObjects);
    EXPECT_EQ(pool->imageCursor.load(), -1);
}

TEST_F(GLRenderEngine, FinalPassFiltersByPointOrLinearAsTheGameSays)
{
    game.state.displayScaleMode = 2; // stretched: 2 x 1.71
    auto mixedAcrossTheLine = [&] {
        RenderFrame(
            [&] { engine->DrawRect(Point<int>(1, 448), nullptr, 100, 0, 0, 0, 0.0f, kBlue, true, false); },
            kRed);
        std::vector<uint32_t> row;
        pool->RunOnRenderThread([&] { ReadWindowPixels(190, 384, 24, 1, row); });
        int mixed = 0;
        int blue = 0;
        for (uint32_t p : row) {
            mixed += (rendertest::Red(p) > 40 && rendertest::Blue(p) > 40) ? 1 : 0;
            blue += Near(p, kBlue) ? 1 : 0;
        }
        EXPECT_EQ(row.size(), 24u);
        return std::make_pair(mixed, blue);
    };
    game.state.linearFilter = false;
    const auto point = mixedAcrossTheLine();
    EXPECT_EQ(point.first, 0);
    EXPECT_EQ(point.second, 2); // one picture column, two window columns
    game.state.linearFilter = true;
    EXPECT_GT(mixedAcrossTheLine().first, 0);
}
