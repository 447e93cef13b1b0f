#include "game/Game.h"

#include "engine/input/AbstractInputManager.h"
#include "scene/Level.h"
#include "script/BackgroundEvent.h"

#include "tests/game/FixedStepClock.h"
#include "tests/game/ScriptedInput.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Counts its passes and finishes on its third update.
class CountingEvent : public BackgroundEvent {
public:
    CountingEvent(int& runs, int& updates)
        : BackgroundEvent("Counting")
        , runs(runs)
        , updates(updates)
    {
    }
    void Run() override
    {
        BackgroundEvent::Run();
        ++runs;
    }
    bool Update() override
    {
        BackgroundEvent::Update();
        if (++updates == 3)
            Finish();
        return true;
    }

private:
    int& runs;
    int& updates;
};

// The frame update moves every background event of the level on: a wait
// queued by a script ends only through its event's own update.
TEST(GameBackgroundEvents, EveryUpdateFrameUpdatesTheLevelsEventsThenDropsTheSpentOnes)
{
    const fs::path folder = fs::temp_directory_path() / ("quenholt-bgevents-" + std::to_string(getpid()));
    fs::create_directories(folder);
    {
        Level empty;
        ASSERT_TRUE(empty.SaveFile((folder / "small.lvl").string()));
    }
    FixedStepClock fixedStep;
    Game game("Quenholt", nullptr, new ScriptedInput(), nullptr);
    std::istringstream library("GameV0\r\nQuenholt\r\n0\r\n0\r\n0\r\n0\r\n");
    game.UnSerialize(library);
    ASSERT_TRUE(game.ChangeLevel((folder / "small.lvl").string()));
    game.frameDelay = 0; // every pass is an update frame
    int runs = 0, updates = 0;
    BackgroundEvent* event = game.GetCurrentLevel()->AddBackgroundEvent(new CountingEvent(runs, updates));
    ASSERT_NE(event, nullptr);
    event->SetAutoDelete(true);
    for (int pass = 0; pass < 2; ++pass)
        fixedStep.Pass(game);
    EXPECT_EQ(updates, 2);
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(game.GetCurrentLevel()->GetBackgroundEventCount(), 1u);
    // The third update finishes it, and the same pass drops it.
    fixedStep.Pass(game);
    EXPECT_EQ(updates, 3);
    EXPECT_EQ(game.GetCurrentLevel()->GetBackgroundEventCount(), 0u);
    fixedStep.Pass(game);
    EXPECT_EQ(updates, 3);
    fs::remove_all(folder);
}

} // namespace
