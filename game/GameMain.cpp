#include "engine/app/GameWindow.h"
#include "engine/platform/CrashReport.h"
#include "engine/platform/Paths.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/RenderPoolCommand.h"
#include "engine/render/RenderPoolManager.h"

#include <chrono>
#include <iostream>
#include <string_view>
#include <thread>

// Stand-in for the program entry and main loop until the game object exists:
// it opens the game window through the render thread, hands it a cleared frame
// per pass and ends with exit code 0 once the window is closed or Escape is
// pressed (the window may open full screen, as the default options ask).
namespace {

constexpr uint32_t kBackgroundColour = 0xFF101828u;
constexpr int32_t kEscapeKey = 1; // PC set-1 code
constexpr auto kFramePeriod = std::chrono::milliseconds(16);

void RecordFrame(RenderPoolManager& pool)
{
    pool.ClearCurrentFrame();
    pool.AddCommand(RenderPoolCommand::Named("StartRendering"));
    RenderPoolCommand clear = RenderPoolCommand::Named("ClearScreen");
    clear.SetColour(kBackgroundColour);
    pool.AddCommand(std::move(clear));
    pool.AddCommand(RenderPoolCommand::Named("EndRendering"));
    pool.AddCommand(RenderPoolCommand::Named("StretchBackbuffer true"));
}

bool EscapePressed(RenderPoolManager& pool)
{
    for (const platform::InputEvent& event : pool.GetInputBridge().TakeEvents())
        if (event.type == platform::InputEvent::Type::KeyDown && event.pcCode == kEscapeKey)
            return true;
    return false;
}

// "--windowed" starts in a window when no configuration file says otherwise.
bool AsksForWindow(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "--windowed" || argument == "-windowed")
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    // First of all, so that a crash anywhere leaves a report.
    platform::InstallCrashHandler();
    g_StartWindowed = AsksForWindow(argc, argv);
    const std::string programFolder = platform::GetExecutableFolder();
    std::cout << "Program folder: " << programFolder << '\n'
              << "Data folder: " << programFolder << "/world/\n"
              << "User folder: " << platform::GetUserFolder() << '\n'
              << std::flush;

    DXRenderEngine engine;
    RenderPoolManager* pool = engine.SetRenderPool(new RenderPoolManager());
    while (pool->idle.load() == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    if (pool->startFailed.load())
        return 1;
    std::cout << "Press Escape or close the window to quit.\n" << std::flush;

    // Quit test first, as the main loop does: the render thread raises
    // `quitting` when the window is closed.
    while (!pool->quitting.load() && !EscapePressed(*pool)) {
        RecordFrame(*pool);
        pool->SubmitFrame(false, false, false);
        std::this_thread::sleep_for(kFramePeriod);
    }
    pool->RequestQuit();
    return 0;
}
