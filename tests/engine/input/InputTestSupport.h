#pragma once

#include "engine/input/InputActions.h"
#include "engine/input/InputTriggerer.h"

#include <ostream>

// Readable failure messages for bindings.
inline void PrintTo(const InputTriggerer& t, std::ostream* os)
{
    *os << "(" << t.code << ", " << t.direction << ")";
}

// A record with this direction and these flags set.
template <typename... Flags> InputActions Actions(float x, float y, Flags... flags)
{
    InputActions actions;
    actions.x = x;
    actions.y = y;
    ((actions.*flags = true), ...);
    return actions;
}
