#pragma once

#include "engine/serial/Point.h"
#include "engine/serial/TypeNames.h"
#include "ui/UI_Frame.h"

#include <cstdint>
#include <string>
#include <vector>

class UI_Menu_Page;

// The one menu of the game: the title menu before a game runs and the pause
// menu over a level. It holds the six pages (index = page number; the pages
// belong to the game library) and turns Validate, Back and the start action
// into page changes, starting a save slot, resuming, returning to the title
// and leaving; what happens inside a page is DoAction.
class UI_Menu : public UI_Frame {
public:
    // Sound events of the menu, by index.
    enum Sound : int { kSoundSelect = 0, kSoundBack = 1, kSoundValidate = 2 };
    static constexpr int32_t kPageCount = 6;
    static constexpr int32_t kSlotCount = 3;

    explicit UI_Menu(std::string name);
    ~UI_Menu() override;
    UI_Menu(const UI_Menu&) = delete;
    UI_Menu& operator=(const UI_Menu&) = delete;

    void DeclareSounds() override;
    // Builds the six pages from the game library and initialises them.
    void Init() override;
    // The menu's input of one frame (only while the menu is the shown
    // interface), then the current page's handler.
    void Update(double frameTime) override;

    // At the title the menu's own picture, over a level a dimmed screen;
    // then the current page (once the title's intro has played).
    bool Render(GraphicalEffect* effect, int x, int y, int p5, int p6, float rotation) override;
    // Where the current page stands: centred, at the bottom of the screen;
    // over a level where the pause page stands (the key mapping at the top).
    Point<int> GetPagePosition() const;

    // The page at `currentPage`, or null.
    UI_Menu_Page* GetCurrentPage() const;
    UI_Menu_Page* GetPage(int32_t number) const;
    int32_t GetCurrentPageNumber() const { return currentPage; }
    // Set by the game when it shows the title (0) or pauses (1).
    void SetCurrentPage(int32_t number) { currentPage = number; }

    // The page object of the catalogue with its new rows; null for a number
    // outside 0..5 or a page missing from the game library.
    static UI_Menu_Page* BuildPage(int32_t number);

    // The per-frame row handler of a page: cursor, pictures, option values,
    // key capture and erasing a slot.
    void DoAction(UI_Menu_Page* page, double frameTime);

    // A line the menu shows under its page for kNoticeFrames frames: a
    // settings file that could not be written, a damaged save chosen.
    static constexpr int kNoticeFrames = 180;
    void ShowNotice(std::string text);
    // The notice of a slot (a save, or a new game) whose level is missing or
    // does not load.
    static constexpr const char* kMissingLevelNotice = "LEVEL MISSING OR DAMAGED";
    const std::string& GetNotice() const { return notice; }

    static int32_t GetMenuSpacingY();
    static int32_t GetMenuPlayMarge();
    static int32_t GetMenuOptionsMarge();

private:
    void OnValidate(UI_Menu_Page& page, int32_t selected);
    void OnBack(UI_Menu_Page& page, int32_t selected);
    void StartSlot(int32_t slot);
    void ResumePlay();
    void Leave();

    void DoOptionsRow(UI_Menu_Page& page, int dir, bool validate);
    void DoRenderSettingsRow(UI_Menu_Page& page, int dir, bool validate);
    void DoKeyMappingRow(UI_Menu_Page& page, bool validate, bool erase);
    void DoPlayRow(UI_Menu_Page& page, bool validate, bool erase);

    // Writes the settings file; on failure says so on screen.
    void SaveSettings();

    std::vector<UI_Menu_Page*> pages;
    int32_t currentPage = 0;
    std::string notice;
    int noticeFrames = 0;
};
