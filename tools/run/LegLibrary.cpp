#include "tools/run/RunLegs.h"

// Stand-in until the leg is flown.
bool RunLibrary(RunPilot& pilot)
{
    return pilot.Fail("the library leg is not flown yet");
}
