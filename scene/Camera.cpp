#include "scene/Camera.h"

#include "engine/app/DevConsole.h"
#include "scene/CameraBlocker.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/SceneCharacter.h"
#include "scene/SceneGameAccess.h"

#include <algorithm>
#include <cmath>

namespace {

// The focus's move states in the air (the player's jump, end of jump and
// fall), in which the look-ahead builds up at half the rate.
constexpr int kFirstAirState = 4;
constexpr int kLastAirState = 6;

} // namespace

void Camera::Reset()
{
    *this = Camera();
}

void Camera::StopTravel()
{
    travelling = false;
    speed = 5.0f;
    speedFactor = CameraTuning::Current().travelSpeed;
    followLerp = 0.0f;
}

float Camera::StepFor(float v)
{
    return static_cast<float>(static_cast<double>(v) * 32.0 * 33.0 * 0.001);
}

std::vector<SpacialInstance<GraphicalObject, float>*> Camera::CollectBlockers(Point<int> point) const
{
    std::vector<SpacialInstance<GraphicalObject, float>*> found;
    if (level == nullptr)
        return found;
    for (int i = 0; i < level->GetLayerCount(Level::kScene); ++i) {
        const Layer* layer = level->GetLayerAt(Level::kScene, i);
        Point<int> cell;
        if (layer == nullptr || !layer->PointToCell(point, &cell))
            continue;
        const CellGrid& grid = layer->GetCameraBlockerGrid();
        for (int dc = -1; dc <= 1; ++dc) {
            for (int dr = -1; dr <= 1; ++dr) {
                const int column = cell.x + dc;
                const int row = cell.y + dr;
                if (column < 0 || row < 0 || static_cast<size_t>(column) >= grid.size()
                    || static_cast<size_t>(row) >= grid[static_cast<size_t>(column)].size())
                    continue;
                const auto& entries = grid[static_cast<size_t>(column)][static_cast<size_t>(row)];
                found.insert(found.end(), entries.begin(), entries.end());
            }
        }
    }
    return found;
}

void Camera::ApplyBlockers(float& cx, float& cy, Point<int> searchPoint) const
{
    for (auto* instance : CollectBlockers(searchPoint)) {
        auto* blocker = dynamic_cast<CameraBlocker*>(instance->GetPrototype());
        if (blocker == nullptr)
            continue;
        const int bx = static_cast<int>(instance->GetPosition().x);
        const int by = static_cast<int>(instance->GetPosition().y);
        const auto bxf = static_cast<float>(bx);
        const auto byf = static_cast<float>(by);
        if (bxf < cx || bxf > cx + kViewFarX || byf < cy || byf > cy + kViewFarY)
            continue;
        if (blocker->GetHorizontalBlock() == -1 && bxf > cx)
            cx = bxf;
        if (blocker->GetHorizontalBlock() == 1 && bxf + 31.0f < cx + kViewFarX)
            cx = bxf + 31.0f - kViewFarX;
        if (blocker->GetVerticalBlock() == -1 && byf > cy)
            cy = byf;
        if (blocker->GetVerticalBlock() == 1 && byf + 31.0f < cy + kViewFarY)
            cy = byf + 31.0f - kViewFarY;
    }
}

void Camera::UpdateTravel(Camera& camera, SceneCharacter* focus, bool follow)
{
    if (!camera.travelling && camera.mode == 2 && follow) {
        if (focus != nullptr)
            FollowCharacter(camera, focus);
        return;
    }
    if (focus == nullptr)
        return;
    float cx = camera.travelling ? camera.targetX : camera.x;
    float cy = camera.travelling ? camera.targetY : camera.y;
    const Point<int> searchPoint = camera.travelling
        ? Point<int>(
            static_cast<int>(camera.x + kViewHalfWidth), static_cast<int>(camera.y + kViewHalfHeight))
        : Point<int>(static_cast<int>(focus->GetPosition().x), static_cast<int>(focus->GetPosition().y));
    camera.ApplyBlockers(cx, cy, searchPoint);
    if (!camera.travelling) {
        camera.targetX = cx;
        camera.targetY = cy;
    }
    const float s = StepFor(camera.speed * camera.speedFactor);
    SceneGameAccess* game = GetSceneGameAccess();
    DevConsole* console = game != nullptr ? game->GetConsole() : nullptr;
    auto move = [&](float& value, float& last, float wanted, const char* message) {
        const float step = value > wanted ? -s : s;
        const float distance = std::fabs(wanted - value);
        if (follow && distance > std::fabs(step) && distance > 5.0f) {
            if (console != nullptr)
                console->AddDebugMessage(false, message, 0xFF3232C8u, 2.0);
            value += step;
        } else {
            value = wanted;
            last = wanted;
        }
    };
    move(camera.x, camera.lastX, cx, "Camera traveling (X)...");
    move(camera.y, camera.lastY, cy, "Camera traveling (Y)...");
}

void Camera::FollowCharacter(Camera& camera, SceneCharacter* focus)
{
    const Point<float> centre = focus->GetCenter();
    const int ix = static_cast<int>(centre.x);
    const int iy = static_cast<int>(centre.y);
    const float dx = focus->GetPosition().x - focus->GetPreviousPosition().x;
    const float dy = focus->GetPosition().y - focus->GetPreviousPosition().y;
    const int stopY = static_cast<int>(static_cast<float>(focus->GetSize().y) * 0.5f + 96.0f);
    const float s = camera.speed * camera.speedFactor;

    float tx = camera.x;
    float vX = s;
    int direction = 0;
    if (std::fabs(dx) > 0.5f) {
        tx = static_cast<float>(ix - kViewHalfWidth);
        if (dx < 0.0f) {
            tx -= 51.0f;
            if (camera.followLerp > 0.0f)
                camera.followLerp = 0.0f;
            direction = -1;
        } else {
            tx += 51.0f;
            if (camera.followLerp < 0.0f)
                camera.followLerp = 0.0f;
            direction = 1;
        }
        // The pace is the player's, whichever character is focused (a boss
        // that takes the camera moves it at the player's speed).
        SceneGameAccess* game = GetSceneGameAccess();
        SceneCharacter* player = game != nullptr ? game->GetPlayerCharacter() : nullptr;
        SceneCharacter* pace = player != nullptr ? player : focus;
        const int state = pace->GetMoveState();
        const float acceleration = state >= kFirstAirState && state <= kLastAirState ? 0.1f : 0.2f;
        camera.followLerp
            = std::clamp(camera.followLerp + acceleration * static_cast<float>(direction), -1.0f, 1.0f);
        vX = pace->GetSpeedValue() * 0.6f / 5.5f * s;
    }
    float ty = camera.y;
    if (std::fabs(dy) > 0.5f) {
        if (camera.y + 291.0f < static_cast<float>(iy))
            ty = static_cast<float>(iy - 291);
        if (static_cast<float>(iy) < ty + static_cast<float>(stopY))
            ty = static_cast<float>(iy - stopY);
    }
    camera.ApplyBlockers(tx, ty, Point<int>(ix, iy));

    const float stepX = tx < camera.x ? -StepFor(vX) : StepFor(vX);
    const float stepY = ty < camera.y ? -StepFor(s) : StepFor(s);
    if (std::fabs(tx - camera.x) > 1.0f) {
        const bool right = tx > camera.x;
        float factor = 0.1f;
        if (right && camera.followLerp >= 0.1f)
            factor = camera.followLerp;
        if (!right && camera.followLerp <= -0.1f)
            factor = -camera.followLerp;
        camera.x += stepX * factor;
        if ((!right && camera.x < tx) || (right && camera.x > tx))
            camera.x = tx;
    }
    if (std::fabs(ty - camera.y) > 1.0f) {
        const bool up = ty > camera.y;
        camera.y += stepY;
        if ((!up && camera.y < ty) || (up && camera.y > ty))
            camera.y = ty;
    }
    if (dx == 0.0f && dy == 0.0f && (camera.x != tx || camera.y != ty)) {
        camera.x = tx;
        camera.y = ty;
    }
}
