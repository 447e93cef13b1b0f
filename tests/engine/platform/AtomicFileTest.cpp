#include "engine/platform/AtomicFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Two games saving into one user folder, again and again at the same time:
// every save succeeds, and the file is always one of the two saves, whole.
TEST(AtomicFile, TwoGamesSavingIntoOneFolderBothSaveEachFileWhole)
{
    const fs::path folder = fs::temp_directory_path() / ("quenholt-atomic-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string path = (folder / "Save_0.sav").string();
    const std::string mine(20000, 'a');
    const std::string theirs(30000, 'b');
    constexpr int kSaves = 300;
    const pid_t other = fork();
    if (other == 0) {
        int failed = 0;
        for (int i = 0; i < kSaves; ++i)
            failed += platform::ReplaceFileAtomically(path, theirs) ? 0 : 1;
        _exit(failed > 0 ? 1 : 0);
    }
    ASSERT_GT(other, 0);
    int failed = 0;
    std::string reason;
    for (int i = 0; i < kSaves; ++i)
        failed += platform::ReplaceFileAtomically(path, mine, &reason) ? 0 : 1;
    int status = 0;
    waitpid(other, &status, 0);
    EXPECT_EQ(failed, 0) << reason;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the other game's saves failed";
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_TRUE(text.str() == mine || text.str() == theirs) << text.str().size() << " bytes";
    // Nothing is left behind but the save.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    fs::remove_all(folder);
}

} // namespace
