#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/Rect.h"

#include <memory>
#include <string>
#include <vector>

class GraphicalObject;
class Layer;
class Projectile_Dead_Fish_Spike;

// A fish skeleton that crosses its rectangle from side to side, turning with
// an animation at each side and choosing a new random height for each
// crossing. On its first update it plants spikes on the tops and undersides
// of the "Collisions" blocks around its rectangle, read by their names;
// while it swims, only the spikes of the columns near it show: long ones
// close by, small ones farther off. One point of life; its spikes go with it.
class NPC_Dead_Fish : public CharacterObject {
public:
    static constexpr int kSwim = 0;
    static constexpr int kTurn = 1;
    static constexpr float kSpeed = 2.0f;

    explicit NPC_Dead_Fish(std::string name);
    ~NPC_Dead_Fish() override;

    void Update(double dt) override;
    // Plants the spikes, then shows the move-right look.
    void ResetToStart() override;
    std::vector<GraphicalObject*> GetRelatedGraphicalObjects() override;
    Point<int> GetSize() const override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;
    // The base's death, then every spike dies too.
    void Die() override;

    const std::vector<Projectile_Dead_Fish_Spike*>& GetSpikes() const { return spikes; }

    // The rectangle it swims in (x0 left, y0 top, x1 right, y1 bottom) and the
    // point it swims toward, set by its spawner, then by each turn.
    Rect<float> rect;
    Point<float> referencePoint;

private:
    void PlantSpikes(Layer& collisions);
    // Creates one spike at the point; null when the factory makes none.
    Projectile_Dead_Fish_Spike* AddSpike(Point<float> at, bool ceiling, int left, int right);
    void ShowSpikesNearby();

    std::unique_ptr<GraphicalObject> moveLeft;
    std::unique_ptr<GraphicalObject> moveRight;
    std::unique_ptr<GraphicalObject> turnToLeft;
    std::unique_ptr<GraphicalObject> turnToRight;
    // Live characters of the game, not owned.
    std::vector<Projectile_Dead_Fish_Spike*> spikes;
};
