#include <gtest/gtest.h>

#include <cstdlib>

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

// Mesa loads its software driver with each GL context and unloads it with
// the last one; leaks inside it then show up without names and escape the
// suppressions. Kept loaded, they stay attributable to the driver.
void PinSoftwareGLDriver()
{
    dlopen("/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
}

} // namespace

int main(int argc, char** argv)
{
    SetHeadlessEnvironment();
    PinSoftwareGLDriver();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
