#include <gtest/gtest.h>

#include <cstdlib>

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

} // namespace

int main(int argc, char** argv)
{
    SetHeadlessEnvironment();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
