#include "tools/world/FontCoverage.h"

#include "engine/input/KeyDisplayName.h"
#include "script/DialogueFile.h"
#include "tools/world/WorldText.h"
#include "ui/UI_Font.h"

#include <cstdio>
#include <filesystem>
#include <set>

namespace {

// The strings the game draws itself: messages, the menus' fixed words and
// the slot summaries' digits.
constexpr const char* kFixedStrings[] = {
    "Saved !",
    "Game Score Incremented",
    "DISCOVERED : 100% / TIME : 99:99",
    "PRESS ANY BUTTON ...",
    "EMPTY",
    "SAVED GAME",
    "DAMAGED SAVE",
    "DAMAGED SAVE: ERASE IT TO PLAY",
    "LEVEL MISSING OR DAMAGED",
    "SETTINGS NOT SAVED !",
    "NOT ERASED !",
    "UNDEF.",
    "YES",
    "NO",
    "ENG",
    "FR",
    "0123456789 %:",
    "You discovered a new teleporter !",
};

} // namespace

std::vector<DrawnText> InterfaceTexts()
{
    std::vector<DrawnText> texts;
    for (const char* text : kFixedStrings)
        texts.push_back({"interface string", text});
    // Keyboard names are drawn as text; pad names are icon groups.
    for (uint32_t code = 1; code < 256; ++code) {
        const std::string name = GetKeyDisplayName(code, 0, 0);
        if (!name.empty())
            texts.push_back({"key name " + std::to_string(code), name});
    }
    return texts;
}

std::vector<DrawnText> DialogueTexts(const std::string& dataFolder)
{
    std::vector<DrawnText> texts;
    std::set<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(dataFolder))
        if (entry.is_directory() && entry.path().filename().string().rfind("dialogues_", 0) == 0)
            for (const auto& file : std::filesystem::directory_iterator(entry.path()))
                if (file.is_regular_file())
                    files.insert(file.path());
    for (const std::filesystem::path& file : files) {
        std::vector<std::string> lines;
        if (!ReadLines(file.string(), lines))
            throw WorldError(file.string(), 0, "cannot read the dialogue file");
        const std::string name = file.parent_path().filename().string() + "/" + file.filename().string();
        for (size_t i = 0; i < lines.size(); ++i) {
            std::string joined;
            for (const std::string& word : DialogueFile::SplitLine(lines[i]))
                joined += word;
            if (!joined.empty())
                texts.push_back({name + ":" + std::to_string(i + 1), joined});
        }
    }
    return texts;
}

std::vector<std::string> MissingGlyphs(const UI_Font& font, const std::vector<DrawnText>& texts)
{
    std::vector<std::string> missing;
    for (const DrawnText& drawn : texts) {
        for (char c : drawn.text) {
            if (font.FindGlyph(std::string(1, c)) != nullptr)
                continue;
            char code[8];
            std::snprintf(code, sizeof code, "0x%02X", static_cast<unsigned char>(c));
            missing.push_back(drawn.where + ": no glyph for '" + std::string(1, c) + "' (" + code + ") in \""
                + drawn.text + "\"");
        }
    }
    return missing;
}
