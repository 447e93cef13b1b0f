#include "RunSandbox.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

extern char** environ;

namespace {

// The caller's temporary folder, as the standard library finds it.
std::filesystem::path CallerTemporaryFolder()
{
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    return error ? std::filesystem::path("/tmp") : folder;
}

// Unsets every variable whose name begins with `prefix`.
void UnsetAll(const std::string& prefix)
{
    std::vector<std::string> names;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        if (text.rfind(prefix, 0) == 0)
            names.push_back(text.substr(0, text.find('=')));
    }
    for (const std::string& name : names)
        unsetenv(name.c_str());
}

constexpr const char* kPrefix = "quenholt-run-folders-";

// Removes the folders of earlier runs that were killed before they could
// remove their own (a time-out, a crash): the process that made one is
// named in it and no longer runs.
void RemoveFoldersOfEndedRuns(const std::filesystem::path& temporary)
{
    std::error_code error;
    for (std::filesystem::directory_iterator entry(temporary, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (name.rfind(kPrefix, 0) != 0)
            continue;
        const pid_t maker = static_cast<pid_t>(std::atol(name.c_str() + std::strlen(kPrefix)));
        if (maker > 0 && kill(maker, 0) != 0 && errno == ESRCH) {
            std::error_code ignored;
            std::filesystem::remove_all(entry->path(), ignored);
        }
    }
}

// Makes a new folder named `stem` and a random part. Lower case throughout:
// the game lower-cases the paths of some data files. Open to other users as
// the temporary folder's own folders are, for the tests that read as one.
std::filesystem::path MakeFolder(const std::filesystem::path& parent, const std::string& stem)
{
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char part[9];
        std::snprintf(part, sizeof part, "%08x", static_cast<unsigned>(random()));
        const std::filesystem::path folder = parent / (stem + part);
        if (mkdir(folder.c_str(), 0755) == 0)
            return folder;
        if (errno != EEXIST)
            break;
    }
    std::fprintf(stderr, "cannot make the run's folder in %s: %s\n", parent.c_str(), std::strerror(errno));
    std::exit(2);
}

} // namespace

RunSandbox::RunSandbox(bool inherit, Display display)
{
    if (inherit)
        return;
    RemoveFoldersOfEndedRuns(CallerTemporaryFolder());
    root = MakeFolder(CallerTemporaryFolder(), kPrefix + std::to_string(getpid()) + "-");
    temporary = root / "tmp";
    const std::filesystem::path home = root / "home";
    std::filesystem::create_directories(temporary);
    std::filesystem::create_directories(home);
    setenv("TMPDIR", temporary.c_str(), 1);
    setenv("HOME", home.c_str(), 1);
    // Every XDG folder then has its default under the run's own HOME.
    UnsetAll("XDG_");
    if (display == Display::Drop) {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        unsetenv("XAUTHORITY");
    }
}

RunSandbox::~RunSandbox()
{
    if (root.empty())
        return;
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}
