#pragma once

// The characters start this event, so it lives with them; the script's
// commands include it by this path too.
#include "characters/BGEvent_HandleDropItem.h"
