// The particle effects that configuration links to character classes, and
// their launch into the current level.
#include "characters/BGEvent_HandleParticleSystem.h"
#include "characters/CharacterGameAccess.h"
#include "characters/CharacterObject.h"
#include "characters/EventParticleSystem.h"
#include "characters/LocalParticleSystem.h"

std::vector<std::unique_ptr<EventParticleSystem>>& EventParticleSystem::Table()
{
    static std::vector<std::unique_ptr<EventParticleSystem>> table = [] {
        std::vector<std::unique_ptr<EventParticleSystem>> records;
        for (const char* event : {"OnExplose", "OnSpecial_01", "OnExploseWithPower"})
            records.push_back(std::make_unique<EventParticleSystem>(event));
        return records;
    }();
    return table;
}

void EventParticleSystem::ClearLinks()
{
    for (auto& record : Table())
        record->links.clear();
}

namespace {

EventParticleSystem* FindEvent(const std::string& event)
{
    for (auto& record : EventParticleSystem::Table()) {
        if (record && record->name == event)
            return record.get();
    }
    return nullptr;
}

CharacterParticleLink* FindLink(EventParticleSystem& record, const std::string& className)
{
    for (auto& link : record.links) {
        if (link && link->className == className)
            return link.get();
    }
    return nullptr;
}

} // namespace

void CharacterObject::LinkParticleSystem(
    const std::string& event, const std::string& className, LocalParticleSystem* system)
{
    EventParticleSystem* record = FindEvent(event);
    if (record == nullptr)
        return;
    if (CharacterParticleLink* link = FindLink(*record, className)) {
        link->systems.push_back(system);
        return;
    }
    auto link = std::make_unique<CharacterParticleLink>();
    link->className = className;
    link->systems.push_back(system);
    record->links.push_back(std::move(link));
}

std::vector<LocalParticleSystem*> CharacterObject::GetLinkedParticleSystems(
    const std::string& event, const std::string& className)
{
    std::vector<LocalParticleSystem*> copies;
    EventParticleSystem* record = FindEvent(event);
    CharacterParticleLink* link = record ? FindLink(*record, className) : nullptr;
    if (link == nullptr)
        return copies;
    for (LocalParticleSystem* system : link->systems) {
        if (system != nullptr)
            copies.push_back(LocalParticleSystem::CopyConstruct(*system));
    }
    return copies;
}

void CharacterObject::LaunchParticleEffect(
    Layer* layer, std::vector<LocalParticleSystem*>& list, CharacterObject* owner, bool copy, int x, int y)
{
    CharacterGameAccess* game = GetCharacterGameAccess();
    Layer* front = layer;
    Layer* back = layer;
    if (layer == nullptr && game != nullptr)
        game->GetParticleLayers(front, back);
    const std::string eventName = "LPS " + (owner ? owner->GetName() : std::string());
    for (size_t i = 0; i < list.size();) {
        LocalParticleSystem* source = list[i];
        if (source == nullptr) {
            ++i;
            continue;
        }
        LocalParticleSystem* system = copy ? LocalParticleSystem::CopyConstruct(*source) : source;
        Layer* target = system->IsInFront() ? front : back;
        bool placed = false;
        if (target != nullptr && game != nullptr) {
            game->AddParticleSystem(target, system);
            placed = true;
            if (!copy)
                list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
        }
        // The event follows only a system a layer took: a copy no layer took
        // goes below, and one left in the list stays the character's.
        auto* event
            = new BGEvent_HandleParticleSystem(eventName, placed ? system : nullptr, false, Point<int>(x, y));
        if (game != nullptr)
            game->AddBackgroundEvent(event);
        else
            delete event;
        // A copy no layer took has no owner: it goes.
        if (copy && !placed)
            delete system;
        if (!placed || copy)
            ++i;
    }
}
