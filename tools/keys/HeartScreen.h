#pragma once

#include "tools/keys/Picture.h"

// What a player reads from the Heart's screen, from the window's pixels
// alone. The camera stands still on the arena (its walls hold it), so each
// thing shows at one place of the game's 512 x 448 picture, which the
// window shows scaled to its size: the west wall's two cells at its left
// edge by the floor, the east wall's cell at its right edge, the maw rising
// over the west half, the stones flying over the floor east of the stone.
class HeartScreen {
public:
    struct Reading {
        // The west cells show their live ring (not their dark, sunk look).
        bool westAlive = false;
        // The east cell's eye is lit (its step has begun, it is alive).
        bool eastLit = false;
        // The east cell swells to throw: its pupil lit.
        bool eastWinding = false;
        // A thrown stone, whole or burst, over the floor east of the stone.
        bool stoneShown = false;
        // The maw stands over the west half.
        bool mawShown = false;
        // The picture is mostly black (a fade, the death screen, loading).
        bool dark = false;
        // The HUD's frame shows (a level is in play, not the menu).
        bool hud = false;
        // Life the HUD's lanterns show (two a lit lantern, one a half-lit
        // one; -1: no HUD).
        int hearts = -1;
        // The middle of the Warden's glowing head, x in the game's picture,
        // when he stands on the arena's floor (-1: not seen there).
        int playerX = -1;
        // The middle of his glowing head anywhere below the HUD's band (on
        // the passage too, where the camera, held at the level's west edge
        // by the stair, shows him walk); -1: not seen.
        int wardenX = -1;
        int wardenY = -1;
    };

    static Reading Read(const Picture& picture);

    // The game's picture: what the window scales.
    static constexpr int kWidth = 512;
    static constexpr int kHeight = 448;
    // The east face of the stone two tiles high on the arena's floor.
    static constexpr int kStoneEastFace = 288;

    // Pixels of a box of the game's picture whose colour lies within
    // `tolerance` (each channel) of `rgb`, as a share of the box (0 to 1).
    static float Share(
        const Picture& picture, int x0, int y0, int x1, int y1, uint32_t rgb, int tolerance = 24);
};
