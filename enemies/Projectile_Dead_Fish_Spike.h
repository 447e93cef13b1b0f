#pragma once

#include "characters/CharacterObject.h"

#include <memory>
#include <string>

class GraphicalObject;

// A spike of the dead fish on the top (ground) or underside (ceiling) of a
// collision block. It never moves; the fish chooses its look, long or small,
// or hides it. A shown spike hurts the player on contact; it cannot be hurt.
class Projectile_Dead_Fish_Spike : public CharacterObject {
public:
    explicit Projectile_Dead_Fish_Spike(std::string name);
    ~Projectile_Dead_Fish_Spike() override;

    void Update(double dt) override;
    Point<int> GetSize() const override;
    // A small spike reaches half its height less far.
    std::vector<Rect<int>> GetAttackBoxes() override;

    // The spike's span in x, relative to its position, for a block narrower
    // than a tile: its boxes, the width of the down and ceiling looks, and
    // where it is drawn.
    void SetExtent(int left, int right);
    // Chooses the look by its direction and the flags and shows it.
    void SetLook(bool isLong, bool isCeiling);
    // Hides it (and makes it harmless).
    void Hide() { currentGraphical = nullptr; }
    bool IsLong() const { return longSpike; }
    bool IsCeiling() const { return ceiling; }
    void SetCeiling(bool value) { ceiling = value; }

private:
    std::unique_ptr<GraphicalObject> groundUpSmall;
    std::unique_ptr<GraphicalObject> groundUpLong;
    std::unique_ptr<GraphicalObject> groundDownLong;
    std::unique_ptr<GraphicalObject> groundDownSmall;
    std::unique_ptr<GraphicalObject> ceilSmall;
    std::unique_ptr<GraphicalObject> ceilLong;
    bool longSpike = false;
    bool ceiling = false;
};
