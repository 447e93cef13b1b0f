#include "RunSandbox.h"
#include "TemporaryFolderCheck.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include <dlfcn.h>

namespace {

// Headless defaults for every test: a real GL context on Mesa's software
// renderer without an X server, and OpenAL on its null back-end.
void SetHeadlessEnvironment()
{
    const bool overwrite = false;
    setenv("SDL_VIDEODRIVER", "offscreen", overwrite);
    setenv("SDL_AUDIODRIVER", "dummy", overwrite);
    setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", overwrite);
    setenv("MESA_SHADER_CACHE_DISABLE", "true", overwrite);
    setenv("ALSOFT_DRIVERS", "null", overwrite);
    setenv("QUENHOLT_HEADLESS", "1", overwrite);
}

// Mesa's EGL and its software driver are unloaded while the process exits;
// LeakSanitizer's final scan then walks thread-local storage that belonged to
// them and crashes. Pinning them keeps their mappings to the end.
void PinGraphicsDriver()
{
    for (const char* library :
        {"libEGL_mesa.so.0", "swrast_dri.so", "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so"})
        dlopen(library, RTLD_LAZY | RTLD_LOCAL | RTLD_NODELETE);
}

// Whether this process is a death test's child started anew, which runs
// in its parent's folders.
bool IsDeathTestChild(int argc, char** argv)
{
    for (int index = 1; index < argc; ++index)
        if (std::strstr(argv[index], "gtest_internal_run_death_test") != nullptr)
            return true;
    return false;
}

} // namespace

// A bare run suppresses the leaks inside the drivers (tests/lsan.supp) as
// ctest does; LSAN_OPTIONS in the environment still has the last word.
extern "C" const char* __lsan_default_options()
{
    return "suppressions=" QUENHOLT_TEST_DATA_DIR "/../lsan.supp";
}

int main(int argc, char** argv)
{
    const bool deathTestChild = IsDeathTestChild(argc, argv);
    const RunSandbox sandbox(deathTestChild,
        std::getenv("QUENHOLT_X11_TESTS") ? RunSandbox::Display::Keep : RunSandbox::Display::Drop);
    SetHeadlessEnvironment();
    PinGraphicsDriver();
    testing::InitGoogleTest(&argc, argv);
    if (!deathTestChild)
        testing::UnitTest::GetInstance()->listeners().Append(
            new TemporaryFolderCheck(sandbox.TemporaryFolder()));
    return RUN_ALL_TESTS();
}
