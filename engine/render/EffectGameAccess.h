#pragma once

#include "engine/serial/Point.h"

#include <cstdint>
#include <string>

// What the shader effects and the screenshot ask of the game: its camera, its
// fixed-step tick flag, its second state flag, its frame-advance word and the
// current level's name. The game object installs itself with
// SetEffectGameAccess while it exists; without it the effects behave as in a
// game whose time runs (tick set, frame advance 1) with the camera at the
// origin and no level.
class EffectGameAccess {
public:
    virtual ~EffectGameAccess() = default;

    // The game's camera position, truncated toward zero.
    virtual Point<int> GetCameraWorldPos() = 0;
    virtual bool GetFixedStepTick() = 0;
    virtual bool GetSecondStateFlag() = 0;
    virtual int32_t GetFrameAdvance() = 0;
    // Empty when no level is loaded.
    virtual std::string GetLevelName() = 0;
};

EffectGameAccess* GetEffectGameAccess();
void SetEffectGameAccess(EffectGameAccess* access);

// The values above, through the installed access or its neutral stand-ins.
Point<int> EffectCameraWorldPos();
bool EffectFixedStepTick();
bool EffectSecondStateFlag();
int32_t EffectFrameAdvance();
std::string EffectLevelName();
