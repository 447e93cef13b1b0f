#pragma once

#include "engine/config/InstalledTuning.h"
#include "engine/serial/Point.h"

#include <cstdint>

// Layout values of the dialogue box, the HUD and the menus, with their
// defaults; "setuipos", "setuirect" and "setui_dialoguespeed" overwrite the
// game's copy and the interface reads the values in force.
struct UITuning : InstalledTuning<UITuning> {
    Point<int> dialoguePortrait1 {0, 0};
    Point<int> dialoguePortrait2 {0, 0};
    Point<int> dialogueLetterSize {9, 9};
    int32_t playerLifesXPos = 150;
    int32_t playerLifesXDelta = 64;
    int32_t playerMinimapCenterXPos = 224;
    int32_t playerScytheCenterXPos = 280;
    int32_t playerPowersXPos = 315;
    int32_t playerPowersXDelta = 64;
    int32_t menuSpacingY = 8;
    int32_t menuOptionsMarge = 120;
    int32_t menuPlayMarge = 100;
    // Text rectangle of the dialogue box: x, y, width, height.
    int32_t dialogueTextFrame[4] = {10, 10, 300, 100};
    // Letters per step of the dialogue text.
    int32_t dialogueBaseSpeed = 5;
};
