#include "zones/Zone_ClimbJump.h"

#include "characters/Player.h"
#include "engine/app/DevConsole.h"
#include "engine/serial/Rect.h"
#include "scene/SceneGameAccess.h"

bool Zone_ClimbJump::BodyInZone(Point<int> corner, Point<int> size, Point<int> player)
{
    const Rect<int> zone
        = Rect<int>(corner.x, corner.y, corner.x + size.x - 1, corner.y + size.y - 1).Normalized();
    for (int column : {0, kBodyWidth, kBodyWidth / 2}) {
        const Point<int> feet(player.x + column, player.y);
        const Point<int> head(player.x + column, player.y + kBodyHeight);
        if (zone.Contains(feet, false) && zone.Contains(head, false))
            return true;
    }
    return false;
}

bool Zone_ClimbJump::UpdatePlayerContact(Placed* placed)
{
    SceneGameAccess* game = GetSceneGameAccess();
    Player* player = GetGamePlayer();
    auto* zone = placed != nullptr ? dynamic_cast<Instance*>(placed->GetPayload()) : nullptr;
    if (player == nullptr || zone == nullptr)
        return false;
    const Point<float> at = placed->GetPosition();
    const Point<float> p = player->GetPosition();
    const bool inside = BodyInZone(Point<int>(static_cast<int>(at.x), static_cast<int>(at.y)),
        zone->GetSize(), Point<int>(static_cast<int>(p.x), static_cast<int>(p.y)));
    if (inside) {
        player->inClimbZone = true;
        player->currentClimbZone = zone;
        const bool climbing
            = player->GetMoveState() == Player::kHanging || player->GetMoveState() == Player::kClimbing;
        if (DevConsole* console = game != nullptr ? game->GetConsole() : nullptr)
            console->AddDebugMessage(false, climbing ? "=> Climbing ..." : "ClimbZone",
                climbing ? kClimbingColour : kClimbZoneColour, 2.0);
        return false;
    }
    // Only the zone that set the flag clears it, so zones side by side act
    // as one: the next zone of the pass sets it again.
    if (player->currentClimbZone == zone) {
        player->currentClimbZone = nullptr;
        if (player->inClimbZone)
            player->climbSkip = true;
        player->inClimbZone = false;
    }
    if (player->currentClimbZone == nullptr)
        player->inClimbZone = false;
    return false;
}
