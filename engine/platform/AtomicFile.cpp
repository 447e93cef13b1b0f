#include "engine/platform/AtomicFile.h"

#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
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

// Removes the temporary files of `path` left by games killed while writing
// ("Save_0.sav.<process>.tmp" of a process that no longer runs); those of
// a game still running are its own business.
void RemoveStaleTemporaries(const std::string& path)
{
    const std::string prefix = NameOf(path) + ".";
    const std::string folder = FolderOf(path);
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr)
        return;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string_view name(entry->d_name);
        if (name.size() <= prefix.size() + 4 || name.substr(0, prefix.size()) != prefix
            || name.substr(name.size() - 4) != ".tmp")
            continue;
        const std::string_view digits = name.substr(prefix.size(), name.size() - prefix.size() - 4);
        long process = 0;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), process);
        if (error != std::errc() || end != digits.data() + digits.size() || process <= 0)
            continue;
        if (::kill(static_cast<pid_t>(process), 0) != 0 && errno == ESRCH)
            ::unlinkat(::dirfd(listing), entry->d_name, 0);
    }
    ::closedir(listing);
}

} // namespace

std::string TemporaryNameFor(const std::string& path)
{
    return path + "." + std::to_string(::getpid()) + ".tmp";
}

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes, std::string* reason)
{
    // A name of this process's own: two games saving into one folder never
    // write through, remove or rename each other's file.
    const std::string temporary = TemporaryNameFor(path);
    auto fail = [&](int code) {
        if (reason != nullptr)
            *reason = std::strerror(code);
        return false;
    };
    // A temporary file left by a killed game of the same process number is
    // removed, and the new one is made afresh: whatever stands at that name
    // (a link to another file, a file another user opened) is never followed
    // or written through.
    if (::unlink(temporary.c_str()) != 0 && errno != ENOENT)
        return fail(errno);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
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
