#include "script/BGEvent_ChangeCameraTo.h"

#include "scene/Camera.h"
#include "script/EventTick.h"
#include "script/ScriptGameAccess.h"

#include <algorithm>
#include <utility>

namespace {

// The game camera's position, truncated; (0, 0) without a game.
Point<int> CameraPosition()
{
    ScriptGameAccess* game = GetScriptGameAccess();
    const Camera* camera = game != nullptr ? game->GetCamera() : nullptr;
    if (camera == nullptr)
        return Point<int>(0, 0);
    return Point<int>(static_cast<int>(camera->GetX()), static_cast<int>(camera->GetY()));
}

} // namespace

BGEvent_ChangeCameraTo::BGEvent_ChangeCameraTo(
    std::string name_, bool stopOnArrival, int targetX, int targetY)
    : BackgroundEvent(std::move(name_))
    , stopTravelOnArrival(stopOnArrival)
    , target(targetX, targetY)
    , lastCameraPosition(CameraPosition())
{
}

void BGEvent_ChangeCameraTo::Run()
{
    started = false;
    lastCameraPosition = CameraPosition();
}

bool BGEvent_ChangeCameraTo::IsPassed(Point<int> from, Point<int> to, Point<int> point)
{
    return point.x >= std::min(from.x, to.x) && point.x <= std::max(from.x, to.x)
        && point.y >= std::min(from.y, to.y) && point.y <= std::max(from.y, to.y);
}

bool BGEvent_ChangeCameraTo::Update()
{
    BackgroundEvent::Update();
    if (!IsLogicTick() || finished)
        return true;
    const Point<int> now = CameraPosition();
    const int64_t dx = now.x - lastCameraPosition.x;
    const int64_t dy = now.y - lastCameraPosition.y;
    if (IsPassed(lastCameraPosition, now, target) || dx * dx + dy * dy == 0) {
        finished = true;
        ScriptGameAccess* game = GetScriptGameAccess();
        Camera* camera = game != nullptr ? game->GetCamera() : nullptr;
        if (stopTravelOnArrival && camera != nullptr)
            camera->StopTravel();
    }
    return true;
}
