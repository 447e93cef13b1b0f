#pragma once

// The level owns its queue of background events, so their base class lives
// with the scene model; the script's events include it by this path too.
#include "scene/BackgroundEvent.h"
