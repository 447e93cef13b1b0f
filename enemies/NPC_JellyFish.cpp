#include "enemies/NPC_JellyFish.h"

#include "engine/platform/Random.h"

#include <cmath>

void NPC_JellyFish::PickRandomDirection(bool /*first*/)
{
    const double fx = platform::RandomFraction();
    const double fy = platform::RandomFraction();
    const float tx = static_cast<float>(rect.x0 + fx * (rect.x1 - rect.x0));
    const float ty = static_cast<float>(rect.y1 + fy * (rect.y0 - rect.y1));
    const Point<float> centre = GetPosition();
    const float dx = tx - centre.x;
    const float dy = ty - centre.y;
    const float length = std::sqrt(dx * dx + dy * dy);
    if (length > 0.0f)
        SetDirection(Point<float>(dx / length, dy / length));
}
