#include "zones/Zone_Teleport.h"

#include "engine/input/AbstractInputManager.h"
#include "scene/BackgroundEvent.h"
#include "scene/Level.h"
#include "scene/SpacialInstance.h"
#include "zones/ZoneGameAccess.h"
#include "zones/ZoneRequests.h"

#include <memory>

namespace {

constexpr const char* kUseTextName = "CanUseTeleport";
constexpr const char* kHintName = "BGEvent_DialogShowHint_Teleport";

// Takes the use text and the help dialogue away when they are the ones
// running (a script's own text or dialogue is left alone).
void HideUseHint()
{
    BackgroundEvent* text = BackgroundEvent::FindByTypeName("BGEvent_ShowText");
    if (text != nullptr && text->GetName() == kUseTextName)
        text->Finish();
    BackgroundEvent* dialogue = BackgroundEvent::FindByTypeName("BGEvent_DialogueManager");
    if (dialogue != nullptr && dialogue->GetName() == kHintName) {
        dialogue->SetFinished(true);
        dialogue->Finish();
    }
}

// Shows the use text and the help dialogue unless a text or a dialogue of
// any kind already runs: a hint read to its end comes again while the
// player stays in the ring. A help file that cannot be read is not tried again
// by this teleporter: an empty dialogue would end at once and come back on
// every frame.
void ShowUseHint(ZoneGameAccess& game, Level& level, Zone_Teleport::Instance& teleport)
{
    if (BackgroundEvent::FindByTypeName("BGEvent_ShowText") == nullptr)
        ZoneRequests::ShowText(kUseTextName, "Press 'A' to use teleporter", -1);
    if (teleport.hintUnavailable || BackgroundEvent::FindByTypeName("BGEvent_DialogueManager") != nullptr)
        return;
    if (!game.ShowDialogue(level, kHintName, "Infos_auto.h"))
        teleport.hintUnavailable = true;
}

} // namespace

void Zone_Teleport::Instance::Spawn(int /*x*/, int /*y*/, Level* level)
{
    ZoneGameAccess* game = GetZoneGameAccess();
    if (level != nullptr && pending && game != nullptr)
        discovered = game->IsTeleportKnown(level->GetName());
    pending = false;
}

bool Zone_Teleport::UpdateInstance(Placed* placed)
{
    ZoneGameAccess* game = GetZoneGameAccess();
    auto* teleport = placed != nullptr ? dynamic_cast<Instance*>(placed->GetPayload()) : nullptr;
    if (game == nullptr || game->GetPlayer() == nullptr || teleport == nullptr)
        return false;
    if (!PlayerTouchesZone(placed)) {
        HideUseHint();
        return false;
    }
    Level* level = game->GetCurrentLevel();
    if (!teleport->discovered) {
        game->DiscoverTeleport(level);
        teleport->discovered = true;
    }
    if (game->GetTeleportCount() < 2 || level == nullptr)
        return false;
    ShowUseHint(*game, *level, *teleport);
    // A fresh press of the use action; one held while walking in does not
    // count, nor one that reads a running dialogue on (the level's own
    // dialogue on arrival by teleporter).
    const BackgroundEvent* dialogue = BackgroundEvent::FindByTypeName("BGEvent_DialogueManager");
    if (dialogue != nullptr && dialogue->GetName() != kHintName)
        return false;
    if (AbstractInputManager* input = game->GetInputManager()) {
        if (input->GetPressedActions().Action3 && !input->GetPreviousActions().Action3)
            game->OpenTeleportMenu();
    }
    return false;
}
