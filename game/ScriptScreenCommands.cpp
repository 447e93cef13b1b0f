#include "characters/CharacterObject.h"
#include "characters/Player.h"
#include "engine/app/UsageObserver.h"
#include "engine/render/PostChain.h"
#include "engine/render/ShaderEffect_PostProcess.h"
#include "game/Game.h"
#include "game/ScriptGameCommands.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/SpacialInstance.h"
#include "script/Script.h"
#include "script/ScriptCommandSupport.h"
#include "ui/OverlayObject.h"
#include "ui/UI_Frame_Text.h"
#include "zones/Zone_TriggerScript.h"

#include <list>
#include <memory>

// The script commands that act on the screen effects, the interface, the
// ending and the trigger characters' place in the level's drawing.
namespace ScriptGameCommands {

using ScriptCommandSupport::CurrentLevel;
using ScriptCommandSupport::TriggerLevel;

namespace {

using TimedEffect = ShaderEffect_PostProcess_TimeDependent;

// One of the game's full-screen effects, or null while they do not exist.
TimedEffect* PostEffect(std::unique_ptr<TimedEffect> PostEffects::*which)
{
    Game* game = Game::GetInstance();
    if (game == nullptr || game->postEffects == nullptr)
        return nullptr;
    return ((*game->postEffects).*which).get();
}

} // namespace

bool RefreshGraphicalCollision(Script& script, const Tokens& tokens)
{
    Level* level = TriggerLevel(script);
    if (level == nullptr)
        return false;
    for (int i = 0; i < level->GetLayerCount(Level::kScene); ++i) {
        Layer* layer = level->GetLayerAt(Level::kScene, i);
        if (layer == nullptr)
            continue;
        // Collected first: the refresh itself adds to and removes from the
        // "Collisions" layer.
        const std::unique_ptr<std::list<Layer::Instance*>> found = layer->FindInstancesByName(tokens[0]);
        if (found == nullptr)
            continue;
        for (Layer::Instance* placed : *found) {
            if (auto* trigger = dynamic_cast<Zone_TriggerScript::Instance*>(placed->GetPayload()))
                trigger->UpdateScriptObject();
        }
    }
    Game* game = Game::GetInstance();
    if (game != nullptr && game->GetPlayer() != nullptr)
        game->GetPlayer()->SetCollisionChanged();
    return true;
}

bool ChangeNPCRenderAfterPlayer(Script& script, const Tokens& tokens)
{
    Game* game = Game::GetInstance();
    if (TriggerLevel(script) == nullptr || game == nullptr)
        return false;
    if (CharacterObject* character = game->FindCharacterByName(tokens[0], nullptr))
        character->SetDrawnFlagged(tokens[1] == "1");
    return true;
}

// The overlay screen's slide-in, which opening the overlay starts: its
// length is the overlay's slide speed.
bool ChangeFadeTimer(Script&, const Tokens& tokens)
{
    Game* game = Game::GetInstance();
    if (game == nullptr || game->overlayObject == nullptr)
        return false;
    game->overlayObject->slideSpeed = static_cast<float>(ScriptCommandSupport::Real(tokens[0]));
    return true;
}

bool ChangeFadeToBlack(Script&, const Tokens& tokens)
{
    NoteUse("effect", "fullFX_FadeToColorInv");
    TimedEffect* fade = PostEffect(&PostEffects::fadeToColorInv);
    if (fade == nullptr)
        return false;
    fade->SetDuration(static_cast<float>(ScriptCommandSupport::Real(tokens[0])));
    fade->Start(0);
    return true;
}

bool EnableWaterDisto(Script&, const Tokens&)
{
    NoteUse("effect", "fullFX_WaterEffect");
    TimedEffect* water = PostEffect(&PostEffects::water);
    if (water == nullptr)
        return false;
    water->Start(0);
    return true;
}

bool AddLayerInCinematic(Script&, const Tokens& tokens)
{
    Game* game = Game::GetInstance();
    Level* level = CurrentLevel();
    if (game == nullptr || level == nullptr)
        return false;
    if (Layer* layer = level->GetLayer(ScriptCommandSupport::Integer(tokens[0]), tokens[1]))
        game->cinematicLayers.push_back(layer);
    return true;
}

bool ShowEnding(Script&, const Tokens& tokens)
{
    Game* game = Game::GetInstance();
    if (game == nullptr)
        return false;
    game->ShowEnding(ScriptCommandSupport::Integer(tokens[0]));
    // The ending's text frame shows the completion and the play time.
    if (auto* text = dynamic_cast<UI_Frame_Text*>(game->endScoreFrame.get())) {
        const GameSaveData& data = game->saveData;
        text->ClearLines();
        text->SetText("DISCOVERED :" + std::to_string(data.GetCompletionPercent()) + "%"
            + std::string(24, ' ') + "TIME :" + data.FormatPlayTime());
        text->WrapLine(text->GetText());
    }
    return true;
}

bool EndGame(Script&, const Tokens&)
{
    Game* game = Game::GetInstance();
    if (game == nullptr)
        return false;
    game->GetAchievements().CheckEndOfGame();
    return true;
}

bool ForceToHideUI(Script&, const Tokens& tokens)
{
    Game* game = Game::GetInstance();
    if (game == nullptr)
        return false;
    if (tokens[0] != "1") {
        game->ShowGameplayUI();
        return true;
    }
    game->interfaceHidden = true;
    if (game->uiFrames.size() > 1 && game->uiFrames[1] != nullptr)
        game->uiFrames[1]->SetVisible(false);
    return true;
}

} // namespace ScriptGameCommands
