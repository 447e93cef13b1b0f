#include "engine/render/Screenshot.h"

#include "engine/platform/DebugOutput.h"
#include "engine/render/D3DDevice.h"

void TakeScreenshot()
{
    g_ScreenshotRequested = false;
    platform::DebugOutput("Screenshot failed\n");
}
