#include "engine/platform/AtomicFile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// The folder part of a path ("." when it has none).
std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The name part of a path.
std::string NameOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// 16 hexadecimal digits from the system's random source; should it fail,
// from the process number, the clock and a count (still unique with the
// exclusive creation, which retries a name already taken).
std::string RandomPart()
{
    uint64_t bits = 0;
    if (::getrandom(&bits, sizeof bits, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bits)) {
        static std::atomic<uint64_t> count {0};
        timespec now {};
        ::clock_gettime(CLOCK_REALTIME, &now);
        bits = (static_cast<uint64_t>(::getpid()) << 40) ^ (static_cast<uint64_t>(now.tv_nsec) << 8)
            ^ static_cast<uint64_t>(now.tv_sec) ^ (++count * 0x9E3779B97F4A7C15ULL);
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(bits));
    return text;
}

// Creates a temporary file of `path` of a name no other game holds, for
// writing; its name goes to `name`. -1 with errno on failure.
int CreateTemporaryFile(const std::string& path, std::string& name)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        name = path + "." + RandomPart() + ".tmp";
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Removes the temporary files of `path` left by games killed while writing:
// only regular files untouched for kStaleTemporarySeconds. A file another
// game is writing is recent, so it stays, whatever process made it.
void RemoveStaleTemporaries(const std::string& path)
{
    const std::string folder = FolderOf(path);
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr)
        return;
    const time_t now = ::time(nullptr);
    while (const dirent* entry = ::readdir(listing)) {
        struct stat status { };
        if (!IsTemporaryNameOf(path, entry->d_name)
            || ::fstatat(::dirfd(listing), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISREG(status.st_mode) && now - status.st_mtime >= kStaleTemporarySeconds)
            ::unlinkat(::dirfd(listing), entry->d_name, 0);
    }
    ::closedir(listing);
}

} // namespace

bool IsTemporaryNameOf(const std::string& path, std::string_view name)
{
    // Exactly the names CreateTemporaryFile makes: a user's own
    // "Save_0.sav.my-backup.tmp" beside the save is never taken for one.
    const std::string prefix = NameOf(path) + ".";
    constexpr std::string_view suffix = ".tmp";
    constexpr size_t digits = 16;
    if (name.size() != prefix.size() + digits + suffix.size() || name.substr(0, prefix.size()) != prefix
        || name.substr(name.size() - suffix.size()) != suffix)
        return false;
    const std::string_view random = name.substr(prefix.size(), digits);
    return std::all_of(random.begin(), random.end(),
        [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes, std::string* reason)
{
    auto fail = [&](int code) {
        if (reason != nullptr)
            *reason = std::strerror(code);
        return false;
    };
    std::string temporary;
    const int fd = CreateTemporaryFile(path, temporary);
    if (fd < 0)
        return fail(errno);
    int code = 0;
    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0)
        code = errno;
    if (::close(fd) != 0 && code == 0)
        code = errno;
    if (code == 0 && std::rename(temporary.c_str(), path.c_str()) != 0)
        code = errno;
    if (code != 0) {
        ::unlink(temporary.c_str());
        return fail(code);
    }
    const int folder = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    RemoveStaleTemporaries(path);
    return true;
}

} // namespace platform
