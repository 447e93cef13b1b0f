#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/Rect.h"
#include "engine/serial/TypeNames.h"

#include <memory>
#include <string>

class GraphicalObject;

// A guardian of the vault boss: it flies from the boss to the middle of its
// area, then roams it from one random point to the next until its 5 life are
// gone. Under the name "Projectile_Boss2_Bibli_Shield" it is the shield
// instead, which fades in, keeps every piece of the boss from harm while a
// guardian lives, fades out and ends.
class Projectile_Boss2_Bibli_Guardian : public CharacterObject {
public:
    static constexpr int kFlying = 0;
    static constexpr int kRoaming = 1;
    static constexpr int kShieldUp = 2;
    static constexpr int kShieldFading = 3;

    explicit Projectile_Boss2_Bibli_Guardian(std::string name);
    ~Projectile_Boss2_Bibli_Guardian() override;

    void Update(double dt) override;
    Point<int> GetSize() const override;
    bool HandleScriptCommand(std::string command, std::string argument) override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    // The shield's role, with the picture of the step (5 down to 1).
    void SetupShield(int step);
    // A random point of the area, at least 100 pixels from here.
    void ChooseDestination();

    GraphicalObject* GetSpriteIdle() const { return spriteIdle.get(); }
    GraphicalObject* GetSpriteShield() const { return spriteShield.get(); }
    void SetArea(int left, int bottom, int right, int top) { area = Rect<int>(left, bottom, right, top); }
    Rect<int> GetArea() const { return area; }
    void SetDestination(Point<float> value) { destination = value; }
    Point<float> GetDestination() const { return destination; }
    float GetMaxSpeed() const { return maxSpeed; }

private:
    std::unique_ptr<GraphicalObject> spriteIdle;
    std::unique_ptr<GraphicalObject> spriteActive;
    std::unique_ptr<GraphicalObject> spriteShield;
    // (left, bottom, right, top): its y0 is the bottom, y1 the top.
    Rect<int> area;
    float maxSpeed = 6.0f;
    float minSpeed = 1.0f;
    Point<float> destination;
};
