#include "game/Game.h"
#include "characters/CharacterObject.h"
#include "engine/config/GamePaths.h"
#include "engine/input/AbstractInputManager.h"
#include "engine/platform/Steam.h"
#include "engine/sound/ISoundEngine.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundEventsManager.h"
#include "engine/sound/SoundGameAccess.h"
#include "scene/GraphicalObject.h"
#include "scene/Sprite.h"
#include "script/DialogueFile.h"
#include "script/Script.h"
#include "script/ScriptVar.h"
#include "tests/engine/platform/DebugCapture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Engines that record what the game does with them.
struct EngineLog {
    int soundInits = 0;
    int volumeApplications = 0;
    int deleted = 0;
};

class FakeSoundEngine : public ISoundEngine {
public:
    FakeSoundEngine(EngineLog& engineLog, bool initWorks)
        : ISoundEngine("Fake")
        , log(engineLog)
        , works(initWorks)
    {
    }
    ~FakeSoundEngine() override { ++log.deleted; }
    bool Init() override
    {
        ++log.soundInits;
        return works;
    }
    ISoundRessource* ImportSound(std::string, Sound*) override { return nullptr; }
    void ApplyVolumes() override { ++log.volumeApplications; }
    void ReleaseSoundData(ISoundRessource*) override { }

private:
    EngineLog& log;
    bool works;
};

class FakeInputManager : public AbstractInputManager {
public:
    explicit FakeInputManager(EngineLog& engineLog)
        : log(engineLog)
    {
    }
    ~FakeInputManager() override { ++log.deleted; }
    bool Init() override { return true; }
    bool Acquire() override { return true; }
    void Poll() override { }
    void Release() override { }

private:
    EngineLog& log;
};

TEST(GameObject, ShutsDownTwiceReleasingEverythingOnce)
{
    EngineLog log;
    Game game("Quenholt", nullptr, new FakeInputManager(log), new FakeSoundEngine(log, true));
    EXPECT_EQ(Game::GetInstance(), &game);
    game.sprites.push_back(new Sprite("S", "s.png", 0, 0, 8, 8));
    game.sceneObjects.push_back(new GraphicalObject("NPC_Proto"));
    game.CreateSaveVar("Progress");
    game.CreateCharacterByClass("Door", "NPC_Door", nullptr);
    ASSERT_NE(game.GetSoundEventsManager(), nullptr);

    game.Shutdown();
    EXPECT_EQ(log.deleted, 2);
    EXPECT_EQ(game.GetSoundEngine(), nullptr);
    EXPECT_EQ(game.GetInputManager(), nullptr);
    EXPECT_EQ(game.GetSoundEventsManager(), nullptr);
    EXPECT_TRUE(game.sprites.empty());
    EXPECT_TRUE(game.sceneObjects.empty());
    EXPECT_TRUE(game.saveVars.empty());
    EXPECT_TRUE(game.characterPrototypes.empty());
    EXPECT_EQ(game.GetCharacterCount(), 0u);

    game.Shutdown();
    EXPECT_EQ(log.deleted, 2);
}

TEST(GameObject, NullEnginesAndTheSingletonAfterDestruction)
{
    {
        Game game;
        game.Shutdown();
        EXPECT_EQ(Game::GetInstance(), &game);
    }
    EXPECT_EQ(Game::GetInstance(), nullptr);
    EXPECT_EQ(GetSoundGameAccess(), nullptr);
    EXPECT_TRUE(Script::GetCommands().empty());
}

// The game runs in the world's folder: dialogues and pictures are named
// relative to it, never glued to the program's folder without a separator.
TEST(GameObject, DataPathsAreTheWorkingFolder)
{
    SetDialogPath("stale/");
    SetBasePath("stale/");
    Game game;
    EXPECT_EQ(GetDialogPath(), "");
    EXPECT_EQ(GetBasePath(), "");
    EXPECT_EQ(DialogueFile::PathFor("cemetery.txt"), "dialogues_eng/cemetery.txt");
    game.Shutdown();
}

TEST(GameObject, RegistersItsSteamCallbacksAndRemovesThemWhenDestroyed)
{
    const size_t before = SteamAPI_RegisteredCallbackCount(-1);
    {
        Game game;
        EXPECT_EQ(SteamAPI_RegisteredCallbackCount(331), 1u);
        EXPECT_EQ(SteamAPI_RegisteredCallbackCount(1101), 1u);
        EXPECT_EQ(SteamAPI_RegisteredCallbackCount(1102), 1u);
        EXPECT_FALSE(SteamAPI_Init());
    }
    EXPECT_EQ(SteamAPI_RegisteredCallbackCount(-1), before);
}

TEST(GameObject, TheSoundCodeReachesTheGameAndItsVolumeHook)
{
    EngineLog log;
    Game game("Quenholt", nullptr, nullptr, new FakeSoundEngine(log, false));
    SoundGameAccess* access = GetSoundGameAccess();
    ASSERT_NE(access, nullptr);
    EXPECT_EQ(access->GetSoundEngine(), game.GetSoundEngine());
    EXPECT_EQ(access->GetSoundEventsManager(), game.GetSoundEventsManager());
    EXPECT_EQ(access->GetConfig(), game.GetConfig());
    EXPECT_EQ(access->GetMusicLibrary(), game.GetMusicLibrary());
    float x = 0, y = 0;
    int w = 0, h = 0;
    EXPECT_FALSE(access->GetPlayerBox(x, y, w, h));

    // A failing sound engine says so in one console line (no box waits for
    // a click) and the game goes on silent.
    DebugCapture debug;
    EXPECT_FALSE(game.InitSoundEngine());
    EXPECT_EQ(log.soundInits, 1);
    const std::vector<std::string> said = debug.Messages();
    ASSERT_EQ(said.size(), 1u);
    EXPECT_NE(said[0].find("The sound engine can't be initialized"), std::string::npos) << said[0];

    // Loading the user settings applies the volumes through the game.
    const std::filesystem::path folder
        = std::filesystem::temp_directory_path() / ("quenholt_game_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string previous = GetUserPath();
    SetUserPath(folder.string() + "/");
    game.GetConfig()->LoadUserConfig();
    SetUserPath(previous);
    std::filesystem::remove_all(folder);
    EXPECT_EQ(log.volumeApplications, 1);

    game.GetSoundEventsManager()->AddStartedSound("Hit");
    game.UpdateSound(false);
    EXPECT_TRUE(game.GetSoundEventsManager()->GetStartedSounds().empty());
}

TEST(GameResources, LookUpsCompareWholeNamesAndKeepTheFirst)
{
    Game game;
    auto* first = new Sprite("Leaf", "a.png", 0, 0, 8, 8);
    game.sprites = {nullptr, first, new Sprite("Leaf", "b.png", 0, 0, 8, 8)};
    EXPECT_EQ(Game::FindSprite("Leaf"), first);
    EXPECT_EQ(Game::FindSprite("leaf"), nullptr);
    EXPECT_EQ(Game::FindSprite("Lea"), nullptr);

    // Characters are found among the prototypes first, by a leading "NPC".
    auto* proto = new GraphicalObject("NPC_Bat");
    auto* library = new GraphicalObject("NPC_Bat");
    auto* plain = new SceneObject("Ambience");
    auto* inner = new GraphicalObject("Big_NPC_Bat");
    game.sceneObjects = {library, plain, inner, proto};
    game.characterPrototypes = {proto};
    EXPECT_EQ(Game::FindSceneObject("NPC_Bat", false), proto);
    EXPECT_EQ(Game::FindSceneObject("Big_NPC_Bat", false), inner);
    EXPECT_EQ(game.FindGraphicalObject("Ambience", false), nullptr);
    EXPECT_EQ(Game::FindSceneObject("Ambience", false), plain);
    const std::vector<GraphicalObject*> bats = Game::FindCharacterPrototypes("Bat", false);
    EXPECT_EQ(bats, std::vector<GraphicalObject*> {proto});
}

TEST(GameResources, ScriptVariablesLiveInLowerCaseAndByIndex)
{
    Game game;
    ScriptVar* made = game.CreateSaveVar("KeyFound");
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetName(), "keyfound");
    made->SetValue("1");
    EXPECT_EQ(game.CreateSaveVar("KEYFOUND"), nullptr);
    EXPECT_EQ(game.GetSaveVar(0), made);
    EXPECT_EQ(game.GetSaveVar(-1), nullptr);
    EXPECT_EQ(game.GetSaveVar(1), nullptr);
    EXPECT_EQ(Game::FindSaveVar("kEyFoUnD")->GetValue(), "1");
    EXPECT_EQ(Game::FindGlobalVar("keyfound"), nullptr);
    ASSERT_NE(game.CreateGlobalVar("KeyFound"), nullptr);
    EXPECT_EQ(game.GetGlobalVarCount(), 1u);
    EXPECT_EQ(game.GetGlobalVar(-1), nullptr);
    game.DeleteSaveVar("KEYFOUND");
    EXPECT_EQ(Game::FindSaveVar("keyfound"), nullptr);
    EXPECT_NE(Game::FindGlobalVar("keyfound"), nullptr);
}

// Entries by index (null past the end), additions and removals, which
// leave no look-up finding a deleted entry.
TEST(GameResources, TablesByIndexAdditionsAndRemovals)
{
    Game game;
    ASSERT_NE(game.AddSprite("Leaf", "a.png", 0, 0, 8, 8), nullptr);
    Sprite* stone = game.AddSprite("Stone", "b.png", 8, 0, 16, 8);
    EXPECT_EQ(game.GetSpriteCount(), 2u);
    EXPECT_EQ(game.GetSprite(1), stone);
    EXPECT_EQ(game.GetSprite(2), nullptr);
    EXPECT_EQ(&game.GetSprites(), &game.sprites);
    game.RemoveSprite(0);
    game.RemoveSprite(7);
    EXPECT_EQ(game.GetSprites(), std::vector<Sprite*> {stone});
    EXPECT_EQ(Game::FindSprite("Leaf"), nullptr);

    ASSERT_NE(game.AddSound("Bell", "bell.wav"), nullptr);
    EXPECT_EQ(Game::FindSound("Bell"), game.GetSound(0));
    game.RemoveSound(0);
    EXPECT_EQ(game.GetSoundCount(), 0u);

    auto* bat = new GraphicalObject("NPC_Bat");
    game.sceneObjects = {new SceneObject("Ambience"), bat, nullptr};
    game.characterPrototypes = {bat};
    game.nameMap["NPC_Bat"] = bat;
    game.RemoveSceneObject(1);
    EXPECT_EQ(game.GetSceneObjectCount(), 2u);
    EXPECT_TRUE(game.characterPrototypes.empty());
    EXPECT_TRUE(game.nameMap.empty());
    EXPECT_EQ(game.FindGraphicalObject("NPC_Bat", false), nullptr);
    game.RemoveSceneObject(1);
    EXPECT_EQ(game.GetSceneObject(0)->GetName(), "Ambience");
    EXPECT_EQ(game.GetSceneObject(1), nullptr);
}

TEST(GameResources, LiveCharactersByIndexNameAndDeath)
{
    Game game;
    CharacterObject* a = game.CreateCharacterByClass("Skull", "NPC_FloatingSkull", nullptr);
    CharacterObject* b = game.CreateCharacterByClass("Skull", "NPC_FloatingSkull", nullptr);
    CharacterObject* c = game.CreateCharacterByClass("Skull", "NPC_FloatingSkull", nullptr);
    EXPECT_EQ(game.GetCharacter(2), c);
    EXPECT_EQ(game.GetCharacter(3), nullptr);
    EXPECT_EQ(game.FindCharacterByName("Skull", a), b);
    // Dead once its explosion has run out (timed in game ticks).
    game.fixedStepTick = 1;
    game.frameAdvance = 1;
    b->Explode(false);
    for (int frame = 0; frame < 200 && !b->IsDead(); ++frame)
        b->Update(33.0);
    ASSERT_TRUE(b->IsDead());
    EXPECT_EQ(game.FindCharactersByName("Skull", nullptr, true), (std::vector<CharacterObject*> {a, c}));
    EXPECT_EQ(game.FindCharactersByName("Skull", c, false), (std::vector<CharacterObject*> {a, b}));

    CharacterObject stranger("Skull");
    game.DeleteCharacter(&stranger);
    EXPECT_EQ(game.GetCharacterCount(), 3u);
    // A character that goes takes the links of those it owned with it.
    a->SetOwner(b);
    game.DeleteCharacter(b);
    EXPECT_EQ(game.liveCharacters, (std::vector<CharacterObject*> {a, c}));
    EXPECT_EQ(a->GetOwner(), nullptr);
    EXPECT_FALSE(game.IsLiveCharacter(b, "Skull"));
    EXPECT_TRUE(game.IsLiveCharacter(c, "Skull"));
    EXPECT_FALSE(game.IsLiveCharacter(c, "Bat"));
}

} // namespace
