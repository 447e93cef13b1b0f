#pragma once

#include <cstddef>
#include <ctime>
#include <string>

namespace platform {

// Installs the fatal-signal handler (SIGSEGV, SIGABRT, SIGBUS, SIGFPE,
// SIGILL): on a crash it writes a text report (the signal and a symbolised
// backtrace of the crashing thread) to "Crash_" + local date and time +
// ".dmp" in the report folder, never replacing an earlier report (a clash
// adds "_2", "_3", ...), then lets the signal's default action end the
// process. The handler does only async-signal-safe work and says on the
// error stream where the report went ("Crash report: path") or that none was
// written. Until a folder is set, and when there is no user folder, reports
// go to the fallback user folder's "Screenshots" folder (made at the crash),
// or nowhere without one: never beside the program.
void InstallCrashHandler();

// Where reports go from now on ("" for nowhere); the folder is not created
// here.
void SetCrashReportFolder(const std::string& folder);
std::string GetCrashReportFolder();

// The user folder's "Screenshots" folder, created, becomes the report folder
// (an empty user folder keeps the folder set before).
void UseUserCrashReportFolder(const std::string& userPath);

// "Crash_Y-M-D_h-m-s" (unpadded) of a local time, written into `out` (at
// least 64 bytes) without allocating; returns its length.
size_t FormatCrashBaseName(const std::tm& local, char* out, size_t size);

// The local calendar time of a UTC second count, given the local offset from
// UTC in seconds, without the C library's locks (safe in a signal handler).
std::tm CivilTime(long long utcSeconds, long offsetSeconds);

} // namespace platform
