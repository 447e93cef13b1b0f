#include "engine/platform/AtomicFile.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sched.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// How a game of SavesInItsOwnProcessNamespace ended.
enum GameEnd { kAllSaved = 0, kSomeFailed = 1, kNotFirstProcess = 2, kNoNamespace = 3 };

bool WriteText(const char* path, const std::string& text)
{
    const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    const bool written
        = fd >= 0 && ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    if (fd >= 0)
        ::close(fd);
    return written;
}

// A new process namespace for the children of this process; without the
// right to make one, a user namespace too, the user mapped to itself.
bool EnterNewProcessNamespace()
{
    if (::unshare(CLONE_NEWPID) == 0)
        return true;
    const std::string uid = std::to_string(::getuid());
    const std::string gid = std::to_string(::getgid());
    return ::unshare(CLONE_NEWUSER | CLONE_NEWPID) == 0 && WriteText("/proc/self/setgroups", "deny")
        && WriteText("/proc/self/uid_map", uid + " " + uid + " 1")
        && WriteText("/proc/self/gid_map", gid + " " + gid + " 1");
}

// A game in a process namespace of its own, where it is process 1, as two
// games in two containers: it saves `text` into `path` 300 times.
pid_t StartGameInItsOwnNamespace(const std::string& path, const std::string& text)
{
    const pid_t game = fork();
    if (game != 0)
        return game;
    if (!EnterNewProcessNamespace())
        _exit(kNoNamespace);
    const pid_t first = fork();
    if (first == 0) {
        if (::getpid() != 1)
            _exit(kNotFirstProcess);
        int failed = 0;
        for (int i = 0; i < 300; ++i)
            failed += platform::ReplaceFileAtomically(path, text) ? 0 : 1;
        _exit(failed > 0 ? kSomeFailed : kAllSaved);
    }
    int status = 0;
    ::waitpid(first, &status, 0);
    _exit(first > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : kSomeFailed);
}

} // namespace

// Two games with one process number (each the first process of its own
// namespace) saving into one folder, again and again at the same time:
// every save succeeds, the file is always one of the two saves, whole, and
// nothing is left behind but the save.
TEST(AtomicFile, TwoGamesOfOneProcessNumberSavingIntoOneFolderBothSaveEachFileWhole)
{
    const fs::path folder = fs::temp_directory_path() / ("quenholt-atomic-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string path = (folder / "Save_0.sav").string();
    const std::string mine(20000, 'a');
    const std::string theirs(30000, 'b');
    const pid_t games[] = {StartGameInItsOwnNamespace(path, mine), StartGameInItsOwnNamespace(path, theirs)};
    int ends[2] = {kSomeFailed, kSomeFailed};
    for (int i = 0; i < 2; ++i) {
        ASSERT_GT(games[i], 0);
        int status = 0;
        ::waitpid(games[i], &status, 0);
        ends[i] = WIFEXITED(status) ? WEXITSTATUS(status) : kSomeFailed;
    }
    if (ends[0] == kNoNamespace || ends[1] == kNoNamespace) {
        fs::remove_all(folder);
        GTEST_SKIP() << "this system lets no process make a process namespace";
    }
    EXPECT_EQ(ends[0], kAllSaved);
    EXPECT_EQ(ends[1], kAllSaved);
    std::ifstream file(path, std::ios::binary);
    const std::string text {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    EXPECT_TRUE(text == mine || text == theirs) << text.size() << " bytes";
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    fs::remove_all(folder);
}

TEST(AtomicFile, TemporaryNamesOfASave)
{
    const std::string save = "/u/Save_1.sav";
    for (const char* name : {"Save_1.sav.0123456789abcdef.tmp", "Save_1.sav.ffffffffffffffff.tmp"})
        EXPECT_TRUE(platform::IsTemporaryNameOf(save, name)) << name;
    for (const char* name :
        {"Save_1.sav", "Save_1.sav..tmp", "Save_10.sav.12.tmp", "Save_1.sav.12.tmp~", "Save_1.sav.412.tmp",
            "Save_1.sav.my-backup.tmp", "Save_1.sav.before patch 1.2.tmp", "Save_1.sav.0123456789abcdeg.tmp",
            "Save_1.sav.0123456789ABCDEF.tmp", "Save_1.sav.0123456789abcdef0.tmp"})
        EXPECT_FALSE(platform::IsTemporaryNameOf(save, name)) << name;
}
