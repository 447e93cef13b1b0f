#include "characters/Player.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/GE_Fade.h"
#include "engine/render/RenderPoolCommand.h"
#include "engine/render/RenderPoolManager.h"
#include "game/Game.h"
#include "game/GameLoopAccess.h"
#include "scene/AnimatedSprite.h"
#include "scene/GraphicalObject.h"
#include "scene/Level.h"
#include "scene/SpacialInstance.h"
#include "scene/Sprite.h"

#include "tests/engine/platform/DebugCapture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

namespace {

// A UI frame that notes each draw: its number and the effect the render
// engine draws with at that moment.
class ProbeFrame : public GraphicalObject {
public:
    using Log = std::vector<std::pair<int, GraphicalEffect*>>;
    ProbeFrame(int frameNumber, Log& drawLog)
        : GraphicalObject("Probe" + std::to_string(frameNumber))
        , number(frameNumber)
        , log(drawLog)
    {
    }
    bool DrawSprite(DXGraphicalSurface*, int, int, int, int, float, int, int, int, int) override
    {
        log.emplace_back(number, g_RenderEngine != nullptr ? g_RenderEngine->GetEffect() : nullptr);
        return true;
    }

private:
    int number;
    Log& log;
};

// A game recording its frames for a render pool without a thread: what a
// pass draws is read back from the frame being filled.
class GameFramePasses : public testing::Test {
protected:
    GameFramePasses()
    {
        for (GraphicalObject* object : {&pose, &look}) {
            object->AddSpriteInstance(&square, 0, 0);
            object->AddGenericSpriteIndex(&square, 0);
        }
    }
    ~GameFramePasses() override { game.uiFrames.clear(); }

    // The draws that the level pass records after the level: the
    // rectangles (size, colour) and sprites (position, colour), in order.
    struct Draw {
        char kind; // 'c' clear, 'r' rectangle, 's' sprite
        Point<int> at;
        uint32_t colour;
        bool operator==(const Draw&) const = default;
    };
    std::vector<Draw> OverlayDraws()
    {
        pool->ClearCurrentFrame();
        GameLoopAccess(game).RenderLevel();
        std::vector<Draw> draws;
        for (const RenderPoolCommand& command : pool->GetFillCommands()) {
            if (command.GetName() == "ClearScreen")
                draws.push_back({'c', Point<int>(), command.GetColour()});
            else if (command.IsRect())
                draws.push_back({'r', command.GetRectSize(), command.GetColour()});
            else if (command.GetName().empty())
                draws.push_back({'s', command.GetPosition(), command.GetColour()});
        }
        return draws;
    }

    ProbeFrame::Log log;
    std::unique_ptr<ProbeFrame> probes[4]
        = {std::make_unique<ProbeFrame>(0, log), std::make_unique<ProbeFrame>(1, log),
            std::make_unique<ProbeFrame>(2, log), std::make_unique<ProbeFrame>(3, log)};
    GE_Fade endScoreFade {60, true};
    Sprite square {"square", "square.png", 0, 0, 16, 16};
    GraphicalObject pose {"Player Pose"};
    GraphicalObject look {"Player DieR"};
    DXRenderEngine* engine = new DXRenderEngine();
    RenderPoolManager* pool = engine->SetRenderPool(new RenderPoolManager(false));
    Game game {"Quenholt", engine, nullptr, nullptr};
};

TEST_F(GameFramePasses, TheUIFramesDrawInTheirFixedOrderAndTheEndScoreFadesInOverSixtyUpdateFrames)
{
    // The UI frame list of start-up, each frame a probe, all four visible;
    // the end score carries its fade-in as start-up attaches it.
    game.uiFrames.clear();
    for (auto& probe : probes) {
        game.uiFrames.push_back(
            std::make_unique<SpacialInstance<GraphicalObject, float>>(probe.get(), 0.0f, 0.0f));
        game.uiFrames.back()->SetVisible(true);
    }
    game.uiFrames[3]->SetEffect(&endScoreFade);
    // In play: the HUD, the dialogue box, then the menu over them; the end
    // score is hidden.
    Game::RenderUI(&game);
    EXPECT_EQ(log, (ProbeFrame::Log {{1, nullptr}, {0, nullptr}, {2, nullptr}}));
    EXPECT_FALSE(game.uiFrames[3]->IsVisible());

    // The ending: its score through its fade, then the menu, whatever else
    // is visible.
    game.endingMode = 1;
    std::vector<uint32_t> alphas;
    for (int frame = 0; frame < 130; ++frame) {
        game.fixedStepTick = frame % 2 == 0 ? 1 : 0; // a frame drawn between ticks does not step it
        log.clear();
        Game::RenderUI(&game);
        // The score draws through its fade, the menu does not.
        ASSERT_EQ(log, (ProbeFrame::Log {{3, &endScoreFade}, {2, nullptr}}));
        alphas.push_back(endScoreFade.GetAlpha());
    }
    EXPECT_TRUE(game.uiFrames[3]->IsVisible());
    EXPECT_EQ(alphas.front(), 255u - 59u * 4u) << "one step of 60 taken";
    EXPECT_EQ(alphas[1], alphas[0]) << "no tick, no step";
    EXPECT_EQ(alphas[2], alphas[0] + 4u);
    EXPECT_EQ(alphas[118], 255u) << "opaque after 60 update frames";
    EXPECT_EQ(alphas.back(), 255u);
    // Another ending in the same run fades the score in again.
    game.ShowEnding(1);
    EXPECT_EQ(endScoreFade.GetAlpha(), 255u - 60u * 4u);
    // A hidden frame is passed over.
    log.clear();
    game.uiFrames[2]->SetVisible(false);
    Game::RenderUI(&game);
    EXPECT_EQ(log, (ProbeFrame::Log {{3, &endScoreFade}}));
}

// Over the level: the arrival turns the look the player left with into its
// look, on black; the respawn brightens, and the death darkens, the screen
// under the player's look.
TEST_F(GameFramePasses, TheArrivalTheRespawnAndTheDeathDrawOverTheLevel)
{
    game.SetPlayer(std::make_unique<Player>("Player"));
    game.GetPlayer()->SetCurrentAnimation(&pose);
    EXPECT_TRUE(OverlayDraws().empty()) << "nothing over a plain frame";

    const Draw black {'c', Point<int>(), 0xFF000000u};
    const Point<int> halfWay(50, 25);
    const Point<int> there(100, 50);
    game.transitionImage = &look;
    game.transitionPosition = there;
    game.arrivalCounter = 15; // half-way: t = 0.5
    EXPECT_EQ(OverlayDraws(),
        (std::vector<Draw> {black, {'s', halfWay, 0x7FFFFFFFu}, {'s', halfWay, 0x7FFFFFFFu}}));
    game.arrivalCounter = 0;
    EXPECT_EQ(
        OverlayDraws(), (std::vector<Draw> {black, {'s', there, 0xFFFFFFFFu}, {'s', there, 0x00FFFFFFu}}));
    // The arriving look holds its first frame while the arrival runs.
    AnimatedSprite walk("Walk");
    walk.AddFrame(&square, 100.0f, 0.0f);
    walk.AddFrame(&square, 100.0f, 0.0f);
    GraphicalObject walking("Player WalkR");
    walking.AddAnimatedInstance(&walk, 0, 0);
    game.GetPlayer()->SetCurrentAnimation(&walking);
    for (const auto& [counter, frame] : {std::pair {15, 0}, std::pair {-1, 1}}) {
        walking.SetAnimationFrame(1);
        game.arrivalCounter = counter;
        OverlayDraws();
        EXPECT_EQ(walking.GetAnimationFrame(), frame) << counter;
    }
    game.GetPlayer()->SetCurrentAnimation(&pose);
    game.transitionImage = nullptr;

    // The second transition brightens over 110 update frames; at -1 it is
    // over and the player dies: a pose without animation has played out,
    // fully dark.
    const Point<int> screen(512, 448);
    for (const auto& [counter, alpha] :
        {std::pair {0, 0xFFu}, std::pair {55, 0x7Fu}, std::pair {109, 0x02u}, std::pair {-1, 0xFFu}}) {
        game.secondTransitionCounter = counter;
        if (counter < 0)
            game.GetPlayer()->SetMoveStateValue(Player::kDying);
        EXPECT_EQ(OverlayDraws(),
            (std::vector<Draw> {{'r', screen, alpha << 24}, {'s', Point<int>(), (alpha << 24) | 0xFFFFFFu}}))
            << counter;
    }
}

// A shake cut short by a level change leaves no offset on the next level.
TEST_F(GameFramePasses, ALevelsReleaseTakesTheViewOffsetBackToZero)
{
    engine->SetCameraOffset(3, -2);
    ASSERT_TRUE(Game::ReleaseLevel(new Level("noName"), &game));
    EXPECT_EQ(engine->GetCameraOffset(), Point<int>(0, 0));
}

// A loading frame drawn on the render thread while the main loop records its
// frame under the game's mutex would fill the same frame: it waits for the
// mutex, briefly, and is left out when it does not come.
TEST_F(GameFramePasses, ALoadingFrameIsLeftOutWhileTheMainLoopHoldsTheGamesMutex)
{
    DebugCapture debug;
    std::atomic<bool> held {false};
    std::atomic<bool> release {false};
    std::thread mainLoop([&] {
        game.GetGameMutex()->Acquire(platform::TimedMutex::kInfinite);
        held = true;
        while (!release)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        game.GetGameMutex()->Release();
    });
    while (!held)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const int32_t before = pool->publishedSlot.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(2)); // some time since the last loading frame
    game.Render(false);
    EXPECT_EQ(pool->publishedSlot.load(), before);
    EXPECT_NE(debug.Text().find("frame left out"), std::string::npos);
    release = true;
    mainLoop.join();
    game.Render(false);
    EXPECT_NE(pool->publishedSlot.load(), before) << "drawn once the mutex is free";
}

} // namespace
