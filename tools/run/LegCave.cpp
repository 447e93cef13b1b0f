#include "tools/run/RunLegs.h"

// Stand-in until the leg is flown.
bool RunCave(RunPilot& pilot)
{
    return pilot.Fail("the cave leg is not flown yet");
}
