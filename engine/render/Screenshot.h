#pragma once

#include <cstdint>
#include <ctime>
#include <string>

// Set by the console command "screenshotaddcomments": with 1, each
// screenshot gets a comments file beside it, opened for the user.
extern uint8_t g_ScreenshotAddComments;

// The user folder + "Screenshots"; empty without a user folder (nothing is
// written beside the program).
std::string GetScreenshotFolder();

// "Screenshot_" + [level file name, its folders left out, + "_"] +
// year-month-day_hour-minute-second, unpadded.
std::string MakeScreenshotBaseName(const std::string& levelName, const std::tm& time);

// The first of base, base + "_2", base + "_3", ... for which neither
// folder/name + each of the extensions exists: a new file never replaces an
// earlier one.
std::string MakeUniqueBaseName(
    const std::string& folder, const std::string& base, const char* extension, const char* sideExtension);

// Takes the screenshot asked for with Print Screen (render thread): the
// window's picture as a JPEG in the screenshot folder, and the comments file
// when asked for. Clears the request. Returns the JPEG's path, empty when
// it could not be written ("Screenshot failed" on the debugger output) or
// when there is no user folder (refused, said in the log).
std::string TakeScreenshot(const std::string& levelName);
