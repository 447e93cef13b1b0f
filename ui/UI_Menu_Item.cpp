#include "ui/UI_Menu_Item.h"

#include "scene/SceneGameAccess.h"
#include "ui/UI_MenuCatalogue.h"

namespace {

GraphicalObject* FindPicture(const std::string& name)
{
    SceneGameAccess* game = GetSceneGameAccess();
    return game != nullptr ? game->FindGraphicalObject(name) : nullptr;
}

} // namespace

UI_Menu_Item::UI_Menu_Item(std::string name, int32_t itemKind)
    : GraphicalObject(std::move(name))
    , kind(itemKind)
{
}

void UI_Menu_Item::Init()
{
    LoadSounds();
    const std::string key = MenuCatalogue::FindKeyOfObjectName(GetName());
    if (!key.empty()) {
        const std::string base = MenuCatalogue::PictureBase(key);
        pictureNormal = FindPicture(base + "_0");
        pictureSelected = FindPicture(base + "_1");
        if (MenuCatalogue::HasEditingPicture(key))
            pictureEditing = FindPicture(base + "_E");
    }
    RefreshGraphic();
}

void UI_Menu_Item::Apply(GraphicalObject* picture)
{
    // A missing picture keeps the look the item has.
    if (picture != nullptr && picture != this) {
        // The copy takes the picture's look and size; the row keeps its name.
        const std::string ownName = GetName();
        Assign(*picture);
        SetName(ownName);
        appliedPicture = picture;
    }
    RestartAnimations(true);
}

void UI_Menu_Item::RefreshGraphic()
{
    Apply(editing ? pictureEditing : selected ? pictureSelected : pictureNormal);
}

void UI_Menu_Item::Select()
{
    if (selected)
        return;
    selected = true;
    RefreshGraphic();
}

void UI_Menu_Item::Deselect()
{
    if (!selected)
        return;
    selected = false;
    RefreshGraphic();
}

void UI_Menu_Item::StartEditing()
{
    if (editing)
        return;
    editing = true;
    RefreshGraphic();
}

void UI_Menu_Item::StopEditing()
{
    editing = false;
    Apply(selected ? pictureSelected : pictureNormal);
}
