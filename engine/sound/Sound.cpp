#include "engine/sound/Sound.h"

#include "engine/serial/LineReaders.h"
#include "engine/sound/ISoundEngine.h"
#include "engine/sound/SoundGameAccess.h"

Sound::Sound(std::string soundName, std::string soundFileName)
    : name(std::move(soundName))
    , fileName(std::move(soundFileName))
{
}

Sound::~Sound() = default;

void Sound::SetRessource(std::unique_ptr<ISoundRessource> loaded)
{
    ressource = std::move(loaded);
}

bool Sound::Serialize(std::ostream& os)
{
    WriteLine(os, name);
    WriteLine(os, fileName);
    WriteLine(os, reservedInt0);
    WriteLine(os, reservedInt1);
    WriteLine(os, loop);
    WriteLine(os, reservedInt2);
    WriteLine(os, reservedInt3);
    WriteLine(os, reservedFloat0);
    WriteLine(os, reservedFloat1);
    return static_cast<bool>(os);
}

bool Sound::SerializePtr(std::ostream& os)
{
    WriteLine(os, GetVersionedClassName() + "Ptr");
    WriteLine(os, name);
    return static_cast<bool>(os);
}

bool Sound::UnSerialize(std::istream& is)
{
    const bool ok = ReadStringLine(is, name) && ReadStringLine(is, fileName) && ReadIntLine(is, reservedInt0)
        && ReadIntLine(is, reservedInt1) && ReadBoolLine(is, loop) && ReadIntLine(is, reservedInt2)
        && ReadIntLine(is, reservedInt3) && ReadFloatLine(is, reservedFloat0)
        && ReadFloatLine(is, reservedFloat1);
    if (SoundGameAccess* game = GetSoundGameAccess())
        if (ISoundEngine* engine = game->GetSoundEngine())
            ressource.reset(engine->ImportSound(fileName, this));
    return ok;
}
