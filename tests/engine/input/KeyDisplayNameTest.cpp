#include "engine/input/KeyDisplayName.h"
#include "engine/platform/KeyCodes.h"

#include <SDL_keyboard.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

// SDL keys that have no PC set-1 code and are left out on purpose.
bool IgnoredOnPurpose(int key)
{
    return (key >= SDL_SCANCODE_F16 && key <= SDL_SCANCODE_FIND)
        || (key >= 130 && key <= 132) // the locking Caps, Num and Scroll Lock
        || key == SDL_SCANCODE_KP_EQUALSAS400
        || (key >= SDL_SCANCODE_INTERNATIONAL6 && key <= SDL_SCANCODE_EXSEL)
        || (key >= SDL_SCANCODE_KP_00 && key <= SDL_SCANCODE_KP_HEXADECIMAL) || key == SDL_SCANCODE_MODE
        || key == SDL_SCANCODE_WWW || (key >= SDL_SCANCODE_BRIGHTNESSDOWN && key <= SDL_SCANCODE_EJECT)
        || key >= SDL_SCANCODE_APP1;
}

} // namespace

TEST(KeyCodes, EveryNamedSdlKeyHasTheSet1CodeOfTheSameKeyOrIsLeftOutOnPurpose)
{
    std::set<int> codes;
    for (int key = 1; key < SDL_NUM_SCANCODES; ++key) {
        const std::string sdlName = SDL_GetScancodeName(static_cast<SDL_Scancode>(key));
        if (sdlName.empty())
            continue;
        const int code = platform::PcScancodeFromSdl(key);
        if (IgnoredOnPurpose(key)) {
            EXPECT_EQ(code, 0) << sdlName;
            continue;
        }
        ASSERT_GT(code, 0) << sdlName;
        codes.insert(code);
        EXPECT_NE(FindKeyName(static_cast<uint32_t>(code)), nullptr) << sdlName;
        // Back again: the same key, or the first of SDL's two names for it.
        const int back = platform::SdlScancodeFromPc(code);
        EXPECT_TRUE(back == key || platform::PcScancodeFromSdl(back) == code) << sdlName;
        // Letters, digits and function keys carry SDL's own label.
        const bool plain = (key >= SDL_SCANCODE_A && key <= SDL_SCANCODE_0)
            || (key >= SDL_SCANCODE_F1 && key <= SDL_SCANCODE_F12)
            || (key >= SDL_SCANCODE_F13 && key <= SDL_SCANCODE_F15);
        if (plain) {
            EXPECT_EQ(GetKeyDisplayName(static_cast<uint32_t>(code), 0, 0), sdlName);
        }
    }
    EXPECT_GT(codes.size(), 100u);
    EXPECT_EQ(platform::PcScancodeFromSdl(0), 0);
    EXPECT_EQ(platform::PcScancodeFromSdl(SDL_NUM_SCANCODES), 0);
    EXPECT_EQ(platform::PcScancodeFromSdl(-5), 0);
    EXPECT_EQ(platform::SdlScancodeFromPc(256), 0);
    EXPECT_EQ(platform::SdlScancodeFromPc(-1), 0);
}

TEST(KeyCodes, KeysWhoseLabelIsNotSdlsMapByName)
{
    const std::pair<SDL_Scancode, const char*> cases[] = {{SDL_SCANCODE_ESCAPE, "ESC"},
        {SDL_SCANCODE_RETURN, "ENTER"}, {SDL_SCANCODE_RCTRL, "RCTRL"}, {SDL_SCANCODE_RALT, "RALT"},
        {SDL_SCANCODE_NONUSHASH, "BCKSLASH"}, {SDL_SCANCODE_NONUSBACKSLASH, "O102"},
        {SDL_SCANCODE_KP_7, "NUM7"}, {SDL_SCANCODE_KP_ENTER, "NUMENTER"}, {SDL_SCANCODE_KP_DIVIDE, "NUM/"},
        {SDL_SCANCODE_PAGEDOWN, "PAGEDW"}, {SDL_SCANCODE_DELETE, "DEL"}, {SDL_SCANCODE_PRINTSCREEN, "SYS"},
        {SDL_SCANCODE_INTERNATIONAL3, "YEN"}, {SDL_SCANCODE_AUDIOMUTE, "MUTE"}, {SDL_SCANCODE_GRAVE, "`"}};
    for (const auto& [key, label] : cases)
        EXPECT_EQ(GetKeyDisplayName(uint32_t(platform::PcScancodeFromSdl(key)), 0, 0), label)
            << SDL_GetScancodeName(key);
}

TEST(KeyDisplayName, NamesKeysAndPadInputsAndGivesQuestionMarksForTheRest)
{
    EXPECT_EQ(KeyNameCount(), 144);
    const struct {
        uint32_t code;
        int32_t direction;
        int device;
        const char* label;
    } cases[] = {
        {0, 0, 0, ""},
        {14, 0, 0, "BCKSPACE"},
        {8, 0, 0, "7"},
        {84, 0, 0, "??"}, // no key has it
        {4000000000u, 0, 0, "??"},
        {48, 0, 1, "{A}"},
        {58, 0, 1, "??"},
        {8, -1, 1, "{RT}"},
        {8, 1, 1, "{LT}"},
        {8, 0, 1, "??"},
        {30, 0, 2, "??"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetKeyDisplayName(c.code, c.direction, c.device), c.label) << c.code << " " << c.device;
}
