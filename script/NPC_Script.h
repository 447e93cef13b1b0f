#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/TypeNames.h"

#include <cstdint>
#include <memory>
#include <string>

// The plain character that scripts and cut-scenes move around: it glides
// along its direction at its speed (tiles of 32 pixels per second), steps its
// graphical object until the animation has ended and updates its sounds.
// Scripts reach it by name (a trigger's character carries the trigger's
// name).
class NPC_Script : public CharacterObject {
public:
    explicit NPC_Script(std::string name);

    std::string GetVersionedClassName() override { return "NPC_ScriptV0"; }
    void Update(double dt) override;

    int32_t GetPreviousState() const { return previousState; }

private:
    int32_t previousState = 0;
};
