#pragma once

#include <fstream>
#include <string>

// Folder of the running program, case kept, without a trailing separator;
// empty when the system cannot tell.
std::string GetProgramFolder();

// Local date and time as year-month-day_hour-minute-second, without leading
// zeros ("2015-3-5_9-7-3").
std::string MakeTimeStamp();

// True only for an existing directory (a plain file gives false).
bool DirectoryExists(const std::string& path);

// The text with its ASCII letters in lower case (file names are compared so).
std::string ToLowerCase(std::string text);

// Swaps the ending of a file name: the text up to and including the first
// character of `from` (found ignoring case), followed by `to` in lower case.
// "Images\Hero.PNG", ".png", "qhsprite" gives "Images\Hero.qhsprite". When
// `from` does not occur the result is empty, so callers skip their fallback.
std::string ReplaceInString(const std::string& text, const std::string& from, const std::string& to);

// Opens `name` for reading; failing that, `folder` + `name` when a folder is
// given. The returned stream is not open when neither exists.
std::ifstream OpenTextFile(const std::string& name, const std::string& folder);
