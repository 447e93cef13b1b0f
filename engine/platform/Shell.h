#pragma once

#include <string>

namespace platform {

// Opens a file with the desktop's default program for it (as a double click
// would); false when the desktop cannot.
bool OpenWithDefaultProgram(const std::string& path);

} // namespace platform
