#include "characters/Player.h"
#include "engine/config/GamePaths.h"
#include "engine/render/PostChain.h"
#include "engine/render/ShaderEffect_PostProcess.h"
#include "scene/AnimatedSprite.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/MapModel.h"
#include "scene/Sprite.h"
#include "script/BGEvent_ShowText.h"
#include "script/NPC_Script.h"
#include "tests/script/ScriptFixture.h"
#include "ui/OverlayObject.h"
#include "zones/Zone_TriggerScript.h"

#include "engine/render/DXGraphicalSurface.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// A game with a level, a player and a trigger placed in the level; each
// script runs to its end on behalf of the trigger.
class ScriptStateCommands : public ScriptFixture {
protected:
    void SetUp() override
    {
        ScriptFixture::SetUp();
        auto newPlayer = std::make_unique<Player>("Player");
        player = newPlayer.get();
        game.SetPlayer(std::move(newPlayer));
        trigger.SetLevel(&level);
    }

    // Runs the text on behalf of the trigger; the number of script errors.
    int Run(const std::string& text)
    {
        const int before = ErrorCount();
        Script& script = Make(text);
        script.SetOwnerInstance(&trigger);
        RunToEnd(script);
        return ErrorCount() - before;
    }

    CharacterObject* Character(const std::string& name, Point<float> at = Point<float>())
    {
        CharacterObject* character = game.CreateCharacterByClass(name, "NPC_Script", nullptr);
        character->SetPosition(at);
        return character;
    }

    Player* player = nullptr;
    Level::Instance trigger;
};

TEST_F(ScriptStateCommands, IgnoringInputsStopsThePlayerAndTurnsAJumpIntoAFall)
{
    struct Case {
        int state;
        int after;
    };
    const Case cases[]
        = {{Player::kIdle, Player::kIdle}, {Player::kWalk, Player::kWalk}, {Player::kJump, Player::kFall},
            {Player::kEndJump, Player::kFall}, {Player::kClimbing, Player::kClimbing}};
    for (const Case& c : cases) {
        player->SetMoveStateValue(c.state);
        player->SetDirection(Point<float>(-1.0f, 0.5f));
        EXPECT_EQ(Run("IgnoreInputs 1"), 0);
        EXPECT_TRUE(player->IsInputLocked());
        EXPECT_EQ(player->GetMoveState(), c.after) << c.state;
        EXPECT_EQ(player->GetDirection(), Point<float>(0.0f, 0.5f));
        // Giving control back changes nothing else.
        EXPECT_EQ(Run("IgnoreInputs 0"), 0);
        EXPECT_FALSE(player->IsInputLocked());
        EXPECT_EQ(player->GetMoveState(), c.after);
    }
    // Any flag but "0" locks.
    EXPECT_EQ(Run("IgnoreInputs yes"), 0);
    EXPECT_TRUE(player->IsInputLocked());
}

TEST_F(ScriptStateCommands, TheMinimapAndSecretTargetsBelongToThePlayer)
{
    EXPECT_EQ(Run("EnableMinimap"), 0);
    EXPECT_TRUE(player->minimapEnabled);

    CharacterObject* page = Character("lost_page");
    CharacterObject* twin = Character("lost_page");
    CharacterObject* other = Character("urn");
    EXPECT_EQ(Run("AddSecretZone lost_page;AddSecretZone urn;AddSecretZone nobody"), 0);
    EXPECT_EQ(player->targetCharacters, (std::vector<CharacterObject*> {page, twin, other}));
    EXPECT_EQ(Run("RemoveSecretZone lost_page"), 0);
    EXPECT_EQ(player->targetCharacters, (std::vector<CharacterObject*> {other}));

    // A target the game frees leaves the player's list with it.
    game.DeleteCharacter(other);
    EXPECT_TRUE(player->targetCharacters.empty());
}

TEST_F(ScriptStateCommands, TheScoreCountsAndSaysSo)
{
    game.saveData.SetScore(4);
    EXPECT_EQ(Run("IncrementGameScore;IncrementGameScore ignored tokens"), 0);
    EXPECT_EQ(game.saveData.GetScore(), 6);
    int shown = 0;
    for (size_t i = 0; i < level.GetBackgroundEventCount(); ++i)
        if (auto* text = dynamic_cast<BGEvent_ShowText*>(level.GetBackgroundEvent(i))) {
            EXPECT_EQ(text->GetName(), "IncremenGameScore");
            EXPECT_EQ(text->GetText(), "Game Score Incremented");
            // Started for 40 logic ticks, one of which has shown it.
            EXPECT_EQ(text->GetCount(), 39);
            ++shown;
        }
    EXPECT_EQ(shown, 2);
}

TEST_F(ScriptStateCommands, DrawAfterThePlayerIsSetOnTheFirstCharacterOfTheName)
{
    CharacterObject* keeper = Character("keeper");
    CharacterObject* second = Character("keeper");
    EXPECT_EQ(Run("ChangeNPCRenderAfterPlayer keeper 1"), 0);
    EXPECT_TRUE(keeper->IsDrawnFlagged());
    EXPECT_FALSE(second->IsDrawnFlagged());
    EXPECT_EQ(Run("ChangeNPCRenderAfterPlayer keeper yes"), 0) << "only \"1\" sets it";
    EXPECT_FALSE(keeper->IsDrawnFlagged());
    // Without a trigger in a level it is an error.
    trigger.SetLevel(nullptr);
    EXPECT_EQ(Run("ChangeNPCRenderAfterPlayer keeper 1"), 1);
    EXPECT_FALSE(keeper->IsDrawnFlagged());
}

// A character that notes its draws.
class DrawnCharacter : public NPC_Script {
public:
    DrawnCharacter(std::string name, std::vector<std::string>& log)
        : NPC_Script(std::move(name))
        , drawn(log)
    {
    }
    bool Draw(DXGraphicalSurface*, Point<int>) override
    {
        drawn.push_back(GetName());
        return true;
    }

private:
    std::vector<std::string>& drawn;
};

TEST_F(ScriptStateCommands, ThePlayersLayerDrawsFlaggedCharactersInTheirOwnPass)
{
    std::vector<std::string> drawn;
    for (const char* name : {"plain", "keeper", "front"})
        game.liveCharacters.push_back(new DrawnCharacter(name, drawn));
    EXPECT_EQ(Run("ChangeNPCRenderAfterPlayer keeper 1"), 0);
    game.liveCharacters[2]->SetDrawnInFront(true);
    // The layer draws characters onto its own surface.
    Layer* layer = level.CreateLayer(Level::kScene, "Scene Layer 00",
        new DXGraphicalSurface(Point<int>(512, 448), true), 512, 448, 32, 32);
    const auto pass = [&](bool (Layer::*draw)(Point<int>)) {
        drawn.clear();
        EXPECT_TRUE((layer->*draw)(Point<int>()));
        return drawn;
    };
    EXPECT_EQ(pass(&Layer::DrawCharacters), (std::vector<std::string> {"plain"}));
    EXPECT_EQ(pass(&Layer::DrawCharactersFlagged), (std::vector<std::string> {"keeper"}));
    EXPECT_EQ(pass(&Layer::DrawFrontCharacters), (std::vector<std::string> {"front"}));
}

TEST_F(ScriptStateCommands, RefreshingAGateCopiesItsLookOntoTheCollisionsLayer)
{
    Layer* collisions = level.CreateLayer(Level::kScene, "Collisions", nullptr, 1024, 448, 32, 32);
    Zone_TriggerScript gateType("Zone_TriggerZone");
    Layer::Instance* placed = collisions->AddPlacedInstance(&gateType, 200.0f, 64.0f);
    auto* gate = new Zone_TriggerScript::Instance();
    gate->SetName("gate");
    placed->SetPayload(std::unique_ptr<SceneObjectInstance>(gate));
    gate->Spawn(200, 64, &level);
    ASSERT_NE(gate->character, nullptr);
    GraphicalObject closed("Gate_Closed");
    GraphicalObject open("Gate_Open");
    game.nameMap["Gate_Closed"] = &closed;
    game.nameMap["Gate_Open"] = &open;

    player->GetArmorState().armorChanged = false;
    EXPECT_EQ(Run("SetGraphical gate Gate_Closed;RefreshGraphicalCollision gate"), 0);
    ASSERT_EQ(collisions->GetAddedInstanceCount(), 1u);
    ASSERT_NE(gate->collisionCopy, nullptr);
    EXPECT_EQ(gate->collisionCopy->GetPrototype()->GetName(), "Gate_Closed");
    EXPECT_EQ(gate->collisionCopy->GetPosition(), Point<float>(200.0f, 64.0f));
    EXPECT_TRUE(player->GetArmorState().armorChanged) << "the player sweeps the changed layer again";

    // Opening replaces the copy instead of adding a second one.
    EXPECT_EQ(
        Run("SetGraphical gate Gate_Open;RefreshGraphicalCollision gate;RefreshGraphicalCollision none"), 0);
    ASSERT_EQ(collisions->GetAddedInstanceCount(), 1u);
    EXPECT_EQ(collisions->GetAddedInstance(0)->GetPrototype()->GetName(), "Gate_Open");
    game.nameMap.clear();
}

// The three timed effects the commands steer, resting at their end as the
// program makes them, without shaders.
class ScreenEffectCommands : public ScriptStateCommands {
protected:
    void SetUp() override
    {
        ScriptStateCommands::SetUp();
        MakeEffects();
    }
    void MakeEffects()
    {
        game.postEffects = std::make_unique<PostEffects>();
        for (auto effect : {&PostEffects::fadeToColor, &PostEffects::fadeToColorInv, &PostEffects::water})
            (*game.postEffects).*effect = std::make_unique<ShaderEffect_PostProcess_TimeDependent>(
                nullptr, 30.0f, true, 0.0f, 0.0f, false, 2);
    }
    ShaderEffect_PostProcess_TimeDependent& Effect(
        std::unique_ptr<ShaderEffect_PostProcess_TimeDependent> PostEffects::*which)
    {
        return *((*game.postEffects).*which);
    }
};

TEST_F(ScreenEffectCommands, FadesAndWaterChangeTheirOwnEffectOnly)
{
    using Member = std::unique_ptr<ShaderEffect_PostProcess_TimeDependent> PostEffects::*;
    struct Case {
        const char* line;
        Member changed;
        float duration;
        float time;
        bool running;
    };
    const Case cases[] = {
        // The overlay screen's slide-in is no full-screen effect: its length
        // changes, and every effect stays as it was.
        {"ChangeFadeTimer 45", nullptr, 30.0f, 30.0f, false},
        {"ChangeFadeToBlack 90.5", &PostEffects::fadeToColorInv, 90.5f, 0.0f, true},
        {"EnableWaterDisto", &PostEffects::water, 30.0f, 0.0f, true},
    };
    game.overlayObject = std::make_unique<OverlayObject>();
    game.overlayObject->slideSpeed = 10.0f;
    for (const Case& c : cases) {
        MakeEffects();
        EXPECT_EQ(Run(c.line), 0) << c.line;
        for (Member m : {&PostEffects::fadeToColor, &PostEffects::fadeToColorInv, &PostEffects::water}) {
            const bool mine = m == c.changed;
            EXPECT_EQ(Effect(m).GetDuration(), mine ? c.duration : 30.0f) << c.line;
            EXPECT_EQ(Effect(m).GetTime(), mine ? c.time : 30.0f) << c.line;
            EXPECT_EQ(Effect(m).IsRunning(), mine && c.running) << c.line;
        }
    }
    EXPECT_EQ(game.overlayObject->slideSpeed, 45.0f);
    game.overlayObject.reset();
    // A fade to black started runs its new length and then rests.
    MakeEffects();
    EXPECT_EQ(Run("ChangeFadeToBlack 90"), 0);
    Effect(&PostEffects::fadeToColorInv).Advance(89.0f);
    EXPECT_TRUE(Effect(&PostEffects::fadeToColorInv).IsRunning());
    Effect(&PostEffects::fadeToColorInv).Advance(1.0f);
    EXPECT_FALSE(Effect(&PostEffects::fadeToColorInv).IsRunning());
}

TEST_F(ScreenEffectCommands, CommandsWithoutTheirTargetAreScriptErrors)
{
    game.postEffects.reset();
    game.SetPlayer(nullptr);
    for (const char* line : {"ChangeFadeTimer 45", "ChangeFadeToBlack 90", "EnableWaterDisto",
             "IgnoreInputs 1", "EnableMinimap", "AddSecretZone x", "RemoveSecretZone x"})
        EXPECT_EQ(Run(line), 1) << line;
}

TEST_F(ScriptStateCommands, TheInterfaceHidesAndComesBack)
{
    for (int i = 0; i < 4; ++i)
        game.uiFrames.push_back(std::make_unique<Level::Instance>(nullptr, 0.0f, 0.0f));
    game.uiFrames[1]->SetVisible(true);
    EXPECT_EQ(Run("ForceToHideUI 1"), 0);
    EXPECT_TRUE(game.interfaceHidden);
    EXPECT_FALSE(game.uiFrames[1]->IsVisible());
    EXPECT_EQ(Run("ForceToHideUI 0"), 0);
    EXPECT_FALSE(game.interfaceHidden);
    EXPECT_TRUE(game.uiFrames[1]->IsVisible());
    EXPECT_FALSE(game.uiFrames[2]->IsVisible());
    EXPECT_EQ(game.uiState, 1);
}

TEST_F(ScriptStateCommands, TheEndingStartsItsCountdownAndChecksTheEndOfGameAchievements)
{
    EXPECT_EQ(Run("ShowEnding 1"), 0);
    EXPECT_EQ(game.endingMode, 1);
    EXPECT_EQ(game.endingCounter, 90);

    game.maxAdvanceScore = 10;
    game.saveData.SetScore(10);
    game.saveData.SetPlayTime(7200001u);
    EXPECT_EQ(Run("EndGame"), 0);
    EXPECT_TRUE(game.GetAchievements().FindByName("NE;WM")->IsComplete());
    EXPECT_FALSE(game.GetAchievements().FindByName("TL;DR")->IsComplete());
    EXPECT_FALSE(game.GetAchievements().FindByName("SpeedRunner")->IsComplete());
}

TEST_F(ScriptStateCommands, CinematicLayersComeFromTheNamedListAndGoWithTheLevel)
{
    Layer* sky = level.CreateLayer(Level::kBackground, "BG_Sky", nullptr, 512, 448, 32, 32);
    Layer* scene = level.CreateLayer(Level::kScene, "Scene Layer 00", nullptr, 512, 448, 32, 32);
    EXPECT_EQ(
        Run("AddLayerInCinematic 0 BG_Sky;AddLayerInCinematic 2 BG_Sky;AddLayerInCinematic 7 BG_Sky"), 0);
    EXPECT_EQ(game.cinematicLayers, (std::vector<Layer*> {sky}));
    // A pickup cut-scene keeps the scene layer above its darkening and
    // empties the list when it ends.
    game.cinematicCounter = 9;
    EXPECT_EQ(Run("Event_RunPickupCinematic 6"), 0);
    EXPECT_EQ(game.cinematicLayers, (std::vector<Layer*> {sky, scene}));
    EXPECT_EQ(game.cinematicCounter, 0) << "the burst restarts the cinematic counter";
    for (int frame = 0; frame < 300 && level.GetBackgroundEventCount() > 0; ++frame)
        Frame();
    EXPECT_EQ(level.GetBackgroundEventCount(), 0u);
    EXPECT_TRUE(game.cinematicLayers.empty());
    EXPECT_EQ(Run("AddLayerInCinematic 0 BG_Sky"), 0);
    // A level that goes takes its layers out of the list, and the player's
    // targets with its characters.
    auto* going = new Level("going");
    game.SetCurrentLevel(going);
    player->targetCharacters.push_back(Character("lost_page"));
    Game::ReleaseLevel(going, &game);
    EXPECT_TRUE(game.cinematicLayers.empty());
    EXPECT_TRUE(player->targetCharacters.empty());
    game.SetCurrentLevel(&level);
}

TEST_F(ScriptStateCommands, PickupKindsFourAndFiveRunTheCinematicObjectUntilItsAnimationEnds)
{
    Sprite frame {"f0", "f.png", 0, 0, 15, 15};
    AnimatedSprite twice {"twice"};
    twice.AddFrame(&frame, 100.0f, 0.0f);
    twice.AddFrame(&frame, 100.0f, 0.0f);
    GraphicalObject hint {"Map_Hint"};
    hint.AddAnimatedInstance(&twice, 0, 0);
    game.nameMap["Map_Hint"] = &hint;
    game.cinematicCounter = 12;
    player->SetForm(Player::kSpider);
    EXPECT_EQ(Run("Event_RunPickupCinematic 4 Map_Hint 40"), 0);
    EXPECT_EQ(game.pickupCinematicKind, 4);
    EXPECT_EQ(game.cinematicObject, &hint);
    EXPECT_EQ(game.cinematicPosition, Point<int>(40, 0));
    EXPECT_EQ(game.cinematicCounter, 0);
    EXPECT_FALSE(player->IsSpiderForm()) << "a cut-scene turns the spider back";
    EXPECT_TRUE(level.GetBackgroundEventCount() == 0) << "no darkening cut-scene for kind 4";

    int updates = 0;
    while (game.cinematicObject != nullptr && updates < 100) {
        game.UpdateCinematicObject();
        ++updates;
    }
    EXPECT_EQ(updates, 7) << "two frames of 100 ms at 33 ms a step";
    EXPECT_EQ(game.pickupCinematicKind, 0);

    // Kind 5 keeps the position; another kind leaves the object alone.
    game.cinematicPosition = Point<int>(3, 4);
    hint.RestartAnimations(false);
    EXPECT_EQ(Run("Event_RunPickupCinematic 5 Map_Hint 40 50;Event_RunPickupCinematic 0"), 0);
    EXPECT_EQ(game.cinematicPosition, Point<int>(3, 4));
    EXPECT_EQ(game.pickupCinematicKind, 0);
    game.UpdateCinematicObject();
    EXPECT_EQ(game.cinematicObject, &hint);
    game.nameMap.clear();
}

// A game whose user folder is a fresh temporary folder, playing slot 0.
class SaveGameCommand : public ScriptStateCommands {
protected:
    void SetUp() override
    {
        ScriptStateCommands::SetUp();
        folder = fs::temp_directory_path() / ("quenholt-scriptsave-" + std::to_string(getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        SetUserPath(folder.string() + "/");
        game.minimapModel = std::make_unique<MapModel>();
        game.currentSaveSlot = 0;
    }
    void TearDown() override
    {
        SetUserPath("");
        fs::remove_all(folder);
        ScriptStateCommands::TearDown();
    }
    fs::path folder;
};

TEST_F(SaveGameCommand, SavesAtTheNamedCharacterWithTheStoryHint)
{
    Character("arena_c", Point<float>(640.0f, 96.0f));
    player->SetPosition(Point<float>(10.0f, 20.0f));
    EXPECT_EQ(Run("ChangeStoryHintPosition 12 7;SaveGame 1 arena_c"), 0);
    EXPECT_EQ(game.storyHintPosition, (std::pair<int, int> {12, 7}));
    ASSERT_TRUE(fs::exists(folder / "Save_0.sav"));
    GameSaveData reloaded;
    ASSERT_TRUE(reloaded.Load(0, false));
    EXPECT_EQ(reloaded.GetPosition(), Point<float>(640.0f, 96.0f));
    EXPECT_EQ(reloaded.GetDirection(), 1);
    EXPECT_EQ(reloaded.GetStoryHint(), (std::pair<int, int> {12, 7}));

    // The mode is the facing the player will have when the slot loads.
    EXPECT_EQ(Run("SaveGame -1 arena_c"), 0);
    EXPECT_EQ(game.saveData.GetDirection(), -1);
}

TEST_F(SaveGameCommand, NoCharacterOrNoSlotIsAnErrorAndWritesNothing)
{
    Character("arena_c");
    EXPECT_EQ(Run("SaveGame 1 nobody"), 1);
    game.currentSaveSlot = -1;
    EXPECT_EQ(Run("SaveGame 1 arena_c"), 1) << "a save that was not written is not a success";
    EXPECT_FALSE(fs::exists(folder / "Save_0.sav"));
    // A word where the row reads a number is a malformed number: refused,
    // the position kept.
    const std::pair<int, int> before = game.storyHintPosition;
    EXPECT_EQ(Run("ChangeStoryHintPosition x 3"), 1);
    EXPECT_EQ(game.storyHintPosition, before);
}

} // namespace
