#pragma once

// Redraws the loading screen while a level or a large layer loads: only when
// the render engine draws at once, not while it records a frame.
void RefreshLoadingScreen();
