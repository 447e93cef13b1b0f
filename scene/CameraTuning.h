#pragma once

#include "engine/config/InstalledTuning.h"

// The camera's tuning value: the speed factor ("setcameraspeed") that new
// cameras and stopped travels take.
struct CameraTuning : InstalledTuning<CameraTuning> {
    float travelSpeed = 3.2f;
};
