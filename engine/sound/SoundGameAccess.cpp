#include "engine/sound/SoundGameAccess.h"

#include "engine/app/Installed.h"

SoundGameAccess* GetSoundGameAccess()
{
    return Installed<SoundGameAccess>::Get();
}

void SetSoundGameAccess(SoundGameAccess* access)
{
    Installed<SoundGameAccess>::Set(access);
}
