#include "tools/run/RunLegs.h"

// Stand-in until the leg is flown.
bool RunGarden(RunPilot& pilot)
{
    return pilot.Fail("the garden leg is not flown yet");
}
