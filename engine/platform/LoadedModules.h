#pragma once

#include <string>
#include <vector>

namespace platform {

// The paths of the shared objects loaded in the process now (the program
// itself, which has no path, left out).
std::vector<std::string> LoadedModules();

// Keeps every module loaded now that is not in `before` loaded until the
// process ends: a later dlclose no longer unmaps it. The GL driver that SDL
// and EGL load and unload again would otherwise be gone when the leak check
// runs at exit, and the blocks it never frees would show as allocated from
// an unknown module, which no suppression can name. Returns how many were
// kept.
int KeepModulesLoadedSince(const std::vector<std::string>& before);

} // namespace platform
