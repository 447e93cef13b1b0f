#pragma once

// The logic tick is the scene's (the game's fixed-step flag); the script's
// events include it by this path too.
#include "scene/EventTick.h"
