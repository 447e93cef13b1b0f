#pragma once

#include "tests/engine/render/RenderTestSupport.h"

#include <cstdint>
#include <vector>

// One rectangle drawn at once: where, how large, its colour and fill.
struct RectDraw {
    int x, y, w, h;
    uint32_t colour;
    bool filled;
    bool operator==(const RectDraw&) const = default;
};

// A render engine that keeps every rectangle drawn.
class RectLog : public rendertest::NullRenderEngine {
public:
    explicit RectLog(std::vector<RectDraw>& log)
        : draws(log)
    {
    }
    bool DrawRect(Point<int> size, IGraphicalSurface*, int x, int y, int, int, float, uint32_t colour,
        bool filled, bool) override
    {
        draws.push_back(RectDraw {x, y, size.x, size.y, colour, filled});
        return true;
    }
    std::vector<RectDraw>& draws;
};
