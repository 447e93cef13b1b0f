#pragma once

#include "script/BackgroundEvent.h"

#include <string>

// Waits a number of logic ticks: a wait of N >= 2 finishes on its N-th tick,
// one of 1 or less on its first.
class BGEvent_Wait : public BackgroundEvent {
public:
    BGEvent_Wait(std::string name, int ticks);

    bool Update() override;
    std::string GetTypeName() const override { return "BGEvent_Wait"; }

    int GetRemaining() const { return params[2]; }
};
