#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class GameConfig;

// The menu's six pages and their rows: the page objects of the game library,
// the item keys in navigation order with their kinds, and the bindings each
// key-mapping row edits.
namespace MenuCatalogue {

enum Page : int32_t { kMain = 0, kPause = 1, kOptions = 2, kRenderSettings = 3, kKeyMapping = 4, kPlay = 5 };
constexpr int32_t kPageCount = 6;

// The rows of the pages that act by a row's place, top row 0.
constexpr int32_t kMainPlay = 0;
constexpr int32_t kMainOptions = 1;
constexpr int32_t kMainRenderSettings = 2;
constexpr int32_t kMainLeave = 3;
constexpr int32_t kPauseResume = 0;
constexpr int32_t kPauseOptions = 1;
constexpr int32_t kPauseRenderSettings = 2;
constexpr int32_t kPauseTitle = 3;
constexpr int32_t kPauseLeave = 4;
constexpr int32_t kOptionsMusic = 0;
constexpr int32_t kOptionsSound = 1;
constexpr int32_t kOptionsLanguage = 2;
constexpr int32_t kOptionsKeyMapping = 3;
constexpr int32_t kRenderWindowed = 0;
constexpr int32_t kRenderRatio = 1;
constexpr int32_t kRenderFilter = 2;
constexpr int32_t kRenderVSync = 3;
constexpr int32_t kRenderMotionBlur = 4;
constexpr int32_t kRenderScreen = 5;
constexpr int32_t kRenderBrightness = 6;

struct ItemEntry {
    const char* key;
    int32_t kind;
};

struct PageEntry {
    const char* objectName;
    std::vector<ItemEntry> items;
};

// The page of that number (0 to 5).
const PageEntry& GetPage(int32_t page);

// "UI_Menu_Page_" + key: the object name of an item.
std::string ItemObjectName(const std::string& key);
// The base its pictures are named from ("_0", "_1", "_E" appended): the
// object name for Brightness, else "UI_Menu_" + key.
std::string PictureBase(const std::string& key);
// Whether the row has a picture for key capture (key rows but Exit).
bool HasEditingPicture(const std::string& key);
// The catalogue key of an item object name; empty when none matches.
std::string FindKeyOfObjectName(const std::string& objectName);

// Bindings of a key-mapping row (-1: none). Row 14 is Exit.
struct KeyRow {
    int keyboard;
    int joypad;
};
constexpr size_t kKeyRowCount = 15;
constexpr int kExitRow = 14;
constexpr std::array<KeyRow, kKeyRowCount> kKeyRows = {{
    {0, -1},  // Left
    {1, -1},  // Right
    {3, -1},  // Crouch
    {2, -1},  // ClimbUp
    {4, 5},   // Jump
    {22, 23}, // Map
    {8, 9},   // Attack
    {14, 15}, // ArmorFire
    {12, 13}, // ArmorIce
    {16, 17}, // StraffRight
    {18, 19}, // StraffLeft
    {6, 7},   // Scyte
    {10, 11}, // Spider
    {-1, 21}, // Start: the keyboard's start stays Escape
    {-1, -1}, // Exit
}};

// Every binding but the fixed start key (20) has a key: the key mapping
// cannot be left by Validate otherwise.
bool AllKeysDefined(const GameConfig& config);

} // namespace MenuCatalogue
