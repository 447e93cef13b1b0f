#include "game/Game.h"

#include "engine/input/AbstractInputManager.h"
#include "engine/render/DXGraphicalSurface.h"
#include "engine/render/IRenderEngine.h"
#include "engine/sound/SoundEventsManager.h"
#include "scene/GraphicalObject.h"
#include "scene/Level.h"
#include "scene/MapModel.h"

namespace {

// The map drawn through the game's render engine.
class RenderEngineCanvas : public MapCanvas {
public:
    RenderEngineCanvas(IRenderEngine* renderEngine, DXGraphicalSurface* surface)
        : engine(renderEngine)
        , target(surface)
    {
    }
    void FillRect(const Rect<int>& box, uint32_t colour) override
    {
        if (engine != nullptr)
            engine->DrawRect(Point<int>(box.x1 - box.x0, box.y1 - box.y0), target, box.x0, box.y0, 0, 0, 0.0f,
                colour, true, false);
    }
    void DrawObject(GraphicalObject& object, Point<int> at) override
    {
        object.DrawSprite(target, at.x, at.y, 0, 0, 0.0f, 0, 0, 0, 0);
    }

private:
    IRenderEngine* engine;
    DXGraphicalSurface* target;
};

} // namespace

bool Game::UpdateTeleportMenu(
    DXGraphicalSurface* target, Point<int> origin, Point<int> scroll, Point<int> size)
{
    TeleportMap::View view;
    if (minimapModel != nullptr) {
        const MapModel* minimap = minimapModel.get();
        view.cell = [minimap](int x, int y) { return minimap->GetCell(x, y); };
        view.currentCell = minimap->GetCurrentLocation();
        view.globalMap = minimap->GetGlobalMinimap();
    }
    teleportMap.markers = {minimapTpCross, minimapPlayerCross, minimapStoryHint, minimapTpBackground,
        minimapTpRectAvailable, minimapTpRectSelect, minimapTpRectPlayer};
    view.teleports = &teleports;
    view.currentLevel = currentLevel != nullptr ? currentLevel->GetName() : "";
    view.storyHint = storyHintPosition;
    view.frameFlag = fixedStepTick != 0;
    view.frameTime = frameTime;
    if (inputManager != nullptr) {
        view.pressed = inputManager->GetPressedActions();
        view.previous = inputManager->GetPreviousActions();
    }
    RenderEngineCanvas canvas(renderEngine.get(), target);
    const bool chosen = teleportMap.Update(canvas, view, origin, scroll, size);
    if (!chosen)
        return false;
    if (!teleportMap.chosenLevel.empty()) {
        uiState = 0;
        RequestLevelChange(teleportMap.chosenLevel, "[TELEPORT]");
        teleportMap.chosenLevel.clear();
        if (inputManager != nullptr)
            inputManager->Poll();
    }
    return true;
}

void Game::OpenTeleportMenu()
{
    // The overlay screen is a menu over the running game whose sounds go on.
    menuFlag = true;
    if (soundEventsManager)
        soundEventsManager->ResumeAll();
    overlaySource = 1;
    teleportMap.mapMode = 1;
    OpenOverlayScreen();
    // The press that opened the menu is not its first choice.
    if (inputManager != nullptr)
        inputManager->Poll();
}
