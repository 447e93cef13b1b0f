#include "zones/Zone_Save.h"

#include "characters/Player.h"
#include "zones/ZoneGameAccess.h"
#include "zones/ZoneRequests.h"

bool Zone_Save::UpdatePlayerContact(Placed* placed)
{
    auto* save = placed != nullptr ? dynamic_cast<Instance*>(placed->GetPayload()) : nullptr;
    if (save == nullptr || !save->IsEnabled() || !PlayerTouchesZone(placed))
        return false;
    // The life is refilled first, whatever the save does.
    ZoneGameAccess* game = GetZoneGameAccess();
    if (game == nullptr)
        return false;
    if (Player* player = game->GetPlayer())
        player->SetLife(player->GetMaxLife());
    const Point<float> at = placed->GetPosition();
    const int facing = save->direction.value == "Right" ? 1 : -1;
    const bool saved = ZoneRequests::SaveGameAt(at.x, at.y, facing);
    // Used once per level load, whether or not the file could be written.
    save->SetEnabled(false);
    // Without a chosen slot nothing is meant to be saved; a write that failed
    // is shown too (the save itself names the file and the reason).
    if (saved)
        ZoneRequests::ShowText("Save", "Saved !", 30);
    else if (game->GetCurrentSaveSlot() >= 0)
        ZoneRequests::ShowText("Save", "Not saved !", 30);
    return false;
}
