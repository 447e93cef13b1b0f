#include "game/Game.h"
#include "game/GameCharacterAccess.h"
#include "game/GamePlayerWorld.h"
#include "game/GameSceneAccess.h"
#include "game/GameScriptAccess.h"
#include "game/GameSoundAccess.h"
#include "game/GameUIAccess.h"
#include "game/GameZoneAccess.h"
#include "game/ScriptGameCommands.h"

#include "characters/CharacterObject.h"
#include "characters/EventParticleSystem.h"
#include "characters/LocalParticleSystem.h"
#include "characters/Player.h"
#include "engine/config/GamePaths.h"
#include "engine/input/AbstractInputManager.h"
#include "engine/platform/DebugOutput.h"
#include "engine/render/IRenderEngine.h"
#include "engine/render/ImageHandleManager.h"
#include "engine/render/PostChain.h"
#include "engine/render/RenderPoolManager.h"
#include "engine/serial/FileUtils.h"
#include "engine/sound/DXSoundEngine.h"
#include "engine/sound/ISoundEngine.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundEventsManager.h"
#include "engine/sound/StreamingVoiceContext.h"
#include "scene/AnimatedSprite.h"
#include "scene/Level.h"
#include "scene/MapModel.h"
#include "scene/SceneObject.h"
#include "scene/SceneObjectHandle.h"
#include "scene/SpacialInstance.h"
#include "scene/Sprite.h"
#include "script/Script.h"
#include "script/ScriptVar.h"
#include "ui/UI_Font.h"
#include "ui/UI_Frame.h"
#include "ui/UI_Frame_Player.h"
#include "ui/UI_Frame_Text.h"
#include "ui/UI_Menu.h"
#include "zones/ZonePayloadKinds.h"

#include <new>
#include <utility>

namespace {

Game* g_game = nullptr;

template <class T> void DeleteAll(std::vector<T*>& list)
{
    for (T*& entry : list) {
        delete entry;
        entry = nullptr;
    }
    list.clear();
}

} // namespace

Game::Game(std::string gameTitle, IRenderEngine* render, AbstractInputManager* input, ISoundEngine* sound)
    : title(std::move(gameTitle))
    , renderEngine(render)
    , inputManager(input)
    , soundEngine(sound)
{
    SteamAPI_RegisterCallback(&overlayActivatedCallback, 331);
    SteamAPI_RegisterCallback(&userStatsReceivedCallback, 1101);
    SteamAPI_RegisterCallback(&userStatsStoredCallback, 1102);
    tuning.Install();
    camera.Reset();

    // The data files (pictures, dialogues) are named relative to the
    // working folder: the program is started in the world's folder, which
    // is not the folder the program was built into. Paths are joined by
    // plain concatenation, so the program folder without its separator
    // would join "build" and "dialogues_eng" into "builddialogues_eng".
    SetBasePath("");
    SetDialogPath("");
    imageHandleManager = ImageHandleManager::GetInstance();

    g_game = this;
    RegisterZonePayloadKinds();
    soundAccess = std::make_unique<GameSoundAccess>(*this);
    characterAccess = std::make_unique<GameCharacterAccess>(*this);
    sceneAccess = std::make_unique<GameSceneAccess>(*this);
    zoneAccess = std::make_unique<GameZoneAccess>(*this);
    scriptAccess = std::make_unique<GameScriptAccess>(*this);
    uiAccess = std::make_unique<GameUIAccess>(*this);
    SetSceneGameAccess(sceneAccess.get());
    SetRenderGameAccess(this);
    SetSoundGameAccess(soundAccess.get());
    playerAccess = std::make_unique<GamePlayerWorld>(*this);
    SetPlayerWorld(playerAccess.get());
    SetCharacterGameAccess(characterAccess.get());
    SetZoneGameAccess(zoneAccess.get());
    SetScriptGameAccess(scriptAccess.get());
    SetUIGameAccess(uiAccess.get());
    GameConfig::SetApplyVolumesHook([this] {
        if (soundEngine != nullptr)
            soundEngine->ApplyVolumes();
    });

    gameMutex = std::make_unique<platform::TimedMutex>();
    soundEventsManager.reset(new (std::nothrow) SoundEventsManager());
    gameClock.Restart();

    // The script commands go between the console commands "resetsteamachievements"
    // and "showargs".
    RegisterConsoleCommands(0, 37);
    RegisterScriptCommands();
    RegisterConsoleCommands(37, 46);

    liveCharacters.reserve(1000);
}

Game::~Game()
{
    Shutdown();
    Script::ClearCommands();
    GameConfig::SetApplyVolumesHook({});
    if (GetRenderGameAccess() == this)
        SetRenderGameAccess(nullptr);
    if (GetSoundGameAccess() == soundAccess.get())
        SetSoundGameAccess(nullptr);
    if (GetPlayerWorld() == playerAccess.get())
        SetPlayerWorld(nullptr);
    if (GetCharacterGameAccess() == characterAccess.get())
        SetCharacterGameAccess(nullptr);
    if (GetZoneGameAccess() == zoneAccess.get())
        SetZoneGameAccess(nullptr);
    if (GetScriptGameAccess() == scriptAccess.get())
        SetScriptGameAccess(nullptr);
    if (GetUIGameAccess() == uiAccess.get())
        SetUIGameAccess(nullptr);
    if (GetSceneGameAccess() == sceneAccess.get())
        SetSceneGameAccess(nullptr);
    tuning.Uninstall();
    if (g_game == this)
        g_game = nullptr;
}

Game* Game::GetInstance()
{
    return g_game;
}

void Game::Shutdown()
{
    // The live characters go with the level they belong to.
    for (CharacterObject* character : liveCharacters)
        delete character;
    liveCharacters.clear();

    // The render thread takes the quit request before the engines go, and
    // before the level whose objects its frames may still name.
    if (renderEngine != nullptr && renderEngine->GetRenderPool() != nullptr)
        renderEngine->GetRenderPool()->RequestQuit();
    if (Level* level = std::exchange(currentLevel, nullptr)) {
        level->Reset();
        delete level;
    }
    camera.SetLevel(nullptr);
    // The overlay commands name the game's sprites.
    g_DeferredCommands.clear();

    player.reset();

    DeleteAll(animatedSprites);
    DeleteAll(sceneObjects);
    UI_Frame_Text::ResetPadIcons();
    uiFrames.clear();
    endScoreFrame.reset();
    postEffects.reset();
    DeleteAll(saveVars);
    DeleteAll(globalVars);
    DeleteAll(extraVars);
    DeleteAll(fonts);
    DeleteAll(sprites);
    nameMap.clear();
    characterPrototypes.clear();

    // The image cache outlives the sprites, whose handles it counts.
    if (imageHandleManager != nullptr) {
        ImageHandleManager::DestroyInstance();
        imageHandleManager = nullptr;
    }

    for (Sound*& sound : sounds) {
        delete sound;
        sound = nullptr;
    }
    // The character classes' links point at these definitions: they go
    // first, so no later character copies a freed system.
    EventParticleSystem::ClearLinks();
    for (LocalParticleSystem*& system : localParticleSystems) {
        delete system;
        system = nullptr;
    }
    soundEventsManager.reset();
    sounds.clear();

    inputManager.reset();
    soundEngine.reset();
    renderEngine.reset();

    SceneObjectHandle::ReleaseAll();
}

bool Game::InitSoundEngine()
{
    if (soundEngine == nullptr)
        return false;
    if (soundEngine->Init())
        return true;
    // No box waits for a click: a machine without an audio device plays
    // silent, saying so once on stderr, the debug output and the console.
    const std::string text = "The sound engine can't be initialized: the game runs without sound.";
    platform::ReportProblem(text + "\n");
    console.AddDebugMessage(false, text, 0xFFFFFFFFu, -1.0);
    return false;
}

void Game::UpdateSound(bool updateFrame)
{
    if (soundEventsManager != nullptr)
        soundEventsManager->ClearStartedSounds();
    if (updateFrame) {
        if (auto* engine = dynamic_cast<DXSoundEngine*>(soundEngine.get()))
            UpdateStreamedMusic(engine);
    }
}

void Game::SetPlayer(std::unique_ptr<Player> newPlayer)
{
    player = std::move(newPlayer);
}

UI_Menu* Game::GetMenu() const
{
    return uiFrames.size() > 2 && uiFrames[2] ? dynamic_cast<UI_Menu*>(uiFrames[2]->GetPrototype()) : nullptr;
}

UI_Frame_Player* Game::GetHud() const
{
    return uiFrames.size() > 1 && uiFrames[1] ? dynamic_cast<UI_Frame_Player*>(uiFrames[1]->GetPrototype())
                                              : nullptr;
}

RenderGameState Game::GetRenderState()
{
    RenderGameState state;
    state.fixedStepTick = fixedStepTick != 0;
    state.secondStateFlag = secondStateFlag != 0;
    state.frameAdvance = frameAdvance;
    state.cameraWorld = cameraPosition.ToInt();
    state.displayScaleMode = displayScaleMode;
    state.linearFilter = linearFilter;
    if (currentLevel != nullptr)
        state.levelName = currentLevel->GetName();
    return state;
}
