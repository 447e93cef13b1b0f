#pragma once

#include "engine/serial/TypeNames.h"
#include "ui/UI_Frame.h"
#include "ui/UI_Menu_Item.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class GraphicalEffect;
class UI_Frame_Text;
class UI_Menu;

// One screen of the menu: a frame of the game library with its rows. The
// menu builds the rows (UI_Menu::BuildPage); the page owns them.
class UI_Menu_Page : public UI_Frame {
public:
    // Sound events of a page, by index.
    enum Sound : int { kSoundSelect = 0, kSoundBack = 1, kSoundValidate = 2, kSoundDialogue = 3 };

    explicit UI_Menu_Page(std::string name);
    ~UI_Menu_Page() override;
    UI_Menu_Page(const UI_Menu_Page&) = delete;
    UI_Menu_Page& operator=(const UI_Menu_Page&) = delete;

    void DeclareSounds() override;
    // Loads the sounds, makes the page's text frame and initialises the rows.
    void Init() override;

    // One draw of the page, as laid out: a row's picture, a text of the
    // page's text frame (a prompt wraps at 250 pixels), the screen dimmed or
    // the brightness chart behind the display rows (these two never count as
    // failed).
    struct Draw {
        enum Kind { kPicture, kText, kPrompt, kDim, kBackdrop };
        Kind kind = kText;
        GraphicalObject* picture = nullptr;
        std::string text;
        int x = 0;
        int y = 0;
        uint32_t colour = 0;
    };
    // The page's picture, then its rows, values and prompt; the first draw
    // that fails ends the page's drawing for this frame.
    bool Render(GraphicalEffect* effect, int x, int y, int p5, int p6, float rotation) override;
    // The draws of the rows, values and prompt for a page standing at y.
    std::vector<Draw> Layout(int pageY) const;
    UI_Frame_Text* GetTextFrame() const { return textFrame.get(); }

    // The Play page reads the three save slots again and puts the cursor on
    // the first; other pages do nothing.
    void OnEnter();

    void SetMenu(UI_Menu* menu) { ownerMenu = menu; }
    UI_Menu* GetMenu() const { return ownerMenu; }
    int32_t GetSelectedIndex() const { return selectedIndex; }
    void SetSelectedIndex(int32_t index) { selectedIndex = index; }
    int32_t GetPageKind() const { return pageKind; }
    void SetPageKind(int32_t kind) { pageKind = kind; }
    bool IsConfirmPending() const { return confirmPending; }
    void ClearConfirm() { confirmPending = false; }
    void ToggleConfirm() { confirmPending = !confirmPending; }

    // The rows, in display and navigation order (an entry may be null).
    size_t GetItemCount() const { return items.size(); }
    UI_Menu_Item* GetItem(size_t index) const { return index < items.size() ? items[index].get() : nullptr; }
    void AddItem(std::unique_ptr<UI_Menu_Item> item) { items.push_back(std::move(item)); }

private:
    void InitTextFrame();
    int LineHeight() const;
    bool DrawText(GraphicalEffect* effect, const Draw& draw);
    void LayoutColumn(int pageY, std::vector<Draw>& draws) const;
    void LayoutOptions(int pageY, std::vector<Draw>& draws) const;
    // The option rows stand this far above the page (the page's own picture
    // stays where the page stands).
    int OptionRowsRise() const;
    // The option rows from y down, each picture with its value beside it
    // (values[i] in colours[i]); returns where the prompt goes.
    Point<int> LayoutValueRows(int y, const std::vector<std::string>& values,
        const std::vector<uint32_t>& colours, std::vector<Draw>& draws) const;
    void LayoutDisplay(int pageY, std::vector<Draw>& draws) const;
    void LayoutKeyMapping(int pageY, std::vector<Draw>& draws) const;
    void LayoutSlots(int pageY, std::vector<Draw>& draws) const;

    std::unique_ptr<UI_Frame_Text> textFrame;
    std::vector<std::unique_ptr<UI_Menu_Item>> items;
    int32_t selectedIndex = 0;
    int32_t pageKind = -1;
    bool confirmPending = false;
    UI_Menu* ownerMenu = nullptr;
};
