#include "scene/Level.h"

#include "scene/Camera.h"
#include "scene/Layer.h"
#include "tests/scene/SquareSceneFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using rendertest::Near;

namespace {

constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kGreen = 0xFF00FF00u;
constexpr uint32_t kBlue = 0xFF0000FFu;
constexpr uint32_t kBlack = 0xFF000000u;

// A level of three layers drawn through the device engine on the render
// thread: a red square in a background that scrolls at half speed, a green
// one in the scene and a blue one in the foreground, each overlapping the
// one before on screen.
class GLLevelRender : public scenetest::SquareSceneFixture {
protected:
    void SetUp() override
    {
        StartWithSquares(
            "quenholt_level_render", 16, {{"red.png", kRed}, {"green.png", kGreen}, {"blue.png", kBlue}});
    }
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
    RenderFrame([&] { level.Render(&camera); });

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
