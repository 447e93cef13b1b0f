#pragma once

#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"

#include <cstdint>
#include <string>

// One row of a menu page. It draws nothing of its own: its look is copied
// from one of the game library's pictures "UI_Menu_" + key + "_0" (normal),
// "_1" (selected) or "_E" (waiting for a key), chosen by its state.
class UI_Menu_Item : public GraphicalObject {
public:
    // What the page handler does with the row.
    enum Kind : int32_t { kLink = 0, kSaveSlot = 1, kLeftRight = 2, kToggle = 4, kKeyBinding = 6 };

    UI_Menu_Item(std::string name, int32_t kind);
    ~UI_Menu_Item() override = default;
    UI_Menu_Item(const UI_Menu_Item&) = delete;
    UI_Menu_Item& operator=(const UI_Menu_Item&) = delete;

    // Loads the sounds, finds the pictures of the catalogue entry whose
    // object name equals this one's and applies the picture of the state.
    void Init() override;

    // Applies the picture of the state (editing, else selected, else
    // normal) when it exists and restarts the animations.
    void RefreshGraphic();
    void Select();
    void Deselect();
    void StartEditing();
    // Always re-applies the selected or normal picture.
    void StopEditing();

    int32_t GetKind() const { return kind; }
    int32_t GetPercent() const { return slotPercent; }
    void SetPercent(int32_t percent) { slotPercent = percent; }
    std::string GetText() const { return text; }
    void SetText(std::string value) { text = std::move(value); }
    bool IsSelected() const { return selected; }
    bool IsEditing() const { return editing; }
    GraphicalObject* GetAppliedGraphic() const { return appliedPicture; }
    GraphicalObject* GetPicture(int state) const
    {
        return state == 0 ? pictureNormal : state == 1 ? pictureSelected : pictureEditing;
    }

private:
    void Apply(GraphicalObject* picture);

    int32_t kind = kLink;
    int32_t slotPercent = 0;
    std::string text;
    bool selected = false;
    bool editing = false;
    GraphicalObject* pictureSelected = nullptr;
    GraphicalObject* pictureNormal = nullptr;
    GraphicalObject* pictureEditing = nullptr;
    GraphicalObject* appliedPicture = nullptr;
};
