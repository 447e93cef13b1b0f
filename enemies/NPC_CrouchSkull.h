#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/Rect.h"

#include <memory>
#include <string>

class GraphicalObject;

// A ground skull that walks back and forth between the x edges of its walk
// bounds (its spawner's zone), waits a few frames at each side and turns,
// hurts the player on contact, is knocked back away from whoever hits it
// and plays its death before it is removed. A fire area hit counts twice.
// The boat, ghost and strong skulls share its state machine.
class NPC_CrouchSkull : public CharacterObject {
public:
    static constexpr int kWait = 0;
    static constexpr int kWalk = 1;
    static constexpr int kTouchedPlayer = 2;
    static constexpr int kRecover = 3;
    static constexpr int kDying = 4;
    static constexpr int kKnockedBack = 5;

    explicit NPC_CrouchSkull(std::string name);
    ~NPC_CrouchSkull() override;

    void Update(double dt) override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    float GetSpeed(int state) const override;
    Point<int> GetSize() const override;
    double GetStateDelay(int state) const override;
    void ReceiveHit(CharacterObject* attacker, int kind, float amount) override;
    // Knocked back away from the attacker; at zero life the death starts.
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    // Only the x values bound the walk; set by the spawner.
    Rect<int> walkRect;

protected:
    // Replaces the three looks (walk left, walk right, die).
    void SetLooks(std::unique_ptr<GraphicalObject> left, std::unique_ptr<GraphicalObject> right,
        std::unique_ptr<GraphicalObject> die);
    // The skull's box with its position truncated: (x, y) to (x + w - 1,
    // y + h - 1).
    Rect<int> WalkBox() const;
    // The area-hit kind that counts twice.
    virtual int WeakKind() const { return 1; }

    std::unique_ptr<GraphicalObject> walkLeft;
    std::unique_ptr<GraphicalObject> walkRight;
    std::unique_ptr<GraphicalObject> dieLook;

private:
    void ContactStep();
    void KnockBackStep();
    void WalkStep();
};
