#include "engine/render/GE_Shake.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// Truncation toward zero that stays defined for values beyond int.
int32_t TruncateToInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= double(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (value <= double(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

// One axis of the bounce: move by velocity x 0.33 (the single-precision
// constant, computed in double), and past the amplitude stop at it and turn.
void StepAxis(float& offset, float amplitude, float& velocity)
{
    offset = static_cast<float>(double(offset) + double(velocity) * double(0.33f));
    if (std::fabs(offset) > amplitude) {
        offset = velocity > 0.0f ? amplitude : -amplitude;
        velocity = -velocity;
    }
}

} // namespace

bool GE_Shake::DrawSprite(
    ISprite* sprite, IGraphicalSurface*, int x, int y, int, int, float rotation, const Rect<int>* clip)
{
    const Point<int> moved = GetDrawOffset();
    return DrawSpriteWithColor(sprite, x + moved.x, y + moved.y, rotation, clip, GetColor());
}

void GE_Shake::Update()
{
    ++frameCount;
    StepAxis(offset.x, amplitude.x, velocity.x);
    StepAxis(offset.y, amplitude.y, velocity.y);
}

std::unique_ptr<GraphicalEffect> GE_Shake::Clone() const
{
    return std::make_unique<GE_Shake>(*this);
}

Point<int> GE_Shake::GetDrawOffset() const
{
    return {TruncateToInt(offset.x), TruncateToInt(offset.y)};
}

uint32_t GE_Shake::GetColor() const
{
    const double green
        = noTint ? 255.0 : (255.0 - 2.0 * double(amplitude.y) - 10.0) + double(offset.y) * double(1.2f);
    return 0xFFFF00FFu | ((uint32_t(TruncateToInt(green)) & 0xFFu) << 8);
}
