#include "zones/Zone_Teleport.h"

#include "engine/input/AbstractInputManager.h"
#include "game/Game.h"
#include "scene/Level.h"
#include "scene/SpacialInstance.h"
#include "script/BGEvent_DialogueManager.h"
#include "script/BGEvent_ShowText.h"
#include "ui/UI_Frame_Player.h"
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
// any kind already runs. A help file that cannot be read is not tried again
// by this teleporter: an empty dialogue would end at once and come back on
// every frame.
void ShowUseHint(Level& level, Zone_Teleport::Instance& teleport)
{
    if (BackgroundEvent::FindByTypeName("BGEvent_ShowText") == nullptr)
        ZoneRequests::ShowText(kUseTextName, "Press 'A' to use teleporter", -1);
    if (teleport.hintUnavailable || BackgroundEvent::FindByTypeName("BGEvent_DialogueManager") != nullptr)
        return;
    auto hint = std::make_unique<BGEvent_DialogueManager>(kHintName);
    if (!BGEvent_DialogueManager::LoadFromFile(hint.get(), "Infos_auto.h", 0) || hint->GetLines().empty()) {
        teleport.hintUnavailable = true;
        return;
    }
    auto* queued = static_cast<BGEvent_DialogueManager*>(level.AddBackgroundEvent(hint.release()));
    if (queued != nullptr) {
        queued->Start();
        queued->CompleteLine(-1);
    }
}

// Records the level's teleporter, says so and counts it.
void Discover(Game& game, const Level* level)
{
    const std::string name = level != nullptr ? level->GetName() : std::string();
    game.AddTeleport(name, name, level != nullptr ? level->GetMinimapPoint() : Point<int>(-1, -1));
    ZoneRequests::ShowText("DiscoverTeleport", "You discovered a new teleporter !", 30);
    game.IncrementGameScore(game.saveData);
    if (game.uiFrames.size() > 2 && game.uiFrames[1] != nullptr)
        if (auto* hud = dynamic_cast<UI_Frame_Player*>(game.uiFrames[1]->GetPrototype()))
            hud->ShowTeleportMessage();
}

} // namespace

void Zone_Teleport::Instance::Spawn(int /*x*/, int /*y*/, Level* level)
{
    Game* game = Game::GetInstance();
    if (level != nullptr && pending && game != nullptr)
        discovered = game->FindTeleportByLevel(level->GetName()) != nullptr;
    pending = false;
}

bool Zone_Teleport::UpdateInstance(Placed* placed)
{
    Game* game = Game::GetInstance();
    auto* teleport = placed != nullptr ? dynamic_cast<Instance*>(placed->GetPayload()) : nullptr;
    if (game == nullptr || game->GetPlayer() == nullptr || teleport == nullptr)
        return false;
    if (!PlayerTouchesZone(placed)) {
        HideUseHint();
        return false;
    }
    Level* level = game->GetCurrentLevel();
    if (!teleport->discovered) {
        Discover(*game, level);
        teleport->discovered = true;
    }
    if (game->teleports.size() < 2 || level == nullptr)
        return false;
    ShowUseHint(*level, *teleport);
    // A fresh press of the use action; one held while walking in does not
    // count, nor one that reads a running dialogue on (the level's own
    // dialogue on arrival by teleporter).
    const BackgroundEvent* dialogue = BackgroundEvent::FindByTypeName("BGEvent_DialogueManager");
    if (dialogue != nullptr && dialogue->GetName() != kHintName)
        return false;
    if (AbstractInputManager* input = game->GetInputManager()) {
        if (input->GetPressedActions().attack && !input->GetPreviousActions().attack)
            game->OpenTeleportMenu();
    }
    return false;
}
