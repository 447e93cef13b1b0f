#pragma once

#include "engine/serial/Point.h"

#include <cstdint>

// Layout values of the dialogue box, the HUD and the menus, with their
// defaults from program start; "setuipos", "setuirect" and
// "setui_dialoguespeed" overwrite them and the interface reads them.
struct UITuning {
    static inline Point<int> dialoguePortrait1 {0, 0};
    static inline Point<int> dialoguePortrait2 {0, 0};
    static inline Point<int> dialogueLetterSize {9, 9};
    static inline int32_t playerLifesXPos = 150;
    static inline int32_t playerLifesXDelta = 64;
    static inline int32_t playerMinimapCenterXPos = 224;
    static inline int32_t playerScytheCenterXPos = 280;
    static inline int32_t playerPowersXPos = 315;
    static inline int32_t playerPowersXDelta = 64;
    static inline int32_t menuSpacingY = 8;
    static inline int32_t menuOptionsMarge = 120;
    static inline int32_t menuPlayMarge = 100;
    // Text rectangle of the dialogue box: x, y, width, height.
    static inline int32_t dialogueTextFrame[4] = {10, 10, 300, 100};
    // Letters per step of the dialogue text.
    static inline int32_t dialogueBaseSpeed = 5;
};
