#include "engine/sound/SoundGameAccess.h"

namespace {
// Stands for the process-wide game-object pointer: empty before the game
// object exists and during shut-down.
SoundGameAccess* g_soundGameAccess = nullptr;
} // namespace

SoundGameAccess* GetSoundGameAccess()
{
    return g_soundGameAccess;
}

void SetSoundGameAccess(SoundGameAccess* access)
{
    g_soundGameAccess = access;
}
