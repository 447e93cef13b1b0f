#pragma once

#include "characters/CharacterObject.h"

#include <cstdint>
#include <memory>
#include <string>

class GraphicalObject;

// A stationary enemy that, once the player comes within 448 pixels of its
// launch point, releases a volley of Projectile_SadSoul around itself and
// rests 132 updates. 4 life; a fire area hit counts twice.
class NPC_DreamCatcher : public CharacterObject {
public:
    static constexpr int kWatch = 0;
    static constexpr int kVolley = 1;
    static constexpr int kLife = 4;
    static constexpr int kRest = 132;
    // The launch point, from the position.
    static constexpr Point<int> kLaunchOffset {32, 68};

    explicit NPC_DreamCatcher(std::string name);
    ~NPC_DreamCatcher() override;

    void Update(double dt) override;
    // Its own pictures and the souls'.
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    Point<int> GetSize() const override;
    void ReceiveHit(CharacterObject* attacker, int kind, float amount) override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    Point<int> LaunchPoint() const { return position.ToInt() + kLaunchOffset; }

    // Souls per volley, set by its spawner.
    int32_t projectileCount = 1;

private:
    void LaunchVolley();

    std::unique_ptr<GraphicalObject> idle;
    // Provided by the library and preloaded; the volley shows the idle look.
    std::unique_ptr<GraphicalObject> popping;
};
