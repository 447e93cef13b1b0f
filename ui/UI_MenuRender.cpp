#include "ui/UI_Menu.h"

#include "engine/config/GameConfig.h"
#include "engine/input/AbstractInputManager.h"
#include "engine/input/KeyDisplayName.h"
#include "engine/render/IRenderEngine.h"
#include "ui/UIGameAccess.h"
#include "ui/UI_Font.h"
#include "ui/UI_Frame_Text.h"
#include "ui/UI_MenuCatalogue.h"
#include "ui/UI_Menu_Page.h"

#include <string>

namespace {

using namespace MenuCatalogue;
using Draw = UI_Menu_Page::Draw;

constexpr int kScreenWidth = 512;
constexpr int kScreenHeight = 448;
constexpr uint32_t kDimColour = 0x64000000u;
constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kNearWhite = 0xFFFAFAFAu;
constexpr uint32_t kLightGrey = 0xFFC8C8C8u;
constexpr uint32_t kPercentRed = 0xFFFF0000u;
constexpr uint32_t kUndefinedRed = 0xFFFA0000u;
constexpr uint32_t kPromptColour = 0xC8C8C8FFu;
// The text frame's size while an option prompt wraps, and otherwise.
constexpr int kPromptWidth = 250;
constexpr int kPromptHeight = 60;
constexpr int kTextFrameWidth = 448;
// Options and render settings rise above their page: by the larger amount
// at the title, by the smaller one over a level.
constexpr int kOptionsRiseTitle = 120;
constexpr int kOptionsRisePause = 50;
constexpr int kRenderRiseTitle = 140;
constexpr int kRenderRisePause = 70;
// Key-mapping rows: overlapping by 6 pixels, the columns beside them.
constexpr int kKeyRowOverlap = 6;
constexpr int kExitRowX = -14;
constexpr int kKeyRowIndent = 25;
// The keys' text stands 5 pixels under the row's top (the row pictures hold
// their names on that line).
constexpr int kKeyTextDrop = 5;
constexpr int kSlotSummaryGap = 180;
constexpr int kSlotPercentGap = 60;
constexpr int kSlotPromptBottom = 438;
// The pair every draw inside a page passes (the draw's extent: the pictures
// are drawn at their own size).
constexpr int kPagePair = 1;

bool LevelLoaded()
{
    UIGameAccess* game = GetUIGameAccess();
    return game != nullptr && game->HasLevel();
}

bool PadUsedLast()
{
    UIGameAccess* game = GetUIGameAccess();
    AbstractInputManager* input = game != nullptr ? game->GetInputManager() : nullptr;
    return input != nullptr && input->GetLastDevice() == 1;
}

void DimScreen()
{
    if (g_RenderEngine != nullptr)
        g_RenderEngine->DrawRect(
            Point<int>(kScreenWidth, kScreenHeight), nullptr, 0, 0, 0, 0, 0.0f, kDimColour, true, false);
}

Draw Picture(GraphicalObject* picture, int x, int y)
{
    return Draw {Draw::kPicture, picture, {}, x, y, 0};
}

Draw Text(std::string text, int x, int y, uint32_t colour)
{
    return Draw {Draw::kText, nullptr, std::move(text), x, y, colour};
}

std::string YesNo(bool value)
{
    return value ? "YES" : "NO";
}

} // namespace

Point<int> UI_Menu::GetPagePosition() const
{
    UI_Menu_Page* page = GetCurrentPage();
    if (page == nullptr)
        return {};
    const int x = static_cast<int>(GetSize().x * 0.5 - page->GetSize().x * 0.5);
    // Over a level every page stands where the pause page does, but the key
    // mapping, which takes the whole screen.
    UI_Menu_Page* pause = GetPage(MenuCatalogue::kPause);
    if (LevelLoaded() && pause != nullptr)
        return {x, currentPage == kKeyMapping ? 0 : kScreenHeight - pause->GetSize().y};
    return {x, kScreenHeight - page->GetSize().y};
}

bool UI_Menu::Render(GraphicalEffect* effect, int x, int y, int p5, int p6, float rotation)
{
    if (!LevelLoaded()) {
        if (!UI_Frame::Render(effect, x, y, p5, p6, rotation))
            return false;
    } else {
        DimScreen();
    }
    if (currentPage == kMain && !IsAnimationFinished())
        return true;
    UI_Menu_Page* page = GetCurrentPage();
    if (currentPage < 0 || pages.empty() || page == nullptr)
        return false;
    const Point<int> at = GetPagePosition();
    return page->Render(effect, at.x, at.y, kPagePair, kPagePair, 0.0f);
}

void UI_Menu_Page::InitTextFrame()
{
    textFrame = std::make_unique<UI_Frame_Text>("TempText");
    UIGameAccess* game = GetUIGameAccess();
    UI_Font* font = game != nullptr ? game->FindFont("UI_Font_Basic") : nullptr;
    textFrame->SetFont(font);
    if (font != nullptr)
        textFrame->SetSize(kTextFrameWidth, font->GetSpacing().y, true);
}

int UI_Menu_Page::LineHeight() const
{
    return textFrame != nullptr && textFrame->GetFont() != nullptr ? textFrame->GetFont()->GetSpacing().y : 0;
}

bool UI_Menu_Page::DrawText(GraphicalEffect* effect, const Draw& draw)
{
    if (textFrame == nullptr)
        return false;
    const Point<int> size = textFrame->GetSize();
    // A prompt wraps at its own width, for this one draw.
    if (draw.kind == Draw::kPrompt)
        textFrame->SetSize(kPromptWidth, kPromptHeight, true);
    textFrame->SetText(std::string());
    textFrame->ClearLines();
    textFrame->SetText(draw.text);
    textFrame->SetTextColour(draw.colour);
    textFrame->WrapLine(draw.text);
    const bool drawn = textFrame->Render(effect, draw.x, draw.y, kPagePair, kPagePair, 0.0f);
    textFrame->SetSize(size.x, size.y, true);
    return drawn;
}

bool UI_Menu_Page::Render(GraphicalEffect* effect, int x, int y, int p5, int p6, float rotation)
{
    if (!UI_Frame::Render(effect, x, y, p5, p6, rotation) || items.empty())
        return false;
    bool ok = true;
    for (const Draw& draw : Layout(y)) {
        switch (draw.kind) {
        case Draw::kDim:
            DimScreen(); // never counts
            break;
        case Draw::kBackdrop:
            if (draw.picture != nullptr)
                DrawElement(draw.picture, effect, draw.x, draw.y, kPagePair, kPagePair); // never counts
            break;
        case Draw::kPicture:
            if (ok)
                ok = DrawElement(draw.picture, effect, draw.x, draw.y, kPagePair, kPagePair);
            break;
        case Draw::kText:
        case Draw::kPrompt:
            if (ok)
                ok = DrawText(effect, draw);
            break;
        }
    }
    return ok;
}

std::vector<UI_Menu_Page::Draw> UI_Menu_Page::Layout(int pageY) const
{
    std::vector<Draw> draws;
    switch (pageKind) {
    case kMain:
    case kPause:
        LayoutColumn(pageY, draws);
        break;
    case kOptions:
        LayoutOptions(pageY, draws);
        break;
    case kRenderSettings:
        LayoutDisplay(pageY, draws);
        break;
    case kKeyMapping:
        LayoutKeyMapping(pageY, draws);
        break;
    case kPlay:
        LayoutSlots(pageY, draws);
        break;
    default:
        break;
    }
    // The menu's notice, above where the slots' prompt stands.
    if (ownerMenu != nullptr && !ownerMenu->GetNotice().empty())
        draws.push_back(Text(ownerMenu->GetNotice(), 0, kSlotPromptBottom - 2 * LineHeight(), kPercentRed));
    return draws;
}

void UI_Menu_Page::LayoutColumn(int pageY, std::vector<Draw>& draws) const
{
    int y = pageY + UI_Menu::GetMenuSpacingY();
    for (const auto& item : items) {
        if (item == nullptr)
            continue;
        // Centred on the page's width; the page's own x is not added.
        const int x = static_cast<int>(GetSize().x * 0.5 - item->GetSize().x * 0.5);
        draws.push_back(Picture(item->GetAppliedGraphic(), x, y));
        y += item->GetSize().y + UI_Menu::GetMenuSpacingY();
    }
}

int UI_Menu_Page::OptionRowsRise() const
{
    if (pageKind == kOptions)
        return LevelLoaded() ? kOptionsRisePause : kOptionsRiseTitle;
    if (pageKind == kRenderSettings)
        return LevelLoaded() ? kRenderRisePause : kRenderRiseTitle;
    return 0;
}

void UI_Menu_Page::LayoutOptions(int pageY, std::vector<Draw>& draws) const
{
    const GameConfig& config = *GetUIGameAccess()->GetConfig();
    const std::string language = config.GetLanguage();
    const Point<int> end = LayoutValueRows(pageY + UI_Menu::GetMenuSpacingY() - OptionRowsRise(),
        {std::to_string(config.GetMusicVolume()), std::to_string(config.GetSoundVolume()),
            language == "eng"      ? "ENG"
                : language == "fr" ? "FR"
                                   : ""},
        {kNearWhite, kNearWhite, kWhite}, draws);
    const int x = end.x;
    const int y = end.y;
    std::string prompt = PadUsedLast() ? "{A} CHANGE" : "ENTER:CHANGE";
    if (selectedIndex == 0 || selectedIndex == 1)
        prompt = "LEFT/RIGHT:CHANGE";
    draws.push_back(Draw {Draw::kPrompt, nullptr, prompt, x - kPromptWidth, y, kPromptColour});
}

Point<int> UI_Menu_Page::LayoutValueRows(int y, const std::vector<std::string>& values,
    const std::vector<uint32_t>& colours, std::vector<Draw>& draws) const
{
    int x = UI_Menu::GetMenuOptionsMarge();
    for (size_t i = 0; i < items.size(); ++i) {
        const UI_Menu_Item* item = items[i].get();
        if (item == nullptr)
            continue;
        x = UI_Menu::GetMenuOptionsMarge();
        draws.push_back(Picture(item->GetAppliedGraphic(), x, y));
        x += item->GetSize().x + 10;
        const int valueY = y + static_cast<int>(item->GetSize().y * 0.5 - LineHeight() * 0.5);
        if (i < values.size())
            draws.push_back(Text(values[i], x, valueY, colours[i]));
        y += item->GetSize().y + UI_Menu::GetMenuSpacingY();
    }
    return Point<int>(x, y);
}

void UI_Menu_Page::LayoutDisplay(int pageY, std::vector<Draw>& draws) const
{
    UIGameAccess& game = *GetUIGameAccess();
    const GameConfig& config = *game.GetConfig();
    if (selectedIndex == 6)
        if (GraphicalObject* chart
            = game.FindGraphicalObject("UI_Menu_Page_OPT_Brightness_Background", false))
            draws.push_back(
                Draw {Draw::kBackdrop, chart, {}, static_cast<int>(256 - chart->GetSize().x * 0.5),
                    static_cast<int>(224 - chart->GetSize().y * 0.5), 0});
    const Point<int> end = LayoutValueRows(pageY + UI_Menu::GetMenuSpacingY() - OptionRowsRise(),
        {YesNo(config.IsWindowed()), config.GetScaleMode() != 0 ? "1" : "0",
            std::to_string(config.GetScaleFilter()), YesNo(config.GetVSync()),
            std::to_string(config.GetMotionBlur()), std::to_string(config.GetDisplayAdapter()),
            std::to_string(config.GetBrightness())},
        {kWhite, kNearWhite, kNearWhite, kWhite, kNearWhite, kNearWhite, kNearWhite}, draws);
    const int x = end.x;
    const int y = end.y;
    std::string prompt = PadUsedLast() ? "{A} CHANGE" : "ENTER:CHANGE";
    if (selectedIndex == 6)
        prompt = "LEFT/RIGHT:AJUST TO SEE ALL DETAIL ON SCREEN";
    else if (selectedIndex == 5)
        prompt = "LEFT/RIGHT:SELECT DISPLAY - RESTART THE GAME TO APPLY";
    else if (selectedIndex == 1 || selectedIndex == 2 || selectedIndex == 4)
        prompt = "LEFT/RIGHT:CHANGE";
    draws.push_back(Draw {Draw::kPrompt, nullptr, prompt, x - kPromptWidth, y, kPromptColour});
}

void UI_Menu_Page::LayoutKeyMapping(int pageY, std::vector<Draw>& draws) const
{
    const GameConfig& config = *GetUIGameAccess()->GetConfig();
    if (!LevelLoaded())
        draws.push_back(Draw {Draw::kDim, nullptr, {}, 0, 0, kDimColour});
    bool undefined = false;
    int y = pageY - kKeyRowOverlap;
    for (size_t i = 0; i < items.size(); ++i) {
        const UI_Menu_Item* item = items[i].get();
        if (item == nullptr)
            continue;
        const bool exitRow = static_cast<int>(i) == kExitRow;
        int x = exitRow ? kExitRowX : UI_Menu::GetMenuOptionsMarge() - kKeyRowIndent;
        draws.push_back(Picture(item->GetAppliedGraphic(), x, y));
        x += item->GetSize().x;
        if (!exitRow && i < kKeyRows.size()) {
            const KeyRow& row = kKeyRows[i];
            const InputTriggerer key
                = row.keyboard >= 0 ? config.GetBinding(size_t(row.keyboard)) : InputTriggerer();
            const InputTriggerer pad
                = row.joypad >= 0 ? config.GetBinding(size_t(row.joypad)) : InputTriggerer();
            const std::string keyName = GetKeyDisplayName(key.code, key.direction, 0);
            const std::string padName = GetKeyDisplayName(pad.code, pad.direction, 1);
            // The start row has no keyboard column, the four directions no
            // pad column: their empty names are no undefined keys.
            const bool keyMissing = keyName.empty() && i != 13;
            const bool padMissing = padName.empty() && i >= 4;
            undefined = undefined || keyMissing || padMissing;
            draws.push_back(Text(keyMissing ? "UNDEF." : keyName, x - 10, y + kKeyTextDrop,
                keyMissing ? kUndefinedRed : kNearWhite));
            x += 32;
            draws.push_back(Text(padMissing ? "UNDEF." : padName, x + 75, y + kKeyTextDrop,
                padMissing ? kUndefinedRed : kNearWhite));
        } else if (exitRow && selectedIndex == kExitRow) {
            draws.push_back(Text(undefined ? "PLEASE DEFINE ALL KEYS {Y}/R:DEFAULT {B}/ESC:UNDO"
                                           : "{A}/ENTER:SAVE {Y}/R:DEFAULT {B}/ESC:UNDO",
                x, y + 7, kNearWhite));
        }
        y += item->GetSize().y - kKeyRowOverlap;
    }
}

void UI_Menu_Page::LayoutSlots(int pageY, std::vector<Draw>& draws) const
{
    int y = pageY + UI_Menu::GetMenuSpacingY();
    for (const auto& item : items) {
        if (item == nullptr || item->GetKind() != UI_Menu_Item::kSaveSlot)
            continue;
        int x = UI_Menu::GetMenuPlayMarge();
        draws.push_back(Picture(item->GetAppliedGraphic(), x, y));
        x += item->GetSize().x;
        const int textY = y + static_cast<int>(item->GetSize().y * 0.5 - LineHeight() * 0.5);
        if (item->GetPercent() == UIGameAccess::kNoSave) {
            draws.push_back(Text("EMPTY", x, textY, kWhite));
        } else if (item->GetPercent() == UIGameAccess::kDamagedSave) {
            draws.push_back(Text("DAMAGED SAVE", x, textY, kPercentRed));
        } else {
            draws.push_back(Text("SAVED GAME", x, textY, kWhite));
            x += kSlotSummaryGap;
            draws.push_back(Text(std::to_string(item->GetPercent()) + "%", x, textY, kPercentRed));
            x += kSlotPercentGap;
            draws.push_back(Text(item->GetText(), x, textY, kLightGrey));
        }
        y += item->GetSize().y + UI_Menu::GetMenuSpacingY();
    }
    const bool pad = PadUsedLast();
    std::string prompt = pad ? "{A} PLAY     {Y} ERASE     {B} BACK" : "ENTER:PLAY   R:ERASE   ESC:BACK";
    if (confirmPending)
        prompt = pad ? "             {A} CONFIRM     {B} BACK" : "            ENTER:CONFIRM   ESC:BACK";
    draws.push_back(Text(prompt, 0, kSlotPromptBottom - LineHeight(), kWhite));
}
