#include "characters/ParticleLinkCommand.h"

#include "characters/CharacterGameAccess.h"
#include "characters/CharacterObject.h"
#include "characters/EventParticleSystem.h"
#include "engine/app/ConsoleCommand.h"

bool AddParticleSystemInNpc(const std::vector<std::string>& words)
{
    if (words.size() < 3)
        return false;
    // Every link not made is refused with its reason, so the command-file
    // runner names the line with it (and a quiet run says nothing).
    auto skip = [](const std::string& why) {
        return RefuseCommand("addparticlesysteminnpc", why + "; link skipped");
    };
    CharacterGameAccess* game = GetCharacterGameAccess();
    if (game == nullptr)
        return skip("no game is running");
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
        return skip("no event \"" + event + "\"");
    if (!game->IsParticleLinkName(className))
        return skip("no character is made as \"" + className + "\"");
    // The settings file runs once before the game library is read, when no
    // system is known yet: that run links nothing, the later ones do.
    LocalParticleSystem* system = game->FindLocalParticleSystem(systemName);
    if (system == nullptr)
        return skip("no particle system \"" + systemName + "\"");
    CharacterObject::LinkParticleSystem(event, className, system);
    return true;
}
