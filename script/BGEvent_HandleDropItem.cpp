#include "script/BGEvent_HandleDropItem.h"

#include <utility>

BGEvent_HandleDropItem::BGEvent_HandleDropItem(std::string name_, int kind_, Point<int> position_)
    : BackgroundEvent(std::move(name_))
    , kind(kind_)
    , position(position_)
{
}

bool BGEvent_HandleDropItem::Update()
{
    BackgroundEvent::Update();
    finished = true;
    return true;
}
