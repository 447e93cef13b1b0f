#include "tools/run/RunLegs.h"

// Stand-in until the leg is flown.
bool RunTitle(RunPilot& pilot)
{
    return pilot.Fail("the title leg is not flown yet");
}
