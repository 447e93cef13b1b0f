#pragma once

#include <cstdint>

class DevConsole;

// Draws the console prompt and, with the debug flag, a frame-rate line and
// the debug messages of a console record over the frame. Draws only inside a
// scene (between the render engine's begin and end).
void DrawFpsOverlay(DevConsole& console);

// The frame-rate line for a frame of the given milliseconds (the time since
// the overlay's previous call): nothing for a step of 0. The line lives for
// one frame; its colour says whether the frame beat the measured frame time.
void AddFpsMessage(DevConsole& console, double milliseconds);
