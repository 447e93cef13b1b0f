#pragma once

#include <string>

namespace platform {

enum class MessageBoxIcon { Error, Warning, Information };

// Shows a modal message box and always copies its text to stderr. With no
// display (no DISPLAY or WAYLAND_DISPLAY, an offscreen or dummy video driver)
// or with QUENHOLT_HEADLESS=1 it only prints, so no run can hang on one.
// A request to end (SIGTERM, SIGINT) closes a box that waits, and no box is
// shown once one has come.
void ShowMessageBox(const std::string& caption, const std::string& text, MessageBoxIcon icon);

} // namespace platform
