#include "engine/app/FpsOverlay.h"

void DrawFpsOverlay(DevConsole&)
{
}
