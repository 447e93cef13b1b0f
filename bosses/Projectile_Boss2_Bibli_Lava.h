#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/TypeNames.h"

#include <memory>
#include <string>

class GraphicalObject;

// Lava of the vault boss (and of the orchard's ghost): a burst or a falling
// drop that plays out and ends (state 0), or a tile of a lava floor that
// rises 416 pixels on "start", rests 60 frames and sinks back (states 1 to
// 3), or that sinks 256 pixels on "hide" (state 4). It only moves up and
// down, hurts on touch and answers no other command.
class Projectile_Boss2_Bibli_Lava : public CharacterObject {
public:
    static constexpr int kPlayOut = 0;
    static constexpr int kResting = 1;
    static constexpr int kMoving = 2;
    static constexpr int kRestingLow = 3;
    static constexpr int kHidden = 4;

    explicit Projectile_Boss2_Bibli_Lava(std::string name);
    ~Projectile_Boss2_Bibli_Lava() override;

    void Update(double dt) override;
    Point<int> GetSize() const override;
    bool HandleScriptCommand(std::string command, std::string argument) override;

    GraphicalObject* GetSpriteExplosion() const { return spriteExplosion.get(); }
    GraphicalObject* GetSpriteCascade() const { return spriteCascade.get(); }
    GraphicalObject* GetSpriteLava() const { return spriteLava.get(); }
    Point<float> GetLowPoint() const { return lowPoint; }
    Point<float> GetHighPoint() const { return highPoint; }

private:
    std::unique_ptr<GraphicalObject> spriteExplosion;
    std::unique_ptr<GraphicalObject> spriteCascade;
    std::unique_ptr<GraphicalObject> spriteLava;
    Point<float> lowPoint;
    Point<float> highPoint;
};
