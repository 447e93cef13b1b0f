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

// Where the player is in the stage chain: the stage (an index of the ten,
// -1 for none) and the milliseconds spent in it.
struct PlayerStageClock {
    int stage = -1;
    double elapsed = 0.0;
};

// The first stage of each chain position, and the move state written when
// the chain leaves a stage (5 after jump1, 6 after endjump, else -1).
int NextPlayerStage(int stage, bool spider);
int MoveStateAfterStage(int stage);

// Advances the chain by dt milliseconds (the spider chain when spider is
// set): stages whose time is over hand on to the next one at their end
// speed, writing the move state they set, then the vertical speed follows
// the stage. A stage with no time left takes its end speed at once.
void AdvancePlayerStage(const PlayerMovingStages& stages, bool spider, PlayerStageClock& clock,
    float& verticalSpeed, int& moveState, double dt);
