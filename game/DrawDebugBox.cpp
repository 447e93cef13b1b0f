#include "game/DrawDebugBox.h"

#include "engine/render/IRenderEngine.h"
#include "game/Game.h"
#include "scene/Camera.h"

#include <algorithm>
#include <cstdint>

void DrawDebugBox(const Rect<int>& box, uint32_t colour)
{
    Game* game = Game::GetInstance();
    IRenderEngine* engine = game != nullptr ? game->GetRenderEngine() : nullptr;
    if (engine == nullptr)
        return;
    // The view's lower-left corner as the layers take it; the screen's rows
    // run downward from the view's top row.
    const Camera& camera = game->GetCamera();
    const int64_t cameraX = static_cast<int64_t>(camera.GetX());
    const int64_t cameraTop = static_cast<int64_t>(camera.GetY()) + camera.GetViewSize().y - 1;
    int64_t left = std::min<int64_t>(box.x0, box.x1) - cameraX;
    int64_t right = std::max<int64_t>(box.x0, box.x1) - cameraX;
    int64_t top = cameraTop - std::max<int64_t>(box.y0, box.y1);
    int64_t bottom = cameraTop - std::min<int64_t>(box.y0, box.y1);
    // Far beyond the view nothing shows: the box is held to a reach that
    // any int holds.
    constexpr int64_t kReach = 1 << 20;
    if (right < -kReach || bottom < -kReach || left > kReach || top > kReach)
        return;
    left = std::max(left, -kReach);
    top = std::max(top, -kReach);
    right = std::min(right, kReach);
    bottom = std::min(bottom, kReach);
    engine->DrawRect(Point<int>(static_cast<int>(right - left + 1), static_cast<int>(bottom - top + 1)),
        nullptr, static_cast<int>(left), static_cast<int>(top), 0, 0, 0.0f, colour, false, false);
}

void DrawDebugBoxList()
{
    Game* game = Game::GetInstance();
    if (game == nullptr)
        return;
    for (const DevConsole::DebugBox& queued : game->console.debugBoxes)
        DrawDebugBox(queued.box, queued.colour);
}
