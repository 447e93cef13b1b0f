#include "engine/sound/SoundGameAccess.h"

namespace {
// The game object's sound access, installed by the game object while it
// exists: empty before it is built and after it is destroyed.
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
