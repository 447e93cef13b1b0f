#pragma once

#include "engine/serial/Point.h"
#include "scene/Sprite.h"
