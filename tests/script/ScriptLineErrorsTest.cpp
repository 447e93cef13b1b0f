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

// A number argument the game cannot take stops that line (and only it),
// saying which value and what its field takes; the other arguments are names,
// used as written, whatever their first character.
TEST_F(ScriptLineErrors, CheckOnlyTheNumberArgumentsEachWithinItsField)
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
        {"PopPickupInTrigger urn -3", "expected an integer from 0 to 2147483647, found \"-3\""},
        {"ForceMusicToRestartAtTime cemetery nan", "expected a number from -1 to 9e+18, found \"nan\""},
        {"ForceMusicToRestartAtTime cemetery 1e30", "expected a number from -1 to 9e+18, found \"1e30\""},
        {"Event_WaitTimer inf", "expected an integer from 0 to 2147483647, found \"inf\""},
        {"Event_WaitTimer 2x", "expected an integer from 0 to 2147483647, found \"2x\""},
        // Integer text only: atoi would read these in part.
        {"Event_WaitTimer 1e2", "expected an integer from 0 to 2147483647, found \"1e2\""},
        {"Event_StartDialogue_FromFile cemetery.txt 2.5",
            "expected an integer from -2147483648 to 2147483647, found \"2.5\""},
        {"ChangeFadeTimer -1e9", "expected a number from 0 to 3.4028234663852886e+38, found \"-1e9\""},
        // Amplitudes, speeds and offsets within the level's coordinates.
        {"Event_ShakeCamera 10 1 1 1 1e39", "expected a number from -4194304 to 4194304, found \"1e39\""},
        {"Event_ShakeCamera 30 3e9 3e9 0 0", "expected a number from -4194304 to 4194304, found \"3e9\""},
        {"Event_ShakeCamera 30 3e38 -3e38 0 0", "expected a number from -4194304 to 4194304, found \"3e38\""},
        {"Event_ChangeNPCTargetToLocator urn urn 1e10",
            "expected a number from 0 to 4194304, found \"1e10\""},
        {"Event_ChangeCameraTargetToPlayer -2",
            "expected a number from 0 to 3.4028234663852886e+38, found \"-2\""},
        {"Event_RunPickupCinematic 4 Lantern 10 5e9",
            "expected an integer from -4194304 to 4194304, found \"5e9\""},
        {"Event_RunPickupCinematic 6 - 2147483647 0",
            "expected an integer from -4194304 to 4194304, found \"2147483647\""},
        // A file named by a script is a file of its own folder.
        {"PlayMusic ../../../outside/x.ogg 1",
            "the music name \"../../../outside/x.ogg\" is refused: music named by a script is a file of the "
            "music folder"},
        {"AskToChangeLevel ../outside/x.lvl start",
            "the level name \"../outside/x.lvl\" is refused: a level named by a script is a file of the "
            "level "
            "folder"},
        // An empty name is no token: the line says so.
        {"PlayMusic \"\" 1", "a name is empty (\"\")"},
        {"Event_StartDialogue_FromFile \"\" 0", "a name is empty (\"\")"},
        {"SendMessageTo urn", "expected at least 2 arguments, found 1"},
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

    // Within the fields the lines run: 30 s at 44.1 kHz, names that begin
    // with a digit, a cut-scene mode whose other tokens are names.
    debug.Clear();
    Script& fine = Make("PopPickupInTrigger urn 100\nForceMusicToRestartAtTime cemetery 1323000\n"
                        "AskToChangeLevel 2_snow.lvl start\nSendMessageTo 1st_urn enable\n"
                        "Event_RunPickupCinematic 5 2nd_lantern",
        "", "Fine");
    fine.SetOwnerInstance(&placed);
    fine.Run();
    EXPECT_EQ(ErrorCount(), 0) << debug.Text();
    EXPECT_EQ(level.GetBackgroundEventCount(), 100u);
    EXPECT_EQ(game.GetMusicLibrary()->Find("cemetery")->resumePosition, 1323000);
    EXPECT_EQ(game.pendingLevelFile, "2_snow.lvl");
    EXPECT_EQ(game.startPointName, "start");
}

} // namespace
