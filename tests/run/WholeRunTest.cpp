#include "game/AchievementManager.h"
#include "game/GameSaveData.h"
#include "tools/run/RunCoverage.h"
#include "tools/run/RunLegs.h"
#include "tools/run/RunRecording.h"
#include "ui/UI_Menu.h"
#include "ui/UI_MenuCatalogue.h"

#include "tests/run/RunFixture.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>

// The whole run: the recorded keys of data/runs/whole_run.txt replayed from
// the program's start on the title, through the same pilot the legs fly,
// with the recording's console commands given first (as a developer starts
// the game with "-god -debug") and its typed text pushed before its passes.
// The replay must enter the same levels at the same frames as the recording;
// once the recording reaches the ending, the ending must show, the title come
// back with the achievements complete, slot 1 hold the final score at 100 %
// at the end, the game be asked to quit when the recording's epilogue typed
// "exit", and the coverage report list nothing the run never reached.
//
// QUENHOLT_RECORD_RUN=1 flies the legs live instead and writes the file anew,
// as far as the legs go (it says which leg stopped it, and why).
namespace {

const std::string kRecordingPath = std::string(QUENHOLT_SOURCE_DIR) + "/data/runs/whole_run.txt";
constexpr uint32_t kRunSeed = 1;

class WholeRun : public RunFixture {
protected:
    // Installed before the game starts (SetUp), so the library's classes and
    // the settings' commands count.
    RunCoverage coverage;

    void SetUp() override
    {
        RunFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        // The watch after every pass: the levels entered, the ending, and the
        // title after it.
        pilot->SetAfterPass([this] {
            const std::string level = pilot->LevelName();
            if (!level.empty() && level != lastLevel)
                seen.push_back({"level", level, pilot->Frame()});
            lastLevel = level;
            if (game.endingMode != 0 && !ended) {
                ended = true;
                seen.push_back({"ending", "ShowEnding", pilot->Frame()});
            }
            if (ended && !titleBack && game.menuFlag && Menu() != nullptr
                && Menu()->GetCurrentPageNumber() == MenuCatalogue::kMain) {
                titleBack = true;
                seen.push_back({"title", "back", pilot->Frame()});
                // The achievements as the ending left them: the epilogue's
                // console may reset them afterwards.
                AchievementManager& achievements = game.GetAchievements();
                for (size_t i = 0; i < achievements.GetCount(); ++i)
                    if (const Achievement* achievement = achievements.Get(i))
                        atTitle.push_back({achievement->GetName(), achievement->IsComplete(),
                            achievement->GetCurrent(), achievement->GetTarget()});
            }
        });
    }

    UI_Menu* Menu() { return game.GetMenu(); }

    // Gives the run's console commands, as the run does before its first pass.
    void GiveCommands(const std::vector<std::string>& commands)
    {
        for (const std::string& command : commands)
            ASSERT_TRUE(game.console.ExecuteCommand(command)) << command;
    }

    void Record();
    void Replay(const RunRecording& recording);
    void CheckTheEnding();

    struct AchievementState {
        std::string name;
        bool complete = false;
        int64_t current = 0;
        int64_t target = 0;
    };

    std::vector<RunRecording::Checkpoint> seen;
    std::vector<AchievementState> atTitle;
    std::string lastLevel;
    bool ended = false;
    bool titleBack = false;
};

void WholeRun::Record()
{
    platform::ScopedRandomSeed runSeed {kRunSeed};
    RunRecording recording;
    recording.seed = kRunSeed;
    // The debug flag lets Tab open the console the epilogue types into.
    recording.commands = {"god 1", "debug"};
    GiveCommands(recording.commands);
    std::vector<RunRecording::Checkpoint> legs;
    std::string stopped;
    for (const NamedLeg& leg : WholeRunLegs()) {
        seen.push_back({"leg", leg.name, pilot->Frame()});
        // Each leg meets the chances its own test meets, whatever the legs
        // before it drew.
        platform::ScopedRandomSeed legSeed {kRunSeed};
        if (!leg.leg(*pilot)) {
            stopped = "stopped at the leg \"" + leg.name + "\": " + pilot->Failure();
            break;
        }
    }
    recording.SetPasses(pilot->Recording());
    for (const RunPilot::TypedText& typed : pilot->Typed())
        recording.typed.push_back({typed.frame, typed.text});
    recording.checkpoints = seen;
    recording.comments
        = {" " + (stopped.empty() ? std::string("the whole run, to the title after the ending") : stopped)};
    std::string error;
    ASSERT_TRUE(recording.Save(kRecordingPath, error)) << error;
    std::printf("[ whole run ] recorded %d passes to %s\n[ whole run ] %s\n", recording.frames,
        kRecordingPath.c_str(), stopped.empty() ? "every leg flown" : stopped.c_str());
}

void WholeRun::Replay(const RunRecording& recording)
{
    platform::ScopedRandomSeed runSeed {recording.seed};
    GiveCommands(recording.commands);
    const auto start = std::chrono::steady_clock::now();
    const std::vector<RunRecording::Checkpoint> legs = recording.CheckpointsOf("leg");
    std::optional<platform::ScopedRandomSeed> legSeed;
    size_t nextLeg = 0;
    size_t next = 0;
    size_t nextTyped = 0;
    RunRecording::Keys keys;
    for (int frame = 0; frame < recording.frames; ++frame) {
        for (; nextLeg < legs.size() && legs[nextLeg].frame == frame; ++nextLeg) {
            legSeed.reset();
            legSeed.emplace(recording.seed);
        }
        if (next < recording.changes.size() && recording.changes[next].frame == frame)
            keys = recording.changes[next++].keys;
        for (; nextTyped < recording.typed.size() && recording.typed[nextTyped].frame == frame; ++nextTyped)
            pilot->Type(recording.typed[nextTyped].text);
        pilot->Pass(keys);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("[ whole run ] %d passes (%.0f s of game time) replayed in %.1f s: %.0f passes per second\n",
        recording.frames, recording.frames * RunPilot::kPassMilliseconds / 1000.0, seconds,
        seconds > 0.0 ? recording.frames / seconds : 0.0);

    // The same levels at the same frames, the ending and the title where the
    // recording has them.
    std::vector<RunRecording::Checkpoint> expected;
    for (const RunRecording::Checkpoint& checkpoint : recording.checkpoints)
        if (checkpoint.kind != "leg")
            expected.push_back(checkpoint);
    std::vector<RunRecording::Checkpoint> watched;
    for (const RunRecording::Checkpoint& checkpoint : seen)
        if (checkpoint.kind != "leg")
            watched.push_back(checkpoint);
    for (size_t i = 0; i < std::max(expected.size(), watched.size()); ++i) {
        const std::string want = i < expected.size()
            ? expected[i].kind + " " + expected[i].value + " at " + std::to_string(expected[i].frame)
            : "nothing";
        const std::string got = i < watched.size()
            ? watched[i].kind + " " + watched[i].value + " at " + std::to_string(watched[i].frame)
            : "nothing";
        ASSERT_EQ(got, want) << "checkpoint " << i + 1 << " of the replay differs from the recording";
    }
}

void WholeRun::CheckTheEnding()
{
    EXPECT_TRUE(ended) << "ShowEnding was never reached";
    EXPECT_TRUE(titleBack) << "the title did not come back after the ending";

    GameSaveData slot;
    std::string error;
    ASSERT_TRUE(slot.ReadFile(GameSaveData::GetSlotPath(0), nullptr, &error, false)) << error;
    EXPECT_EQ(slot.GetScore(), game.maxAdvanceScore) << "the final score";
    EXPECT_EQ(GameSaveData::CompletionPercent(slot.GetScore(), game.maxAdvanceScore), 100);

    // Every achievement a whole run at 100 % can earn, as the title found
    // them after the ending: not "TL;DR" (the end check gives it at 50 % or
    // less).
    const std::set<std::string> notEarned = {"TL;DR"};
    ASSERT_FALSE(atTitle.empty()) << "no achievements when the title came back";
    for (const AchievementState& achievement : atTitle) {
        if (notEarned.contains(achievement.name))
            continue;
        EXPECT_TRUE(achievement.complete)
            << "\"" << achievement.name << "\": " << achievement.current << " of " << achievement.target;
    }
}

TEST_F(WholeRun, FromTheTitleToTheEndingAndBack)
{
    ASSERT_TRUE(game.menuFlag) << "the run starts on the title";
    const char* record = std::getenv("QUENHOLT_RECORD_RUN");
    if (record != nullptr && std::string(record) == "1") {
        Record();
        return;
    }

    RunRecording recording;
    std::string error;
    ASSERT_TRUE(recording.Load(kRecordingPath, error)) << error;
    Replay(recording);
    if (HasFatalFailure())
        return;

    std::vector<std::string> untouched;
    const std::string report = coverage.Report(WorldCoverageFamilies(game), untouched);
    std::printf("[ whole run ] coverage:\n%s", report.c_str());

    // A recording cut short (a leg that stopped while recording) fails here,
    // naming where it stopped.
    ASSERT_FALSE(recording.CheckpointsOf("ending").empty())
        << "the recording stops before the ending ("
        << (recording.comments.empty() ? "no reason given" : recording.comments.back())
        << "): " << untouched.size() << " things not reached";
    CheckTheEnding();
    // The epilogue's last line, "exit", asks the game to quit.
    ASSERT_FALSE(recording.typed.empty()) << "the run typed nothing at the console";
    EXPECT_EQ(recording.typed.back().text, "exit");
    EXPECT_TRUE(game.IsQuitRequested()) << "the typed \"exit\" did not ask the game to quit";
    // Everything the report counts is reached, or exempt with its reason.
    for (const std::string& missing : untouched)
        ADD_FAILURE() << "the whole run never reached " << missing;
}

} // namespace
