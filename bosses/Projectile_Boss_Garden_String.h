#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/TypeNames.h"

#include <memory>
#include <string>

class GraphicalObject;

// One link of the garden skull's chains: horizontal (state 0) in its row,
// vertical (1) in its column; breaking (2, 3) it shows its broken picture
// after its delay and goes once that has played. It never hurts.
class Projectile_Boss_Garden_String : public CharacterObject {
public:
    static constexpr int kHorizontal = 0;
    static constexpr int kVertical = 1;
    static constexpr int kHorizontalBreaking = 2;
    static constexpr int kVerticalBreaking = 3;

    explicit Projectile_Boss_Garden_String(std::string name);
    ~Projectile_Boss_Garden_String() override;

    void Update(double dt) override;
    Point<int> GetSize() const override;
    // Looks up the pictures of its state (the horizontal or vertical pair).
    void FetchSprites();

private:
    GraphicalObject* spriteChainHorizontal = nullptr;
    GraphicalObject* spriteChainVertical = nullptr;
    std::unique_ptr<GraphicalObject> spriteChainHorizontalBroken;
    std::unique_ptr<GraphicalObject> spriteChainVerticalBroken;
};
