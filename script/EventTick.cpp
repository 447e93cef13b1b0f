#include "script/EventTick.h"

#include "game/Game.h"

bool IsLogicTick()
{
    const Game* game = Game::GetInstance();
    return game == nullptr || game->fixedStepTick != 0;
}
