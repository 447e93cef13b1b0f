#pragma once

#include "characters/Player.h"
#include "tools/run/RunPilot.h"

#include "tests/run/RunFixture.h"

#include <functional>
#include <string>
#include <utility>

// A walk through the assembled world by the run's pilot (keys pressed
// through the game's own input), with the pilot's looks and moves at hand.
class WorldPilotWalk : public RunFixture {
protected:
    explicit WorldPilotWalk(std::string scratch)
        : RunFixture(std::move(scratch))
    {
    }

    Player& ThePlayer() { return *pilot->ThePlayer(); }
    float X() { return pilot->X(); }
    float Y() { return pilot->Y(); }
    std::string LevelName() { return pilot->LevelName(); }
    std::string SaveVar(const std::string& name) { return pilot->SaveVar(name); }
    void Pass(const RunPilot::Keys& keys = {}) { pilot->Pass(keys); }
    bool WaitUntil(const std::function<bool()>& done, int limit = 600)
    {
        return pilot->WaitUntil(done, limit);
    }
    bool WalkTo(float x, int limit = 1500) { return pilot->WalkTo(x, limit); }
    bool WalkOut(float x, const std::string& nextLevel) { return pilot->WalkOut(x, nextLevel); }
};
