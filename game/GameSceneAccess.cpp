// The game's side of what the scene model asks of it.
#include "game/GameSceneAccess.h"
#include "characters/Player.h"

#include <algorithm>

SceneCharacter* GameSceneAccess::GetLiveCharacter(size_t index)
{
    return game.GetCharacter(index);
}

SceneCharacter* GameSceneAccess::GetPlayerCharacter()
{
    return game.GetPlayer();
}

void GameSceneAccess::PlacePlayerAtSavedPosition()
{
    if (Player* player = game.GetPlayer())
        player->SetPosition(game.saveData.GetPosition());
}

void GameSceneAccess::DrawPlayer(DXGraphicalSurface* target, Point<int> offset)
{
    if (Player* player = game.GetPlayer()) {
        player->Draw(target, offset);
        game.KeepPlayersLastLook();
    }
}

bool GameSceneAccess::IsCapturedLayer(const Layer* layer)
{
    return layer != nullptr
        && std::find(game.cinematicLayers.begin(), game.cinematicLayers.end(), layer)
        != game.cinematicLayers.end();
}

void GameSceneAccess::DrawPlayerFireflies(DXGraphicalSurface* target, Point<int> offset)
{
    if (Player* player = game.GetPlayer())
        player->RenderFireflies(target, offset);
}
