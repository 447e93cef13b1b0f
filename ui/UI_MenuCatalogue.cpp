#include "ui/UI_MenuCatalogue.h"

#include "engine/config/GameConfig.h"
#include "ui/UI_Menu_Item.h"

namespace MenuCatalogue {

namespace {

constexpr int32_t kLink = UI_Menu_Item::kLink;
constexpr int32_t kSlot = UI_Menu_Item::kSaveSlot;
constexpr int32_t kValue = UI_Menu_Item::kLeftRight;
constexpr int32_t kToggle = UI_Menu_Item::kToggle;
constexpr int32_t kKey = UI_Menu_Item::kKeyBinding;

const std::array<PageEntry, kPageCount>& Pages()
{
    static const std::array<PageEntry, kPageCount> pages = {{
        {"UI_Menu_Main_Frame",
            {{"Main_Play", kLink}, {"Main_OPT", kLink}, {"Main_OPT_RenderSettings", kLink},
                {"Main_Leave", kLink}}},
        {"UI_Menu_Pause_Frame",
            {{"Pause_Resume", kLink}, {"Pause_OPT", kLink}, {"Pause_OPT_RenderSettings", kLink},
                {"Pause_Menu", kLink}, {"Pause_Leave", kLink}}},
        {"UI_Menu_Options_Frame",
            {{"OPT_Music", kValue}, {"OPT_Sound", kValue}, {"OPT_Language", kValue},
                {"OPT_Keymapping", kLink}}},
        {"UI_Menu_Options_RenderSettings_Frame",
            {{"OPT_Windowed", kToggle}, {"OPT_Ratio", kToggle}, {"OPT_Mode", kValue}, {"OPT_VSync", kToggle},
                {"OPT_MotionBlur", kValue}, {"OPT_ScreenID", kValue}, {"OPT_Brightness", kValue}}},
        {"UI_Menu_OptionsKeymapping_Frame",
            {{"OPT-Keymapping_Left", kKey}, {"OPT-Keymapping_Right", kKey}, {"OPT-Keymapping_Crouch", kKey},
                {"OPT-Keymapping_ClimbUp", kKey}, {"OPT-Keymapping_Jump", kKey}, {"OPT-Keymapping_Map", kKey},
                {"OPT-Keymapping_Attack", kKey}, {"OPT-Keymapping_ArmorFire", kKey},
                {"OPT-Keymapping_ArmorIce", kKey}, {"OPT-Keymapping_StraffRight", kKey},
                {"OPT-Keymapping_StraffLeft", kKey}, {"OPT-Keymapping_Scyte", kKey},
                {"OPT-Keymapping_Spider", kKey}, {"OPT-Keymapping_Start", kKey},
                {"OPT-Keymapping_Exit", kKey}}},
        {"UI_Menu_Play_Frame", {{"Play_Slot1", kSlot}, {"Play_Slot2", kSlot}, {"Play_Slot3", kSlot}}},
    }};
    return pages;
}

constexpr const char* kItemPrefix = "UI_Menu_Page_";
constexpr const char* kBrightnessKey = "OPT_Brightness";
constexpr const char* kExitKey = "OPT-Keymapping_Exit";

} // namespace

const PageEntry& GetPage(int32_t page)
{
    return Pages()[static_cast<size_t>(page)];
}

std::string ItemObjectName(const std::string& key)
{
    return kItemPrefix + key;
}

std::string PictureBase(const std::string& key)
{
    return key == kBrightnessKey ? ItemObjectName(key) : "UI_Menu_" + key;
}

bool HasEditingPicture(const std::string& key)
{
    return key.rfind("OPT-Keymapping_", 0) == 0 && key != kExitKey;
}

std::string FindKeyOfObjectName(const std::string& objectName)
{
    for (const PageEntry& page : Pages())
        for (const ItemEntry& item : page.items)
            if (ItemObjectName(item.key) == objectName)
                return item.key;
    return {};
}

bool AllKeysDefined(const GameConfig& config)
{
    bool defined = true;
    for (size_t i = 0; i < GameConfig::kBindingCount; ++i)
        if (i != GameConfig::kFixedBinding && config.GetBinding(i).code == 0)
            defined = false;
    return defined;
}

} // namespace MenuCatalogue
