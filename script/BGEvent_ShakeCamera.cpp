#include "script/BGEvent_ShakeCamera.h"

#include "engine/platform/Random.h"
#include "engine/render/IRenderEngine.h"
#include "script/EventTick.h"
#include "script/ScriptGameAccess.h"

#include <utility>

namespace {

// A random offset within the amplitude: amplitude x (2r / 2^32 - 1). The
// shake only moves the picture: a cosmetic draw.
int RandomOffset(float amplitude)
{
    const double r = platform::CosmeticRandomFraction();
    return static_cast<int>(amplitude * static_cast<float>(2.0 * r - 1.0));
}

} // namespace

BGEvent_ShakeCamera::BGEvent_ShakeCamera(
    std::string name_, int ticks, float startX_, float endX_, float startY_, float endY_)
    : BackgroundEvent(std::move(name_))
    , total(ticks)
    , startX(startX_)
    , endX(endX_)
    , startY(startY_)
    , endY(endY_)
    , currentX(startX_)
    , currentY(startY_)
{
    params[2] = ticks;
}

void BGEvent_ShakeCamera::SendOffset()
{
    ScriptGameAccess* game = GetScriptGameAccess();
    if (game != nullptr && game->GetRenderEngine() != nullptr)
        game->GetRenderEngine()->SetCameraOffset(offset.x, offset.y);
}

bool BGEvent_ShakeCamera::Update()
{
    BackgroundEvent::Update();
    if (!IsLogicTick() || finished)
        return true;
    if (params[2] < 1) {
        finished = true;
        offset = Point<int>(0, 0);
        SendOffset();
        return true;
    }
    --params[2];
    offset = Point<int>(0, 0);
    // total >= 1 here: remaining started above 0.
    const float progress = 1.0f - static_cast<float>(params[2]) / static_cast<float>(total);
    if (currentX != 0.0f) {
        currentX = startX + (endX - startX) * progress;
        offset.x = RandomOffset(currentX);
    }
    if (currentY != 0.0f) {
        currentY = startY + (endY - startY) * progress;
        offset.y = RandomOffset(currentY);
    }
    SendOffset();
    return true;
}
