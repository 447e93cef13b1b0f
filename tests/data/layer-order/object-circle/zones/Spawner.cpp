#include "characters/CharacterObject.h"
#include "enemies/NPC_Door.h"
