#pragma once

#include <memory>
#include <string>
#include <vector>

class LocalParticleSystem;

// The particle systems linked to one character class for one event. The
// systems are game-library definitions; the link does not own them.
struct CharacterParticleLink {
    std::string className;
    std::vector<LocalParticleSystem*> systems;
};

// One event's links: "OnExplose", "OnSpecial_01" or "OnExploseWithPower".
class EventParticleSystem {
public:
    explicit EventParticleSystem(std::string eventName)
        : name(std::move(eventName))
    {
    }
    virtual ~EventParticleSystem() = default;

    std::string name;
    std::vector<std::unique_ptr<CharacterParticleLink>> links;

    // The three records, made on first use and never added to or removed.
    static std::vector<std::unique_ptr<EventParticleSystem>>& Table();
    // Forgets every link (the game library that held the systems is gone).
    static void ClearLinks();
};
