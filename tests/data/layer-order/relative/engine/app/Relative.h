#pragma once

#include "../../game/Game.h"
