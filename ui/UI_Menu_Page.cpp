#include "ui/UI_Menu_Page.h"

#include "ui/UIGameAccess.h"
#include "ui/UI_Frame_Text.h"
#include "ui/UI_MenuCatalogue.h"

UI_Menu_Page::UI_Menu_Page(std::string name)
    : UI_Frame(std::move(name))
{
    typeName = TypeNames::UI_Menu_Page;
    LoadSounds();
}

UI_Menu_Page::~UI_Menu_Page() = default;

void UI_Menu_Page::DeclareSounds()
{
    for (const char* sound : {"Menu_Select", "Menu_Back", "Menu_Validate", "Menu_Dialogue"})
        DeclareSound(sound);
}

void UI_Menu_Page::Init()
{
    LoadSounds();
    InitTextFrame();
    for (const auto& item : items)
        if (item)
            item->Init();
}

void UI_Menu_Page::OnEnter()
{
    if (pageKind != MenuCatalogue::kPlay)
        return;
    selectedIndex = 0;
    UIGameAccess* game = GetUIGameAccess();
    if (game == nullptr)
        return;
    for (size_t slot = 0; slot < 3 && slot < items.size(); ++slot) {
        if (!items[slot])
            continue;
        int percent = game->GetSaveSlotPercent(static_cast<int>(slot));
        const std::string summary = game->GetSaveSlotSummary(static_cast<int>(slot));
        // The percent comes from the file's head alone; the summary reads it
        // whole, so a file cut short after its head shows as damaged.
        if (percent >= 0 && summary.empty())
            percent = UIGameAccess::kDamagedSave;
        items[slot]->SetPercent(percent);
        items[slot]->SetText(summary);
    }
}
