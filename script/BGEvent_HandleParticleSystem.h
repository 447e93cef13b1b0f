#pragma once

#include "engine/serial/Point.h"
#include "script/BackgroundEvent.h"

#include <string>

class LocalParticleSystem;

// Follows a local particle system placed in a layer. Until the particle
// events exist it puts the system at its place when it is made and keeps
// nothing running: the layer that owns the system goes on updating it.
class BGEvent_HandleParticleSystem : public BackgroundEvent {
public:
    BGEvent_HandleParticleSystem(
        std::string name, LocalParticleSystem* system, bool removeWhenDone, Point<int> position);

    std::string GetTypeName() const override { return "BGEvent_HandleParticleSystem"; }

    Point<int> GetPosition() const { return position; }
    bool GetRemoveWhenDone() const { return removeWhenDone; }

private:
    bool removeWhenDone;
    Point<int> position;
};
