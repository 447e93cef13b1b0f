#include "engine/app/UsageObserver.h"
#include "game/Game.h"

#include "game/GamePlayerWorld.h"

#include "characters/CharacterObject.h"
#include "characters/Player.h"
#include "engine/input/AbstractInputManager.h"
#include "engine/platform/DebugOutput.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/GE_Fade.h"
#include "engine/render/IRenderEngine.h"
#include "engine/render/RenderPoolCommand.h"
#include "engine/render/RenderPoolManager.h"
#include "engine/serial/TypeNames.h"
#include "engine/sound/DXSoundEngine.h"
#include "engine/sound/SoundEventsManager.h"
#include "engine/sound/StreamingVoiceContext.h"
#include "scene/GraphicalObject.h"
#include "scene/Level.h"
#include "scene/SceneObject.h"
#include "scene/SpacialInstance.h"
#include "script/BGEvent_PickupCinematic.h"
#include "script/BackgroundEvent.h"
#include "script/Script.h"
#include "ui/UI_Frame.h"
#include "ui/UI_Frame_Text.h"
#include "ui/UI_Menu.h"
#include "ui/UI_MenuCatalogue.h"
#include "ui/UI_Menu_Page.h"

#include <algorithm>
#include <chrono>
#include <mutex>

namespace {

constexpr double kFixedStep = Game::kFixedStepMs;
// How long a loading frame or a device restore waits for the game's mutex
// before it draws.
constexpr uint32_t kGameMutexWaitMs = 30;
// The ending's last line starts this many blanks in: the word wrap carries
// it to a line of its own, below the score.
constexpr size_t kEndingLineIndent = 96;
// The end score fades in over this many update frames.
constexpr int32_t kEndScoreFadeFrames = 60;

// What the debug output says when the wait for the game's mutex ran out.
std::string GameMutexLate()
{
    return "the game mutex did not come within " + std::to_string(kGameMutexWaitMs) + " ms";
}

// Set in this poll and clear in the previous one.
bool Edge(bool now, bool before)
{
    return now && !before;
}

// The menu of the UI frame list (frame 2), or null.
UI_Menu* MenuOf(const std::vector<std::unique_ptr<SpacialInstance<GraphicalObject, float>>>& frames)
{
    return frames.size() > 2 && frames[2] ? dynamic_cast<UI_Menu*>(frames[2]->GetPrototype()) : nullptr;
}

bool IsUIObject(SceneObject* object)
{
    return object->GetName().find("UI_") != std::string::npos || dynamic_cast<UI_Frame*>(object) != nullptr;
}

} // namespace

void Game::ReloadSave()
{
    // The play time and the screens seen go on from where they are.
    saveData.CaptureGameState(true);
    const uint32_t played = saveData.GetPlayTime();
    const GameSaveData::Cells seen = saveData.GetCells();
    const bool loaded = saveData.Load(-1, true);
    saveData.SetPlayTime(played);
    GameSaveData::Cells merged = saveData.GetCells();
    for (size_t i = 0; i < merged.size(); ++i) {
        if (seen[i] == 2 || (seen[i] == 1 && merged[i] == 0))
            merged[i] = 2;
    }
    saveData.SetCells(merged);
    // A new player takes the save's progress in the level change, at the
    // save's place in its map. A load that fails leaves the record as the
    // game last captured it: the place where the player left a level. A
    // record that never captured a place (a new game dying in its first
    // level, unsaved) has none: its map starts at the default start point
    // instead of the level's corner. A record that names no map at all (a
    // level entered straight from the command line or the console, never
    // left nor saved) would leave the player nowhere: the level it is in
    // starts again at its start point.
    player.reset();
    usePlayerStart = true;
    if (saveData.GetMapName().empty() && currentLevel != nullptr) {
        RequestLevelChange(currentLevel->GetName(), "", LevelNameSource::kTyped);
        return;
    }
    const bool hasPlace = loaded || saveData.FindLevelRecord(saveData.GetMapName()) != nullptr;
    RequestLevelChange(saveData.GetMapName(), hasPlace ? "[SAVE]" : "");
}

void Game::UpdateFramePacing()
{
    fixedStepTick = framePacing.Advance(timeStep, frameDelay, config.GetFrameCatchUp()) ? 1 : 0;
}

void Game::Update()
{
    // Sounds may start again this pass; the detached ones that have played
    // out go.
    if (soundEventsManager) {
        soundEventsManager->ClearStartedSounds();
        soundEventsManager->UpdateDetached();
    }
    ApplyPendingLoads();
    const bool tick = AdvanceClocks();
    // A device restored in the middle of play pauses it, as when the window
    // lost the device.
    if (pauseAfterRestore.exchange(false) && currentLevel != nullptr && !menuFlag && endingMode == 0) {
        SetMenuFlag(true);
        OpenPauseMenu();
    }

    AbstractInputManager* input = inputManager.get();
    if (menuFlag && uiState == 0)
        UpdateTitleScreen(input);
    else if (!menuFlag)
        UpdateRunningGame(input, tick);
    else
        UpdateMenuOverGame(input);

    // The music streams on update frames.
    if (tick)
        if (auto* engine = dynamic_cast<DXSoundEngine*>(soundEngine.get()))
            UpdateStreamedMusic(engine);

    // Said when it changes, for a run of the game watched from outside.
    if (platform::IsDebugLogOn() && reportedPlayState != GetPlayState()) {
        reportedPlayState = GetPlayState();
        platform::DebugOutput(PlayStateLine(*reportedPlayState));
    }
}

PlayState Game::GetPlayState() const
{
    if (currentLevel == nullptr)
        return PlayState::NoLevel;
    if (menuFlag)
        return PlayState::MenuOpen;
    if (gameplayPaused)
        return PlayState::Paused;
    if (!uiFrames.empty() && uiFrames[0] != nullptr && uiFrames[0]->IsVisible())
        return PlayState::Dialogue;
    return PlayState::Running;
}

void Game::ApplyPendingLoads()
{
    // A reload of the save, then a pending level change, before any gameplay
    // of this pass. A player whose death has played out is brought back from
    // the save.
    if (playerAccess != nullptr && playerAccess->playerDied) {
        playerAccess->playerDied = false;
        pendingLoad = true;
    }
    if (pendingLoad)
        ReloadSave();
    if (!pendingLevelFile.empty()) {
        const std::string file = pendingLevelFile;
        // A level that cannot be opened with none to stay in (a save whose
        // level is gone) leaves the player at the title, not in the dark.
        if (!ChangeLevel(file, pendingLevelSource) && currentLevel == nullptr && !menuFlag) {
            SetMenuFlag(true);
            ShowMenuUI();
            // Started from the slot list: back on it, saying why.
            if (UI_Menu* menu = MenuOf(uiFrames); menu != nullptr && currentSaveSlot >= 0) {
                menu->SetCurrentPage(MenuCatalogue::kPlay);
                menu->ShowNotice(UI_Menu::kMissingLevelNotice);
            }
        }
        pendingLevelFile.clear();
    }
    pendingLoad = false;
}

bool Game::AdvanceClocks()
{
    // The measured step accumulates; a whole fixed step gathered makes this
    // pass an update frame. Play itself moves by fixed steps only.
    RefreshTimeStep();
    UpdateFramePacing();
    const bool tick = fixedStepTick != 0;
    if (tick)
        ++frameCounter;
    return tick;
}

void Game::RefreshTimeStep()
{
    // A loading frame on the render thread refreshes it too.
    const std::lock_guard<std::mutex> lock(clockMutex);
    // Once only: a step of exactly zero (a manual clock) is no first pass.
    if (!clockStarted)
        gameClock.Update();
    clockStarted = true;
    timeStep = gameClock.Update();
}

void Game::UpdateTitleScreen(AbstractInputManager* input)
{
    // Only the interface moves.
    if (input != nullptr)
        input->Poll();
    for (SceneObject* object : sceneObjects)
        if (object != nullptr && IsUIObject(object))
            object->Update(timeStep);
}

void Game::UpdateRunningGame(AbstractInputManager* input, bool tick)
{
    if (!interfaceHidden)
        ShowGameplayUI();
    else if (uiFrames.size() > 2)
        uiFrames[2]->SetVisible(false);
    uiState = 1;

    if (tick && input != nullptr)
        PollGameplayInput(input);
    if (tick && !menuFlag)
        StepWorld(input);
    // Completed achievements reach Steam (when it is there) on update frames.
    if (tick)
        achievements.SyncWithSteam();

    if (!menuFlag) {
        // The level's own pictures and the library's move with the world, a
        // fixed step per update frame: some of them time play (the ice
        // armor's replacements appearing), so they never run on the wall
        // clock.
        if (tick) {
            if (currentLevel != nullptr)
                currentLevel->UpdateObjects(kFixedStep);
            for (SceneObject* object : sceneObjects)
                if (object != nullptr)
                    object->Update(kFixedStep);
        }
        if (!menuFlag && tick && endingMode > 0)
            WaitForEndingKey(input);
    }
}

void Game::PollGameplayInput(AbstractInputManager* input)
{
    // The boxes queued for the last frame are drawn; this one queues afresh.
    console.debugBoxes.clear();
    input->Poll();
    const InputActions now = input->GetPressedActions();
    const InputActions before = input->GetPreviousActions();
    const bool pauseEdge = Edge(now.Action9, before.Action9);
    const bool overlayEdge = Edge(now.Action10, before.Action10) && !now.RawShift;
    RunBackgroundEvents();
    if (currentLevel != nullptr)
        currentLevel->UpdateInstances();
    if (overlayEdge && !gameplayPaused && !interfaceHidden && endingMode == 0) {
        SetMenuFlag(true);
        overlaySource = 0;
        teleportMap.mapMode = 0;
        OpenOverlayScreen();
    }
    // Escape or the pad's Start pauses, unless a cut-scene holds the game or
    // the overlay screen is open.
    if (pauseEdge && !gameplayPaused && !menuFlag) {
        SetMenuFlag(true);
        OpenPauseMenu();
    }
}

void Game::StepWorld(AbstractInputManager* input)
{
    if (slowMotionSkip > 0)
        --slowMotionSkip;
    if (slowMotionSkip == 0) {
        gameTimeMs += kFixedStep;
        // The player moves by the poll's actions before the zones see where
        // it is; it waits while its arrival in a level runs.
        if (player != nullptr && currentLevel != nullptr && !gameplayPaused && arrivalCounter == -1)
            player->UpdateInputs(kFixedStep, input);
        if (arrivalCounter >= 0 && ++arrivalCounter >= 30) {
            arrivalCounter = -1;
            transitionImage = nullptr;
        }
        if (secondTransitionCounter >= 0 && ++secondTransitionCounter >= kSecondTransitionFrames)
            secondTransitionCounter = -1;
        if (currentLevel != nullptr)
            currentLevel->UpdatePlayerContacts();
        TimeSection(console.profileTimers, " >Cam+LoopUpdateCharacters", true);
        Camera::UpdateTravel(camera, player.get(), true);
        UpdateCharacters(gameplayPaused, kFixedStep);
        UpdateCinematicObject();
        TimeSection(console.profileTimers, " >Cam+LoopUpdateCharacters", true);
        if (currentLevel != nullptr)
            currentLevel->UpdateParticleSystems(kFixedStep);
    }
    if (slowMotionSteps > 0 && slowMotionSkip == 0) {
        --slowMotionSteps;
        slowMotionSkip = std::min(slowMotionSteps, 3);
    }
    UpdateBackgroundEvents();
}

void Game::WaitForEndingKey(AbstractInputManager* input)
{
    if (endingCounter > 0) {
        // Then the ending asks for a key.
        if (--endingCounter == 0)
            if (auto* text = dynamic_cast<UI_Frame_Text*>(endScoreFrame.get()))
                text->WrapLine(std::string(kEndingLineIndent, ' ') + "PRESS ANY BUTTON ...");
        return;
    }
    if (input == nullptr)
        return;
    const InputActions now = input->GetPressedActions();
    const InputActions before = input->GetPreviousActions();
    if (Edge(now.Action1, before.Action1) || Edge(now.Action2, before.Action2)
        || Edge(now.Action3, before.Action3) || Edge(now.Action4, before.Action4))
        ReturnToTitle();
}

void Game::UpdateMenuOverGame(AbstractInputManager* input)
{
    // Tab, or else the second action key, closes the menu.
    if (input == nullptr)
        return;
    input->Poll();
    const InputActions now = input->GetPressedActions();
    const InputActions before = input->GetPreviousActions();
    if (Edge(now.Action10, before.Action10) || Edge(now.Action2, before.Action2)) {
        SetMenuFlag(!menuFlag);
        if (!interfaceHidden)
            ShowGameplayUI();
        if (overlayObject != nullptr && overlayObject->IsOpen())
            overlayObject->Close();
    }
}

void Game::UpdateCinematicObject()
{
    if ((pickupCinematicKind != kPickupObjectAt && pickupCinematicKind != kPickupObject)
        || cinematicObject == nullptr)
        return;
    cinematicObject->Update(kFixedStep);
    if (cinematicObject->IsAnimationFinished()) {
        cinematicObject = nullptr;
        pickupCinematicKind = kPickupNone;
    }
}

void Game::UpdateCharacters(bool paused, double step)
{
    const auto exempt = [paused](CharacterObject* character) {
        if (!paused)
            return false;
        const std::string type = character->GetVersionedClassName();
        return type.find("NPC_Script") == std::string::npos
            && type.find("NPC_FireDiamond") == std::string::npos;
    };
    {
        // The characters removed in this walk leave empty slots, dropped in
        // one pass at its end: a removal never shifts the whole list.
        const LiveCharacterList::RemovalHold hold(liveCharacters);
        // The dead go first, from the back.
        for (size_t i = liveCharacters.size(); i-- > 0;) {
            CharacterObject* character = liveCharacters[i];
            if (character == nullptr || exempt(character) || !character->IsDead())
                continue;
            character->Die();
            liveCharacters.Remove(character);
            ForgetCharacter(character);
            delete character;
        }
        for (size_t i = 0; i < liveCharacters.size(); ++i) {
            CharacterObject* character = liveCharacters[i];
            if (character != nullptr && !exempt(character))
                character->Update(step);
        }
    }
    console.AddDebugValue(
        false, "NPC In Scene Alive : ", static_cast<float>(liveCharacters.size()), 0xFFC8C8C8u, 2.0);
}

void Game::RunBackgroundEvents()
{
    // The overlay commands the events appended on the last update frame
    // were shown until now; the events append this frame's.
    g_DeferredCommands.clear();
    if (currentLevel == nullptr)
        return;
    if (LevelScript* script = currentLevel->GetScript())
        script->Run();
    for (size_t i = 0; i < currentLevel->GetBackgroundEventCount(); ++i) {
        BackgroundEvent* event = currentLevel->GetBackgroundEvent(i);
        if (event != nullptr && !(event->IsFinished() && event->IsAutoDelete()))
            event->Run();
    }
}

void Game::UpdateBackgroundEvents()
{
    if (currentLevel == nullptr)
        return;
    // The late pass: texts count their ticks down, dialogues type on, stop
    // requests end their events; then the finished ones go.
    for (size_t i = 0; i < currentLevel->GetBackgroundEventCount(); ++i) {
        BackgroundEvent* event = currentLevel->GetBackgroundEvent(i);
        if (event != nullptr && !(event->IsFinished() && event->IsAutoDelete()))
            event->Update();
    }
    currentLevel->PurgeBackgroundEvents();
}

void Game::SetMenuFlag(bool menu)
{
    menuFlag = menu;
    if (!soundEventsManager)
        return;
    if (menu)
        soundEventsManager->PauseAll();
    else
        soundEventsManager->ResumeAll();
}

void Game::RequestLevelChange(std::string levelFile, std::string startPoint, LevelNameSource source)
{
    pendingLevelFile = std::move(levelFile);
    pendingLevelSource = source;
    startPointName = std::move(startPoint);
}

void Game::ShowGameplayUI()
{
    if (uiFrames.size() <= 2)
        return;
    uiState = 1;
    uiFrames[1]->SetVisible(true);
    uiFrames[2]->SetVisible(false);
    interfaceHidden = false;
}

void Game::ShowMenuUI()
{
    if (uiFrames.size() <= 2)
        return;
    uiState = 0;
    uiFrames[1]->SetVisible(false);
    uiFrames[2]->SetVisible(true);
    if (UI_Menu* menu = MenuOf(uiFrames))
        menu->SetCurrentPage(0);
}

void Game::OpenPauseMenu()
{
    ShowMenuUI();
    if (UI_Menu* menu = MenuOf(uiFrames)) {
        menu->SetCurrentPage(1);
        if (UI_Menu_Page* page = menu->GetCurrentPage())
            page->SetSelectedIndex(0);
    }
}

void Game::OnGameOverlayActivated(bool active)
{
    if (active) {
        if (menuFlag) {
            overlayFoundMenuOpen = true;
            return;
        }
        overlayFoundMenuOpen = false;
        SetMenuFlag(true);
        OpenPauseMenu();
        return;
    }
    if (!overlayFoundMenuOpen)
        SetMenuFlag(false);
}

void Game::OpenOverlayScreen()
{
    uiState = 4;
    if (overlayObject != nullptr) {
        overlayObject->slideSpeed = 10.0f;
        overlayObject->Open();
    }
}

void Game::ShowEnding(int mode)
{
    // The ending overlay's slide and the text frame come with the interface
    // frames; the mode and the counter run the ending in the frame update.
    if (endingOverlay != nullptr) {
        endingOverlay->slideSpeed = 60.0f;
        endingOverlay->Open();
        endingOverlay->secondFlag = true;
    }
    endingMode = mode;
    endingCounter = 90;
    // The ending's overlay fades in dark first.
    NoteUse("effect", "fullFX_FadeToColor_DarkFirst");
    // The completion and time text fades in over the last picture, from
    // the start of its fade each time an ending shows.
    if (uiFrames.size() > 3 && uiFrames[3] != nullptr) {
        uiFrames[3]->SetVisible(true);
        if (auto* fade = dynamic_cast<GE_Fade*>(uiFrames[3]->GetEffect()))
            fade->SetCounter(kEndScoreFadeFrames);
    }
}

void Game::ReturnToTitle()
{
    SetMenuFlag(true);
    ReleaseLevel(currentLevel, this);
    if (auto* engine = dynamic_cast<DXSoundEngine*>(soundEngine.get()))
        PlayStreamedMusic(engine, GetMainMusicPath(), false, false, 0.0);
    ShowMenuUI();
    if (UI_Menu* menu = MenuOf(uiFrames))
        menu->RestartAnimations(true);
    musicLibrary.ResetResumePositions();
    endingMode = 0;
    if (uiFrames.size() > 3 && uiFrames[3] != nullptr)
        uiFrames[3]->SetVisible(false);
}

void Game::Render(bool fromMainThread)
{
    // The loading screen: drawn only once some time has passed since the
    // last one.
    const double elapsed = renderClock.Peek();
    if (elapsed <= 0.0)
        return;
    // The main loop fills the same frame under the game's mutex: a loading
    // frame drawn meanwhile (on the render thread) waits for it, briefly,
    // or is left out.
    std::unique_lock<platform::TimedMutex> lock;
    if (gameMutex != nullptr) {
        lock = std::unique_lock<platform::TimedMutex>(*gameMutex, std::defer_lock);
        if (!lock.try_lock_for(std::chrono::milliseconds(kGameMutexWaitMs))) {
            platform::DebugOutput("Loading frame: " + GameMutexLate() + ": frame left out\n");
            return;
        }
    }
    RenderPoolManager* pool = renderEngine ? renderEngine->GetRenderPool() : nullptr;
    DXRenderEngine* engine = dynamic_cast<DXRenderEngine*>(renderEngine.get());
    const bool recording = engine != nullptr && engine->IsRecording() && pool != nullptr;
    if (recording) {
        pool->ClearCurrentFrame();
        pool->AddCommand(RenderPoolCommand::Named("StartRendering"));
        RenderPoolCommand clear = RenderPoolCommand::Named("ClearScreen");
        clear.SetColour(0xFF000000u);
        pool->AddCommand(std::move(clear));
    } else if (renderEngine) {
        renderEngine->BeginScene(false);
        renderEngine->Clear(0xFF000000u, 3);
    }
    if (loadingScreen != nullptr) {
        // The time a load takes is not the next update's step.
        RefreshTimeStep();
        loadingScreen->Update(elapsed);
    }
    if (loadingScreen != nullptr && renderEngine) {
        if (transitionImage != nullptr) {
            // The player's last look stays on black while the next level
            // loads, where the player was shown.
            renderEngine->DrawRect(Point<int>(512, 448), nullptr, 0, 0, 0, 0, 0.0f, 0xFF000000u, true, false);
            transitionImage->DrawSprite(
                nullptr, transitionPosition.x, transitionPosition.y, 0, 0, 0.0f, 0, 0, 0, 0);
        } else {
            const Point<int> size = loadingScreen->GetSize();
            loadingScreen->DrawSprite(
                nullptr, (512 - size.x) / 2, (448 - size.y) / 2, 0, 0, 0.0f, 0, 0, 0, 0);
        }
    }
    loadingAnimIndex = (loadingAnimIndex + 1) % 4;
    if (recording) {
        pool->AddCommand(RenderPoolCommand::Named("EndRendering"));
        pool->AddCommand(RenderPoolCommand::Named("StretchBackbuffer true"));
        // Drawn at once when asked (on the thread that owns the device: the
        // render thread's display requests, or a game without one).
        pool->SubmitFrame(true, true, fromMainThread);
    } else if (renderEngine) {
        renderEngine->EndScene(false);
        // The loading frame goes to the window.
        ApplyFinalPostEffect(renderEngine.get(), false);
    }
    renderClock.Restart();
}

void Game::OnDeviceRestored()
{
    platform::TimedMutex* mutex = gameMutex.get();
    const bool locked = mutex != nullptr && mutex->Acquire(kGameMutexWaitMs);
    if (mutex != nullptr && !locked)
        platform::DebugOutput("Device restore: " + GameMutexLate() + ": no frame drawn\n");
    else if (frameCounter != 0)
        Render(true);
    if (locked)
        mutex->Release();
    if (currentLevel != nullptr && !menuFlag && endingMode == 0)
        pauseAfterRestore = true;
}

void Game::RequestQuit()
{
    quitRequested = true;
}
