#include "game/Game.h"

#include "engine/input/AbstractInputManager.h"
#include "engine/render/DXGraphicalSurface.h"
#include "engine/render/IRenderEngine.h"
#include "scene/GraphicalObject.h"
#include "scene/Level.h"

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
    // Placeholder until the game holds its minimap model: without one the
    // map has no cells, and nothing is drawn (view.cell stays empty).
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
    if (!teleportMap.Update(canvas, view, origin, scroll, size))
        return false;
    if (!teleportMap.chosenLevel.empty()) {
        uiState = 0;
        pendingLevelFile = teleportMap.chosenLevel;
        startPointName = "[TELEPORT]";
        teleportMap.chosenLevel.clear();
        if (inputManager != nullptr)
            inputManager->Poll();
    }
    return true;
}
