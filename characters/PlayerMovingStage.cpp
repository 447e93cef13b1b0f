#include "characters/PlayerMovingStage.h"

namespace {

constexpr int kChainLength = 5;
// Bounds the hand-overs of one step, so that stages configured with no or a
// negative duration cannot keep the chain turning for ever.
constexpr int kMaxHandOvers = 64;

} // namespace

int NextPlayerStage(int stage, bool spider)
{
    const int position = stage % kChainLength;
    const int next = position < kChainLength - 1 ? position + 1 : position;
    return (spider ? kChainLength : 0) + next;
}

int MoveStateAfterStage(int stage)
{
    switch (stage % kChainLength) {
    case 1:
        return 5;
    case 2:
        return 6;
    default:
        return -1;
    }
}

void AdvancePlayerStage(const PlayerMovingStages& stages, bool spider, PlayerStageClock& clock,
    float& verticalSpeed, int& moveState, double dt)
{
    if (clock.stage < 0 || clock.stage >= static_cast<int>(stages.size()))
        return;
    double elapsed = clock.elapsed + dt;
    for (int i = 0; i < kMaxHandOvers; ++i) {
        const PlayerMovingStage& leaving = stages[static_cast<size_t>(clock.stage)];
        if (leaving.TimeDuration == -1.0 || !(leaving.TimeDuration < elapsed))
            break;
        verticalSpeed = leaving.SpeedEnd;
        elapsed -= leaving.TimeDuration;
        const int state = MoveStateAfterStage(clock.stage);
        if (state != -1)
            moveState = state;
        clock.stage = NextPlayerStage(clock.stage, spider);
    }
    const PlayerMovingStage& stage = stages[static_cast<size_t>(clock.stage)];
    const double remaining = stage.TimeDuration - elapsed;
    if (stage.ConstantSpeed || remaining == 0.0) {
        verticalSpeed = stage.SpeedEnd;
    } else {
        verticalSpeed += static_cast<float>((stage.SpeedEnd - verticalSpeed) * dt / remaining);
    }
    clock.elapsed = elapsed;
}
