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
    auto isEvent = [](const std::string& word) {
        for (const auto& record : EventParticleSystem::Table()) {
            if (record && record->name == word)
                return true;
        }
        return false;
    };
    // The event comes first; settings files that name the class first
    // ("NPC_CrouchSkull OnExplose PS_Bones") link the same way, since no
    // class is named like an event.
    const bool classFirst = !isEvent(words[0]) && isEvent(words[1]);
    const std::string& event = classFirst ? words[1] : words[0];
    const std::string& className = classFirst ? words[0] : words[1];
    const std::string& systemName = words[2];
    if (!isEvent(event))
        return false;
    if (!game->IsParticleLinkName(className)) {
        platform::DebugOutput(
            "addparticlesysteminnpc: no character is made as \"" + className + "\"; link skipped\n");
        return false;
    }
    // An unknown system is skipped without a word: the settings file runs
    // once before the game library is read, when none is known yet (the
    // world's lints name a system that is never defined).
    LocalParticleSystem* system = game->FindLocalParticleSystem(systemName);
    if (system == nullptr)
        return false;
    CharacterObject::LinkParticleSystem(event, className, system);
    return true;
}
