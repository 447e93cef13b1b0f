#include "engine/render/PostChain.h"

#include "engine/render/DXRenderEngine.h"
#include "engine/render/EffectList.h"
#include "engine/render/RenderPoolManager.h"
#include "engine/render/ShaderRes.h"
#include "tests/engine/render/EffectTestSupport.h"
#include "tests/engine/render/RenderTestSupport.h"

#include <gtest/gtest.h>

namespace {

class CountingHost : public PostChainHost {
public:
    void RenderUI() override
    {
        ++uiDraws;
        if (engine != nullptr)
            uiOffsets.push_back(engine->GetCameraOffset());
    }
    void UpdateDevConsole() override { ++consoleUpdates; }
    void DrawFpsOverlay() override { ++overlays; }
    DXRenderEngine* engine = nullptr;
    std::vector<Point<int>> uiOffsets;
    int uiDraws = 0;
    int consoleUpdates = 0;
    int overlays = 0;
};

// A recording engine with a render pool but no render thread, and the
// game's effects with programs standing for loaded ones.
class PostChainFrames : public testing::Test {
protected:
    void SetUp() override
    {
        pool = engine.SetRenderPool(new RenderPoolManager(false));
        list.Create();
        for (const auto& shader : list.GetEffects())
            if (!shader->IsPlaceholder())
                shader->SetEffect(std::make_unique<effecttest::RecordingProgram>());
        effects = CreatePostEffects(engine, false);
    }
    void TearDown() override { list.Clear(); }

    // The frame handed over: each command's name, with the effect's name
    // for the full-screen passes.
    std::vector<std::string> Finish(const PostChainFrame& frame)
    {
        pool->ClearCurrentFrame();
        result = FinishFrame(effects, frame, host, engine);
        std::vector<std::string> names;
        for (const RenderPoolCommand& command : pool->frameCommands[pool->renderSlot.load()]) {
            std::string name = command.GetName();
            if (auto* effect = dynamic_cast<ShaderEffect*>(command.GetEffect()))
                name += " " + effect->GetShader()->GetName();
            names.push_back(name);
        }
        return names;
    }

    static bool Contains(const std::vector<std::string>& names, const std::string& name)
    {
        return std::find(names.begin(), names.end(), name) != names.end();
    }

    DXRenderEngine engine;
    RenderPoolManager* pool = nullptr;
    EffectList list;
    PostEffects effects;
    CountingHost host;
    PostChainResult result;
};

TEST_F(PostChainFrames, ALevelFrameEndsWithTheUIBrightnessDebugTextAndTheFinalCopy)
{
    PostChainFrame frame;
    frame.levelLoaded = true;
    frame.brightnessLevel = 14;
    const auto names = Finish(frame);
    EXPECT_EQ(names,
        (std::vector<std::string> {"StartRendering", "EndRendering",
            "StretchBackbuffer false fullFX_Brightness", "game_debug_D3D",
            "StretchBackbuffer true BasicPostEffect_Point"}));
    EXPECT_EQ(host.uiDraws, 1);
    EXPECT_EQ(host.consoleUpdates, 1);
    EXPECT_TRUE(result.submitted);
    EXPECT_FALSE(result.waitForRenderEnd);
    EXPECT_EQ(effects.brightness->GetInputValue(), 14.0f);
}

TEST_F(PostChainFrames, TheInterfaceShakesWithTheWholePicture)
{
    host.engine = &engine;
    engine.SetCameraOffset(3, -4);
    PostChainFrame frame;
    frame.levelLoaded = true;
    Finish(frame);
    frame.levelLoaded = false;
    pool->idle = 1;
    Finish(frame);
    EXPECT_EQ(host.uiOffsets, (std::vector<Point<int>> {Point<int>(3, -4), Point<int>(3, -4)}));
    EXPECT_EQ(engine.GetCameraOffset(), Point<int>(3, -4));
}

TEST_F(PostChainFrames, ScreenEffectsFollowTheUIStateTheEndingTheCountersAndTheOptions)
{
    const std::string pass = "StretchBackbuffer false ";
    struct Case {
        const char* what;
        int uiState;
        int endingMode;
        int counter;
        int motionBlur;
        std::vector<std::string> present;
        std::vector<std::string> absent;
    } cases[] = {
        {"map screen: no water, no UI, the fade still applies", 4, 0, -1, 0, {pass + "fullFX_FadeToColor"},
            {pass + "fullFX_WaterEffect", "StartRendering"}},
        {"playing: water and UI, no fades", 0, 0, -1, 0, {pass + "fullFX_WaterEffect", "StartRendering"},
            {pass + "fullFX_FadeToColor", pass + "fullFX_FadeToColorInv"}},
        {"a transition counting holds the fade back", 1, 0, 5, 0, {pass + "fullFX_FadeToColorInv"},
            {pass + "fullFX_FadeToColor"}},
        {"the ending darkens first", 0, 1, -1, 0, {pass + "fullFX_FadeToColor_DarkFirst"}, {}},
        {"motion blur level 2", 0, 0, -1, 2, {pass + "fullFX_MoBlur"}, {}},
        {"motion blur off", 0, 0, -1, 0, {}, {pass + "fullFX_MoBlur"}},
        {"the neutral brightness changes nothing: no pass", 0, 0, -1, 0, {"StartRendering"},
            {pass + "fullFX_Brightness"}},
    };
    for (const Case& c : cases) {
        for (auto* effect : {effects.water.get(), effects.fadeToColor.get(), effects.fadeToColorInv.get()})
            effect->Start(0);
        PostChainFrame frame;
        frame.levelLoaded = true;
        frame.uiState = c.uiState;
        frame.endingMode = c.endingMode;
        frame.firstTransitionCounter = c.counter;
        frame.motionBlurLevel = c.motionBlur;
        const auto names = Finish(frame);
        for (const std::string& name : c.present)
            EXPECT_TRUE(Contains(names, name)) << c.what << ": " << name;
        for (const std::string& name : c.absent)
            EXPECT_FALSE(Contains(names, name)) << c.what << ": " << name;
    }
    // The level-2 frame restarted the blur and advanced it by 40; the frame
    // without blur left it there.
    EXPECT_EQ(effects.moBlur->GetTime(), 40.0f);
}

TEST_F(PostChainFrames, WithoutALevelTheBlurAlwaysRunsAndALoadingHoldWaitsForTheRenderThread)
{
    pool->idle = 1;
    pool->loadingHold = 1;
    PostChainFrame frame;
    frame.motionBlurLevel = 0;
    const auto names = Finish(frame);
    EXPECT_TRUE(
        Contains(names, "StretchBackbuffer false fullFX_FadeToColor_DarkFirst")); // running at start-up
    ASSERT_TRUE(Contains(names, "StretchBackbuffer false fullFX_MoBlur"));
    EXPECT_EQ(effects.moBlur->GetTime(), 50.0f);
    const auto reset = std::find(names.begin(), names.end(), "ResetLoadingState");
    ASSERT_NE(reset, names.end());
    EXPECT_EQ(*(reset + 1), "StretchBackbuffer true BasicPostEffect_Point");
    EXPECT_TRUE(result.waitForRenderEnd);
    EXPECT_EQ(host.uiDraws, 1);
}

TEST_F(PostChainFrames, StartUpEffectsRestAtTheirEndExceptTheDarkFadeAndBloom)
{
    EXPECT_TRUE(effects.fadeToColorDarkFirst->IsRunning());
    EXPECT_TRUE(effects.bloom->IsRunning());
    for (auto* resting : {effects.fadeToColor.get(), effects.fadeToColorInv.get(), effects.water.get(),
             effects.moBlur.get()}) {
        EXPECT_FALSE(resting->IsRunning()) << resting->GetShader()->GetName();
        EXPECT_EQ(resting->GetTime(), resting->GetDuration());
    }
    // The per-frame step moves the running fade only (mode 2: on ticks).
    rendertest::FakeGame game;
    game.state.fixedStepTick = true;
    StepPostEffects(effects);
    EXPECT_EQ(effects.fadeToColorDarkFirst->GetTime(), 1.0f);
    EXPECT_EQ(effects.water->GetTime(), 120.0f);
    EXPECT_EQ(CreatePostEffects(engine, true).base->GetShader()->GetName(), "BasicPostEffect_Linear");
}

} // namespace
