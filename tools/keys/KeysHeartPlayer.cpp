#include "tools/keys/KeysHeartPlayer.h"

#include <cstdlib>

namespace {

// The half step back: once walking west has stopped him, one short tap east,
// then one short tap west that faces him west again.
constexpr double kTapEastAt = 150.0;
constexpr double kTapWestAt = 450.0;

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
        // West until walking stops him.
        keys.left = true;
        // Not on the floor for a while: up on the ledge over the block (a
        // jump over the stone can land him there): east off it, then west
        // again along the floor.
        if (nowMs < offLedgeUntil) {
            keys.left = false;
            keys.right = true;
            return keys;
        }
        if (x < 0) {
            // (A picture without him, as he blinks after a hit, says nothing.)
            if (unseenSince < 0.0)
                unseenSince = nowMs;
            if (nowMs - unseenSince >= kOffFloorMs) {
                offLedgeUntil = nowMs + kOffLedgeMs;
                unseenSince = -1.0;
            }
            return Strike(nowMs, keys);
        }
        unseenSince = -1.0;
        // (His glow sways a pixel or two as he pushes on the spot.)
        if (std::abs(x - lastX) > 3) {
            lastX = x;
            stillSince = nowMs;
        } else if (nowMs - stillSince >= kStillMs && x <= kWestStopMaxX) {
            stopX = x;
            tapsFrom = nowMs;
            taps = 0;
            return keys;
        }
        // Swinging on his way, as at the walls: the chain grows at him.
        return Strike(nowMs, keys);
    }
    const double after = nowMs - tapsFrom;
    // A short tap east, then a short tap west (each held for one look):
    // half a step back at most, facing west again.
    if (taps == 0 && after >= kTapEastAt) {
        taps = 1;
        keys.right = true;
        return keys;
    }
    if (taps == 1 && after >= kTapWestAt) {
        taps = 2;
        keys.left = true;
        return keys;
    }
    if (after < kTapWestAt + 200.0)
        return keys;
    // Pushed off his place (a cell's hit throws him back): back to it.
    if (x > stopX + kPushedOff) {
        tapsFrom = -1.0;
        lastX = x;
        stillSince = nowMs;
        keys.left = true;
        return keys;
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
