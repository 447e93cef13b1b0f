// The game's side of what the scene model asks of it.
#include "characters/Player.h"
#include "game/Game.h"

SceneCharacter* Game::SceneAccess::GetLiveCharacter(size_t index)
{
    return game.GetCharacter(index);
}

void Game::SceneAccess::DrawPlayer(DXGraphicalSurface* target, Point<int> offset)
{
    if (Player* player = game.GetPlayer()) {
        player->Draw(target, offset);
        game.KeepPlayersLastLook();
    }
}
