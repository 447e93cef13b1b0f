#pragma once

#include <array>
#include <string>

// One vertical-movement stage of the player: the speed reached at its end,
// whether the speed stays constant, and how long it lasts in milliseconds
// (-1 for no time limit).
struct PlayerMovingStage {
    float SpeedEnd = 0.0f;
    bool ConstantSpeed = false;
    double TimeDuration = 0.0;
};

// The ten stages, in the order the tuning command names them.
enum class PlayerStage {
    Jump0,
    Jump1,
    EndJump,
    Fall0,
    Fall1,
    SpiderJump0,
    SpiderJump1,
    SpiderEndJump,
    SpiderFall0,
    SpiderFall1,
    Count
};

constexpr std::array<const char*, static_cast<int>(PlayerStage::Count)> kPlayerStageNames = {"jump0", "jump1",
    "endjump", "fall0", "fall1", "spiderjump0", "spiderjump1", "spiderendjump", "spiderfall0", "spiderfall1"};

using PlayerMovingStages = std::array<PlayerMovingStage, static_cast<int>(PlayerStage::Count)>;
