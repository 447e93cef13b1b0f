#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace platform {

// The debugger output of the game. Every message goes to the installed sink
// (the in-game console, when it shows them) and, when QUENHOLT_LOG=1, to
// stderr.
void DebugOutput(std::string_view text);

// QUENHOLT_LOG=1 is set: the developer reads the log, and measurements that
// cost a little (the start-up's first picture) may run.
bool IsDebugLogOn();

// Says a problem where both the developer and the player see it: the debug
// output (the in-game console) and stderr, each once.
void ReportProblem(std::string_view text);

// The longest message the debug output passes on; the rest is cut to "...".
inline constexpr size_t kMaxMessageLength = 4096;

// A message as the debug output passes it on: control bytes other than line
// end and tab (and DEL) escaped as "\x1b", at most kMaxMessageLength bytes.
// Text from a damaged file or a console line then never writes raw binary
// or megabytes into the log.
std::string PrintableMessage(std::string_view text);

// Installs the sink that receives every message; an empty function removes it.
void SetDebugSink(std::function<void(std::string_view)> sink);

} // namespace platform
