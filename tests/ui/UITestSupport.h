#pragma once

#include "engine/render/DXRenderEngine.h"
#include "engine/render/RenderPoolManager.h"
#include "scene/Sprite.h"
#include "ui/UI_Font.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace uitest {

// One recorded sprite draw: the sprite, where it lands, the part of the
// sprite shown and the draw colour.
struct Draw {
    ISprite* sprite;
    Point<int> position;
    Rect<int> source;
    uint32_t colour;
    Point<int> extent; // the draw's pair
};

// A device render engine that records into a frame of its own render pool,
// as the game's main thread does; the draw colour is set back afterwards.
class RecordingEngine {
public:
    RecordingEngine() { engine.SetRenderPool(&pool); }
    ~RecordingEngine()
    {
        engine.SetDiffuseColor(0xFFFFFFFFu);
        engine.SetRenderPool(nullptr);
    }
    RecordingEngine(const RecordingEngine&) = delete;
    RecordingEngine& operator=(const RecordingEngine&) = delete;

    void Clear() { pool.ClearCurrentFrame(); }
    std::vector<Draw> Draws()
    {
        std::vector<Draw> draws;
        for (const RenderPoolCommand& command : pool.GetFillCommands())
            if (!command.IsRect() && command.GetName().empty())
                draws.push_back({command.GetImage(), command.GetPosition(), command.GetClip(),
                    command.GetColour(), command.GetExtent()});
        return draws;
    }

    RenderPoolManager pool {false};
    DXRenderEngine engine;
};

// A font of cells 8 x 12 on a 128 x 128 atlas: each printable character c
// in cell (c % 16, c / 16 - 2), 6 x 12 with dx 1 (an advance of 7), except
// those the caller leaves out.
inline std::vector<FontGlyph> AsciiGlyphs(const std::string& leaveOut = "")
{
    std::vector<FontGlyph> glyphs;
    for (int c = 32; c < 127; ++c) {
        if (leaveOut.find(char(c)) != std::string::npos)
            continue;
        glyphs.push_back(
            {std::string(1, char(c)), Point<int>(c % 16, c / 16 - 2), Point<int>(1, 0), Point<int>(6, 12)});
    }
    return glyphs;
}

struct TestFont {
    explicit TestFont(const std::string& leaveOut = "")
    {
        font.SetAtlas(&atlas);
        font.SetSpacing(Point<int>(8, 12));
        font.SetGlyphs(AsciiGlyphs(leaveOut));
    }
    Sprite atlas {"atlas", "font.png", 0, 0, 128, 128};
    UI_Font font {"UI_Font_Basic"};
};

} // namespace uitest
