#include "characters/ParticleLinkCommand.h"

#include "characters/CharacterGameAccess.h"
#include "characters/CharacterObject.h"
#include "characters/EventParticleSystem.h"
#include "engine/platform/DebugOutput.h"

bool AddParticleSystemInNpc(const std::vector<std::string>& words)
{
    CharacterGameAccess* game = GetCharacterGameAccess();
    if (words.size() < 3 || game == nullptr)
        return false;
    const std::string& event = words[0];
    const std::string& className = words[1];
    const std::string& systemName = words[2];
    bool knownEvent = false;
    for (const auto& record : EventParticleSystem::Table())
        knownEvent = knownEvent || (record && record->name == event);
    if (!knownEvent)
        return false;
    if (!game->IsCharacterClass(className)) {
        platform::DebugOutput(
            "addparticlesysteminnpc: no character class \"" + className + "\"; link skipped\n");
        return false;
    }
    LocalParticleSystem* system = game->FindLocalParticleSystem(systemName);
    if (system == nullptr) {
        platform::DebugOutput("addparticlesysteminnpc: no particle system \"" + systemName
            + "\" in the game library; link skipped\n");
        return false;
    }
    CharacterObject::LinkParticleSystem(event, className, system);
    return true;
}
