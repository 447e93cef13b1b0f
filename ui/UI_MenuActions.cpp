#include "engine/app/UsageObserver.h"
#include "engine/config/GameConfig.h"
#include "ui/UI_Menu.h"

#include "engine/config/GamePaths.h"
#include "engine/input/AbstractInputManager.h"
#include "engine/platform/DebugOutput.h"
#include "engine/platform/Mutex.h"
#include "engine/platform/Window.h"
#include "engine/render/D3DDevice.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/RenderPoolManager.h"
#include "engine/sound/ISoundEngine.h"
#include "ui/UIGameAccess.h"
#include "ui/UI_MenuCatalogue.h"
#include "ui/UI_Menu_Page.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace {

using namespace MenuCatalogue;

bool Edge(bool now, bool before)
{
    return now && !before;
}

// The render thread's message wait while the display mode changes.
constexpr uint32_t kSwitchMessageWait = 100;
constexpr uint32_t kWindowedMutexWait = 100;

// The bindings a captured key or button may be taken from.
constexpr int kKeyboardBindings[] = {0, 1, 2, 3, 4, 6, 8, 10, 12, 14, 16, 18, 22};
constexpr int kJoypadBindings[] = {5, 7, 9, 11, 13, 15, 17, 19, 21, 23};

// The render thread, when there is one to hand display requests to.
RenderPoolManager* RenderThreadPool(UIGameAccess& game)
{
    auto* engine = dynamic_cast<DXRenderEngine*>(game.GetRenderEngine());
    RenderPoolManager* pool = engine != nullptr ? engine->GetRenderPool() : nullptr;
    return pool != nullptr && pool->HasThread() && pool->IsRenderThreadRunning() ? pool : nullptr;
}

void ApplyVolumes(UIGameAccess& game)
{
    if (ISoundEngine* sound = game.GetSoundEngine())
        sound->ApplyVolumes();
}

// The window switch: the windowed flag flips and the render thread, which
// owns the window, makes it so.
void SwitchDisplayMode(UIGameAccess& game)
{
    platform::DebugOutput("/- Changed WINDOW action -/\n");
    GameConfig& config = *game.GetConfig();
    config.SetWindowed(!config.IsWindowed());
    if (RenderPoolManager* pool = RenderThreadPool(game)) {
        pool->messageWaitTimeout = kSwitchMessageWait;
        if (config.IsWindowed())
            pool->PostDisplayRequest(RenderPoolManager::kRequestWindow, kWindowedMutexWait);
        else
            pool->PostDisplayRequest(RenderPoolManager::kRequestFullScreen, platform::TimedMutex::kInfinite);
    }
    platform::DebugOutput(g_FullScreen ? "/- => FULLSCREEN MODE -/\n" : "/- => WINDOW MODE -/\n");
}

void SwitchVSync(UIGameAccess& game)
{
    GameConfig& config = *game.GetConfig();
    config.SetVSync(!config.GetVSync());
    g_VSync = config.GetVSync();
    if (RenderPoolManager* pool = RenderThreadPool(game))
        pool->PostDisplayRequest(RenderPoolManager::kRequestDisplaySettings, platform::TimedMutex::kInfinite);
}

// The final copy of the frame follows the filter: point or linear.
void ApplyScaleFilter(UIGameAccess& game)
{
    game.SetLinearFilter(game.GetConfig()->GetScaleFilter() != 0);
}

void RestartSound(SceneObject& object, int index)
{
    object.StopSoundAt(index);
    object.PlaySoundAt(index);
}

} // namespace

void UI_Menu::DoAction(UI_Menu_Page* page, double frameTime)
{
    UIGameAccess* game = GetUIGameAccess();
    if (page == nullptr || game == nullptr)
        return;
    AbstractInputManager* input = game->GetInputManager();
    InputActions now;
    InputActions before;
    if (input != nullptr) {
        now = input->GetPressedActions();
        before = input->GetPreviousActions();
    }
    const bool capturing = input != nullptr && input->IsCapturingKey();

    // 1. Edges: right wins over left.
    int dir = 0;
    if (Edge(now.MenuLeft, before.MenuLeft))
        dir = -1;
    if (Edge(now.MenuRight, before.MenuRight))
        dir = 1;
    const bool validate = Edge(now.Confirm, before.Confirm) && !capturing;
    const bool erase = Edge(now.KeyROrPad3, before.KeyROrPad3);

    // 2. The cursor, which neither a confirmation nor a capture lets move.
    const int32_t count = static_cast<int32_t>(page->GetItemCount());
    if (now.MenuUp != now.MenuDown && (now.MenuUp != before.MenuUp || now.MenuDown != before.MenuDown)) {
        const int32_t step = now.MenuDown ? 1 : -1;
        if (!page->IsConfirmPending() && !capturing && count > 0) {
            int32_t index = page->GetSelectedIndex() + step;
            if (index < 0)
                index = count - 1;
            if (index >= count)
                index = 0;
            page->SetSelectedIndex(index);
        }
        RestartSound(*page, UI_Menu_Page::kSoundSelect);
    }

    // 3. Every row's picture follows the cursor.
    for (int32_t i = 0; i < count; ++i) {
        UI_Menu_Item* item = page->GetItem(static_cast<size_t>(i));
        if (item == nullptr)
            continue;
        if (i != page->GetSelectedIndex() && item->IsSelected())
            item->Deselect();
        if (i == page->GetSelectedIndex() && !item->IsSelected())
            item->Select();
        item->Update(frameTime);
    }

    // 4. The selected row's action.
    switch (page->GetPageKind()) {
    case kOptions:
        DoOptionsRow(*page, dir, validate);
        break;
    case kRenderSettings:
        DoRenderSettingsRow(*page, dir, validate);
        break;
    case kKeyMapping:
        DoKeyMappingRow(*page, validate, erase);
        break;
    case kPlay:
        DoPlayRow(*page, validate, erase);
        break;
    default:
        break;
    }
}

void UI_Menu::DoOptionsRow(UI_Menu_Page& page, int dir, bool validate)
{
    UIGameAccess& game = *GetUIGameAccess();
    GameConfig& config = *game.GetConfig();
    // A press with Validate in the same frame raises the volume, even left.
    const int change = validate ? 1 : dir;
    switch (page.GetSelectedIndex()) {
    case kOptionsMusic:
        if (dir != 0) {
            config.SetMusicVolume(std::clamp(config.GetMusicVolume() + change, 0, GameConfig::kMaxVolume));
            ApplyVolumes(game);
        }
        break;
    case kOptionsSound:
        if (dir != 0) {
            config.SetSoundVolume(std::clamp(config.GetSoundVolume() + change, 0, GameConfig::kMaxVolume));
            ApplyVolumes(game);
            RestartSound(page, UI_Menu_Page::kSoundSelect);
        }
        break;
    case kOptionsLanguage:
        if (validate || dir != 0)
            config.SetLanguage(config.GetLanguage() == "fr" ? "eng" : "fr");
        break;
    default:
        break;
    }
}

void UI_Menu::DoRenderSettingsRow(UI_Menu_Page& page, int dir, bool validate)
{
    UIGameAccess& game = *GetUIGameAccess();
    GameConfig& config = *game.GetConfig();
    const bool changed = validate || dir != 0;
    const int step = validate ? 1 : dir;
    switch (page.GetSelectedIndex()) {
    case kRenderWindowed:
        if (validate) {
            SwitchDisplayMode(game);
            page.PlaySoundAt(UI_Menu_Page::kSoundValidate);
        }
        break;
    case kRenderRatio:
        if (changed) {
            config.SetScaleMode(config.GetScaleMode() != 0 ? 0 : 2);
            game.SetDisplayScaleMode(config.GetScaleMode());
            page.PlaySoundAt(UI_Menu_Page::kSoundValidate);
        }
        break;
    case kRenderFilter:
        if (changed) {
            config.SetScaleFilter(std::clamp(config.GetScaleFilter() + step, 0, GameConfig::kMaxScaleFilter));
            ApplyScaleFilter(game);
        }
        break;
    case kRenderVSync:
        if (validate)
            SwitchVSync(game);
        break;
    case kRenderMotionBlur:
        if (changed) {
            config.SetMotionBlur(std::clamp(config.GetMotionBlur() + step, 0, GameConfig::kMaxMotionBlur));
            if (config.GetMotionBlur() > 0)
                NoteUse("effect", "fullFX_MoBlur");
        }
        break;
    case kRenderScreen:
        if (changed) {
            // Takes effect at the next start.
            const int adapter
                = std::clamp(config.GetDisplayAdapter() + step, 0, std::max(0, platform::DisplayCount() - 1));
            if (adapter != config.GetDisplayAdapter())
                config.SetDisplayAdapter(adapter);
        }
        break;
    case kRenderBrightness:
        if (dir != 0) {
            config.SetBrightness(
                std::clamp(config.GetBrightness() + (validate ? 1 : dir), 0, GameConfig::kMaxBrightness));
            NoteUse("effect", "fullFX_Brightness");
            RestartSound(page, UI_Menu_Page::kSoundSelect);
        }
        break;
    default:
        break;
    }
}

void UI_Menu::DoKeyMappingRow(UI_Menu_Page& page, bool validate, bool erase)
{
    UIGameAccess& game = *GetUIGameAccess();
    GameConfig& config = *game.GetConfig();
    AbstractInputManager* input = game.GetInputManager();
    const int32_t row = page.GetSelectedIndex();
    UI_Menu_Item* item = page.GetItem(static_cast<size_t>(row));
    if (item != nullptr && row >= 0 && row < kExitRow) {
        const KeyRow& bindings = kKeyRows[static_cast<size_t>(row)];
        if (!item->IsEditing()) {
            if (validate) {
                item->StartEditing();
                if (input != nullptr)
                    input->SetCapturingKey(true);
            }
        } else if (input != nullptr) {
            const InputTriggerer key = input->GetLastKeyboardTrigger();
            const InputTriggerer pad = input->GetLastJoypadTrigger();
            if (key.code != 0 || pad.code != 0) {
                // A key given to this row is taken from the action that had
                // it; only the device the row binds gives anything up.
                if (pad.code != 0 && bindings.joypad >= 0)
                    for (int other : kJoypadBindings)
                        if (config.GetBinding(static_cast<size_t>(other)) == pad)
                            config.SetBinding(static_cast<size_t>(other), InputTriggerer());
                if (key.code != 0 && bindings.keyboard >= 0)
                    for (int other : kKeyboardBindings)
                        if (config.GetBinding(static_cast<size_t>(other)) == key)
                            config.SetBinding(static_cast<size_t>(other), InputTriggerer());
                if (key.code != 0 && bindings.keyboard >= 0)
                    config.SetBinding(
                        static_cast<size_t>(bindings.keyboard), InputTriggerer(key.code, key.direction));
                if (pad.code != 0 && bindings.joypad >= 0)
                    config.SetBinding(
                        static_cast<size_t>(bindings.joypad), InputTriggerer(pad.code, pad.direction));
                item->StopEditing();
                input->SetCapturingKey(false);
            }
        }
    }
    if (row == kExitRow && erase)
        config.SetDefaultKeys();
}

void UI_Menu::DoPlayRow(UI_Menu_Page& page, bool validate, bool erase)
{
    if (erase) {
        page.ToggleConfirm();
        return;
    }
    if (!validate || !page.IsConfirmPending())
        return;
    const int32_t row = page.GetSelectedIndex();
    page.ClearConfirm();
    // A missing file is not an error; one that stays is said. Without a
    // user folder there is no save to erase.
    const std::string path = GetUserPath() + "Save_" + std::to_string(row) + ".sav";
    std::error_code error;
    if (!GetUserPath().empty())
        std::filesystem::remove(path, error);
    if (error) {
        platform::ReportProblem("Cannot erase " + path + ": " + error.message() + "\n");
        ShowNotice("NOT ERASED !");
        PlaySoundAt(kSoundBack);
        return;
    }
    if (UI_Menu_Item* item = page.GetItem(static_cast<size_t>(row)))
        item->SetPercent(UIGameAccess::kNoSave);
    page.PlaySoundAt(UI_Menu_Page::kSoundValidate);
}
