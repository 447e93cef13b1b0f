#include "tools/run/RunLegs.h"

// Stand-in until the leg is flown.
bool RunBoat(RunPilot& pilot)
{
    return pilot.Fail("the boat leg is not flown yet");
}
