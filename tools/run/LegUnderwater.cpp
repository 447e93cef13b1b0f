#include "tools/run/RunLegs.h"

// Stand-in until the leg is flown.
bool RunUnderwater(RunPilot& pilot)
{
    return pilot.Fail("the underwater leg is not flown yet");
}
