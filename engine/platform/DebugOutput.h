#pragma once

#include <functional>
#include <string_view>

namespace platform {

// The debugger output of the game. Every message goes to the installed sink
// (the in-game console, when it shows them) and, when QUENHOLT_LOG=1, to
// stderr.
void DebugOutput(std::string_view text);

// Says a problem where both the developer and the player see it: the debug
// output (the in-game console) and stderr, each once.
void ReportProblem(std::string_view text);

// Installs the sink that receives every message; an empty function removes it.
void SetDebugSink(std::function<void(std::string_view)> sink);

} // namespace platform
