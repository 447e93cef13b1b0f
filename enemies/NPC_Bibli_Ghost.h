#pragma once

#include "characters/CharacterObject.h"
#include "engine/serial/Rect.h"

#include <memory>
#include <string>

class GraphicalObject;

// A library ghost guarding a rectangle of the level. Hidden while the player
// is outside it; once the player's centre has stayed inside for 50 updates
// it shows itself behind the player, plays its appearing animation, dashes
// 8 updates in the player's facing direction (hurting on contact) and hides
// again. Drawn through a fade; a fire area hit counts twice.
class NPC_Bibli_Ghost : public CharacterObject {
public:
    static constexpr int kHidden = 0;
    static constexpr int kAppearing = 1;
    static constexpr int kAttacking = 2;
    // Updates of presence before an appearance, and of the dash.
    static constexpr int kWait = 50;
    static constexpr int kDash = 8;

    explicit NPC_Bibli_Ghost(std::string name);
    ~NPC_Bibli_Ghost() override;

    // The base's sounds, then "NPC_BibliGhost_Attack".
    void DeclareSounds() override;
    void Update(double dt) override;
    Point<int> GetSize() const override;
    // Drawn with the render engine's draw factor at 3.0 (the fade's waver
    // three times as strong), then the factor back at 1.0.
    bool Draw(DXGraphicalSurface* target, Point<int> offset) override;
    // Hidden, nothing strikes it.
    bool IsHitByBox(Rect<int> box, bool flag) override;
    void ReceiveHit(CharacterObject* attacker, int kind, float amount) override;
    void ApplyDamage(CharacterObject* attacker, int damage) override;

    // Where it haunts (x0 left, y0 top, x1 right, y1 bottom), set by its
    // spawner.
    Rect<int> rect;

private:
    GraphicalObject* LookFor(int forState) const;

    std::unique_ptr<GraphicalObject> appearLeft;
    std::unique_ptr<GraphicalObject> appearRight;
    std::unique_ptr<GraphicalObject> attackLeft;
    std::unique_ptr<GraphicalObject> attackRight;
};
