#include "tools/run/RunLegs.h"

// Stand-in until the leg is flown.
bool RunSnow(RunPilot& pilot)
{
    return pilot.Fail("the snow leg is not flown yet");
}
