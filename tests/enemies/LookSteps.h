#pragma once

#include "game/Game.h"
#include "scene/GraphicalObject.h"

#include <memory>
#include <string>

// Updates of `step` milliseconds that a copy of the library's look of that
// name, restarted as a character restarts a new look (its first update only
// clears the restart), takes until its animation has finished; -1 without
// such a look or past the limit. A character that restarts the look before
// stepping it sees it finished at the end of that many updates of its own.
inline int UpdatesToFinish(const std::string& name, double step = 33.0, int limit = 1000)
{
    std::unique_ptr<GraphicalObject> look(Game::GetInstance()->FindGraphicalObject(name, true));
    if (look == nullptr)
        return -1;
    look->RestartAnimations(true);
    for (int update = 1; update <= limit; ++update) {
        look->Update(step);
        if (look->IsAnimationFinished())
            return update;
    }
    return -1;
}
