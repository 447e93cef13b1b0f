#include "engine/config/GameConfig.h"
#include "engine/config/GamePaths.h"
#include "tools/run/RunLegs.h"

#include "tests/run/RunFixture.h"

#include <chrono>
#include <fstream>
#include <iterator>
#include <sstream>

// The title leg from the program's start: every page of the menu by keys,
// the settings put back as they were, a new game in slot 1, the cemetery's
// intro read and the pause page opened once. The pages and effects it
// reaches are counted by the whole run's coverage report.
namespace {

using RunLegTitle = RunFixture;

TEST_F(RunLegTitle, EveryPageByKeysThenANewGameInSlotOne)
{
    ASSERT_TRUE(game.menuFlag) << "the program starts on the title";
    std::ostringstream before;
    game.GetConfig()->Write(before);
    const auto start = std::chrono::steady_clock::now();
    Fly(RunTitle);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("[ title leg ] %d passes in %.1f s\n", pilot->Frame(), seconds);

    EXPECT_EQ(pilot->LevelName(), "cemetery_01.lvl");
    EXPECT_EQ(pilot->SaveVar("intro_done"), "1");
    EXPECT_FALSE(game.menuFlag);
    EXPECT_FALSE(game.gameplayPaused);
    EXPECT_EQ(game.currentSaveSlot, 0) << "slot 1";

    // Everything changed on the way was put back, in the game and in the
    // settings file the pages wrote as they were left.
    std::ostringstream now;
    game.GetConfig()->Write(now);
    EXPECT_EQ(now.str(), before.str());
    std::ifstream file(GetUserPath() + "UserConfig.cfg", std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(written, before.str());
}

} // namespace
