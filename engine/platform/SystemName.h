#pragma once

#include <string>

namespace platform {

// The name of the operating system the game runs on, as the platform layer
// knows it ("Linux" here).
std::string PlatformName();

} // namespace platform
