#include "engine/app/MainLoop.h"

#include "engine/app/DevConsole.h"
#include "engine/app/MainLoopGame.h"
#include "engine/platform/Mutex.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/PostChain.h"
#include "engine/render/RenderPoolManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <thread>

namespace {

// A game whose update follows a script of ticks and states, and that notes
// what the loop asked of it.
class ScriptedGame : public MainLoopGame, public PostChainHost {
public:
    DevConsole& GetConsole() override { return console; }
    void Update() override
    {
        ++updates;
        if (onUpdate)
            onUpdate(*this);
    }
    bool IsUpdateFrame() const override { return tick; }
    bool HasPendingLevelChange() const override { return pendingChange; }
    bool HasLevel() const override { return level; }
    bool IsMenuPaused() const override { return menu; }
    bool MaySkipFrames() const override { return maySkip; }
    double MillisecondsToNextTick() const override { return 10.0; }
    platform::TimedMutex* GetGameMutex() override { return &mutex; }
    PostEffects* GetPostEffects() override { return nullptr; }
    void RenderLevel() override
    {
        ++levelDraws;
        // The mutex is held while the frame is recorded: another thread
        // cannot take it.
        bool taken = false;
        std::thread([&] {
            taken = mutex.try_lock();
            if (taken)
                mutex.unlock();
        }).join();
        heldWhileRecording = heldWhileRecording && !taken;
    }
    PostChainFrame GetFrameState() const override { return {}; }
    PostChainHost& GetPostChainHost() override { return *this; }
    void PollInput() override { ++polls; }
    void RenderUI() override { ++uiDraws; }
    void UpdateDevConsole() override
    {
        // The console editor reports the level pass's section: closed by now.
        for (const ProfileTimer& timer : console.profileTimers)
            if (timer.GetName() == "Global Render Pass")
                renderPassClosedAtEditor = !timer.IsRunning();
    }
    void DrawFpsOverlay() override { }

    DevConsole console;
    platform::TimedMutex mutex;
    std::function<void(ScriptedGame&)> onUpdate;
    bool tick = false;
    bool pendingChange = false;
    bool level = true;
    bool menu = false;
    bool maySkip = true;
    bool heldWhileRecording = true;
    bool renderPassClosedAtEditor = false;
    int updates = 0;
    int levelDraws = 0;
    int uiDraws = 0;
    int polls = 0;
};

class MainLoopPasses : public testing::Test {
protected:
    void SetUp() override
    {
        pool = engine.SetRenderPool(new RenderPoolManager(false));
        // What the render thread says once it has started.
        pool->ready = 1;
        pool->idle = 1;
    }

    // The commands handed over last.
    std::vector<std::string> HandedOver()
    {
        std::vector<std::string> names;
        for (const RenderPoolCommand& command : pool->frameCommands[pool->renderSlot.load()])
            names.push_back(command.GetName());
        return names;
    }

    DXRenderEngine engine;
    RenderPoolManager* pool = nullptr;
    ScriptedGame game;
    MainLoop loop {game, engine};
};

} // namespace

TEST_F(MainLoopPasses, TheSkipTestDrawsALevelOnlyOnTicksUnlessNothingAllowsSkipping)
{
    struct Case {
        const char* name;
        bool tick, level, menu, maySkip;
        MainLoop::Pass expected;
    };
    const Case cases[] = {
        {"no tick, level, frame limit: skipped", false, true, false, true, MainLoop::Pass::Skipped},
        {"tick: drawn", true, true, false, true, MainLoop::Pass::Recorded},
        {"no level: drawn", false, false, false, true, MainLoop::Pass::Recorded},
        {"menu: drawn", false, true, true, true, MainLoop::Pass::Recorded},
        {"no vsync and no limit: drawn", false, true, false, false, MainLoop::Pass::Recorded},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        game.tick = c.tick;
        game.level = c.level;
        game.menu = c.menu;
        game.maySkip = c.maySkip;
        const int32_t slotBefore = pool->renderSlot.load();
        const int levelDrawsBefore = game.levelDraws;
        EXPECT_EQ(loop.RunPass(), c.expected);
        const bool drawn = c.expected == MainLoop::Pass::Recorded;
        EXPECT_EQ(pool->renderSlot.load() != slotBefore, drawn); // handed over
        EXPECT_EQ(game.levelDraws - levelDrawsBefore, drawn && c.level ? 1 : 0);
    }
    EXPECT_TRUE(game.heldWhileRecording);
    EXPECT_TRUE(game.mutex.try_lock()); // released after every frame
    game.mutex.unlock();
}

TEST_F(MainLoopPasses, APendingLevelChangeLeavesTheFrameUndrawnAndTheMutexUntouched)
{
    game.tick = true;
    game.pendingChange = true;
    game.mutex.lock(); // a recording pass would wait here for 10 s
    const int32_t slotBefore = pool->renderSlot.load();
    EXPECT_EQ(loop.RunPass(), MainLoop::Pass::LevelChangePending);
    EXPECT_EQ(pool->renderSlot.load(), slotBefore);
    EXPECT_EQ(game.levelDraws, 0);
    game.mutex.unlock();
}

TEST_F(MainLoopPasses, TheQuitTestComesFirstAndALostDeviceSkipsTheUpdate)
{
    pool->messageWaitMode = true;
    EXPECT_EQ(loop.RunPass(), MainLoop::Pass::DeviceLost);
    EXPECT_EQ(game.updates, 0);
    pool->messageWaitMode = false;

    pool->quitting = true;
    EXPECT_EQ(loop.RunPass(), MainLoop::Pass::Quit);
    EXPECT_EQ(game.updates, 0);
    loop.Run(); // returns at once
}

TEST_F(MainLoopPasses, SectionsAreTimedOnlyOnTickPasses)
{
    game.tick = false;
    loop.RunPass();
    EXPECT_TRUE(game.console.profileTimers.empty());
    game.tick = true;
    loop.RunPass();
    std::vector<std::string> labels;
    for (const ProfileTimer& timer : game.console.profileTimers)
        labels.push_back(timer.GetName());
    EXPECT_EQ(labels, (std::vector<std::string> {"Global Game Update", "Global Render Pass"}));
    EXPECT_TRUE(game.renderPassClosedAtEditor);
}

TEST_F(MainLoopPasses, RunEndsWhenTheRenderThreadQuitsAndSleepsOnSkippedPasses)
{
    // Ticks every third pass; the window closes on the ninth update.
    game.onUpdate = [this](ScriptedGame& g) {
        g.tick = g.updates % 3 == 0;
        if (g.updates == 9)
            pool->quitting = true;
    };
    loop.Run();
    EXPECT_EQ(game.updates, 9);
    EXPECT_EQ(loop.GetRecordedFrames(), 3);
    EXPECT_EQ(loop.GetPasses(), 10); // the tenth pass is the quit test
}
