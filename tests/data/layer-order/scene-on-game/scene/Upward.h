#pragma once

#include "engine/serial/Point.h"
#include "game/Game.h"
