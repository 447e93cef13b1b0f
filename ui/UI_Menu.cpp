#include "ui/UI_Menu.h"
#include "engine/app/UsageObserver.h"
#include "engine/config/GameConfig.h"
#include "engine/config/GamePaths.h"

#include "characters/Player.h"
#include "engine/input/AbstractInputManager.h"
#include "engine/platform/DebugOutput.h"
#include "engine/sound/SoundEventsManager.h"
#include "ui/UIGameAccess.h"
#include "ui/UITuning.h"
#include "ui/UI_MenuCatalogue.h"
#include "ui/UI_Menu_Page.h"

#include <utility>

namespace {

using namespace MenuCatalogue;

bool Edge(bool now, bool before)
{
    return now && !before;
}

} // namespace

UI_Menu::UI_Menu(std::string name)
    : UI_Frame(std::move(name))
{
    typeName = TypeNames::UI_Menu;
    LoadSounds();
}

UI_Menu::~UI_Menu() = default;

void UI_Menu::DeclareSounds()
{
    for (const char* sound :
        {"Menu_Select", "Menu_Back", "Menu_Validate", "Menu_Dialogue", "Menu_Dialogue_Quick"})
        DeclareSound(sound);
}

void UI_Menu::Init()
{
    LoadSounds();
    pages.assign(kPageCount, nullptr);
    for (int32_t number = 0; number < kPageCount; ++number) {
        if (UI_Menu_Page* page = BuildPage(number)) {
            page->SetMenu(this);
            pages[static_cast<size_t>(number)] = page;
        }
    }
    for (UI_Menu_Page* page : pages)
        if (page != nullptr)
            page->Init();
}

UI_Menu_Page* UI_Menu::GetPage(int32_t number) const
{
    if (number < 0 || number >= static_cast<int32_t>(pages.size()))
        return nullptr;
    return pages[static_cast<size_t>(number)];
}

UI_Menu_Page* UI_Menu::GetCurrentPage() const
{
    return GetPage(currentPage);
}

UI_Menu_Page* UI_Menu::BuildPage(int32_t number)
{
    UIGameAccess* game = GetUIGameAccess();
    if (number < 0 || number >= kPageCount || game == nullptr)
        return nullptr;
    const PageEntry& entry = MenuCatalogue::GetPage(number);
    auto* page = dynamic_cast<UI_Menu_Page*>(game->FindGraphicalObject(entry.objectName, false));
    if (page == nullptr)
        return nullptr;
    page->SetPageKind(number);
    for (const ItemEntry& item : entry.items)
        page->AddItem(std::make_unique<UI_Menu_Item>(ItemObjectName(item.key), item.kind));
    if (number == kPause || number == kPlay) {
        if (UI_Menu_Item* first = page->GetItem(0))
            first->Select();
    }
    if (number == kPlay)
        for (size_t i = 1; i < page->GetItemCount(); ++i)
            if (UI_Menu_Item* item = page->GetItem(i))
                item->Deselect();
    page->OnEnter();
    return page;
}

void UI_Menu::Update(double frameTime)
{
    UIGameAccess* game = GetUIGameAccess();
    if (game == nullptr || !game->IsMenuInputFree())
        return;
    GraphicalObject::Update(frameTime);
    NoteUse("menu page", std::to_string(currentPage));
    if (noticeFrames > 0 && --noticeFrames == 0)
        notice.clear();
    // The title takes no input until its intro has played.
    if (currentPage == kMain && !IsAnimationFinished())
        return;

    AbstractInputManager* input = game->GetInputManager();
    InputActions now;
    InputActions before;
    if (input != nullptr) {
        now = input->GetPressedActions();
        before = input->GetPreviousActions();
    }
    const bool start = Edge(now.Action9, before.Action9);
    const bool back = Edge(now.Back, before.Back);
    const bool validate = Edge(now.Confirm, before.Confirm);
    const int32_t pageBefore = currentPage;

    if (UI_Menu_Page* page = GetCurrentPage()) {
        const int32_t selected = page->GetSelectedIndex();
        bool lookAtStart = true;
        if (validate && !back) {
            // With the erase confirmation open, Validate belongs to the page.
            if (!page->IsConfirmPending())
                OnValidate(*page, selected);
        } else if (back) {
            if (page->IsConfirmPending())
                page->ClearConfirm();
            else
                OnBack(*page, selected);
            lookAtStart = false;
        }
        // The start action resumes a game (never on the key mapping, nor
        // while a key is captured, nor at the title).
        const bool capturing = input != nullptr && input->IsCapturingKey();
        if (lookAtStart && start && game->HasLevel() && !capturing && currentPage != kKeyMapping)
            ResumePlay();
    }

    // A new page gets its entry; its handler waits for the next frame, so
    // one press never acts twice.
    if (currentPage != pageBefore) {
        if (UI_Menu_Page* page = GetCurrentPage())
            page->OnEnter();
        return;
    }
    if (UI_Menu_Page* page = GetCurrentPage())
        DoAction(page, frameTime);
}

void UI_Menu::OnValidate(UI_Menu_Page& page, int32_t selected)
{
    UIGameAccess* game = GetUIGameAccess();
    switch (currentPage) {
    case kMain:
        if (selected == kMainPlay)
            currentPage = kPlay;
        else if (selected == kMainOptions)
            currentPage = kOptions;
        else if (selected == kMainRenderSettings)
            currentPage = kRenderSettings;
        else if (selected == kMainLeave)
            Leave();
        PlaySoundAt(kSoundValidate);
        break;
    case kPlay:
        StartSlot(selected);
        break;
    case kPause:
        if (selected == kPauseResume) {
            ResumePlay();
        } else if (selected == kPauseOptions || selected == kPauseRenderSettings) {
            currentPage = selected == kPauseOptions ? kOptions : kRenderSettings;
            PlaySoundAt(kSoundValidate);
        } else if (selected == kPauseTitle) {
            game->ReturnToTitle();
            PlaySoundAt(kSoundValidate);
        } else if (selected == kPauseLeave) {
            Leave();
        }
        break;
    case kOptions:
        if (selected == kOptionsKeyMapping) {
            // The snapshot that Back on the key mapping's Exit row restores.
            SaveSettings();
            currentPage = kKeyMapping;
        }
        PlaySoundAt(kSoundValidate);
        break;
    case kKeyMapping:
        if (selected == kExitRow && AllKeysDefined(*game->GetConfig())) {
            currentPage = kOptions;
            SaveSettings();
        }
        PlaySoundAt(kSoundValidate);
        break;
    default:
        break;
    }
    (void)page;
}

void UI_Menu::OnBack(UI_Menu_Page& page, int32_t selected)
{
    UIGameAccess* game = GetUIGameAccess();
    switch (currentPage) {
    case kPlay:
        currentPage = kMain;
        PlaySoundAt(kSoundBack);
        break;
    case kOptions:
    case kRenderSettings:
        currentPage = game->HasLevel() ? kPause : kMain;
        SaveSettings();
        PlaySoundAt(kSoundBack);
        break;
    case kPause:
        ResumePlay();
        break;
    case kKeyMapping: {
        AbstractInputManager* input = game->GetInputManager();
        if (input == nullptr || !input->IsCapturingKey()) {
            if (selected == kExitRow) {
                // Undo: every binding back to the snapshot taken on entry.
                game->GetConfig()->LoadUserConfig();
                currentPage = kOptions;
            } else {
                page.SetSelectedIndex(kExitRow);
            }
        }
        PlaySoundAt(kSoundBack);
        break;
    }
    default:
        break;
    }
}

void UI_Menu::ShowNotice(std::string text)
{
    notice = std::move(text);
    noticeFrames = kNoticeFrames;
}

void UI_Menu::SaveSettings()
{
    UIGameAccess* game = GetUIGameAccess();
    std::string reason;
    if (game == nullptr || game->GetConfig()->SaveUserConfig(&reason))
        return;
    platform::ReportProblem("The settings were not saved: " + reason + "\n");
    ShowNotice("SETTINGS NOT SAVED !");
}

void UI_Menu::StartSlot(int32_t slot)
{
    UIGameAccess* game = GetUIGameAccess();
    if (game == nullptr)
        return;
    // A damaged save is neither played nor replaced by a new game: only
    // erasing it frees the slot.
    const UIGameAccess::SlotCheck check = game->CheckSaveSlot(slot);
    if (check.damaged) {
        ShowNotice("DAMAGED SAVE: ERASE IT TO PLAY");
        PlaySoundAt(kSoundBack);
        return;
    }
    // A save whose level file is gone cannot be continued: the save is kept
    // (the level may come back) and the page says why.
    if (!check.missingLevel.empty()) {
        platform::ReportProblem(GetUserPath() + "Save_" + std::to_string(slot) + ".sav: its level \""
            + check.missingLevel + "\" cannot be found; the save is kept\n");
        ShowNotice(kMissingLevelNotice);
        PlaySoundAt(kSoundBack);
        return;
    }
    game->StartSaveSlot(slot);
}

void UI_Menu::ResumePlay()
{
    UIGameAccess* game = GetUIGameAccess();
    StopSoundAt(kSoundBack);
    if (game != nullptr)
        game->SetMenuFlag(false);
    PlaySoundAt(kSoundBack);
}

void UI_Menu::Leave()
{
    // An orderly end: the main loop shuts the game down and exits with 0.
    if (UIGameAccess* game = GetUIGameAccess())
        game->RequestQuit();
}

int32_t UI_Menu::GetMenuSpacingY()
{
    return UITuning::Current().menuSpacingY;
}

int32_t UI_Menu::GetMenuPlayMarge()
{
    return UITuning::Current().menuPlayMarge;
}

int32_t UI_Menu::GetMenuOptionsMarge()
{
    return UITuning::Current().menuOptionsMarge;
}
