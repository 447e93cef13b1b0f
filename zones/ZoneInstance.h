#pragma once

// The placement data of zones and points is read with the level, so it lives
// with the scene model; the zone types include it by this path too.
#include "scene/ZoneInstance.h"
