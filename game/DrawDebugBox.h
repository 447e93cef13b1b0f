#pragma once

#include "engine/serial/Rect.h"

#include <cstdint>

// Outlines one box given in level coordinates (y up, bounds inclusive) in
// the colour (ARGB): the box is moved into the view of the game's camera and
// drawn as one rectangle of the render engine. Nothing without a game or a
// render engine.
void DrawDebugBox(const Rect<int>& box, uint32_t colour);

// Outlines every box queued on the game's console, in queue order. The main
// loop calls it once per frame, after the level.
void DrawDebugBoxList();
