#include "scene/Layer.h"

#include "characters/Firefly.h"
#include "characters/Player.h"
#include "scene/Camera.h"
#include "scene/Level.h"
#include "tests/scene/SquareSceneFixture.h"

#include <gtest/gtest.h>

using rendertest::Near;

namespace {

constexpr uint32_t kGreen = 0xFF00FF00u;
constexpr uint32_t kBlue = 0xFF0000FFu;
constexpr uint32_t kBlack = 0xFF000000u;

// The first scene layer hosts the player: the game's player and its live
// characters are drawn on it, after its placed instances.
class GLLayerCharacters : public scenetest::SquareSceneFixture {
protected:
    void SetUp() override
    {
        StartWithSquares("quenholt_layer_characters", 16, {{"green.png", kGreen}, {"blue.png", kBlue}});
    }
};

TEST_F(GLLayerCharacters, TheScenesFirstLayerDrawsThePlayerAndTheLiveCharacters)
{
    Level level("picture");
    level.CreateLayer(Level::kScene, "Garden", nullptr, 512, 448, 32, 32);
    game.SetPlayer(std::make_unique<Player>("Player"));
    Player* player = game.GetPlayer();
    player->SetCurrentAnimation(&Square("Hero", "green.png"));
    player->SetPosition({200.0f, 100.0f});
    auto* ghost = new CharacterObject("Ghost");
    ghost->SetCurrentGraphical(&Square("Ghost", "blue.png"));
    ghost->SetPosition({300.0f, 100.0f});
    game.liveCharacters.push_back(ghost);
    auto* hidden = new CharacterObject("Hidden");
    hidden->SetCurrentGraphical(&Square("Ghost2", "blue.png"));
    hidden->SetPosition({400.0f, 100.0f});
    hidden->SetHidden(true, false);
    game.liveCharacters.push_back(hidden);

    Camera camera;
    camera.SetPosition(100, 0);
    RenderFrame([&] { level.Render(&camera); });

    // Screen y of the squares' top row: 448 - (100 + 16) = 332.
    EXPECT_TRUE(Near(Picture(105, 335), kGreen)) << std::hex << Picture(105, 335);
    EXPECT_TRUE(Near(Picture(205, 335), kBlue)) << std::hex << Picture(205, 335);
    EXPECT_TRUE(Near(Picture(305, 335), kBlack)) << "a hidden character is not drawn";
    game.SetPlayer(nullptr);
}

} // namespace

namespace {

// The player's fireflies are drawn after it on its layer, unless the game's
// firefly override has taken them (any index but -1).
TEST_F(GLLayerCharacters, TheFirefliesAreDrawnUnlessTheGameOverridesThem)
{
    Level level("fireflies");
    level.CreateLayer(Level::kScene, "Garden", nullptr, 512, 448, 32, 32);
    game.SetPlayer(std::make_unique<Player>("Player"));
    Player* player = game.GetPlayer();
    player->SetPosition({200.0f, 100.0f});
    player->secretFinder = true;
    for (const auto& firefly : player->GetFireflies())
        firefly->SetGraphicals(&Square("Fly", "blue.png"), nullptr);
    Camera camera;
    camera.SetPosition(100, 0);

    // Over the player at (32, 64): screen x 132, top row 448 - (164 + 16).
    RenderFrame([&] { level.Render(&camera); });
    EXPECT_TRUE(Near(Picture(135, 271), kBlue)) << std::hex << Picture(135, 271);
    game.fireflyOverrideIndex = 0;
    RenderFrame([&] { level.Render(&camera); });
    EXPECT_TRUE(Near(Picture(135, 271), kBlack)) << std::hex << Picture(135, 271);
    game.fireflyOverrideIndex = -1;
    game.SetPlayer(nullptr);
}

} // namespace
