#include "scene/GraphicalObject.h"
#include "tests/script/ScriptFixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using ScriptCommandTable = ScriptFixture;

// The fewest tokens each command needs, in table order; the variable and
// block commands have their own rules.
const std::pair<const char*, size_t> kMinimumTokens[]
    = {{"Event_ShowDebugMessage", 1}, {"Event_WaitTimer", 1}, {"Event_StartDialogue_FromFile", 2},
        {"PauseGameplay", 1}, {"IgnoreInputs", 1}, {"EnableMinimap", 0}, {"IncrementGameScore", 0},
        {"SendMessageTo", 2}, {"Event_ChangeCameraTargetToPlayer", 1},
        {"Event_ChangeCameraTargetToLocator", 2}, {"AskToChangeLevel", 2}, {"Event_WaitMessage", 1},
        {"Event_ShakeCamera", 5}, {"AddFullscreenParticles", 13}, {"AddLocalParticles", 1},
        {"SetGraphical", 2}, {"ChangeGraphicalOnLayer", 3}, {"Event_WaitEndOfAnimation", 1},
        {"RefreshGraphicalCollision", 1}, {"Event_ChangeNPCTargetToLocator", 3}, {"SetLayerVisible", 2},
        {"PlayMusic", 2}, {"StopMusic", 1}, {"ChangeNPCRenderAfterPlayer", 2}, {"AddSecretZone", 1},
        {"RemoveSecretZone", 1}, {"UseParticleSystem", 2}, {"PopPickupInTrigger", 2}, {"ChangeFadeTimer", 1},
        {"ChangeFadeToBlack", 1}, {"EnableWaterDisto", 0}, {"ChangeStoryHintPosition", 2}, {"SaveGame", 2},
        {"PreLoadGraphical", 1}, {"PrepareSoundEvents", 2}, {"PlaySoundEvent", 2}, {"StopSoundEvent", 2},
        {"AddLayerInCinematic", 2}, {"Event_RunPickupCinematic", 1}, {"ShowEnding", 1}, {"EndGame", 0},
        {"ForceToHideUI", 1}, {"ChangeAchievementCurrentValue", 2}, {"IncrementAchievementCurrentValue", 1},
        {"ForceMusicToRestartAtTime", 2}, {"SetPlayerFullLife", 0}};

TEST_F(ScriptCommandTable, EveryGameCommandChecksItsTokenCount)
{
    // The script fuzz target's dictionary names every command.
    std::ifstream dictionaryFile(std::string(QUENHOLT_SOURCE_DIR) + "/fuzz/dictionaries/script_text.dict");
    const std::string dictionary(
        (std::istreambuf_iterator<char>(dictionaryFile)), std::istreambuf_iterator<char>());
    for (const auto& [name, minimum] : kMinimumTokens) {
        const ScriptCommand* command = Script::FindCommand(ToLowerCase(name));
        ASSERT_NE(command, nullptr) << name;
        EXPECT_NE(dictionary.find("\"" + std::string(name) + "\"\n"), std::string::npos) << name;
        Script script("Check");
        if (minimum > 0) {
            std::string few;
            for (size_t i = 0; i + 1 < minimum; ++i)
                few += " 0";
            EXPECT_FALSE(command->handler(&script, few)) << name;
        }
        // Names that find nothing make only the look-ups that need them fail.
        std::string enough;
        for (size_t i = 0; i < minimum; ++i)
            enough += " nothing_" + std::to_string(i);
        command->handler(&script, enough);
    }
}

TEST_F(ScriptCommandTable, CommandsMatchInAnyCaseAndTheFirstRecordWins)
{
    Script::RegisterCommand(
        "RECORD", [](Script*, std::string) { return false; }, "a later record of the name");
    RunToEnd(Make("record one;ReCoRd two"));
    EXPECT_EQ(record, (std::vector<std::string> {"Test: one", "Test: two"}));
    EXPECT_EQ(ErrorCount(), 0);
}

TEST_F(ScriptCommandTable, CollectsTheObjectsOfSetGraphicalStatements)
{
    GraphicalObject gate("Gate_Open");
    GraphicalObject lever("Lever_Down");
    game.nameMap["Gate_Open"] = &gate;
    game.nameMap["Lever_Down"] = &lever;
    const std::string text = "SetGraphical gate Gate_Open;IfVar a == 1;SetGraphical lever Lever_Down\n"
                             "SetGraphical short;SetGraphical x Unknown;setgraphical y Gate_Open";
    EXPECT_EQ(Script::CollectSetGraphicalObjects(text), (std::vector<GraphicalObject*> {&gate, &lever}));
    game.nameMap.clear();
}

} // namespace
