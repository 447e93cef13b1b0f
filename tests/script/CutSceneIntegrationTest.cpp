#include "characters/Player.h"
#include "scene/Camera.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/SpacialInstance.h"
#include "script/NPC_Script.h"
#include "script/ScriptVar.h"
#include "tests/script/ScriptFixture.h"

#include <gtest/gtest.h>

namespace {

// A small level with a player, the Keeper and his spot, and a trigger whose
// enter-once script plays the intro cut-scene. Frames run as the game's
// frame update runs them: the event passes around the camera travel and the
// characters' update.
class CutScene : public ScriptFixture {
protected:
    void SetUp() override
    {
        ScriptFixture::SetUp();
        level.CreateLayer(Level::kScene, "Scene Layer 00", nullptr, 2048, 1024, 64, 64);
        level.CreateLayer(Level::kScene, "Collisions", nullptr, 2048, 1024, 64, 64);
        game.SetPlayer(std::make_unique<Player>("Player"));
        game.GetPlayer()->SetPosition(Point<float>(1000.0f, 600.0f));
        game.GetPlayer()->SetSize(32, 48);
        keeper = game.CreateCharacterByClass("keeper", "NPC_Script", nullptr);
        keeper->SetPosition(Point<float>(900.0f, 600.0f));
        game.CreateCharacterByClass("keeper_spot", "NPC_Script", nullptr)
            ->SetPosition(Point<float>(960.0f, 600.0f));
        trigger.SetLevel(&level);
    }

    void Frame()
    {
        level.RunBackgroundEvents();
        Camera::UpdateTravel(game.GetCamera(), game.GetPlayer(), true);
        for (size_t i = 0; i < game.GetCharacterCount(); ++i)
            game.GetCharacter(i)->Update(33.0);
        level.UpdateBackgroundEvents();
        level.PurgeBackgroundEvents();
    }

    CharacterObject* keeper = nullptr;
    Level::Instance trigger;
};

TEST_F(CutScene, ATriggerScriptPlaysTheIntroAndSetsItsVariables)
{
    const std::string text
        = ":OnEnter;Record wrong label;"
          ":OnEnterOnce;CreateVar save intro_done 0;CreateVar local step 0;"
          "waitEvent_ChangeCameraTargetToPlayer 6;"
          "waitEvent_ChangeNPCTargetToLocator keeper keeper_spot 3;SetVar step 1;"
          "waitEvent_ShakeCamera 10 6 0 6 0;"
          "waitEvent_RunPickupCinematic 6;"
          "IfVar step == 1 and intro_done == 0;(;SetVar intro_done 1;CreateVar global intro_seen 1;);"
          "Else;(;SetVar intro_done broken;);Record end";
    Script* script = new Script("StartScriptOnEnterOnce");
    script->SetText(text);
    script->Start(":OnEnterOnce", &trigger);
    level.AddBackgroundEvent(script);

    int frames = 0;
    bool keeperMoved = false;
    while (record.empty() && frames < 2000) {
        Frame();
        ++frames;
        keeperMoved = keeperMoved || keeper->GetPosition().x > 900.0f;
    }
    ASSERT_EQ(record, (std::vector<std::string> {"StartScriptOnEnterOnce: end"}));
    EXPECT_EQ(ErrorCount(), 0) << debug.Text();
    // The camera went to the player and stopped travelling there.
    EXPECT_FALSE(game.GetCamera().IsTravelling());
    EXPECT_EQ(game.GetCamera().GetX(), 1016.0f - 256.0f);
    EXPECT_EQ(game.GetCamera().GetY(), 624.0f - 224.0f);
    // The Keeper walked onto his spot and stopped.
    EXPECT_TRUE(keeperMoved);
    EXPECT_EQ(keeper->GetPosition(), Point<float>(960.0f, 600.0f));
    EXPECT_EQ(keeper->GetSpeedValue(), 0.0f);
    // Camera, walk (a few frames), shake (11) and cut-scene (121) ran one
    // after the other.
    EXPECT_GT(frames, 11 + 121 + 100);
    ASSERT_NE(Game::FindSaveVar("intro_done"), nullptr);
    EXPECT_EQ(Game::FindSaveVar("intro_done")->GetValue(), "1");
    ASSERT_NE(Game::FindGlobalVar("intro_seen"), nullptr);
    EXPECT_EQ(Game::FindGlobalVar("intro_seen")->GetValue(), "1");
    // Everything the script queued has been freed.
    Frame();
    EXPECT_EQ(level.GetBackgroundEventCount(), 0u);
}

} // namespace
