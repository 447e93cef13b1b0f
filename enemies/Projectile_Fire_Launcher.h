#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/TypeNames.h"

#include <string>
#include <utility>

// The creeping flame of the fire launcher, also lit by the chained skull's
// shot. Until its own behaviour is written it is a placeholder that takes
// the settings its makers give it and leaves the level at its first update,
// so no flame piles up unseen.
class Projectile_Fire_Launcher : public CharacterObject {
public:
    explicit Projectile_Fire_Launcher(std::string name)
        : CharacterObject(std::move(name))
    {
        typeName = TypeNames::Projectile_Fire_Launcher;
        dropsItems = 0;
    }
    void Update(double /*dt*/) override { dead = true; }
    // The chained skull's look of the flame.
    void SetGraphicalChainedSkull() { chainedSkull = true; }
    // The character whose horizontal extent bounds the flames (not owned).
    void SetBoundingCharacter(CharacterObject* character) { boundingCharacter = character; }
    CharacterObject* GetBoundingCharacter() const { return boundingCharacter; }
    bool IsChainedSkullFlame() const { return chainedSkull; }

private:
    bool chainedSkull = false;
    CharacterObject* boundingCharacter = nullptr;
};
