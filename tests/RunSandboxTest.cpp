#include "RunSandbox.h"
#include "TemporaryFolderCheck.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

extern char** environ;

// The test program's own main ran in a sandbox: the temporary folder and
// HOME are the run's own, and no XDG variable or display of the caller's is
// left (outside the X11 suites, which run on their own X server).
TEST(RunSandbox, TheRunHasItsOwnFoldersAndNoDisplay)
{
    const std::filesystem::path temporary = std::filesystem::temp_directory_path();
    const std::filesystem::path root = temporary.parent_path();
    EXPECT_EQ(temporary.filename(), "tmp");
    EXPECT_EQ(root.filename().string().rfind("quenholt-run-folders-", 0), 0u) << root;
    ASSERT_NE(std::getenv("HOME"), nullptr);
    EXPECT_EQ(std::filesystem::path(std::getenv("HOME")), root / "home");
    for (char** entry = environ; *entry; ++entry)
        EXPECT_NE(std::string(*entry).rfind("XDG_", 0), 0u) << *entry;
    if (std::getenv("QUENHOLT_X11_TESTS") == nullptr) {
        EXPECT_EQ(std::getenv("DISPLAY"), nullptr);
        EXPECT_STREQ(std::getenv("SDL_VIDEODRIVER"), "offscreen");
    }
}

// A file a test leaves in the temporary folder fails that test, named, and
// goes; one that was there before the test is not the test's.
TEST(TemporaryFolderCheck, ATestThatLeavesAFileFailsAndTheFileGoes)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "check";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "before").put('x');
    const testing::TestInfo& test = *testing::UnitTest::GetInstance()->current_test_info();
    TemporaryFolderCheck check(folder);
    check.OnTestStart(test);
    std::ofstream(folder / "quenholt_sound_left").put('x');
    EXPECT_NONFATAL_FAILURE(
        check.OnTestEnd(test), "left in the temporary folder " + folder.string() + ": quenholt_sound_left");
    EXPECT_EQ(TemporaryFolderCheck::Entries(folder), std::set<std::string> {"before"});
    check.OnTestStart(test);
    check.OnTestEnd(test);
    std::filesystem::remove_all(folder);
}
