#include "engine/render/Screenshot.h"

#include "engine/config/GamePaths.h"
#include "engine/render/D3DDevice.h"
#include "engine/render/RenderPoolManager.h"
#include "engine/serial/FileUtils.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

class ScreenshotFiles : public testing::Test {
protected:
    void SetUp() override
    {
        folder = std::filesystem::temp_directory_path()
            / ("quenholt_shots_" + std::to_string(::getpid()) + "_"
                + testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
    }
    void TearDown() override
    {
        SetUserPath("");
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    void Touch(const std::string& name) { std::ofstream(folder / name) << "x"; }

    std::filesystem::path folder;
};

TEST_F(ScreenshotFiles, NamesCarryTheLevelAndUnpaddedLocalTime)
{
    std::tm time {};
    time.tm_year = 116;
    time.tm_mon = 2;
    time.tm_mday = 5;
    time.tm_hour = 9;
    time.tm_min = 7;
    time.tm_sec = 3;
    const std::pair<const char*, const char*> names[] = {
        {"", "Screenshot_2016-3-5_9-7-3"},
        {"crypt_01", "Screenshot_crypt_01_2016-3-5_9-7-3"},
        // A level opened by a path is named by its file alone.
        {"levels/boat_02.lvl", "Screenshot_boat_02.lvl_2016-3-5_9-7-3"},
        {"levels\\deep/boat_02.lvl", "Screenshot_boat_02.lvl_2016-3-5_9-7-3"},
    };
    for (const auto& [level, name] : names)
        EXPECT_EQ(MakeScreenshotBaseName(level, time), name) << level;

    SetUserPath("");
    EXPECT_EQ(GetScreenshotFolder(), "") << "never the program's folder";
    SetUserPath(folder.string() + "/");
    EXPECT_EQ(GetScreenshotFolder(), folder.string() + "/Screenshots");
}

TEST_F(ScreenshotFiles, ANameTakenInTheSameSecondGetsTheNextNumber)
{
    const std::string dir = folder.string();
    EXPECT_EQ(MakeUniqueBaseName(dir, "Shot", ".jpg", "_comments.txt"), "Shot");
    Touch("Shot.jpg");
    EXPECT_EQ(MakeUniqueBaseName(dir, "Shot", ".jpg", "_comments.txt"), "Shot_2");
    Touch("Shot_2_comments.txt"); // a comments file alone also holds its name
    EXPECT_EQ(MakeUniqueBaseName(dir, "Shot", ".jpg", "_comments.txt"), "Shot_3");
}

TEST_F(ScreenshotFiles, WithoutAPictureTheRequestIsClearedAndTheFailureSaid)
{
    // Without a user folder nothing is written, comments included: not
    // beside the program either.
    const auto shotsBesideProgram = [] {
        int count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(GetProgramFolder()))
            count += entry.path().filename().string().rfind("Screenshot_", 0) == 0 ? 1 : 0;
        return count;
    };
    const int before = shotsBesideProgram();
    g_ScreenshotRequested = true;
    g_ScreenshotAddComments = 1;
    EXPECT_EQ(TakeScreenshot("level"), "");
    EXPECT_FALSE(g_ScreenshotRequested.load());
    EXPECT_EQ(shotsBesideProgram(), before);

    SetUserPath(folder.string() + "/");
    std::filesystem::create_directories(folder / "Screenshots");
    g_ScreenshotRequested = true;
    g_ScreenshotAddComments = 1;
    EXPECT_EQ(TakeScreenshot("level"), "");
    g_ScreenshotAddComments = 0;
    EXPECT_FALSE(g_ScreenshotRequested.load());
    // The comments file is still written.
    int comments = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder / "Screenshots")) {
        std::ifstream in(entry.path());
        std::string line;
        std::getline(in, line);
        EXPECT_EQ(line, "<Enter comments>\r");
        ++comments;
    }
    EXPECT_EQ(comments, 1);
}

TEST_F(ScreenshotFiles, TheLoadLogKeepsEachNameOnceAcrossRuns)
{
    SetUserPath(folder.string() + "/");
    const auto logPath = folder / "LoadPNG_OutOfLoadingScope.log";
    std::ofstream(logPath, std::ios::binary) << "earlier.png\r\n";
    {
        RenderPoolManager pool(false);
        pool.LogOutOfScopeLoad(""); // opens the log
        pool.LogOutOfScopeLoad("earlier.png");
        pool.LogOutOfScopeLoad("new.png");
        pool.LogOutOfScopeLoad("new.png");
    }
    {
        RenderPoolManager pool(false);
        pool.LogOutOfScopeLoad("new.png");
        pool.LogOutOfScopeLoad("other.png");
    }
    std::ifstream in(logPath, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "earlier.png\r\nnew.png\r\nother.png\r\n");
}

TEST_F(ScreenshotFiles, EveryStartOpensTheLoadLog)
{
    SetUserPath(folder.string() + "/");
    const auto logPath = folder / "LoadPNG_OutOfLoadingScope.log";
    {
        RenderPoolManager pool(false);
        pool.LogOutOfScopeLoad(""); // the render thread's start
        EXPECT_TRUE(std::filesystem::exists(logPath));
    }
    EXPECT_EQ(std::filesystem::file_size(logPath), 0u) << "the opening call writes no line";
}

TEST_F(ScreenshotFiles, ALogThatCannotBeOpenedStaysSilent)
{
    SetUserPath((folder / "missing" / "deeper").string() + "/");
    RenderPoolManager pool(false);
    pool.LogOutOfScopeLoad("image.png");
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
}

} // namespace
