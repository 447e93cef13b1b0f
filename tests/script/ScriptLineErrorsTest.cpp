// What a script says about a line it cannot run: where the line is (the
// level file, the script, the trigger) and what was wrong with its values.

#include "characters/CharacterObject.h"
#include "engine/sound/MusicLibrary.h"
#include "script/BGEvent_HandleDropItem.h"
#include "tests/script/ScriptFixture.h"
#include "zones/Zone_TriggerScript.h"

#include <gtest/gtest.h>

namespace {

class ScriptLineErrors : public ScriptFixture {
protected:
    void SetUp() override
    {
        ScriptFixture::SetUp();
        level.SetName("garden_01.lvl");
        placed.SetPayload(std::unique_ptr<SceneObjectInstance>(triggerType.CreateInstance()));
        placed.GetPayload()->SetName("urn_c01");
        placed.SetLevel(&level);
    }

    Zone_TriggerScript triggerType {"Zone_TriggerZone"};
    Level::Instance placed;
};

TEST_F(ScriptLineErrors, NameTheLevelFileTheScriptAndTheTrigger)
{
    Script& trigger = Make("IncrementGameScore\nNoSuchCommand 3", "", "StartScriptOnEnter");
    trigger.SetOwnerInstance(&placed);
    trigger.Run();
    EXPECT_NE(debug.Text().find("garden_01.lvl: StartScriptOnEnter of trigger \"urn_c01\":2: Script Error : "
                                "NoSuchCommand 3\n"),
        std::string::npos)
        << debug.Text();

    // The start-up script's owner is the level's own instance, which has no
    // trigger.
    debug.Clear();
    Level::Instance owner;
    owner.SetLevel(&level);
    Script& startup = Make("NoSuchCommand", "", "Startup Script");
    startup.SetOwnerInstance(&owner);
    startup.Run();
    EXPECT_EQ(debug.Text(), "garden_01.lvl: Startup Script:1: Script Error : NoSuchCommand\n");
}

// A count or a number the game cannot take stops that line (and only it),
// saying which value and what was expected.
TEST_F(ScriptLineErrors, RefuseCountsBeyondTheirLimitAndNumbersThatAreNotFiniteOrTooLarge)
{
    CharacterObject* urn = game.CreateCharacterByClass("urn", "NPC_Script", nullptr);
    urn->SetSize(32, 32);
    game.GetMusicLibrary()->AddOrUpdate(MusicTrack("cemetery", false, 1.0));
    struct Case {
        const char* line;
        const char* why;
    };
    const Case cases[] = {
        {"PopPickupInTrigger urn 5000", "expected at most 100 pickups, found \"5000\""},
        {"PopPickupInTrigger urn 20000000", "expected a number from -1000000 to 1000000, found \"20000000\""},
        {"ForceMusicToRestartAtTime cemetery nan",
            "expected a number from -1000000 to 1000000, found \"nan\""},
        {"ForceMusicToRestartAtTime cemetery 1e30",
            "expected a number from -1000000 to 1000000, found \"1e30\""},
        {"Event_WaitTimer inf", "expected a number from -1000000 to 1000000, found \"inf\""},
        {"ChangeFadeTimer -1e9", "expected a number from -1000000 to 1000000, found \"-1e9\""},
    };
    for (const Case& c : cases) {
        debug.Clear();
        Script& script = Make(c.line, "", "StartScriptOnEnter");
        script.SetOwnerInstance(&placed);
        script.Run();
        EXPECT_NE(debug.Text().find(std::string("Script Error : ") + c.line + " (" + c.why + ")"),
            std::string::npos)
            << debug.Text();
        EXPECT_EQ(level.GetBackgroundEventCount(), 0u) << c.line;
    }
    EXPECT_EQ(game.GetMusicLibrary()->Find("cemetery")->resumePosition, 0);

    // Within the limits the lines run.
    debug.Clear();
    Script& fine = Make("PopPickupInTrigger urn 100\nForceMusicToRestartAtTime cemetery 44100", "", "Fine");
    fine.SetOwnerInstance(&placed);
    fine.Run();
    EXPECT_EQ(ErrorCount(), 0) << debug.Text();
    EXPECT_EQ(level.GetBackgroundEventCount(), 100u);
    EXPECT_EQ(game.GetMusicLibrary()->Find("cemetery")->resumePosition, 44100);
}

} // namespace
