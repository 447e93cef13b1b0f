#include "engine/input/KeyDisplayName.h"

#include <array>
#include <cctype>
#include <utility>

namespace {

constexpr std::pair<uint32_t, const char*> kKeyNames[] = {
    {1, "Esc"},
    {2, "1"},
    {3, "2"},
    {4, "3"},
    {5, "4"},
    {6, "5"},
    {7, "6"},
    {8, "7"},
    {9, "8"},
    {10, "9"},
    {11, "0"},
    {12, "-"},
    {13, "="},
    {14, "BckSpace"},
    {15, "Tab"},
    {16, "q"},
    {17, "w"},
    {18, "e"},
    {19, "r"},
    {20, "t"},
    {21, "y"},
    {22, "u"},
    {23, "i"},
    {24, "o"},
    {25, "p"},
    {26, "["},
    {27, "]"},
    {28, "Enter"},
    {29, "LCTRL"},
    {30, "a"},
    {31, "s"},
    {32, "d"},
    {33, "f"},
    {34, "g"},
    {35, "h"},
    {36, "j"},
    {37, "k"},
    {38, "l"},
    {39, ";"},
    {40, "'"},
    {41, "`"},
    {42, "LShift"},
    {43, "BckSlash"},
    {44, "z"},
    {45, "x"},
    {46, "c"},
    {47, "v"},
    {48, "b"},
    {49, "n"},
    {50, "m"},
    {51, ","},
    {52, "."},
    {53, "/"},
    {54, "RShift"},
    {55, "*"},
    {56, "LAlt"},
    {57, "Space"},
    {58, "CapsLock"},
    {59, "F1"},
    {60, "F2"},
    {61, "F3"},
    {62, "F4"},
    {63, "F5"},
    {64, "F6"},
    {65, "F7"},
    {66, "F8"},
    {67, "F9"},
    {68, "F10"},
    {69, "numLock"},
    {70, "Scroll"},
    {71, "num7"},
    {72, "num8"},
    {73, "num9"},
    {74, "num-"},
    {75, "num4"},
    {76, "num5"},
    {77, "num6"},
    {78, "num+"},
    {79, "num1"},
    {80, "num2"},
    {81, "num3"},
    {82, "num0"},
    {83, "num."},
    {86, "O102"},
    {87, "F11"},
    {88, "F12"},
    {100, "F13"},
    {101, "F14"},
    {102, "F15"},
    {112, "jKana"},
    {115, "C1"},
    {121, "jConv"},
    {123, "jNoC"},
    {125, "Yen"},
    {126, "C2"},
    {141, "num="},
    {144, "Prvw"},
    {145, "AT"},
    {146, "j,"},
    {147, "Undln"},
    {148, "jKanji"},
    {149, "StopPl"},
    {150, "AX"},
    {151, "Unlbl"},
    {153, "NextPl"},
    {156, "numEnter"},
    {157, "RCTRL"},
    {160, "Mute"},
    {161, "Calc"},
    {162, "Play"},
    {164, "MediaSt"},
    {174, "Vol+"},
    {176, "Vol-"},
    {178, "WebHm"},
    {179, "num,"},
    {181, "num/"},
    {183, "SYS"},
    {184, "RAlt"},
    {197, "Pause"},
    {199, "Home"},
    {200, "Up"},
    {201, "PageUp"},
    {203, "Left"},
    {205, "Right"},
    {207, "End"},
    {208, "Down"},
    {209, "PageDw"},
    {210, "Ins"},
    {211, "Del"},
    {219, "LWIN"},
    {220, "RWIN"},
    {221, "App"},
    {222, "Pwr"},
    {223, "Sleep"},
    {227, "Wake"},
    {229, "WebSrch"},
    {230, "WebFv"},
    {231, "WebRfrh"},
    {232, "WebStop"},
    {233, "WebFrw"},
    {234, "WebBk"},
    {235, "Comp"},
    {236, "Mail"},
    {237, "MediaSl"},
};

// Key codes index the table directly; codes past it have no name.
struct NameIndex {
    std::array<const char*, 256> byCode {};
    NameIndex()
    {
        for (const auto& [code, name] : kKeyNames)
            byCode[code] = name;
    }
};

const NameIndex& Index()
{
    static const NameIndex index;
    return index;
}

std::string PadName(uint32_t code, int32_t direction)
{
    static constexpr const char* kButtons[]
        = {"{A}", "{B}", "{X}", "{Y}", "{LB}", "{RB}", "{MODE}", "{START}", "{StL}", "{StR}"};
    if (code >= 48 && code < 48 + std::size(kButtons))
        return kButtons[code - 48];
    if (code == 8 && direction < 0)
        return "{RT}";
    if (code == 8 && direction > 0)
        return "{LT}";
    return "??";
}

} // namespace

const char* FindKeyName(uint32_t code)
{
    return code < Index().byCode.size() ? Index().byCode[code] : nullptr;
}

int KeyNameCount()
{
    return static_cast<int>(std::size(kKeyNames));
}

std::string GetKeyDisplayName(uint32_t code, int32_t direction, int device)
{
    if (code == 0)
        return "";
    if (device == 1)
        return PadName(code, direction);
    if (device != 0)
        return "??";
    const char* name = FindKeyName(code);
    if (!name)
        return "??";
    std::string label = name;
    for (char& c : label)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return label;
}
