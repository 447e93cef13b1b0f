#include "game/Game.h"

#include "engine/app/UsageObserver.h"

#include "characters/CharacterObject.h"
#include "characters/Player.h"
#include "characters/PlayerArmorFire.h"
#include "characters/PlayerArmorIce.h"
#include "characters/PlayerModifier.h"
#include "engine/platform/DebugOutput.h"
#include "engine/platform/Paths.h"
#include "engine/render/DXGraphicalSurface.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/IRenderEngine.h"
#include "engine/render/RenderPoolManager.h"
#include "engine/serial/FileUtils.h"
#include "engine/serial/VectorSerialize.h"
#include "engine/sound/SoundEventsManager.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/MapModel.h"
#include "scene/SceneObjectHandle.h"
#include "scene/SpacialInstance.h"
#include "script/Script.h"

#include <algorithm>
#include <filesystem>

#include <fstream>

namespace {

RenderPoolManager* PoolOf(IRenderEngine* engine)
{
    return engine != nullptr ? engine->GetRenderPool() : nullptr;
}

bool CanOpen(const std::string& path)
{
    return !path.empty()
        && platform::OpenRegularFile(platform::ResolvePath(path), std::ios::binary).is_open();
}

// The render thread stops drawing the loading screen: the next frame the
// main loop hands over resets the loading state.
void EndLoadingScreen(RenderPoolManager* pool)
{
    if (pool != nullptr)
        pool->loadingHold = 1;
}

// Adds an in-game layer on top of a list, with a surface like that of the
// list's first layer that takes part in drawing; nothing when there is none.
void AddInGameLayer(Level& level, int list, const char* name, bool frontCharacters)
{
    Layer* model = level.GetFirstLayer(list, -1.0f, -1.0f);
    if (model == nullptr)
        return;
    const Point<int> size = model->GetSize();
    auto* surface = new DXGraphicalSurface(size, true);
    Layer* layer = level.CreateLayer(list, name, surface, size.x, size.y, 512, 448);
    if (layer != nullptr)
        layer->SetDrawFrontCharacters(frontCharacters);
}

// Loads the images of the objects the level keeps loaded, with those queued
// while it was read: on the render thread when it runs, else at once.
void LoadLevelObjects(const Level& level, RenderPoolManager* pool)
{
    std::vector<GraphicalObject*> objects = level.GetObjects();
    const std::vector<GraphicalObject*>& shown = level.GetScriptGraphicalObjects();
    objects.insert(objects.end(), shown.begin(), shown.end());
    auto load = [objects] {
        for (GraphicalObject* object : objects)
            if (object != nullptr)
                object->AcquireImages();
    };
    if (pool != nullptr)
        pool->RequestLoadImages(load, true);
    else
        load();
}

// Tells a run's observer the class of every object placed in a level
// entered: its zones, points, spawners and scenery.
void NotePlacedClasses(Level& level)
{
    if (Installed<UsageObserver>::Get() == nullptr)
        return;
    for (int list : Level::kFileOrder)
        for (int index = 0; index < level.GetLayerCount(list); ++index) {
            Layer* layer = level.GetLayerAt(list, index);
            for (size_t i = 0; layer != nullptr && i < layer->GetInstanceCount(); ++i)
                if (const GraphicalObject* object = layer->GetInstance(i)->GetPrototype())
                    NoteUse("placed", object->GetTypeName());
        }
}

} // namespace

bool Game::ChangeLevel(std::string levelFile, LevelNameSource source)
{
    TimeSection(console.profileTimers, "ChangeLevel", true);
    RenderPoolManager* pool = PoolOf(renderEngine.get());

    // The render thread draws the loading screen while the level loads.
    if (pool != nullptr) {
        pool->loading = 1;
        pool->loadingHold = 0;
        pool->renderGoEvent.Set();
    }

    std::unique_ptr<Level> level = ReadLevelFile(levelFile, source);
    if (!level) {
        // The level being played stays.
        EndLoadingScreen(pool);
        TimeSection(console.profileTimers, "ChangeLevel", true);
        return false;
    }

    // The player, and whether it fell as it left.
    bool falling = false;
    PrepareLevel(*level, LevelFolderName(levelFile, source), falling);
    // The start point; the level must be current for the player's contacts.
    const bool placed = PlacePlayerAtStart(*level);
    // Fitted to the ground before the camera centres on it.
    if (placed)
        FitPlayerToGround(*level);
    PlaceCamera(*level, placed);
    // The overlay screens close; the overlay's slide stands still while the
    // player's last look carries the arrival.
    if (overlayObject != nullptr)
        overlayObject->slideSpeed = transitionImage != nullptr ? 0.0f : 10.0f;
    for (OverlayObject* overlay : {overlayObject.get(), endingOverlay.get()})
        if (overlay != nullptr)
            overlay->Close();
    currentLevel = level.release();
    EnterLevel(placed, falling);

    // The images queued while the level was read, and those of the objects
    // it keeps loaded, load on the render thread; then the loading screen
    // ends.
    LoadLevelObjects(*currentLevel, pool);
    EndLoadingScreen(pool);

    menuFlag = false;
    if (overlayObject != nullptr)
        overlayObject->Open();
    ShowGameplayUI();
    NotePlacedClasses(*currentLevel);
    platform::DebugOutput("ChangeLevel: entered \"" + currentLevel->GetName() + "\"\n");
    TimeSection(console.profileTimers, "ChangeLevel", true);
    return true;
}

bool Game::IsPlainLevelName(const std::string& levelFile)
{
    return !levelFile.empty() && levelFile != "." && levelFile != ".."
        && levelFile.find_first_of("/\\:") == std::string::npos;
}

std::string Game::FindLevelFile(const std::string& levelFile, LevelNameSource source) const
{
    if (source == LevelNameSource::kTyped && CanOpen(levelFile))
        return levelFile;
    if (source == LevelNameSource::kData && !IsPlainLevelName(levelFile))
        return {};
    if (const std::string inFolder = mapPath.empty() ? levelFile : mapPath + "\\" + levelFile;
        CanOpen(inFolder))
        return inFolder;
    return {};
}

std::string Game::LevelFolderName(const std::string& levelFile, LevelNameSource source) const
{
    if (IsPlainLevelName(levelFile))
        return levelFile;
    const std::string name = levelFile.substr(levelFile.find_last_of("/\\") + 1);
    const std::string opened = FindLevelFile(levelFile, source);
    const std::string inFolder = IsPlainLevelName(name) ? FindLevelFile(name) : std::string();
    std::error_code error;
    if (!opened.empty() && !inFolder.empty()
        && std::filesystem::equivalent(platform::ResolvePath(opened), platform::ResolvePath(inFolder), error))
        return name;
    return levelFile;
}

std::unique_ptr<Level> Game::ReadLevelFile(const std::string& levelFile, LevelNameSource source)
{
    if (source == LevelNameSource::kData && !IsPlainLevelName(levelFile)) {
        // A save or an exit, perhaps made by someone else, names no path.
        platform::ReportProblem("ChangeLevel: the level name \"" + levelFile
            + "\" is refused: a level named by a save or an exit is a file of the level folder\n");
        return nullptr;
    }
    const std::string path = FindLevelFile(levelFile, source);
    if (path.empty()) {
        // A level's name may stand for a folder, a pipe or a device (given
        // as a path, or in the level folder): refused unread.
        const std::string inFolder = mapPath.empty() ? levelFile : mapPath + "\\" + levelFile;
        const bool special = (source == LevelNameSource::kTyped
                                 && platform::IsNonRegularFile(platform::ResolvePath(levelFile)))
            || platform::IsNonRegularFile(platform::ResolvePath(inFolder));
        platform::DebugOutput(
            "ChangeLevel: " + std::string(special ? "the level \"" : "cannot open the level \"") + levelFile
            + (special ? "\" is not a regular file\n" : "\"\n"));
        return nullptr;
    }
    if (soundEventsManager)
        soundEventsManager->StopAll();
    std::string error;
    std::unique_ptr<Level> level = Level::LoadFile(path, &error);
    if (!level)
        platform::DebugOutput("ChangeLevel: " + error + "\n");
    return level;
}

void Game::PrepareLevel(Level& level, const std::string& levelFile, bool& falling)
{
    if (currentLevel != nullptr)
        ReleaseLevel(currentLevel, this);
    if (transitionImage != nullptr)
        arrivalCounter = 0;
    level.SetName(ToLowerCase(levelFile));
    // The save data files the level's instance states under its name.
    if (level.GetSaveKey().empty())
        level.SetSaveKey(level.GetName());

    if (!player) {
        CreatePlayerFromSave();
        level.AddObjects(player->GetRelatedGraphicalObjects());
    } else {
        falling = player->GetMoveState() == Player::kFall;
    }
    // The replaceable scenery is numbered in connected groups, whatever
    // armor the player has, before the saved states come back.
    PlayerArmorIce::GroupReplaceableScenery(&level);
    {
        VectorSerialize savedLevels(false);
        saveData.ListLevelRecords(savedLevels);
        level.RestoreInstanceStates(&savedLevels);
    }
    ApplySaveData(this);
    level.SpawnInstances();
    AddInGameLayer(level, Level::kScene, "INGAME_LastSCLAYER", false);
    AddInGameLayer(level, Level::kForeground, "INGAME_LastFGLAYER", true);
    level.FindMinimapLocation();
    for (int i = 0; i < player->GetModifierCount(); ++i)
        if (PlayerModifier* modifier = player->GetModifier(i))
            modifier->Reset();
    // The scenery the ice armor may freeze.
    if (auto* ice = dynamic_cast<PlayerArmorIce*>(player->GetModifier(Player::kIceArmor)))
        level.PrepareArmorReplacements(ice);
}

void Game::PlaceCamera(const Level& level, bool placed)
{
    camera.SetSpeed(CameraTuning::Current().travelSpeed);
    camera.StopTravel();
    if (!placed) {
        const Point<float> stored(level.GetValueA(), level.GetValueB());
        camera.SetPosition(stored.x, stored.y);
        player->SetPosition(stored + Point<float>(256.0f, 224.0f));
    } else {
        const Point<float> at = player->GetPosition();
        const Point<int> size = player->GetSize();
        camera.SetPosition(at.x + size.x * 0.5f - 256.0f, at.y + size.y * 0.5f - 224.0f);
    }
}

void Game::EnterLevel(bool placed, bool falling)
{
    camera.SetLevel(currentLevel);
    SettlePlayerOnArrival(placed, falling);
    Camera::UpdateTravel(camera, player.get(), false);
    if (DXRenderEngine* engine = dynamic_cast<DXRenderEngine*>(renderEngine.get());
        engine && !engine->IsRecording())
        Render(true);
    // The start-up script's text, one command per ";", kept for the runner;
    // the level keeps what it shows loaded.
    startupScriptText.clear();
    if (LevelScript* script = currentLevel->GetScript()) {
        startupScriptText = script->GetText();
        std::replace(startupScriptText.begin(), startupScriptText.end(), '\n', ';');
        currentLevel->AddObjects(Script::CollectSetGraphicalObjects(startupScriptText));
    }
    currentLevel->StartScript();
    currentLevel->StartupZones();
    for (CharacterObject* character : liveCharacters)
        if (character != nullptr)
            currentLevel->AddObjects(character->GetRelatedGraphicalObjects());
    ThawAroundArrival();
    // A player brought back from the save shows its arrival before it moves.
    if (pendingLoad)
        player->StartArrival();
}

void Game::ThawAroundArrival()
{
    // Frozen scenery the player arrives in melts before the first frame.
    auto* ice = dynamic_cast<PlayerArmorIce*>(player->GetModifier(Player::kIceArmor));
    auto* fire = dynamic_cast<PlayerArmorFire*>(player->GetModifier(Player::kFireArmor));
    Layer* collisions = currentLevel->GetLayer(Level::kScene, "Collisions");
    if (ice == nullptr || fire == nullptr || collisions == nullptr || ice->GetReplacementPairs().empty())
        return;
    const Point<float> at = player->GetPosition();
    const Layer::Instance* standing
        = collisions->GetInstanceAt(Point<int>(static_cast<int>(at.x), static_cast<int>(at.y)), true);
    if (standing == nullptr || standing->GetPrototype() == nullptr)
        return;
    const std::string& name = standing->GetPrototype()->GetName();
    if (PlayerArmor::FindBySourceName(ice->GetReplacementPairs(), name) >= 0
        || PlayerArmor::FindByReplacementName(ice->GetReplacementPairs(), name) >= 0)
        fire->UpdateReplacementsNearPlayer();
}

bool Game::ReleaseLevel(Level* level, Game* game)
{
    if (level == nullptr)
        return false;
    if (game != nullptr) {
        // No recorded command may refer to the level's objects any more.
        if (RenderPoolManager* pool = PoolOf(game->renderEngine.get()))
            pool->RequestClearFrames();
        g_DeferredCommands.clear();
        // The progress made in the level being left (its instance states,
        // the teleporters found, the cells seen) goes to the save data,
        // from which the next level takes it back.
        if (!game->pendingLoad && game->currentLevel == level)
            game->saveData.CaptureGameState(false);
        else if (game->pendingLoad)
            game->teleportMap.mapView = Point<float>(); // the map jumps to where the save returns
        game->minimapModel = std::make_unique<MapModel>(MapModel::Minimap {});
        game->teleports.clear();
        game->cinematicLayers.clear();
        game->pickupCinematicKind = 0;
        game->cinematicObject = nullptr;
        game->secondTransitionCounter = -1;
        // A scene's pause and hidden interface end with its level: no way
        // through the menus enters a level paused with no scene to resume it.
        game->gameplayPaused = false;
        game->interfaceHidden = false;
        if (game->player != nullptr)
            game->player->targetCharacters.clear();
        for (size_t i = game->liveCharacters.size(); i-- > 0;) {
            CharacterObject* character = game->liveCharacters[i];
            delete character;
            game->liveCharacters.Remove(character);
        }
        if (game->currentLevel == level)
            game->currentLevel = nullptr;
        game->camera.SetLevel(nullptr);
    }
    level->Reset();
    delete level;
    // A shake cut short by the change leaves no offset on the next level.
    if (game != nullptr && game->renderEngine)
        game->renderEngine->SetCameraOffset(0, 0);
    SceneObjectHandle::PurgeReleased();
    // The ending overlay waits, open, for the next ending; the menu's
    // animations start again.
    if (game != nullptr && game->endingOverlay != nullptr) {
        if (game->uiFrames.size() > 2 && game->uiFrames[2] != nullptr && game->uiFrames[2]->GetPrototype())
            game->uiFrames[2]->GetPrototype()->RestartAnimations(true);
        game->endingOverlay->slideSpeed = 35.0f;
        game->endingOverlay->Open();
        game->endingOverlay->secondFlag = false;
    }
    return true;
}
