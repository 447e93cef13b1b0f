#include "script/BGEvent_HandleParticleSystem.h"

#include "characters/LocalParticleSystem.h"

#include <utility>

BGEvent_HandleParticleSystem::BGEvent_HandleParticleSystem(
    std::string name_, LocalParticleSystem* system, bool removeWhenDone_, Point<int> position_)
    : BackgroundEvent(std::move(name_))
    , removeWhenDone(removeWhenDone_)
    , position(position_)
{
    // The system is alive now; the event keeps no pointer to it, since the
    // layer that owns it may free it first.
    if (system != nullptr)
        system->SetPosition(position);
}
