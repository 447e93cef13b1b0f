#include "engine/serial/FileUtils.h"

#include "engine/platform/Clock.h"
#include "engine/platform/Paths.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

std::string GetProgramFolder()
{
    return platform::GetExecutableFolder();
}

std::string MakeTimeStamp()
{
    const std::tm now = platform::LocalTime();
    return std::to_string(now.tm_year + 1900) + "-" + std::to_string(now.tm_mon + 1) + "-"
        + std::to_string(now.tm_mday) + "_" + std::to_string(now.tm_hour) + "-" + std::to_string(now.tm_min)
        + "-" + std::to_string(now.tm_sec);
}

bool DirectoryExists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_directory(platform::ResolvePath(path), error);
}

std::string ToLowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
        [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string ReplaceInString(const std::string& text, const std::string& from, const std::string& to)
{
    const std::string lowerText = ToLowerCase(text);
    const std::string lowerFrom = ToLowerCase(from);
    const size_t found = lowerText.find(lowerFrom);
    if (found == std::string::npos || lowerFrom.empty())
        return {};
    return text.substr(0, found + 1) + ToLowerCase(to);
}

std::ifstream OpenTextFile(const std::string& name, const std::string& folder)
{
    std::ifstream file = platform::OpenRegularFile(platform::ResolvePath(name), std::ios::in);
    if (file.is_open())
        return file;
    if (!folder.empty()) {
        std::ifstream inFolder
            = platform::OpenRegularFile(platform::ResolvePath(folder + name), std::ios::in);
        if (inFolder.is_open())
            return inFolder;
    }
    return std::ifstream();
}
