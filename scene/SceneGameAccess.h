#pragma once

#include "engine/serial/Point.h"

#include <cstddef>
#include <string>

class AnimatedSprite;
class DevConsole;
class DXGraphicalSurface;
class GraphicalObject;
class Layer;
class Level;
class SceneCharacter;
class SceneObject;
class Sprite;

// What the scene model asks of the game object: the current level, the
// camera, the game library's look-ups, the live characters and the player a
// layer draws, and a fresh picture while a level loads. The game installs
// itself with SetSceneGameAccess while it exists; without it there is no
// level, the camera stands at the origin, look-ups find nothing and the
// layers draw no characters.
class SceneGameAccess {
public:
    virtual ~SceneGameAccess() = default;

    // The level being played, or null.
    virtual Level* GetCurrentLevel() = 0;
    // The camera's position in level coordinates.
    virtual Point<float> GetCameraPosition() = 0;
    // Whether this frame runs a step of the fixed-rate update.
    virtual bool IsFixedStepTick() = 0;
    // The console the camera reports its travel to, or null.
    virtual DevConsole* GetConsole() = 0;
    // Draws one frame from the loading thread, so the loading screen moves.
    virtual void RenderLoadingFrame() = 0;

    // The game library's entries by name, or null (not copies).
    virtual Sprite* FindSprite(const std::string& name) = 0;
    virtual AnimatedSprite* FindAnimatedSprite(const std::string& name) = 0;
    virtual SceneObject* FindSceneObject(const std::string& name) = 0;
    virtual GraphicalObject* FindGraphicalObject(const std::string& name) = 0;
    // The library's list of character prototypes: a graphical object named
    // as a character joins it when read and leaves it when destroyed.
    virtual bool IsCharacterName(const std::string& name) = 0;
    virtual void AddCharacterPrototype(GraphicalObject* object) = 0;
    virtual void RemoveCharacterPrototype(GraphicalObject* object) = 0;

    // The live characters, in the order they are drawn.
    virtual size_t GetLiveCharacterCount() = 0;
    virtual SceneCharacter* GetLiveCharacter(size_t index) = 0;
    // Whether there is a player; drawing it keeps its look for the next
    // frame.
    virtual bool HasPlayer() = 0;
    // The player, or null.
    virtual SceneCharacter* GetPlayerCharacter() = 0;
    virtual void DrawPlayer(DXGraphicalSurface* target, Point<int> offset) = 0;
    // Puts the player, when there is one, where the save data keeps it.
    virtual void PlacePlayerAtSavedPosition() { }

    // Capturing a cut-scene's layers: whether the layer's draws are copied
    // to the overlay commands (drawn again above the cut-scene's darkening),
    // and the capture state (3 also copies the crossbow drawn on the
    // player's layer). None by default.
    virtual bool IsCapturedLayer(const Layer* /*layer*/) { return false; }
    virtual int GetCaptureState() { return 0; }
    // The player's fireflies, drawn after it unless the game's firefly
    // override (-1 when none) has taken them.
    virtual void DrawPlayerFireflies(DXGraphicalSurface* /*target*/, Point<int> /*offset*/) { }
    virtual int GetFireflyOverrideIndex() { return -1; }
};

SceneGameAccess* GetSceneGameAccess();
void SetSceneGameAccess(SceneGameAccess* access);
