#pragma once

class DevConsole;

// Draws the console prompt and the debug messages of a console record over the
// frame. Stand-in until the main loop's overlay exists: draws nothing.
void DrawFpsOverlay(DevConsole& console);
