#include "script/BGEvent_Wait.h"

#include "script/EventTick.h"

#include <utility>

BGEvent_Wait::BGEvent_Wait(std::string name_, int ticks)
    : BackgroundEvent(std::move(name_))
{
    params[2] = ticks;
}

bool BGEvent_Wait::Update()
{
    BackgroundEvent::Update();
    if (!IsLogicTick() || finished)
        return true;
    if (params[2] < 2)
        finished = true;
    else
        --params[2];
    return true;
}
