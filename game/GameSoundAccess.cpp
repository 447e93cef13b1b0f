// The game's side of what the sound code asks of it.
#include "game/GameSoundAccess.h"

#include "characters/Player.h"

bool GameSoundAccess::GetPlayerBox(float& x, float& y, int& width, int& height)
{
    Player* player = game.GetPlayer();
    if (player == nullptr)
        return false;
    x = player->GetPosition().x;
    y = player->GetPosition().y;
    width = player->GetSize().x;
    height = player->GetSize().y;
    return true;
}
