#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/Rect.h"

#include <memory>
#include <string>

class GraphicalObject;

// An underwater enemy that swims inside its spawner's rectangle in strokes:
// each stroke leaves at full speed and fades by "jellyfish" "slowpercent"
// every update; below "slowlimit" a new one starts, every second one toward a
// new random point. It hurts on contact, is pushed sideways when hit and has
// 4 life. Its random direction and its rectangle also serve a boss shot that
// sets jellyfish free.
class NPC_JellyFish : public CharacterObject {
public:
    static constexpr int kLife = 4;

    explicit NPC_JellyFish(std::string name);
    ~NPC_JellyFish() override;

    void Update(double dt) override;
    Point<int> GetSize() const override;
    void ReceiveHit(CharacterObject* attacker, int kind, float amount) override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    // The swimming rectangle: x0 left, y0 the larger y, x1 right, y1 the
    // smaller y.
    void SetZone(int x0, int y0, int x1, int y1) { rect = Rect<int>(x0, y0, x1, y1); }
    // Heads for a random point of the rectangle widened by half its size; a
    // stroke that would end outside the rectangle heads for its centre
    // instead. With `jump` it is moved onto that point first.
    void PickRandomDirection(bool jump);

    Point<float> GetKnockback() const { return knockback; }

    // How far one stroke carries, worked out once by the first jellyfish from
    // its speed and the tuning of that moment (0 until then).
    static float GlideDistance() { return glideDistance; }
    static void SetGlideDistance(float value) { glideDistance = value; }

    // Where it swims, set by its spawner.
    Rect<int> rect;

private:
    // Whether a point lies inside the rectangle, edges included.
    bool InsideZone(Point<int> p) const;

    std::unique_ptr<GraphicalObject> moveUpLeft;
    std::unique_ptr<GraphicalObject> moveUpRight;
    std::unique_ptr<GraphicalObject> moveDownLeft;
    std::unique_ptr<GraphicalObject> moveDownRight;
    Point<float> knockback;

    static float glideDistance;
};
