#include "engine/platform/AtomicFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <unistd.h>

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
    std::string reason;
    const auto failures = [&](const std::string& text, std::string* why) {
        int failed = 0;
        for (int i = 0; i < 300; ++i)
            failed += platform::ReplaceFileAtomically(path, text, why) ? 0 : 1;
        return failed;
    };
    const pid_t other = fork();
    if (other == 0)
        _exit(failures(theirs, nullptr) > 0 ? 1 : 0);
    ASSERT_GT(other, 0);
    EXPECT_EQ(failures(mine, &reason), 0) << reason;
    int status = 0;
    waitpid(other, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the other game's saves failed";
    std::ifstream file(path, std::ios::binary);
    const std::string text {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    EXPECT_TRUE(text == mine || text == theirs) << text.size() << " bytes";
    // Nothing is left behind but the save.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    fs::remove_all(folder);
}
