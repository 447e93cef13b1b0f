#pragma once

#include "characters/CharacterObject.h"

#include <memory>
#include <string>

class GraphicalObject;

// The chained skull's mouth and its shots. A shot falls straight down and,
// at its partner's height, bursts into two flames that run left and right.
// The mouth (mouth mode) cycles: 7 updates down, 7 up with a spit at the
// turn when the player is within 512 pixels, 66 at rest. Both hurt on
// contact and cannot be damaged.
class Projectile_Chained_Skull : public CharacterObject {
public:
    static constexpr int kResting = 0;
    static constexpr int kGoingDown = 1;
    static constexpr int kGoingUp = 2;

    explicit Projectile_Chained_Skull(std::string name);
    ~Projectile_Chained_Skull() override;

    void Update(double dt) override;
    Point<int> GetSize() const override;

    // Turns a fresh shot into a skull's mouth.
    void SetMouthMode();
    bool IsMouth() const { return mouthMode; }
    // The partner while it is live; null once it has died and gone (the
    // shots then fall on without bursting).
    CharacterObject* GetPartner() const;
    void SetPartner(CharacterObject* value);

private:
    void MouthStep();
    void Spit();
    void Burst(float partnerHeight);

    std::unique_ptr<GraphicalObject> graphical;
    CharacterObject* partner = nullptr;
    std::string partnerName;
    bool mouthMode = false;
};
