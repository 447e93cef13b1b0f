#include "characters/CharacterGameAccess.h"

namespace {

CharacterGameAccess* installedAccess = nullptr;

} // namespace

CharacterGameAccess* GetCharacterGameAccess()
{
    return installedAccess;
}

void SetCharacterGameAccess(CharacterGameAccess* access)
{
    installedAccess = access;
}
