#include "characters/Player.h"
#include "engine/input/AbstractInputManager.h"
#include "game/Game.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "script/Script.h"
#include "script/ScriptVar.h"
#include "zones/Zone_TriggerScript.h"

#include "tests/engine/platform/DebugCapture.h"
#include "tests/game/FixedStepClock.h"
#include "tests/game/ScriptedInput.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The lever of the cemetery: a trigger whose script writes a save variable,
// changes the lever's look and its collision copy, counts score and notes
// every section it runs ("Record").
const char* const kLeverScript = ":OnStartup;Record startup;SetGraphical lever Lever_Up;"
                                 ":OnEnterOnce;Record enteronce;SetVar lever_pulled 1;"
                                 "SetGraphical lever Lever_Down;RefreshGraphicalCollision lever;"
                                 ":OnEnter;Record enter;IncrementGameScore;"
                                 ":OnLeaveOnce;Record leaveonce;"
                                 ":OnLeave;Record leave;"
                                 ":OnHit;Record hit;SetVar lever_pulled hit";

// A level file holding the lever over x 100..227, read by the game's level
// change and played by the game's own frame update, one update frame per
// pass.
class TriggerScriptLevel : public testing::Test {
protected:
    void SetUp() override
    {
        Script::RegisterCommand(
            "Record",
            [this](Script* script, std::string arguments) {
                record.push_back(script->GetName() + arguments);
                return true;
            },
            "");
        game.CreateSceneObjectByClass("Zone_TriggerZone", "Zone_TriggerZone", "(game play)");
        game.CreateSceneObjectByClass("Lever_Up", "GraphicalObject", "");
        game.CreateSceneObjectByClass("Lever_Down", "GraphicalObject", "");
        ASSERT_TRUE(game.console.ExecuteCommand("setframedelay 1"));

        folder = fs::temp_directory_path() / ("quenholt-trigger-" + std::to_string(getpid()));
        fs::create_directories(folder);
        file = (folder / "lever.lvl").string();
        Level level("lever");
        Layer* collisions = level.CreateLayer(Level::kScene, "Collisions", nullptr, 1024, 448, 32, 32);
        auto* type = dynamic_cast<GameplayObject*>(Game::FindSceneObject("Zone_TriggerZone", false));
        ASSERT_NE(type, nullptr);
        auto* lever = dynamic_cast<Zone_TriggerScript::Instance*>(type->CreateInstance());
        lever->SetName("lever");
        lever->SetSize(Point<int>(128, 400));
        lever->scriptText.value = kLeverScript;
        lever->graphicName.value = "Lever_Up";
        collisions->AddPlacedInstance(type, 100.0f, 0.0f)
            ->SetPayload(std::unique_ptr<SceneObjectInstance>(lever));
        level.GetScript()->SetText("CreateVar save lever_pulled 0");
        ASSERT_TRUE(level.SaveFile(file));
    }
    void TearDown() override { fs::remove_all(folder); }

    void Enter()
    {
        debug.Clear();
        record.clear();
        ASSERT_TRUE(game.ChangeLevel(file)) << debug.Text();
        player = game.GetPlayer();
        ASSERT_NE(player, nullptr);
    }
    // One update frame of the game with the player standing at x.
    void Frame(float x)
    {
        player->SetPosition(Point<float>(x, 100.0f));
        fixedStep.Pass(game);
    }
    void Frames(float x, int count)
    {
        for (int i = 0; i < count; ++i)
            Frame(x);
    }

    std::string Saved(const std::string& name)
    {
        ScriptVar* var = Game::FindSaveVar(name);
        return var != nullptr ? var->GetValue() : "<none>";
    }
    std::string LeverLook()
    {
        CharacterObject* lever = game.FindCharacterByName("lever", nullptr);
        GraphicalObject* look = lever != nullptr ? lever->GetCurrentGraphical() : nullptr;
        return look != nullptr ? look->GetName() : "<none>";
    }

    FixedStepClock fixedStep;
    Game game {"Quenholt", nullptr, new ScriptedInput(), nullptr};
    Player* player = nullptr;
    fs::path folder;
    std::string file;
    DebugCapture debug;
    std::vector<std::string> record;
};

TEST_F(TriggerScriptLevel, EnteringTheLeverRunsItsScriptsThroughTheGamesFrame)
{
    Enter();
    EXPECT_EQ(Saved("lever_pulled"), "0") << "the level's own start-up script ran";
    EXPECT_EQ(LeverLook(), "Lever_Up") << "the placement's character shows its graphic";

    Frames(400.0f, 2);
    EXPECT_EQ(record, (std::vector<std::string> {"StartScriptOnStartup startup"}));

    Frames(150.0f, 3);
    EXPECT_EQ(Saved("lever_pulled"), "1");
    EXPECT_EQ(LeverLook(), "Lever_Down");
    Layer* collisions = game.GetCurrentLevel()->GetLayer(Level::kScene, "Collisions");
    ASSERT_EQ(collisions->GetAddedInstanceCount(), 1u);
    EXPECT_EQ(collisions->GetAddedInstance(0)->GetPrototype()->GetName(), "Lever_Down");
    EXPECT_EQ(game.saveData.GetScore(), 1);

    // Out, in and out again: the once-sections ran once, the others each time.
    Frames(400.0f, 2);
    Frames(150.0f, 2);
    Frames(400.0f, 2);
    EXPECT_EQ(record,
        (std::vector<std::string> {"StartScriptOnStartup startup", "StartScriptOnEnterOnce enteronce",
            "StartScriptOnEnter enter", "StartScriptOnLeaveOnce leaveonce", "StartScriptOnLeave leave",
            "StartScriptOnEnter enter", "StartScriptOnLeave leave"}));
    EXPECT_EQ(game.saveData.GetScore(), 2);
    EXPECT_EQ(debug.Text().find("Script Error"), std::string::npos) << debug.Text();

    // Every finished script has left the level's queue.
    for (size_t i = 0; i < game.GetCurrentLevel()->GetBackgroundEventCount(); ++i)
        EXPECT_EQ(dynamic_cast<Script*>(game.GetCurrentLevel()->GetBackgroundEvent(i)), nullptr);
}

TEST_F(TriggerScriptLevel, AStrikeOnTheLeverRunsItsHitSection)
{
    Enter();
    Frames(400.0f, 2);
    record.clear();
    // What the player's attack does to each character its blow reaches.
    game.FindCharacterByName("lever", nullptr)->ApplyDamage(player, 1);
    Frames(400.0f, 2);
    EXPECT_EQ(record, (std::vector<std::string> {"StartScriptOnHit hit"}));
    EXPECT_EQ(Saved("lever_pulled"), "hit");
    // The hit is over: no further hit sections.
    Frames(400.0f, 3);
    EXPECT_EQ(record.size(), 1u);
}

TEST_F(TriggerScriptLevel, OnceSectionsRunOncePerLoadOfTheLevel)
{
    for (int load = 0; load < 2; ++load) {
        Enter();
        Frames(150.0f, 2);
        Frames(400.0f, 2);
        Frames(150.0f, 2);
        EXPECT_EQ(record,
            (std::vector<std::string> {"StartScriptOnStartup startup", "StartScriptOnEnterOnce enteronce",
                "StartScriptOnEnter enter", "StartScriptOnLeaveOnce leaveonce", "StartScriptOnLeave leave",
                "StartScriptOnEnter enter"}))
            << "load " << load;
    }
}

} // namespace
