#pragma once

#include "characters/PlayerArmor.h"
#include "engine/serial/Rect.h"

#include <cstdint>

// The fire armor. Using it attacks around the player; while it is worn it
// melts what the ice armor froze near the player: a frozen piece shows its
// melting frames 2, 1 and 0 as the player comes within about 128, 96 and 64
// pixels (frame 0 without its collision boxes) and thaws back into the
// scenery it replaced at 32 pixels or on contact.
class PlayerArmorFire : public PlayerArmor {
public:
    // Builds its pairs at once.
    explicit PlayerArmorFire(PlayerArmorHost* host_ = nullptr);

    bool CanUse() override { return true; }
    void SetEnabled(bool value) override;
    void OnEnabled() override;
    void OnSelected(bool silent) override;
    void OnDeselected() override { }
    void Update() override;
    void Use() override;
    Point<int> GetReplaceZoneSize() const override { return Point<int>(10, 10); }

    // Runs Update as if the player stood at point.
    void UpdateAtPlayer(Point<int> point);
    // Melts and thaws the ice armor's frozen pieces near the player; also
    // run once a level is entered.
    void UpdateReplacementsNearPlayer();

    // 1 to 4: the distance ring around p that q lies in; 0 beyond the last.
    static int RingOf(Point<int> p, Point<int> q);
    // The point of the rectangle the player at p reaches first.
    static Point<int> NearestEdgePoint(Point<int> p, const Rect<int>& rect);

private:
    Point<int> centreOffset;
};
