#include "engine/render/Screenshot.h"

#include "engine/config/GamePaths.h"
#include "engine/platform/Clock.h"
#include "engine/platform/DebugOutput.h"
#include "engine/platform/JpegFile.h"
#include "engine/platform/Shell.h"
#include "engine/platform/Window.h"
#include "engine/render/D3DDevice.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

uint8_t g_ScreenshotAddComments = 0;

std::string GetScreenshotFolder()
{
    // Nothing is written beside the program: without a user folder there is
    // no screenshot folder.
    const std::string user = GetUserPath();
    return user.empty() ? std::string() : user + "Screenshots";
}

std::string MakeScreenshotBaseName(const std::string& levelName, const std::tm& time)
{
    std::string base = "Screenshot_";
    // A level opened by a path ("levels/boat_02.lvl") is named by its file.
    const size_t folders = levelName.find_last_of("/\\");
    const std::string name = folders == std::string::npos ? levelName : levelName.substr(folders + 1);
    if (!name.empty())
        base += name + "_";
    return base + std::to_string(time.tm_year + 1900) + "-" + std::to_string(time.tm_mon + 1) + "-"
        + std::to_string(time.tm_mday) + "_" + std::to_string(time.tm_hour) + "-"
        + std::to_string(time.tm_min) + "-" + std::to_string(time.tm_sec);
}

std::string MakeUniqueBaseName(
    const std::string& folder, const std::string& base, const char* extension, const char* sideExtension)
{
    std::error_code error;
    const auto taken = [&](const std::string& name) {
        return std::filesystem::exists(folder + "/" + name + extension, error)
            || (sideExtension && std::filesystem::exists(folder + "/" + name + sideExtension, error));
    };
    std::string name = base;
    for (int n = 2; taken(name); ++n)
        name = base + "_" + std::to_string(n);
    return name;
}

namespace {

// The picture as the window shows it (the last presented frame), else the
// 512 x 448 picture itself.
bool CapturePicture(std::vector<uint32_t>& argb, int& width, int& height)
{
    if (g_DeviceWindow) {
        g_DeviceWindow->GetDrawableSize(width, height);
        if (width > 0 && height > 0 && ReadWindowPixels(0, 0, width, height, argb))
            return true;
    }
    width = g_BackBufferWidth;
    height = g_BackBufferHeight;
    return ReadPicturePixels(0, 0, width, height, argb);
}

// Opens the comments file for the user; never in a run without a display.
void OpenForUser(const std::string& path)
{
    const char* headless = std::getenv("QUENHOLT_HEADLESS");
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if ((headless && std::string(headless) == "1") || (driver && std::string(driver) == "offscreen"))
        return;
    platform::OpenWithDefaultProgram(path);
}

} // namespace

std::string TakeScreenshot(const std::string& levelName)
{
    g_ScreenshotRequested = false;
    const std::string folder = GetScreenshotFolder();
    if (folder.empty()) {
        platform::ReportProblem("Screenshot not taken: there is no user folder to keep it in\n");
        return std::string();
    }
    std::vector<uint32_t> argb;
    int width = 0, height = 0;
    const bool captured = CapturePicture(argb, width, height);

    const std::string base = MakeUniqueBaseName(
        folder, MakeScreenshotBaseName(levelName, platform::LocalTime()), ".jpg", "_comments.txt");
    const std::string path = folder + "/" + base + ".jpg";
    const bool saved = captured && platform::SaveJpeg(path, argb, width, height);

    if (g_ScreenshotAddComments == 1) {
        const std::string comments = folder + "/" + base + "_comments.txt";
        std::ofstream out(comments, std::ios::binary | std::ios::trunc);
        out << "<Enter comments>\r\n";
        out.close();
        OpenForUser(comments);
    }
    if (!saved) {
        platform::DebugOutput("Screenshot failed\n");
        return std::string();
    }
    return path;
}
