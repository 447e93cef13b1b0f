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
    // Read whole before anything is taken; only a sound read whole imports
    // its file.
    std::string newName;
    std::string newFile;
    int32_t ints[4] = {reservedInt0, reservedInt1, reservedInt2, reservedInt3};
    bool newLoop = loop;
    float floats[2] = {reservedFloat0, reservedFloat1};
    const bool ok = ReadTextLine(is, newName) && ReadTextLine(is, newFile) && ReadIntLine(is, ints[0])
        && ReadIntLine(is, ints[1]) && ReadBoolLine(is, newLoop) && ReadIntLine(is, ints[2])
        && ReadIntLine(is, ints[3]) && ReadFloatLine(is, floats[0]) && ReadFloatLine(is, floats[1]);
    if (!ok)
        return false;
    name = std::move(newName);
    fileName = std::move(newFile);
    reservedInt0 = ints[0];
    reservedInt1 = ints[1];
    loop = newLoop;
    reservedInt2 = ints[2];
    reservedInt3 = ints[3];
    reservedFloat0 = floats[0];
    reservedFloat1 = floats[1];
    if (SoundGameAccess* game = GetSoundGameAccess())
        if (ISoundEngine* engine = game->GetSoundEngine())
            ressource.reset(engine->ImportSound(fileName, this));
    return true;
}
