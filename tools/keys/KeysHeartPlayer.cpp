#include "tools/keys/KeysHeartPlayer.h"

#include <cstdlib>

namespace {

// The half step back: once walking west has stopped him, one short tap east
// at once, then the walking key west again, which faces him west.
constexpr double kTapEastAt = 0.0;
constexpr double kTapWestAt = 200.0;

} // namespace

KeysHeartPlayer::KeysHeartPlayer(Way chosen)
    : way(chosen)
{
}

const char* KeysHeartPlayer::StepName(Step step)
{
    switch (step) {
    case Step::Entry:
        return "entry";
    case Step::WestCells:
        return "west cells";
    case Step::EastCells:
        return "east cell";
    case Step::Maw:
        return "maw";
    }
    return "?";
}

const HeartScreen::Reading* KeysHeartPlayer::Seen(double nowMs) const
{
    const HeartScreen::Reading* seen = nullptr;
    for (const auto& [at, reading] : readings) {
        if (at > nowMs - kReactionMs)
            break;
        seen = &reading;
    }
    return seen;
}

void KeysHeartPlayer::Follow(double nowMs, const HeartScreen::Reading& seen)
{
    const Step before = step;
    switch (step) {
    case Step::Entry:
        // Down in the arena: the camera shows its floor and its cells.
        if (seen.westAlive)
            step = Step::WestCells;
        break;
    case Step::WestCells:
        if (seen.eastLit)
            step = Step::EastCells;
        break;
    case Step::EastCells:
        if (seen.eastLit) {
            eyeDarkSince = -1.0;
        } else if (eyeDarkSince < 0.0) {
            eyeDarkSince = nowMs;
        }
        if (seen.mawShown || (eyeDarkSince >= 0.0 && nowMs - eyeDarkSince >= kDarkEyeMs))
            step = Step::Maw;
        break;
    case Step::Maw:
        break;
    }
    if (step != before)
        stepStart = nowMs;
}

KeysHeartPlayer::Keys KeysHeartPlayer::Strike(double nowMs, Keys keys)
{
    if (nowMs - lastBlow >= kMinMsBetweenBlows) {
        lastBlow = nowMs;
        keys.strike = true;
    }
    return keys;
}

KeysHeartPlayer::Keys KeysHeartPlayer::Walk(
    double nowMs, int side, const HeartScreen::Reading* seen, bool overTheStone)
{
    Keys keys;
    keys.left = side < 0;
    keys.right = side > 0;
    if (nowMs - jumpFrom < kJumpMs) {
        keys.jump = true;
        return keys;
    }
    // West over the stone he lets go once past it and drops to the floor:
    // carried on, the jump lands him on the ledge over the block.
    if (side < 0 && nowMs - jumpFrom < kDropMs) {
        keys.left = false;
        return keys;
    }
    if (!overTheStone || seen == nullptr || seen->playerX < 0 || nowMs - jumpFrom < kJumpEveryMs)
        return keys;
    // Against the stone's east face going west, or its west face (32 px
    // west of it) going east.
    const int face = HeartScreen::kStoneEastFace;
    const bool against = side < 0 ? seen->playerX > face && seen->playerX < face + 40
                                  : seen->playerX > face - 90 && seen->playerX < face - 32;
    if (against) {
        jumpFrom = nowMs;
        keys.jump = true;
    }
    return keys;
}

KeysHeartPlayer::Keys KeysHeartPlayer::HalfStepBack(double nowMs, const HeartScreen::Reading* seen)
{
    Keys keys;
    const int x = seen != nullptr ? seen->playerX : -1;
    if (tapsFrom < 0.0) {
        // West until walking stops him, swinging on his way as at the walls
        // (the chain grows at him). Wherever walking west holds him off the
        // floor (the ledge over the block, where a jump over the stone can
        // land him) he keeps pushing and striking as at the walls; a hit
        // throws him down.
        keys.left = true;
        // (His glow sways a pixel or two as he pushes on the spot; a
        // picture without him, as he blinks after a hit, says nothing.)
        if (x >= 0 && std::abs(x - lastX) > 3) {
            lastX = x;
            stillSince = nowMs;
        } else if (x >= 0 && nowMs - stillSince >= kStillMs && x <= kWestStopMaxX) {
            stopX = x;
            tapsFrom = nowMs;
            taps = halfStepTried ? 2 : 0;
        }
        return Strike(nowMs, keys);
    }
    const double after = nowMs - tapsFrom;
    // Once: a short tap east (held for one look) for half a step back, then
    // west again. He does not swing while he faces east.
    if (taps == 0 && after >= kTapEastAt) {
        taps = 1;
        keys.right = true;
        return keys;
    }
    if (taps == 1) {
        if (after >= kTapWestAt) {
            taps = 2;
            halfStepTried = true;
            keys.left = true;
        }
        return keys;
    }
    // A key moves him a whole step (or none): a step east of where walking
    // stopped his blow no longer reaches, so he keeps the west key held,
    // pushing where walking stops and facing the cells, as at the walls.
    // Thrown off by a hit, he looks for the stop anew.
    keys.left = true;
    if (x > stopX + kPushedOff) {
        tapsFrom = -1.0;
        lastX = x;
        stillSince = nowMs;
    }
    return Strike(nowMs, keys);
}

KeysHeartPlayer::Keys KeysHeartPlayer::Act(double nowMs, const HeartScreen::Reading& reading)
{
    if (start < 0.0)
        start = stepStart = nowMs;
    readings.emplace_back(nowMs, reading);
    while (readings.size() > 2 && readings[1].first <= nowMs - kReactionMs)
        readings.pop_front();
    const HeartScreen::Reading* seen = Seen(nowMs);
    if (seen != nullptr)
        Follow(nowMs, *seen);
    Keys keys;
    switch (step) {
    case Step::Entry:
        keys.right = true;
        return keys;
    case Step::WestCells:
        // Landed east of the stone: west over it first.
        if (seen != nullptr && seen->playerX > HeartScreen::kStoneEastFace) {
            stepStart = nowMs;
            return Walk(nowMs, -1, seen, true);
        }
        if (way == Way::HalfStepBackFromTheWest)
            return HalfStepBack(nowMs, seen);
        return Strike(nowMs, Walk(nowMs, -1, seen, false));
    case Step::EastCells:
        // Back only once a stone flies: stepping back as the cell winds up
        // would have it thrown at him by the stone.
        if (way == Way::StepBackFromStones && seen != nullptr && seen->stoneShown)
            return Walk(nowMs, -1, seen, false);
        keys = Walk(nowMs, 1, seen, true);
        return keys.jump ? keys : Strike(nowMs, keys);
    case Step::Maw:
        return Strike(nowMs, Walk(nowMs, -1, seen, false));
    }
    return keys;
}
