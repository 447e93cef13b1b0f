#include "ui/UI_Frame_Text.h"

#include "engine/config/GameConfig.h"
#include "engine/input/AbstractInputManager.h"
#include "engine/input/KeyDisplayName.h"
#include "ui/UIGameAccess.h"
#include "ui/UI_Font.h"

#include <utility>

namespace {

struct IconName {
    const char* group;
    const char* object;
};

constexpr IconName kIcons[UI_Frame_Text::kIconCount] = {
    {"A", "UI_Icon_JoyA"},
    {"B", "UI_Icon_JoyB"},
    {"X", "UI_Icon_JoyX"},
    {"Y", "UI_Icon_JoyY"},
    {"LB", "UI_Icon_JoyLB"},
    {"RB", "UI_Icon_JoyRB"},
    {"LT", "UI_Icon_JoyLT"},
    {"RT", "UI_Icon_JoyRT"},
    {"MODE", "UI_Icon_JoyMode"},
    {"START", "UI_Icon_JoyStart"},
    {"StL", "UI_Icon_JoyStL"},
    {"StR", "UI_Icon_JoyStR"},
};

struct ActionToken {
    const char* token;
    size_t keyboardBinding;
};

// The joypad binding of each token is the one after its keyboard binding.
// The two strafe tokens show the bindings their key-mapping rows set, which
// are each other's.
constexpr ActionToken kTokens[] = {
    {"{ATTACK}", 8},
    {"{JUMP}", 4},
    {"{SCYTE}", 6},
    {"{SPIDER}", 10},
    {"{ICE}", 12},
    {"{FIRE}", 14},
    {"{STRAFFL}", 16},
    {"{STRAFFR}", 18},
    {"{MAP}", 22},
};

constexpr size_t kMaxLineBreaks = 9;

// 1 once the latest input came from a pad, 0 from the keyboard.
int LastInputDevice()
{
    UIGameAccess* game = GetUIGameAccess();
    AbstractInputManager* input = game != nullptr ? game->GetInputManager() : nullptr;
    return input != nullptr ? input->GetLastDevice() : 0;
}

} // namespace

std::array<GraphicalObject*, UI_Frame_Text::kIconCount> UI_Frame_Text::padIcons {};

UI_Frame_Text::UI_Frame_Text(std::string name)
    : UI_Frame(std::move(name))
{
    Init();
}

UI_Frame_Text::~UI_Frame_Text() = default;

void UI_Frame_Text::Init()
{
    LoadSounds();
    UIGameAccess* game = GetUIGameAccess();
    if (game == nullptr)
        return;
    for (size_t i = 0; i < kIconCount; ++i)
        if (padIcons[i] == nullptr)
            padIcons[i] = game->FindGraphicalObject(kIcons[i].object, false);
}

void UI_Frame_Text::ResetPadIcons()
{
    padIcons.fill(nullptr);
}

GraphicalObject* UI_Frame_Text::FindIcon(const std::string& group) const
{
    for (size_t i = 0; i < kIconCount; ++i)
        if (group == kIcons[i].group)
            return padIcons[i];
    return nullptr;
}

void UI_Frame_Text::Update(double /*dt*/)
{
    lines.clear();
    size_t position = 0;
    for (size_t cut = 0; cut < kMaxLineBreaks; ++cut) {
        const size_t lineBreak = text.find('\n', position);
        if (lineBreak == std::string::npos)
            break;
        WrapLine(text.substr(position, lineBreak - position));
        position = lineBreak + 1;
    }
    WrapLine(text.substr(position));
}

void UI_Frame_Text::WrapLine(const std::string& line)
{
    const size_t n = line.size();
    if (font == nullptr || font->GetSpacing().x == 0) {
        if (n > 0)
            lines.push_back(line);
        return;
    }
    const int64_t width = GetSize().x;
    // Each character's advance measured once: the width of any piece is a
    // difference of two running sums, so wrapping stays linear in the line.
    std::vector<int64_t> before(n + 1, 0);
    std::string key(1, ' ');
    for (size_t i = 0; i < n; ++i) {
        key[0] = line[i];
        before[i + 1] = before[i] + font->MeasureText(key).x;
    }
    size_t start = 0;
    size_t lastSpace = std::string::npos; // the last space of the piece so far
    for (size_t end = start + 1; end <= n; ++end) {
        if (line[end - 1] == ' ')
            lastSpace = end - 1;
        // A piece as wide as the frame is cut at its last space; a word
        // wider than the frame has none, so it grows until a space follows
        // it and stands whole on its own line.
        if (before[end] - before[start] < width || lastSpace == std::string::npos)
            continue;
        lines.push_back(line.substr(start, lastSpace - start));
        start = lastSpace + 1;
        lastSpace = std::string::npos;
        end = start; // the next piece starts one character long
    }
    if (start < n)
        lines.push_back(line.substr(start));
}

std::string UI_Frame_Text::ReplaceTokens(const std::string& line)
{
    std::string replaced = line;
    UIGameAccess* game = GetUIGameAccess();
    const GameConfig* config = game != nullptr ? game->GetConfig() : nullptr;
    if (config == nullptr)
        return replaced;
    const int device = LastInputDevice() == 1 ? 1 : 0;
    for (const ActionToken& token : kTokens) {
        const size_t at = replaced.find(token.token);
        if (at == std::string::npos)
            continue;
        const InputTriggerer binding = config->GetBinding(token.keyboardBinding + size_t(device));
        replaced.replace(
            at, std::string(token.token).size(), GetKeyDisplayName(binding.code, binding.direction, device));
    }
    return replaced;
}

bool UI_Frame_Text::Render(GraphicalEffect* effect, int x, int y, int /*p5*/, int /*p6*/, float /*rotation*/)
{
    if (font == nullptr)
        return false;
    SetUIDrawColour(textColour);
    bool ok = true;
    const Point<int> cell = font->GetSpacing();
    std::string letter(1, ' ');
    for (size_t i = 0; i < lines.size(); ++i) {
        // Every line is drawn, those below the picture too: a glyph the font
        // lacks fails the render wherever it stands.
        const int64_t top = int64_t(y) + 2 + int64_t(i) * cell.y;
        const std::string line = ReplaceTokens(lines[i]);
        int cursorX = x;
        const int cursorY = static_cast<int>(top);
        bool inUnfinishedGroup = false;
        for (size_t c = 0; c < line.size(); ++c) {
            const bool grey = i == 0 && static_cast<int64_t>(c) < greyPrefix;
            SetUIDrawColour(grey ? kGreyColour : textColour);
            const char ch = line[c];
            if (inUnfinishedGroup) {
                // Nothing is drawn up to the next "}", which is drawn again.
                if (ch != '}') {
                    cursorX += font->GetLastAdvance().x;
                    continue;
                }
                inUnfinishedGroup = false;
            } else if (ch == '{') {
                const size_t close = line.find('}', c + 1);
                if (close == std::string::npos || close == c + 1) {
                    inUnfinishedGroup = true;
                    cursorX += font->GetLastAdvance().x;
                    continue;
                }
                const std::string group = line.substr(c + 1, close - c - 1);
                bool isIcon = false;
                for (const IconName& icon : kIcons)
                    isIcon = isIcon || group == icon.group;
                if (isIcon) {
                    GraphicalObject* icon = FindIcon(group);
                    if (icon != nullptr && ok) {
                        const Point<int> size = icon->GetSize();
                        ok = DrawElement(icon, effect, cursorX + (2 * cell.x - size.x) / 2,
                            cursorY + (size.y - cell.y) / 2, 1, 1);
                    }
                    cursorX += 2 * cell.x;
                    c = close;
                    continue;
                }
            }
            if (ok) {
                letter[0] = ch;
                ok = font->Draw(effect, cursorX, cursorY, letter);
            }
            cursorX += font->GetLastAdvance().x;
        }
    }
    SetUIDrawColour(0xFFFFFFFFu);
    return ok;
}
