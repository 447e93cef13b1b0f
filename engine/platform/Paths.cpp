#include "engine/platform/Paths.h"

#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace platform {

namespace {

// $variable, else $HOME + homeSuffix, with a trailing '/'; empty when
// neither is set.
std::string XdgFolder(const char* variable, const char* homeSuffix)
{
    std::string folder;
    if (const char* value = std::getenv(variable); value && *value)
        folder = value;
    else if (const char* home = std::getenv("HOME"); home && *home)
        folder = std::string(home) + homeSuffix;
    else
        return {};
    if (folder.back() != '/')
        folder += '/';
    return folder;
}

} // namespace

std::string ToSlashes(std::string path)
{
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

namespace {

// Finds the entry of `folder` whose name equals `name` ignoring ASCII case.
bool FindEntryIgnoringCase(const fs::path& folder, const std::string& name, fs::path& found)
{
    std::error_code error;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, error);
    if (error)
        return false;
    for (const fs::directory_entry& entry : it) {
        const std::string candidate = entry.path().filename().string();
        if (strcasecmp(candidate.c_str(), name.c_str()) == 0) {
            found = folder / candidate;
            return true;
        }
    }
    return false;
}

} // namespace

std::string ResolvePath(const std::string& path)
{
    const std::string slashed = ToSlashes(path);
    std::error_code error;
    if (slashed.empty() || fs::exists(slashed, error))
        return slashed;

    // Walk the components, keeping exact matches and falling back to a
    // case-insensitive match only where the exact one is missing.
    const bool absolute = slashed.front() == '/';
    fs::path resolved = absolute ? fs::path("/") : fs::path();
    size_t start = absolute ? 1 : 0;
    while (start <= slashed.size()) {
        size_t end = slashed.find('/', start);
        if (end == std::string::npos)
            end = slashed.size();
        const std::string component = slashed.substr(start, end - start);
        start = end + 1;
        if (component.empty() || component == ".")
            continue;
        fs::path exact = resolved / component;
        if (component == ".." || fs::exists(exact, error)) {
            resolved = exact;
            continue;
        }
        fs::path match;
        if (!FindEntryIgnoringCase(resolved, component, match))
            return slashed;
        resolved = match;
    }
    std::string result = resolved.string();
    // Keep a trailing separator the caller gave (folders are joined by plain
    // concatenation).
    if (slashed.back() == '/' && (result.empty() || result.back() != '/'))
        result += '/';
    return result;
}

std::string GetExecutableFolder()
{
    std::error_code error;
    const fs::path exe = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    return exe.parent_path().string();
}

std::string GetDocumentsFolder()
{
    return XdgFolder("XDG_DOCUMENTS_DIR", "/Documents");
}

std::string GetUserFolder()
{
    const std::string documents = GetDocumentsFolder();
    if (documents.empty())
        return {};
    return documents + "My Games/Quenholt/";
}

std::string GetDataHomeFolder()
{
    return XdgFolder("XDG_DATA_HOME", "/.local/share");
}

std::string GetFallbackUserFolder()
{
    const std::string data = GetDataHomeFolder();
    return data.empty() ? std::string() : data + "Quenholt/";
}

bool IsRegularFile(const std::string& path)
{
    struct stat status { };
    return !path.empty() && ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool IsNonRegularFile(const std::string& path)
{
    struct stat status { };
    return !path.empty() && ::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode);
}

std::ifstream OpenRegularFile(const std::string& path, std::ios::openmode mode)
{
    if (!IsRegularFile(path)) {
        std::ifstream closed;
        closed.setstate(std::ios::failbit);
        return closed;
    }
    return std::ifstream(path, mode | std::ios::in);
}

std::string OpenFailureReason(const std::string& path)
{
    if (!IsRegularFile(path))
        return {};
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::strerror(errno);
    ::close(fd);
    return {};
}

bool CreateDirectories(const std::string& path)
{
    std::error_code error;
    fs::create_directories(ToSlashes(path), error);
    return fs::is_directory(ToSlashes(path), error);
}

bool IsNameInsideFolder(const std::string& name)
{
    if (name.empty() || name.front() == '/' || name.front() == '\\' || name.find(':') != std::string::npos)
        return false;
    size_t start = 0;
    while (start <= name.size()) {
        const size_t end = std::min(name.find_first_of("/\\", start), name.size());
        if (name.compare(start, end - start, "..") == 0)
            return false;
        start = end + 1;
    }
    return true;
}

} // namespace platform
