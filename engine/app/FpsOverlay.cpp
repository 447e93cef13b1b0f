#include "engine/app/FpsOverlay.h"

#include "engine/app/DevConsole.h"
#include "engine/app/GlobalTimer.h"
#include "engine/render/D3DDevice.h"

#include <string>

namespace {

constexpr uint32_t kPromptColour = 0xFF96C896u;
constexpr uint32_t kFastColour = 0xFF00C8FFu;
constexpr uint32_t kSlowColour = 0xFFC83232u;

// Whole part of 1000 / milliseconds; 0 for a step of 0 (nothing measured yet).
long long PerSecond(double milliseconds)
{
    return milliseconds > 0.0 ? static_cast<long long>(1000.0 / milliseconds) : 0;
}

} // namespace

void AddFpsMessage(DevConsole& console, double milliseconds)
{
    if (milliseconds == 0.0)
        return;
    const std::string text = "Global FPS : " + std::to_string(PerSecond(milliseconds))
        + " \t [ PFF: " + std::to_string(PerSecond(console.frameTime)) + " ]";
    const uint32_t colour = milliseconds + 2.0 < console.frameTime ? kFastColour : kSlowColour;
    console.AddDebugMessage(false, text, colour, 0.0);
}

void DrawFpsOverlay(DevConsole& console)
{
    if (!g_InScene.load())
        return;
    if (console.open)
        DrawDebugText(" [" + console.line + "]", Point<int>(0, 400), kPromptColour);
    if (!console.debug)
        return;
    // The render thread's clock, made on first use.
    static GlobalTimer timer;
    AddFpsMessage(console, timer.Update());
    int index = 0;
    for (const DevConsole::DebugMessage& message : console.messages)
        DrawDebugText(message.text, Point<int>(4, 14 * index++), message.colour);
}
