#include "zones/Zone_Teleport.h"

#include "game/Game.h"
#include "scene/Level.h"
#include "zones/ZoneRequests.h"

namespace {

bool HasTeleportRecord(const Game& game, const std::string& levelName)
{
    for (const TeleportInfo& info : game.teleports)
        if (info.levelFile == levelName)
            return true;
    return false;
}

} // namespace

void Zone_Teleport::Instance::Spawn(int /*x*/, int /*y*/, Level* level)
{
    Game* game = Game::GetInstance();
    if (level != nullptr && pending && game != nullptr)
        discovered = HasTeleportRecord(*game, level->GetName());
    pending = false;
}

bool Zone_Teleport::UpdateInstance(Placed* placed)
{
    Game* game = Game::GetInstance();
    auto* teleport = placed != nullptr ? dynamic_cast<Instance*>(placed->GetPayload()) : nullptr;
    if (game == nullptr || game->GetPlayer() == nullptr || teleport == nullptr)
        return false;
    if (!PlayerTouchesZone(placed))
        return false;
    if (!teleport->discovered) {
        Level* level = game->GetCurrentLevel();
        const std::string levelName = level != nullptr ? level->GetName() : std::string();
        game->teleports.push_back(TeleportInfo {levelName, levelName, Point<int>()});
        teleport->discovered = true;
        ZoneRequests::ShowText("DiscoverTeleport", "You discovered a new teleporter !", 30);
        ZoneRequests::IncrementGameScore();
    }
    // The use hint, its help dialogue and the teleport menu need the level's
    // text and dialogue events and the overlay screen; with fewer than two
    // teleporters there is nothing to offer anyway.
    return false;
}
