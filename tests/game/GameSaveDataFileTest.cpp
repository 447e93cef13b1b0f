#include "game/GameSaveData.h"

#include "engine/serial/ReaderContext.h"
#include "tests/game/SaveTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class GameSaveDataFile : public testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("quenholt-save-" + std::to_string(getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        path = (folder / "Save_0.sav").string();
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder;
    std::string path;
};

TEST_F(GameSaveDataFile, AKilledWriterLeavesTheOldSaveOrTheNewOneWhole)
{
    GameSaveData first;
    FillEveryField(first);
    first.SetScore(0);
    ASSERT_TRUE(first.WriteFile(path, nullptr));

    std::mt19937 random(20261207);
    int32_t lastScore = 0;
    for (int round = 0; round < 40; ++round) {
        // The child says when its first save is whole; on every other round the
        // parent waits for that before killing, so saves complete however slow
        // the machine is, and the other rounds kill at any moment.
        int saved[2];
        ASSERT_EQ(pipe(saved), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Saves with a rising score until it is killed.
            close(saved[0]);
            GameSaveData record;
            FillEveryField(record);
            for (int32_t score = lastScore + 1;; ++score) {
                record.SetScore(score);
                if (!record.WriteFile(path, nullptr))
                    _exit(3);
                if (score == lastScore + 1) {
                    const char byte = 1;
                    (void)!write(saved[1], &byte, 1);
                    close(saved[1]);
                }
            }
        }
        close(saved[1]);
        if (round % 2 == 1) {
            char byte = 0;
            ASSERT_EQ(read(saved[0], &byte, 1), 1) << "the writer never finished a save";
        }
        close(saved[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 4000));
        ASSERT_EQ(kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself: " << status;

        GameSaveData loaded;
        std::string error;
        ASSERT_TRUE(loaded.ReadFile(path, nullptr, &error)) << "round " << round << ": " << error;
        EXPECT_GE(loaded.GetScore(), lastScore) << "an older save came back";
        EXPECT_EQ(loaded.GetMapName(), "Garden_02.lvl");
        lastScore = loaded.GetScore();
    }
    EXPECT_GT(lastScore, 0) << "no save was ever completed";
}

// A few thousand damaged copies of a good save: cut anywhere, bytes changed,
// lines dropped or repeated, counts made huge. None may crash, hang or
// allocate without bound; a refused file always names its line.
// A position the reader would refuse is never written: the old save stays
// and the reason is said.
TEST_F(GameSaveDataFile, APositionBeyondTheCoordinateRangeKeepsTheOldSave)
{
    GameSaveData first;
    FillEveryField(first);
    ASSERT_TRUE(first.WriteFile(path, nullptr));
    std::stringstream before;
    before << std::ifstream(path, std::ios::binary).rdbuf();
    for (const float bad :
        {std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN(), 5e6f}) {
        GameSaveData record;
        FillEveryField(record);
        record.SetPosition(bad, 0.0f);
        std::string reason;
        EXPECT_FALSE(record.WriteFile(path, nullptr, 0, &reason)) << bad;
        EXPECT_NE(reason.find("position"), std::string::npos) << reason;
        std::stringstream after;
        after << std::ifstream(path, std::ios::binary).rdbuf();
        EXPECT_EQ(after.str(), before.str());
    }
    // Nor any other value it would refuse (a rank the console may set),
    // said as the value and its range: the text was never a file.
    const struct {
        void (GameSaveData::*set)(int);
        int value;
        const char* reason;
    } ranks[] = {
        {&GameSaveData::SetAttackRank, 16, "the attack rank 16 is outside 1 to 4"},
        {&GameSaveData::SetMaxLife, 101, "the max life 101 is above 100"},
    };
    for (const auto& rank : ranks) {
        GameSaveData ranked;
        FillEveryField(ranked);
        (ranked.*rank.set)(rank.value);
        std::string reason;
        EXPECT_FALSE(ranked.WriteFile(path, nullptr, 0, &reason));
        EXPECT_EQ(reason, rank.reason);
        std::stringstream after;
        after << std::ifstream(path, std::ios::binary).rdbuf();
        EXPECT_EQ(after.str(), before.str());
    }
}

TEST(GameSaveDataMutations, NoMutationCrashesAndEveryRefusalIsNamed)
{
    GameSaveData good;
    FillEveryField(good);
    const std::string base = WriteToText(good);
    const std::vector<std::string> lines = SplitSaveLines(base);
    std::mt19937 random(7);
    int refused = 0;
    const int kRuns = 2000;
    for (int run = 0; run < kRuns; ++run) {
        std::string text;
        switch (run % 4) {
        case 0: // cut at any byte
            text = base.substr(0, random() % base.size());
            break;
        case 1: { // a few bytes changed
            text = base;
            for (int i = 0, n = 1 + static_cast<int>(random() % 4); i < n; ++i)
                text[random() % text.size()] = static_cast<char>(random() % 256);
            break;
        }
        case 2: { // a line dropped or repeated
            std::vector<std::string> changed = lines;
            const size_t at = random() % changed.size();
            if (random() % 2 == 0)
                changed.erase(changed.begin() + static_cast<long>(at));
            else
                changed.insert(changed.begin() + static_cast<long>(at), changed[at]);
            text = JoinSaveLines(changed);
            break;
        }
        default: { // a line outside the grid made a huge or negative number
            std::vector<std::string> changed = lines;
            const size_t at = 2248 + random() % (changed.size() - 2248);
            static const char* const kHuge[] = {"4294967295", "2147483647", "-1", "99999999999"};
            changed[at] = kHuge[random() % 4];
            text = JoinSaveLines(changed);
            break;
        }
        }
        GameSaveData loaded;
        std::istringstream is(text);
        ReaderContext context(is, "fuzz.sav");
        std::vector<std::pair<std::string, int32_t>> entries;
        if (!loaded.Read(is, &entries)) {
            ++refused;
            EXPECT_TRUE(context.HasError()) << "run " << run << " was refused without a reason";
        }
        EXPECT_LE(entries.size(), 17u);
    }
    EXPECT_GT(refused, kRuns / 2);
}

} // namespace
