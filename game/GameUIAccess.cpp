// The game's side of what the interface's frames and the menus ask of it.
#include "game/GameUIAccess.h"
#include "characters/Player.h"
#include "engine/app/UsageObserver.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/PostChain.h"
#include "engine/render/ShaderEffect_PostProcess.h"
#include "scene/MapModel.h"
#include "ui/UI_Menu.h"
#include "ui/UI_MenuCatalogue.h"

void GameUIAccess::DrawMinimapMap(Point<int> origin, Point<int> scroll, Point<int> size)
{
    game.teleportMap.mapMode = 2;
    game.UpdateTeleportMenu(nullptr, origin, scroll, size);
}

void GameUIAccess::StartSaveSlot(int slot)
{
    game.currentSaveSlot = slot;
    game.minimapModel = std::make_unique<MapModel>(MapModel::Minimap {});
    game.teleports.clear();
    const bool loaded = game.saveData.Load(-1, true);
    // A slot without a save starts a new game from a fresh record.
    if (!loaded)
        game.saveData.Reset();
    game.SetPlayer(nullptr);
    game.usePlayerStart = true;
    game.SetStartPointName(loaded ? "[SAVE]" : "");
    // The look of a player that left another game has no place in this one.
    game.transitionImage = nullptr;
    // A level that cannot be opened leaves the menu open on the slot list
    // (the loading screen has ended), saying why: the player may choose again.
    if (!game.ChangeLevel(game.saveData.GetMapName(), Game::LevelNameSource::kData)) {
        game.ShowMenuUI();
        if (UI_Menu* menu = game.GetMenu()) {
            menu->SetCurrentPage(MenuCatalogue::kPlay);
            menu->ShowNotice(UI_Menu::kMissingLevelNotice);
        }
        return;
    }
    game.SetMenuFlag(false);
}

void GameUIAccess::SetLinearFilter(bool linear)
{
    game.linearFilter = linear;
    NoteUse("effect", linear ? "BasicPostEffect_Linear" : "BasicPostEffect_Point");
    auto* engine = dynamic_cast<DXRenderEngine*>(game.GetRenderEngine());
    if (engine == nullptr || game.postEffects == nullptr)
        return;
    ShaderRes* shader = engine->FindShaderRes(linear ? "BasicPostEffect_Linear" : "BasicPostEffect_Point");
    game.postEffects->base = shader != nullptr ? std::make_unique<ShaderEffect_PostProcess>(shader) : nullptr;
}
