#pragma once

#include "characters/CharacterGameAccess.h"
#include "engine/app/DevConsole.h"
#include "engine/app/FramePacing.h"
#include "engine/app/GlobalTimer.h"
#include "engine/config/GameConfig.h"
#include "engine/platform/Mutex.h"
#include "engine/platform/Steam.h"
#include "engine/render/RenderGameAccess.h"
#include "engine/serial/ISerialization.h"
#include "engine/serial/Point.h"
#include "engine/sound/MusicLibrary.h"
#include "engine/sound/SoundGameAccess.h"
#include "game/AchievementManager.h"
#include "game/GameSaveData.h"
#include "game/GameTuning.h"
#include "game/LiveCharacterList.h"
#include "game/NameIndex.h"
#include "game/PlayState.h"
#include "game/TeleportInfo.h"
#include "game/TeleportMap.h"
#include "scene/Camera.h"
#include "scene/SceneGameAccess.h"
#include "script/ScriptGameAccess.h"
#include "ui/OverlayObject.h"
#include "ui/UIGameAccess.h"
#include "zones/ZoneGameAccess.h"

#include <atomic>
#include <cstdint>
#include <istream>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class AbstractInputManager;
class AnimatedSprite;
class CharacterObject;
class DXGraphicalSurface;
class GraphicalEffect;
class GraphicalObject;
class IRenderEngine;
class ISoundEngine;
class ImageHandleManager;
class Layer;
class Level;
class LocalParticleSystem;
class GamePlayerWorld;
class GameCharacterAccess;
class GameSceneAccess;
class GameScriptAccess;
class GameSoundAccess;
class GameUIAccess;
class GameZoneAccess;
class Player;
class SceneObject;
class ScriptVar;
class Sound;
class SoundEventsManager;
class Sprite;
class UI_Font;
class UI_Frame;
class UI_Frame_Player;
class UI_Menu;
struct PostEffects;
class MapModel;
template <class T, class C> class SpacialInstance;

// The one game object. It owns the engines the program entry made for it, the
// resource tables of the game library, the live characters, the player, the
// user settings, the achievements and the console with its command table.
// Every other part reaches it through the game singleton, which the
// constructor sets and the destructor clears. It is the render engine's game
// access while it exists.
class Game : public ISerialization, public RenderGameAccess {
public:
    // Takes ownership of the three engines (any may be null).
    explicit Game(std::string title = "Quenholt", IRenderEngine* renderEngine = nullptr,
        AbstractInputManager* inputManager = nullptr, ISoundEngine* soundEngine = nullptr);
    ~Game() override;
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Releases what the game owns; every pointer released is nulled, so a
    // second call releases nothing more.
    void Shutdown();

    // The game singleton: the live game object, or null.
    static Game* GetInstance();

    // ---- the game library "gamelib.txt" (GameLibrary.cpp)
    // Writes every table in the library's layout; true.
    bool Serialize(std::ostream& os) override;
    // Reads the library into the tables, then prepares the objects and binds
    // what the game draws by name (InitAllSceneObject, Init). False when a
    // record or count failed; what was read stays. Each failure is reported
    // with the file, the line and the group it broke.
    bool UnSerialize(std::istream& is) override;
    std::string GetVersionedClassName() override { return "GameV0"; }
    // Record readers of the library tables: the entry appended, or null.
    static Sprite* UnSerializeSprite(Game* game, std::istream& is);
    static AnimatedSprite* UnSerializeAnimatedSprite(Game* game, std::istream& is);
    static Sound* UnSerializeSound(Game* game, std::istream& is);
    static UI_Font* UnSerializeFont(Game* game, std::istream& is);

    // ---- start-up binding (GameInit.cpp)
    void InitAllSceneObject();
    void Init(Game* game);

    // ---- one pass of the main loop (GameFrame.cpp)
    // Gameplay always steps by this time, whatever really passed.
    static constexpr double kFixedStepMs = 33.0;
    void Update();
    // The game's time in milliseconds: one fixed step more at every step of
    // the world. The rules of play measure time by it, never by the wall
    // clock, so a slow pass or a replay faster than real time plays the same.
    double GetGameTimeMs() const { return gameTimeMs; }
    // Adds the time step to the accumulator; sets the fixed-step tick flag.
    void UpdateFramePacing();
    void UpdateCharacters(bool gameplayPaused, double step);
    // Steps the cinematic object of pickup kinds 4 and 5; when its animation
    // has ended, object and kind are reset.
    void UpdateCinematicObject();
    // One step of the level's start-up script and of its queued events
    // (events queued during the walk run in the same pass).
    void RunBackgroundEvents();
    // Frees the events the level is done with.
    void UpdateBackgroundEvents();
    void SetMenuFlag(bool menu);
    // Where a level's name comes from. A name the user typed (the command
    // line, the console) is tried as given, then in the level folder. A name
    // read from data a player may receive from others (a save, an exit, a
    // level's script, the teleport list) names a file of the level folder
    // only: a path, a drive form or ".." is refused.
    enum class LevelNameSource { kData, kTyped };
    // A level name from data: one file name, no folders, no drive, not "..".
    static bool IsPlainLevelName(const std::string& levelFile);
    void RequestLevelChange(
        std::string levelFile, std::string startPoint, LevelNameSource source = LevelNameSource::kData);
    void SetStartPointName(std::string name) { startPointName = std::move(name); }
    void ShowGameplayUI();
    void ShowMenuUI();
    void OpenPauseMenu();
    void OpenOverlayScreen();
    // The Steam overlay shown or hidden: shown over a running game it opens
    // the pause menu, which closes again with it.
    void OnGameOverlayActivated(bool active);
    // The ending: the mode shown and 90 update frames before a key returns
    // to the title.
    void ShowEnding(int mode);
    void ReturnToTitle();
    const std::string& GetMainMusicPath() const { return mainMusicPath; }
    bool IsMenuFlagSet() const { return menuFlag; }
    // A menu over the level first, then a pause of play, then a dialogue box
    // on screen; running when none of them holds.
    PlayState GetPlayState() const;
    double GetTimeStep() const { return timeStep; }
    double MillisecondsToNextTick() const { return framePacing.MillisecondsToNextTick(frameDelay); }

    // Ends the run after this pass: the render thread closes the window and
    // the main loop's quit test shuts the game down.
    void RequestQuit();
    bool IsQuitRequested() const { return quitRequested; }

    // ---- the passes of a recorded frame (GameFramePasses.cpp)
    // The current level, when there is one and the flag is set; false.
    static bool RenderCurrentLevel(Game* game, bool flag);
    // The UI frames in their fixed order: during the ending the end score
    // (made visible) and the menu; otherwise the HUD, the dialogue box, the
    // end score (made invisible) and the menu. A frame's own effect applies
    // to its draw. False.
    static bool RenderUI(Game* game);
    // Over the drawn level: while the arrival counter runs, on black, the
    // look the player left with sliding to the player and turning into its
    // current look; otherwise, while the second transition counter runs or
    // the player dies, the screen darkened with the player's look over it.
    void DrawTransitionOverlays();
    // The second transition counts this many update frames.
    static constexpr int kSecondTransitionFrames = 110;

    // ---- level change (GameLevelChange.cpp)
    // Replaces the current level by the one read from the file. False when
    // the file cannot be opened or read (or its name is refused): the
    // current level stays and the loading screen ends.
    bool ChangeLevel(std::string levelFile, LevelNameSource source = LevelNameSource::kTyped);
    // False only for a null level.
    static bool ReleaseLevel(Level* level, Game* game);
    // Copies the save data's progress into the live game: the save-scope
    // variables, the minimap cells and the teleporters found.
    static void ApplySaveData(Game* game);

    // ---- arrival in a level (GameArrival.cpp)
    // Puts the player at the start point asked for: "[SAVE]" the saved
    // position, "[TELEPORT]" the level's first teleporter, else the named
    // start point (the default spawner for ""). False when there is no
    // such place or the start point is not used.
    bool PlacePlayerAtStart(Level& level);
    // A new player with the abilities, life and armors of the save data.
    void CreatePlayerFromSave();
    // The player's state on arrival: reset for the level (kept by a
    // teleport), its look kept, but a save's arrival faces the save's side;
    // a player not placed keeps its state and falls facing right.
    void SettlePlayerOnArrival(bool placed, bool falling);
    // A player brought back by "[SAVE]" faces the save's side (or the
    // dying player's): a fall pending, or the idle look of that side.
    void FaceAsSaved(bool falling);
    // While the player dies, the loading screen's transition image becomes
    // its look as last drawn: the game library's pose of that name (the
    // player's own copy goes with the player at the reload) at the place
    // on the screen it was drawn.
    void KeepPlayersLastLook();
    // Steps a player placed in a wall out of it, then sets it on the floor
    // below within reach, or lets it fall.
    void FitPlayerToGround(Level& level);

    // ---- teleporters found (GameArrival.cpp)
    // The first record of that level file, or null.
    TeleportInfo* FindTeleportByLevel(const std::string& levelFile);
    void AddTeleport(std::string name, std::string levelFile, Point<int> cell);
    // The use action in a teleporter: the overlay screen opens on the
    // teleport menu over the running game.
    void OpenTeleportMenu();

    // Initialises the sound engine; on failure shows the "Error" box and the
    // game goes on silent.
    bool InitSoundEngine();
    // The sound work of one main-loop pass: the list of sounds started this
    // pass is emptied, and on update frames the streamed music steps.
    void UpdateSound(bool updateFrame);

    // Runs every line of the stream as a console command. Lines are read up
    // to LF with a trailing CR removed; a last line without LF runs too. Each
    // line that cannot run (unknown command, missing arguments, too long, not
    // text) is reported in the debug output as "file:line: ...", and the
    // next line runs. Returns true.
    // What a run says of its lines: the start-up runs the working folder's
    // settings before the game library quietly (every line runs again once
    // the library is read, and lines that need it fail before), and its
    // "setuserpath" lines were said by the start-up's own reading of them.
    enum class CommandFileReport { kEveryLine, kNotTheUserPath, kNothing };
    bool RunCommandFile(std::istream& stream, const std::string& fileName = "init_vars.txt",
        CommandFileReport report = CommandFileReport::kEveryLine);
    // Runs one line of a settings file or of the command line. A line that
    // did nothing is said once, after `where` ("file:line: ", "Command line:
    // "): its command's own reason, else what it expected; one whose
    // command did its work says nothing, a debug switch that answers false
    // included (CommandDone). `quiet` says nothing at all. True when it did
    // its work.
    bool RunReportedCommand(const std::string& line, const std::string& where, bool quiet = false);

    // ---- resource tables (owned entries unless noted)
    static Sprite* FindSprite(const std::string& name);
    static AnimatedSprite* FindAnimatedSprite(const std::string& name);
    static Sound* FindSound(const std::string& name);
    static UI_Font* FindFont(const std::string& name, Game* game);
    static LocalParticleSystem* FindLocalParticleSystem(const std::string& name);
    // A name beginning with "NPC" or "Proj" names a character: it is looked
    // up among the character prototypes first, then the scene-object table;
    // clone asks for a copy.
    static bool IsCharacterName(const std::string& name);
    static SceneObject* FindSceneObject(const std::string& name, bool clone);
    static GraphicalObject* FindCharacterPrototype(const std::string& name, bool clone);
    static std::vector<GraphicalObject*> FindCharacterPrototypes(const std::string& text, bool clone);
    GraphicalObject* FindGraphicalObject(const std::string& name, bool clone);
    static void AddCharacterPrototype(GraphicalObject* object);
    static void RemoveCharacterPrototype(GraphicalObject* object);

    // The tables' plain operations: counts, entries by index (null when the
    // index is not below the count; the variables take a signed index),
    // the tables themselves, additions and removals. A removal deletes the
    // entry: whatever still refers to it (an animation's frames, a placed
    // instance) must have let it go first.
    size_t GetSpriteCount() const { return sprites.size(); }
    size_t GetSoundCount() const { return sounds.size(); }
    size_t GetAnimatedSpriteCount() const { return animatedSprites.size(); }
    size_t GetSceneObjectCount() const { return sceneObjects.size(); }
    size_t GetSaveVarCount() const { return saveVars.size(); }
    size_t GetGlobalVarCount() const { return globalVars.size(); }
    Sprite* GetSprite(size_t index) const;
    Sound* GetSound(size_t index) const;
    AnimatedSprite* GetAnimatedSprite(size_t index) const;
    SceneObject* GetSceneObject(size_t index) const;
    ScriptVar* GetSaveVar(int index) const;
    ScriptVar* GetGlobalVar(int index) const;
    std::vector<Sprite*>& GetSprites() { return sprites; }
    std::vector<Sound*>& GetSounds() { return sounds; }
    std::vector<AnimatedSprite*>& GetAnimatedSprites() { return animatedSprites; }
    Sprite* AddSprite(const std::string& name, const std::string& imageFile, int x0, int y0, int x1, int y1);
    Sound* AddSound(const std::string& name, const std::string& file);
    void RemoveSprite(size_t index);
    void RemoveSound(size_t index);
    void RemoveAnimatedSprite(size_t index);
    // Also takes the object out of the character prototypes and the name
    // map, so that no look-up finds it once deleted.
    void RemoveSceneObject(size_t index);

    CharacterObject* GetCharacter(size_t index) const;
    size_t GetCharacterCount() const { return liveCharacters.size(); }
    CharacterObject* FindCharacterByName(const std::string& name, const CharacterObject* leaveOut) const;
    std::vector<CharacterObject*> FindCharactersByName(
        const std::string& name, const CharacterObject* leaveOut, bool skipDead) const;
    // Whether the character is in the live list under that name.
    bool IsLiveCharacter(const CharacterObject* character, const std::string& name) const;
    void DeleteCharacter(CharacterObject* character);
    // Drops what still points at a character the game is about to free (the
    // player's target characters).
    void ForgetCharacter(CharacterObject* character);

    // Script variables: names stored and looked up in lower case.
    static ScriptVar* FindSaveVar(const std::string& name);
    static ScriptVar* FindGlobalVar(const std::string& name);
    ScriptVar* CreateSaveVar(const std::string& name);
    ScriptVar* CreateGlobalVar(const std::string& name);
    void DeleteSaveVar(const std::string& name);
    void DeleteGlobalVar(const std::string& name);

    // ---- factories
    // A new object of the class the key names, appended to the scene-object
    // table (which owns it); null for a key outside the table.
    SceneObject* CreateSceneObjectByClass(std::string name, std::string classKey, std::string category);
    // Reads one scene-object record of the game library.
    static SceneObject* UnSerializeSceneObjects(std::istream& is, Game* game);
    // A new character of the class the key names, in the live-character list
    // (which owns it), placed before `before` when that is in the list; null
    // for a key outside the table.
    CharacterObject* CreateCharacterByClass(std::string name, std::string classKey, CharacterObject* before);
    // Whether CreateCharacterByClass knows the key.
    static bool IsCharacterClass(const std::string& classKey);
    // Every key of each factory, in table order.
    static std::vector<std::string> SceneObjectClassKeys();
    static std::vector<std::string> CharacterClassKeys();
    // The names characters are made under: every class key and the parts
    // bosses make of themselves (what a particle link may name).
    static std::vector<std::string> ParticleLinkNames();
    static bool IsParticleLinkName(const std::string& name);

    // ---- engines and services
    IRenderEngine* GetRenderEngine() const { return renderEngine.get(); }
    AbstractInputManager* GetInputManager() const { return inputManager.get(); }
    ISoundEngine* GetSoundEngine() const { return soundEngine.get(); }
    SoundEventsManager* GetSoundEventsManager() const { return soundEventsManager.get(); }
    MusicLibrary* GetMusicLibrary() { return &musicLibrary; }
    GameConfig* GetConfig() { return &config; }
    AchievementManager& GetAchievements() { return achievements; }
    // True once Steam delivered the user's statistics.
    bool IsStatsReady() const { return statsReceived; }
    platform::TimedMutex* GetGameMutex() const { return gameMutex.get(); }
    Player* GetPlayer() const { return player.get(); }
    // The player's view of the game, and the flags and counters it keeps.
    GamePlayerWorld* GetPlayerAccess() const { return playerAccess.get(); }
    void SetPlayer(std::unique_ptr<Player> newPlayer);
    Level* GetCurrentLevel() const { return currentLevel; }
    // The level the frame update and the scripts work on (not owned).
    void SetCurrentLevel(Level* level) { currentLevel = level; }
    Camera& GetCamera() { return camera; }
    // The menu and the HUD, the third and second interface frames' objects;
    // null before the game library gives them.
    UI_Menu* GetMenu() const;
    UI_Frame_Player* GetHud() const;

    // What the render thread and the render engine read and write of the game.
    DevConsole* GetConsole() override { return &console; }
    // Builds and submits one frame; nothing is drawn until the frame update
    // exists.
    void Render(bool fromMainThread) override;
    RenderGameState GetRenderState() override;
    void SetCurrentPostEffect(GraphicalEffect* effect) override { currentPostEffect = effect; }
    GraphicalEffect* GetCurrentPostEffect() override { return currentPostEffect; }
    bool HasCurrentLevel() const override { return currentLevel != nullptr; }
    // After the device objects were built again: a frame under the game's
    // mutex (none when it does not come within 30 ms, or before the first
    // update), and, in the middle of play, the pause menu at the next update.
    void OnDeviceRestored() override;

private:
    // ---- the steps of Update (GameFrame.cpp)
    // A reload of the save or a level change asked for since the last pass.
    void ApplyPendingLoads();
    // Steps the clocks; true on an update frame.
    bool AdvanceClocks();
    void UpdateTitleScreen(AbstractInputManager* input);
    void UpdateRunningGame(AbstractInputManager* input, bool tick);
    // The gameplay keys of an update frame, the level's events and instances.
    void PollGameplayInput(AbstractInputManager* input);
    // One update frame of the world: player, camera, characters, particles.
    void StepWorld(AbstractInputManager* input);
    // During the ending, a key after its wait returns to the title.
    void WaitForEndingKey(AbstractInputManager* input);
    void UpdateMenuOverGame(AbstractInputManager* input);

    // ---- the steps of ChangeLevel (GameLevelChange.cpp)
    // The level read from the file (found as FindLevelFile finds it), or
    // null with the reason in the debug output.
    std::unique_ptr<Level> ReadLevelFile(const std::string& levelFile, LevelNameSource source);
    // Where a level file opens as a regular file: a typed name as given,
    // else in the map folder; a name from data in the map folder only, and
    // only when it is a plain file name. Empty when none.
    std::string FindLevelFile(
        const std::string& levelFile, LevelNameSource source = LevelNameSource::kData) const;
    // The name a level opened as `levelFile` goes by, as the level folder
    // knows it, so that a save made there can be continued: a typed path to
    // a file of the level folder becomes that file's name. A path to a file
    // elsewhere stays the name (a save refuses it).
    std::string LevelFolderName(const std::string& levelFile, LevelNameSource source) const;
    // The current level goes; the new one gets its name, the saved states of
    // its instances, its spawns and in-game layers, and the player (created
    // from the save when there is none; else whether it fell is kept).
    void PrepareLevel(Level& level, const std::string& levelFile, bool& falling);
    void PlaceCamera(const Level& level, bool placed);
    // The new current level starts: the player settles, the camera follows,
    // the start-up script and zones run.
    void EnterLevel(bool placed, bool falling);

public:
    // When the player arrives on the collision copy of water or ice the ice
    // armor knows, the fire armor melts what is frozen around it.
    void ThawAroundArrival();

    // ---- members, in the order of their construction
    DevConsole console;
    // The tuning values in force while this game exists (installed by the
    // constructor); the tuning console commands set them.
    GameTuning tuning;

private:
    std::unique_ptr<platform::TimedMutex> gameMutex;
    std::string title;
    Level* currentLevel = nullptr;
    std::unique_ptr<IRenderEngine> renderEngine;
    std::unique_ptr<AbstractInputManager> inputManager;
    std::unique_ptr<ISoundEngine> soundEngine;
    ImageHandleManager* imageHandleManager = nullptr;

public:
    // Filled while the game library is read; not owning. The first object of
    // a name stays.
    std::map<std::string, GraphicalObject*> nameMap;
    std::vector<SceneObject*> sceneObjects;
    std::vector<Sprite*> sprites;
    std::vector<AnimatedSprite*> animatedSprites;
    std::vector<Sound*> sounds;
    std::vector<ScriptVar*> saveVars;
    std::vector<ScriptVar*> globalVars;
    std::vector<ScriptVar*> extraVars;
    // Library objects whose name begins with "NPC" or "Proj"; not owning.
    std::vector<GraphicalObject*> characterPrototypes;

private:
    std::unique_ptr<SoundEventsManager> soundEventsManager;
    // The sprites' and animations' names, indexed while the game library is
    // read (null otherwise; the look-ups then walk the tables).
    struct LibraryIndexes {
        NameIndex<Sprite> sprites;
        NameIndex<AnimatedSprite> animatedSprites;
    };
    std::unique_ptr<LibraryIndexes> libraryIndexes;

public:
    std::vector<LocalParticleSystem*> localParticleSystems;

private:
    GameConfig config;
    AchievementManager achievements;

    // The Steam callback members, registered by the constructor; each
    // unregisters itself when it is destroyed (1102, 1101, then 331).
    class CCallbackInternal_OnGameOverlayActivated : public SteamCallbackBase {
    public:
        explicit CCallbackInternal_OnGameOverlayActivated(Game& owner)
            : game(owner)
        {
        }
        // The callback's record holds the overlay's active flag first.
        void Run(void* data) override
        {
            if (data != nullptr)
                game.OnGameOverlayActivated(*static_cast<const uint8_t*>(data) != 0);
        }

    private:
        Game& game;
    };
    class CCallbackInternal_OnUserStatsReceived : public SteamCallbackBase {
    public:
        explicit CCallbackInternal_OnUserStatsReceived(Game& owner)
            : game(owner)
        {
        }
        void Run(void*) override { game.statsReceived = true; }

    private:
        Game& game;
    };
    class CCallbackInternal_OnUserStatsStored : public SteamCallbackBase {
    public:
        void Run(void*) override { }
    };
    CCallbackInternal_OnGameOverlayActivated overlayActivatedCallback {*this};
    // The overlay found a menu open, so hiding it leaves the menu open.
    bool overlayFoundMenuOpen = false;
    CCallbackInternal_OnUserStatsReceived userStatsReceivedCallback {*this};
    CCallbackInternal_OnUserStatsStored userStatsStoredCallback;
    bool statsReceived = false;

public:
    std::vector<UI_Font*> fonts;
    std::vector<TeleportInfo> teleports;
    int32_t frameCounter = 0;

private:
    Camera camera;
    GlobalTimer gameClock;
    double gameTimeMs = 0.0;
    double frameTime = 0.0;
    std::unique_ptr<GamePlayerWorld> playerAccess;
    std::unique_ptr<Player> player;

public:
    // The live characters, owning.
    LiveCharacterList liveCharacters;
    std::string pendingLevelFile;
    LevelNameSource pendingLevelSource = LevelNameSource::kData;
    std::string startPointName;
    bool usePlayerStart = true;
    bool pendingLoad = false;
    // The pending load: the current slot read again (play time and screens
    // seen kept), the player made anew at the save point of its map.
    void ReloadSave();
    // The progress of the current save slot.
    GameSaveData saveData;
    int32_t currentSaveSlot = -1;
    int32_t uiState = 0;
    int32_t maxAdvanceScore = 100;

private:
    GlobalTimer renderClock;
    MusicLibrary musicLibrary;

public:
    int32_t frameDelay = 33;
    // Slow motion: the world advances on every step-th frame while the
    // budget lasts (asked for by exploding characters).
    int32_t slowMotionBudget = 0;
    int32_t slowMotionStep = 0;
    int32_t endingCounter = 0;
    int32_t endingMode = 0;
    // While not -1, the player's layer leaves the fireflies undrawn (their
    // drawing is taken over elsewhere).
    int32_t fireflyOverrideIndex = -1;

    // ---- frame state
    FramePacing framePacing;
    double timeStep = 0.0;
    // The game clock has had its first update (which drops the time spent
    // before the first pass).
    bool clockStarted = false;
    // The time step is refreshed by the update and by a loading frame (on
    // the render thread): the game clock, the flag and the step under this.
    std::mutex clockMutex;
    // The milliseconds since the clock's previous reading become the time
    // step (the first reading only starts the clock).
    void RefreshTimeStep();
    bool quitRequested = false;
    // Set by a device restore in the middle of play (on the render thread):
    // the next update opens the pause menu.
    std::atomic<bool> pauseAfterRestore {false};
    bool menuFlag = true;
    bool gameplayPaused = false;
    // The play state last said on the debug output (only with the log on).
    std::optional<PlayState> reportedPlayState;
    bool interfaceHidden = false;
    // Layers shown above the darkening of a cut-scene (not owned; emptied by
    // the pickup cut-scene at its end and when the level goes).
    std::vector<Layer*> cinematicLayers;
    // The pickup cut-scene's kind (set by scripts); while it is 4 or 5 the
    // update runs the cinematic object (not owned) until its animation ends.
    int32_t pickupCinematicKind = 0;
    GraphicalObject* cinematicObject = nullptr;
    Point<int> cinematicPosition;
    int32_t cinematicCounter = 0;
    int32_t slowMotionSteps = 0;
    int32_t slowMotionSkip = 0;
    int32_t arrivalCounter = -1;
    // Drawn by the loading screen while set (the player's look as it left).
    GraphicalObject* transitionImage = nullptr;
    Point<int> transitionPosition;
    int32_t loadingAnimIndex = 0;
    // While it runs (from 0; -1 idle) the screen brightens; no arrival
    // starts it.
    int32_t secondTransitionCounter = -1;
    // Who opened the overlay screen: 0 the map key or a pickup, 1 a
    // teleporter, 2 the player frame.
    int32_t overlaySource = 0;
    // The two sliding screens: the overlay screen and the ending overlay
    // (made at start-up; null before).
    std::unique_ptr<OverlayObject> overlayObject;
    std::unique_ptr<OverlayObject> endingOverlay;
    // The UI frames the game draws, in list order: dialogue, player, menu,
    // end score (owned instances of library objects).
    std::vector<std::unique_ptr<SpacialInstance<GraphicalObject, float>>> uiFrames;
    // The end-score frame made at start-up (owned).
    std::unique_ptr<GraphicalObject> endScoreFrame;
    std::unique_ptr<GraphicalEffect> endScoreFade;
    // Objects bound by name at start-up (owned by the scene-object table).
    GraphicalObject* loadingScreen = nullptr;
    GraphicalObject* minimapTpCross = nullptr;
    GraphicalObject* minimapPlayerCross = nullptr;
    GraphicalObject* minimapStoryHint = nullptr;
    GraphicalObject* minimapTpBackground = nullptr;
    GraphicalObject* minimapTpRectAvailable = nullptr;
    GraphicalObject* minimapTpRectSelect = nullptr;
    GraphicalObject* minimapTpRectPlayer = nullptr;
    // The eight full-screen effects made by the program entry.
    std::unique_ptr<PostEffects> postEffects;
    // The game library's map records, and the minimap model made at start-up.
    std::unique_ptr<MapModel> mapModel;
    std::unique_ptr<MapModel> minimapModel;
    // The float setting of the game library's third line.
    float librarySetting = 0.0f;
    // The current level's start-up script text, kept for the script runner.
    std::string startupScriptText;

    // Set by the tuning commands.
    std::string mapPath;
    std::string defaultSpawner;
    std::string mainMusicPath;

    // ---- save games (GameSaves.cpp)
    // Completion percent of a slot file from its head (format, word, score,
    // play time); kNoSave when the slot has no file, kDamagedSave when even
    // its head does not read.
    static constexpr int kNoSave = UIGameAccess::kNoSave;
    static constexpr int kDamagedSave = UIGameAccess::kDamagedSave;
    int GetSaveSlotPercent(int slot);
    // Whether the slot's file exists and does not read whole: such a slot is
    // never started nor written over (only erasing it from the slot list
    // frees it).
    bool IsSaveSlotDamaged(int slot);
    // Play time of a slot file as "hh:mm:ss"; empty when it cannot be read.
    std::string GetSaveSlotSummary(int slot);
    // Whether the slot is damaged (as IsSaveSlotDamaged), and the level its
    // whole save continues in when no such level file is found (as given,
    // nor in the map folder), from one read of the file.
    UIGameAccess::SlotCheck CheckSaveSlot(int slot);
    // The save request of save points and scripts: captures the game, puts
    // the player at (x, y) facing `direction` (1 or -1; any other value
    // keeps the captured facing) and writes the current slot. True when
    // the slot was written.
    bool SaveGameAt(float x, float y, int direction);
    // The level file a new game starts with ("setfirstmap").
    std::string firstMapName;
    // The story hint's cell on the map; shown while its x is not 0.
    std::pair<int, int> storyHintPosition {0, 0};

    // ---- the world map and its teleport menu (GameTeleportMenu.cpp)
    // Draws the map into the rectangle at `origin` of `size`, scrolled by
    // `scroll`, on `target`; in map mode 1 runs the teleport menu, whose
    // choice requests the hub's level at its "[TELEPORT]" point. True when a
    // teleporter was chosen or in map mode 2.
    bool UpdateTeleportMenu(
        DXGraphicalSurface* target, Point<int> origin, Point<int> scroll, Point<int> size);
    // Map view, map mode, teleport cursor and marker objects.
    TeleportMap teleportMap;

    // ---- achievements and score (GameAchievements.cpp)
    // Adds 1 to the record's score and tells the player so.
    void IncrementGameScore(GameSaveData& data);
    // Steam's answer to the request for the user's statistics: 1 success.
    void OnUserStatsReceived(int result);

    // ---- set by the game, display and debug commands
    bool godMode = false;
    int32_t playerLogSetting = 0;
    bool drawPlayerAttackZone = false;
    bool drawNpcHitZone = false;

    // Read by the render thread and the render engine.
    uint8_t fixedStepTick = 0;
    uint8_t secondStateFlag = 0;
    // Time-dependent effects advance only while it is not 0: nothing ever
    // needs them held, so it is 1 (at 0 every hit flash, shock wave and
    // timed tint of the game would stand still for good).
    int32_t frameAdvance = 1;
    Point<float> cameraPosition;
    // How the 512 x 448 picture fits the window: 0 fit, 1 fill, 2 stretch.
    int32_t displayScaleMode = 0;
    // Keep the picture's aspect ratio when it is scaled ("keepratio").
    bool keepAspectRatio = true;
    bool linearFilter = false;
    // The effect of the named command being replayed (the final pass
    // applies it); not owned.
    GraphicalEffect* currentPostEffect = nullptr;

private:
    // What the lower layers ask of the game, each answered from this object
    // by an access of its own (game/Game*Access.h), installed while the game
    // exists.
    friend class GameSoundAccess;
    friend class GameCharacterAccess;
    friend class GameSceneAccess;
    friend class GameZoneAccess;
    friend class GameScriptAccess;
    friend class GameUIAccess;
    std::unique_ptr<GameSoundAccess> soundAccess;
    std::unique_ptr<GameCharacterAccess> characterAccess;
    std::unique_ptr<GameSceneAccess> sceneAccess;
    std::unique_ptr<GameZoneAccess> zoneAccess;
    std::unique_ptr<GameScriptAccess> scriptAccess;
    std::unique_ptr<GameUIAccess> uiAccess;

    void RegisterConsoleCommands(int first, int last);
};
