#pragma once

#include "characters/CharacterObject.h"

#include <memory>
#include <string>
#include <vector>

class GraphicalObject;

// An arm of the timber giant, of snow or of wood, left or right: idle,
// attacking, swinging forward or back, or broken. The factory makes it, but
// no level places one and the giant fights without arms; dressed by
// NPC_Boss_Snow::SetupArms it takes blows only while vulnerable.
class NPC_Boss_Snow_Arm : public CharacterObject {
public:
    static constexpr int kIdle = 0;
    static constexpr int kAttacking = 1;
    static constexpr int kForwarding = 2;
    static constexpr int kBackwarding = 3;
    static constexpr int kBroken = 4;

    explicit NPC_Boss_Snow_Arm(std::string name);
    ~NPC_Boss_Snow_Arm() override;

    static std::string VersionedClassName() { return std::string("NPC_Boss_Snow_Arm") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    void Update(double dt) override;
    Point<int> GetSize() const override;
    std::vector<Rect<int>> GetHurtBoxes() override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;
    void SetState(int value) override;

    // The five looks by name ("" for none).
    void SetLooks(const std::string& idleName, const std::string& attackName, const std::string& brokenName,
        const std::string& forwardName, const std::string& backwardName);
    void SetVulnerable(bool value) { vulnerable = value; }
    bool IsVulnerable() const { return vulnerable; }

private:
    std::unique_ptr<GraphicalObject> idle;
    std::unique_ptr<GraphicalObject> attack;
    std::unique_ptr<GraphicalObject> broken;
    std::unique_ptr<GraphicalObject> forwarding;
    std::unique_ptr<GraphicalObject> backwarding;
    bool vulnerable = false;
};
