#include "characters/CharacterGameAccess.h"

#include "engine/app/Installed.h"

CharacterGameAccess* GetCharacterGameAccess()
{
    return Installed<CharacterGameAccess>::Get();
}

void SetCharacterGameAccess(CharacterGameAccess* access)
{
    Installed<CharacterGameAccess>::Set(access);
}
