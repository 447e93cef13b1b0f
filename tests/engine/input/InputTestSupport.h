#pragma once

#include "engine/input/InputActions.h"
#include "engine/input/InputTriggerer.h"

#include <ostream>

// Readable failure messages: the direction and the flags that are set.
inline void PrintTo(const InputActions& a, std::ostream* os)
{
    *os << "{x " << a.x << ", y " << a.y;
    const std::pair<const char*, bool> flags[] = {{"Action1", a.Action1}, {"Action2", a.Action2},
        {"Action3", a.Action3}, {"Action4", a.Action4}, {"Action5", a.Action5}, {"Action6", a.Action6},
        {"Action7", a.Action7}, {"Action8", a.Action8}, {"Action9", a.Action9}, {"Action10", a.Action10},
        {"Confirm", a.Confirm}, {"Back", a.Back}, {"Erase", a.Erase}, {"KeyROrPad3", a.KeyROrPad3},
        {"Spare", a.Spare}, {"MenuLeft", a.MenuLeft}, {"MenuRight", a.MenuRight}, {"MenuUp", a.MenuUp},
        {"MenuDown", a.MenuDown}, {"RawTab", a.RawTab}, {"RawShift", a.RawShift}, {"RawCtrl", a.RawCtrl},
        {"RawRightAlt", a.RawRightAlt}, {"RawBackspace", a.RawBackspace}, {"RawEnter", a.RawEnter}};
    for (const auto& [name, set] : flags)
        if (set)
            *os << ", " << name;
    *os << "}";
}

inline void PrintTo(const InputTriggerer& t, std::ostream* os)
{
    *os << "(" << t.code << ", " << t.direction << ")";
}

// A record built flag by flag, for exact comparisons.
template <typename... Flags> InputActions Actions(float x, float y, Flags... flags)
{
    InputActions actions;
    actions.x = x;
    actions.y = y;
    ((actions.*flags = true), ...);
    return actions;
}
