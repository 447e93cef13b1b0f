#pragma once

#include <cstdint>
#include <string>

class AbstractInputManager;
class Camera;
class CharacterObject;
class GameConfig;
class GraphicalObject;
class IRenderEngine;
class Level;
class Player;
class ScriptVar;
class UI_Font;
class UI_Frame_Dialogue;

// What scripts, their variables, dialogues and cut-scene events ask of the
// game object. The game installs itself with SetScriptGameAccess while it
// exists; without it there is no level, no player and no variable beyond a
// script's own, and every request does nothing.
class ScriptGameAccess {
public:
    virtual ~ScriptGameAccess() = default;

    virtual Level* GetCurrentLevel() = 0;
    virtual Player* GetPlayer() = 0;
    virtual Camera* GetCamera() = 0;
    virtual GameConfig* GetConfig() = 0;
    virtual AbstractInputManager* GetInputManager() = 0;
    virtual IRenderEngine* GetRenderEngine() = 0;
    virtual GraphicalObject* FindGraphicalObject(const std::string& name) = 0;
    virtual UI_Font* FindFont(const std::string& name) = 0;
    // A new character of the class, named `name`, in the game's live list
    // (the list owns it); null for a class the factory does not know.
    virtual CharacterObject* CreateCharacterByClass(const std::string& name, const std::string& className)
        = 0;

    // The game's global and save variables (names in lower case); Find
    // gives null for an unknown name, Create adds one.
    virtual ScriptVar* FindGlobalVar(const std::string& name) = 0;
    virtual ScriptVar* FindSaveVar(const std::string& name) = 0;
    virtual ScriptVar* CreateGlobalVar(const std::string& name) = 0;
    virtual ScriptVar* CreateSaveVar(const std::string& name) = 0;

    // The dialogue box of the interface (its prototype), or null, and
    // showing or hiding it.
    virtual UI_Frame_Dialogue* GetDialogueFrame() = 0;
    virtual void SetDialogueFrameVisible(bool visible) = 0;
    // No layer shows above a pickup cut-scene's darkening any more.
    virtual void ClearCinematicLayers() = 0;
    // The game's pickup kind, which the pickup cut-scene plays
    // ("Event_RunPickupCinematic"'s mode; 0 when none is set).
    virtual int GetPickupCinematicKind() = 0;
    // A line in the debug console's message list for `frames` frames.
    virtual void AddDebugMessage(const std::string& text, uint32_t colour, double frames) = 0;
};

ScriptGameAccess* GetScriptGameAccess();
void SetScriptGameAccess(ScriptGameAccess* access);
