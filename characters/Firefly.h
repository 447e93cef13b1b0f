#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/Point.h"
#include "engine/serial/Rect.h"

#include <cstdint>
#include <functional>
#include <string>

class GraphicalObject;
class PlayerArmorHost;

// A small companion of the player. With no target it hovers over the
// player's body, riding along with it; given a target box it leaves the
// player, plays its target animation and then swarms at random points
// inside the box. Positions are relative to the player while attached.
class Firefly : public CharacterObject {
public:
    using RandomSource = std::function<uint32_t()>;

    static constexpr float kBaseSpeed = 2.0f;
    static constexpr float kMaxSpeed = 20.0f;
    static constexpr int kWanderFrames = 30;

    // Looks its two graphical objects up through the game; a random source
    // of null uses the system's secure one.
    Firefly(std::string name, PlayerArmorHost* player, RandomSource random = nullptr);
    ~Firefly() override = default;

    std::string GetVersionedClassName() override { return "FireflyV0"; }
    // One frame of movement.
    void Update(double dtMs) override;
    // The current graphical object's size, else the character's.
    Point<int> GetSize() const override;

    // A zero-width box for none (x0, y0 top, x1, y1 bottom).
    void SetTargetBox(const Rect<int>& box) { targetBox = box; }
    const Rect<int>& GetTargetBox() const { return targetBox; }
    bool HasTarget() const { return targetBox.x1 - targetBox.x0 != 0; }
    Point<int> GetTargetPoint() const { return targetPoint; }
    void SetTargetPoint(Point<int> p) { targetPoint = p; }
    bool IsAttached() const { return attached; }
    // In the game's speed units (32 pixels a second each).
    float GetFlightSpeed() const { return speed; }
    // Frames left before a new wander point (the character's spare counter).
    int32_t GetFrameCounter() const { return customInt; }
    void SetFrameCounter(int32_t frames) { customInt = frames; }
    void SetGraphicals(GraphicalObject* idle, GraphicalObject* hasTarget);
    // The serialised reset stays visible beside the firefly's own.
    using CharacterObject::Reset;
    // Back over the player: at position (relative to the player), flying to
    // target, no target box, attached, idle.
    void Reset(Point<float> at, Point<int> target);

    // The point picked in the box widened by half the firefly's size, from
    // two random numbers; the moduli are at least 1.
    static Point<int> PickPoint(const Rect<int>& box, Point<int> size, uint32_t r1, uint32_t r2);

private:
    Point<float> PlayerPosition() const;
    void PickWanderPoint();

    PlayerArmorHost* player = nullptr;
    RandomSource random;
    Rect<int> targetBox;
    Point<int> targetPoint;
    bool attached = true;
    GraphicalObject* idleGraphical = nullptr;
    GraphicalObject* hasTargetGraphical = nullptr;
};
