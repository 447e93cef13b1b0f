#include "engine/config/GamePaths.h"

#include <mutex>
#include <utility>

namespace {

// The render thread reads the user path while the main thread may set it;
// one lock keeps every copy whole.
std::mutex g_PathsMutex;
std::string g_BasePath;
std::string g_UserPath;
std::string g_DialogPath;
std::string g_SoundPath;
std::string g_MusicPath;

std::string Get(const std::string& path)
{
    std::lock_guard lock(g_PathsMutex);
    return path;
}

void Set(std::string& path, std::string value)
{
    std::lock_guard lock(g_PathsMutex);
    path = std::move(value);
}

} // namespace

std::string GetBasePath()
{
    return Get(g_BasePath);
}
void SetBasePath(std::string path)
{
    Set(g_BasePath, std::move(path));
}

std::string GetUserPath()
{
    return Get(g_UserPath);
}
void SetUserPath(std::string path)
{
    Set(g_UserPath, std::move(path));
}

std::string GetDialogPath()
{
    return Get(g_DialogPath);
}
void SetDialogPath(std::string path)
{
    Set(g_DialogPath, std::move(path));
}

std::string GetSoundPath()
{
    return Get(g_SoundPath);
}
void SetSoundPath(std::string path)
{
    Set(g_SoundPath, std::move(path));
}

std::string GetMusicPath()
{
    return Get(g_MusicPath);
}
void SetMusicPath(std::string path)
{
    Set(g_MusicPath, std::move(path));
}
