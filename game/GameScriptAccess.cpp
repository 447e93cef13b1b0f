// The game's side of what scripts, dialogues and cut-scene events ask of it.
#include "game/GameScriptAccess.h"
#include "scene/SpacialInstance.h"
#include "ui/UI_Frame_Dialogue.h"

UI_Frame_Dialogue* GameScriptAccess::GetDialogueFrame()
{
    if (game.uiFrames.empty() || game.uiFrames.front() == nullptr)
        return nullptr;
    return dynamic_cast<UI_Frame_Dialogue*>(game.uiFrames.front()->GetPrototype());
}

void GameScriptAccess::SetDialogueFrameVisible(bool visible)
{
    if (!game.uiFrames.empty() && game.uiFrames.front() != nullptr)
        game.uiFrames.front()->SetVisible(visible);
}
