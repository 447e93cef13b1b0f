#pragma once

#include "engine/app/DevConsole.h"
#include "engine/render/RenderGameAccess.h"
#include "engine/serial/Point.h"

#include <cstdint>
#include <string>
#include <vector>

class AnimatedSprite;
class GraphicalEffect;
class GraphicalObject;
class IRenderEngine;
class SceneObject;
class Sprite;

// Stand-in for the one game object until the game core exists: only the
// tables and look-ups the scene model reads. The tables do not own their
// entries here; whoever fills them keeps them alive. With no game object
// every look-up answers null. It is the render engine's game access while it
// exists.
class Game : public RenderGameAccess {
public:
    Game();
    ~Game() override;
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // The game singleton: the live game object, or null.
    static Game* GetInstance();

    static Sprite* FindSprite(const std::string& name);
    static AnimatedSprite* FindAnimatedSprite(const std::string& name);
    // A name beginning with "NPC" or "Proj" names a character: it is looked
    // up among the character prototypes first, then the scene-object table;
    // clone asks for a copy.
    static bool IsCharacterName(const std::string& name);
    static SceneObject* FindSceneObject(const std::string& name, bool clone);
    static GraphicalObject* FindCharacterPrototype(const std::string& name, bool clone);
    GraphicalObject* FindGraphicalObject(const std::string& name, bool clone);
    static void AddCharacterPrototype(GraphicalObject* object);
    static void RemoveCharacterPrototype(GraphicalObject* object);

    std::vector<SceneObject*> sceneObjects;
    std::vector<Sprite*> sprites;
    std::vector<AnimatedSprite*> animatedSprites;
    std::vector<GraphicalObject*> characterPrototypes;
    IRenderEngine* renderEngine = nullptr;

    // What the render thread and the render engine read and write of the game.
    // Builds and submits one frame; the stand-in submits nothing.
    void Render(bool fromMainThread) override;

    // What the render engine reads of the game.
    DevConsole* GetConsole() override { return &console; }
    RenderGameState GetRenderState() override;
    void SetCurrentPostEffect(GraphicalEffect* effect) override { currentPostEffect = effect; }
    GraphicalEffect* GetCurrentPostEffect() override { return currentPostEffect; }

    DevConsole console;
    uint8_t fixedStepTick = 0;
    uint8_t secondStateFlag = 0;
    int32_t frameAdvance = 0;
    Point<float> cameraPosition;
    // How the 512 x 448 picture fits the window: 0 fit, 1 fill, 2 stretch.
    int32_t displayScaleMode = 0;
    bool linearFilter = false;
    // The effect of the named command being replayed (the final pass
    // applies it); not owned.
    GraphicalEffect* currentPostEffect = nullptr;
};
