#include "engine/sound/AudioLibraryLog.h"

#include "engine/platform/DebugOutput.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <dlfcn.h>

namespace {

// ALSA's error handler, as snd_lib_error_set_handler takes it.
using AlsaErrorHandler
    = void (*)(const char* file, int line, const char* function, int error, const char* format, ...);
using SetAlsaErrorHandler = int (*)(AlsaErrorHandler handler);

void AlsaErrorToDebugOutput(const char* file, int line, const char* function, int, const char* format, ...)
{
    char text[1024];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    platform::DebugOutput(std::string("ALSA lib ") + (file ? file : "") + ":" + std::to_string(line) + ":("
        + (function ? function : "") + ") " + text + "\n");
}

} // namespace

void RouteAudioLibraryMessagesToDebugOutput()
{
    // OpenAL reads its log level at its first call.
    if (!platform::IsDebugLogOn())
        setenv("ALSOFT_LOGLEVEL", "0", 0);
    // The library OpenAL loads for ALSA is this one (one copy per process);
    // it stays loaded so that the handler stays in place. A machine without
    // ALSA has no lines of it to route.
    void* alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_LOCAL);
    if (alsa == nullptr)
        return;
    if (auto set = reinterpret_cast<SetAlsaErrorHandler>(dlsym(alsa, "snd_lib_error_set_handler")))
        set(AlsaErrorToDebugOutput);
}
