#pragma once

#include "engine/serial/Point.h"

#include <list>
#include <string>

class AbstractInputManager;
class GameConfig;
class GraphicalObject;
class IRenderEngine;
class ISoundEngine;
class MapModel;
class Player;
class ProfileTimer;
class UI_Font;

// What the interface's frames and the menus ask of the game object: the
// library's pictures and fonts, the configuration and devices, the player's
// state the HUD draws, the save slots and the menu's requests. The game
// installs itself with SetUIGameAccess while it exists; without it the frames
// find nothing and draw nothing of the game.
class UIGameAccess {
public:
    virtual ~UIGameAccess() = default;

    // The library's graphical object (a copy owned by the caller when
    // `clone`), or null.
    virtual GraphicalObject* FindGraphicalObject(const std::string& name, bool clone) = 0;
    virtual UI_Font* FindFont(const std::string& name) = 0;
    virtual GameConfig* GetConfig() = 0;
    virtual AbstractInputManager* GetInputManager() = 0;
    virtual ISoundEngine* GetSoundEngine() = 0;
    virtual IRenderEngine* GetRenderEngine() = 0;
    // The debug console's profile timers.
    virtual std::list<ProfileTimer>& GetProfileTimers() = 0;

    virtual Player* GetPlayer() = 0;
    virtual bool HasLevel() = 0;
    // Whether this frame runs a fixed logic step (timed effects advance).
    virtual bool IsFixedStepTick() = 0;
    virtual MapModel* GetMinimapModel() = 0;
    // The pickup cut-scene's kind and the object it shows on the HUD, at
    // its position.
    virtual int GetPickupCinematicKind() = 0;
    virtual GraphicalObject* GetCinematicObject() = 0;
    virtual Point<int> GetCinematicPosition() = 0;
    // Draws the map around the current cell into the minimap window at
    // `origin` of `size`, scrolled by `scroll`.
    virtual void DrawMinimapMap(Point<int> origin, Point<int> scroll, Point<int> size) = 0;

    // Whether the menus may read input now (no other interface state holds
    // it).
    virtual bool IsMenuInputFree() = 0;
    virtual void SetMenuFlag(bool menu) = 0;
    virtual void ReturnToTitle() = 0;
    // An orderly end: the main loop shuts the game down.
    virtual void RequestQuit() = 0;
    // Plays the slot: its save when it has one, else a new game.
    virtual void StartSaveSlot(int slot) = 0;
    // The slot's completion percent; kNoSave when the slot has no file,
    // kDamagedSave when its file does not read whole.
    static constexpr int kNoSave = -1;
    static constexpr int kDamagedSave = -2;
    virtual int GetSaveSlotPercent(int slot) = 0;
    virtual std::string GetSaveSlotSummary(int slot) = 0;
    // What starting a slot must know, from one read of its file: whether the
    // file is there but does not read whole, and the level its whole save
    // continues in when that level's file is missing (empty when the slot
    // has no whole save or its level is there).
    struct SlotCheck {
        bool damaged = false;
        std::string missingLevel;
    };
    virtual SlotCheck CheckSaveSlot(int slot) = 0;

    // How the picture fits the window (0 fit, 1 fill, 2 stretch).
    virtual void SetDisplayScaleMode(int mode) = 0;
    // The final copy of the frame: point or linear filtering.
    virtual void SetLinearFilter(bool linear) = 0;
};

UIGameAccess* GetUIGameAccess();
void SetUIGameAccess(UIGameAccess* access);
