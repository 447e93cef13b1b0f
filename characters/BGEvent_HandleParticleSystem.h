#pragma once

#include "engine/serial/Point.h"
#include "scene/BackgroundEvent.h"

#include <string>

class Layer;
class LocalParticleSystem;

// Follows a local particle system placed in a layer of the current level:
// keeps it at the event's position on every logic tick and, once its last
// particle has died, removes it from its layer when asked to and finishes.
// The event never owns the system; it touches it only while a layer of the
// current level still holds it, so a system freed with its layer is never
// used.
class BGEvent_HandleParticleSystem : public BackgroundEvent {
public:
    BGEvent_HandleParticleSystem(
        std::string name, LocalParticleSystem* system, bool removeWhenDone, Point<int> position);

    std::string GetTypeName() const override { return "BGEvent_HandleParticleSystem"; }
    // On logic ticks. No system, or one no layer holds any more: the event
    // finishes, there is nothing to follow.
    bool Update() override;

    LocalParticleSystem* GetSystem() const { return system; }
    Point<int> GetPosition() const { return position; }
    bool GetRemoveWhenDone() const { return removeWhenDone; }

private:
    // The layer of the current level that holds the system, or null.
    Layer* FindLayer() const;

    LocalParticleSystem* system;
    bool removeWhenDone;
    Point<int> position;
};
