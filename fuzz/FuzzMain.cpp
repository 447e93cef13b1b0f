// The libFuzzer entry of one fuzz program: it is linked with exactly one
// target source and hands every input to that target.

#include "engine/platform/DebugOutput.h"
#include "fuzz/FuzzTarget.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // No window, no sound device, no message boxes; debug messages dropped.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("ALSOFT_DRIVERS", "null", 0);
    setenv("QUENHOLT_HEADLESS", "1", 0);
    platform::SetDebugSink([](std::string_view) {});
    if (fuzz::Targets().size() != 1) {
        std::fprintf(stderr, "a fuzz program needs exactly one target, it has %zu\n", fuzz::Targets().size());
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Targets().front().body({std::span<const uint8_t>(data, size), "fuzz-input"});
    return 0;
}
