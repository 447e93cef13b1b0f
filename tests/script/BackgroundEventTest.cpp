#include "script/BackgroundEvent.h"

#include "scene/Level.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

// An event that logs its passes into a shared journal and can act during
// its Run.
class Logged : public BackgroundEvent {
public:
    Logged(std::string name, std::vector<std::string>& journal_, std::string type_ = "BGEvent_Wait")
        : BackgroundEvent(std::move(name))
        , journal(journal_)
        , type(std::move(type_))
    {
    }
    void Run() override
    {
        BackgroundEvent::Run();
        journal.push_back("Run " + name);
        if (onRun)
            onRun();
    }
    bool Update() override
    {
        BackgroundEvent::Update();
        journal.push_back("Update " + name);
        return true;
    }
    std::string GetTypeName() const override { return type; }

    std::vector<std::string>& journal;
    std::string type;
    std::function<void()> onRun;
};

// One frame of the game's update over a queue.
void Frame(BackgroundEvent::Queue& queue)
{
    BackgroundEvent::RunQueue(queue);
    BackgroundEvent::UpdateQueue(queue);
    BackgroundEvent::PurgeQueue(queue);
}

TEST(BackgroundEventQueue, TheLevelStepsItsQueueInTwoPassesAndFreesWhatFinished)
{
    std::vector<std::string> journal;
    Level level("events");
    auto* waiting = new Logged("waiting", journal);
    level.AddBackgroundEvent(waiting);
    waiting->onRun = [&] {
        if (journal.size() == 1)
            level.AddBackgroundEvent(new Logged("queued", journal));
    };
    EXPECT_EQ(level.AddBackgroundEvent(nullptr), nullptr);
    level.RunBackgroundEvents();
    waiting->Stop();
    level.UpdateBackgroundEvents();
    level.PurgeBackgroundEvents();
    EXPECT_EQ(
        journal, (std::vector<std::string> {"Run waiting", "Run queued", "Update waiting", "Update queued"}));
    ASSERT_EQ(level.GetBackgroundEventCount(), 1u);
    EXPECT_EQ(level.GetBackgroundEvent(0)->GetName(), "queued");
}

TEST(BackgroundEventQueue, AStoppedEventFinishesInItsNextUpdateAndIsFreedThatFrame)
{
    std::vector<std::string> journal;
    BackgroundEvent::Queue queue;
    auto* stopping = new Logged("stopping", journal);
    auto* kept = new Logged("kept", journal);
    kept->SetAutoDelete(false);
    queue.emplace_back(stopping);
    queue.emplace_back(nullptr); // null entries are skipped
    queue.emplace_back(kept);
    stopping->Stop();
    kept->Finish();
    EXPECT_FALSE(stopping->IsFinished());
    const size_t liveBefore = BackgroundEvent::GetLiveCount();
    Frame(queue);
    // Stopped: finished at the end of Update and gone in the same frame.
    ASSERT_EQ(queue.size(), 2u);
    EXPECT_EQ(queue[1].get(), kept);
    EXPECT_EQ(BackgroundEvent::GetLiveCount(), liveBefore - 1);
    // A finished event that is not auto-delete keeps getting both passes.
    journal.clear();
    Frame(queue);
    EXPECT_EQ(journal, (std::vector<std::string> {"Run kept", "Update kept"}));
    EXPECT_EQ(queue.size(), 2u);
}

TEST(BackgroundEventLiveList, LookUpsFindTheOldestOfAKindUntilItIsDestroyed)
{
    std::vector<std::string> journal;
    EXPECT_EQ(BackgroundEvent::FindByTypeName("BGEvent_ArmorIce_Use"), nullptr);
    auto older = std::make_unique<Logged>("older", journal, "BGEvent_ArmorIce_Use");
    auto other = std::make_unique<Logged>("other", journal, "BGEvent_Wait");
    auto newer = std::make_unique<Logged>("newer", journal, "BGEvent_ArmorIce_Use");
    EXPECT_EQ(BackgroundEvent::FindByTypeName("BGEvent_ArmorIce_Use"), older.get());
    EXPECT_EQ(BackgroundEvent::FindByTypeName("bgevent_armorice_use"), nullptr); // case counts
    EXPECT_EQ(BackgroundEvent::FindAllByTypeName("BGEvent_ArmorIce_Use"),
        (std::vector<BackgroundEvent*> {older.get(), newer.get()}));
    older.reset();
    EXPECT_EQ(BackgroundEvent::FindByTypeName("BGEvent_ArmorIce_Use"), newer.get());
    newer.reset();
    EXPECT_EQ(BackgroundEvent::FindByTypeName("BGEvent_ArmorIce_Use"), nullptr);
    EXPECT_TRUE(BackgroundEvent::FindAllByTypeName("BGEvent_ArmorIce_Use").empty());

    BackgroundEvent base("base");
    EXPECT_EQ(BackgroundEvent::FindByTypeName("BackgroundEvent"), &base);
    base.Start();
    EXPECT_TRUE(base.IsStarted());
    base.Run();
    EXPECT_FALSE(base.IsStarted());
}

} // namespace

// An event whose owner has static lifetime and was made before any event
// (so it is destroyed after everything made later, the live list's first
// user included) still leaves the list cleanly at exit. The child starts
// afresh, so the owner is the program's first.
TEST(BackgroundEventLiveListDeathTest, AnEventOwnedUntilExitLeavesTheListAtExit)
{
    const std::string style = GTEST_FLAG_GET(death_test_style);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            static std::unique_ptr<BackgroundEvent> heldUntilExit;
            heldUntilExit = std::make_unique<BackgroundEvent>("held");
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
    GTEST_FLAG_SET(death_test_style, style);
}
