#include "characters/CharacterGameAccess.h"
#include "characters/Player.h"
#include "engine/config/GamePaths.h"
#include "game/Game.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/MapModel.h"
#include "script/NPC_Script.h"
#include "script/ScriptVar.h"
#include "zones/Zone_TriggerScript.h"

#include "tests/tools/WorldPilotWalk.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

// The boat's and the cave's levels walked by the run's pilot in the assembled
// world, with the debug "god" command on: from the Dock up its gangway into
// the Deck and across it, through the mini-boss arena's gates, to its far
// end; and from the Well Head down its shaft to the Well Bottom, through its
// teleporter and on into the Drowned Tunnels.
namespace {

constexpr float kTile = 32.0f;

class WorldBoatCaveWalk : public WorldPilotWalk {
protected:
    WorldBoatCaveWalk()
        : WorldPilotWalk("quenholt-boatcave-walk")
    {
    }

    // A jump held while walking toward x, for a platform above.
    void JumpToward(float x, int passes = 14)
    {
        for (int pass = 0; pass < passes; ++pass) {
            RunPilot::Keys keys {x > X() ? RunPilot::Right : RunPilot::Left};
            if (pass < 10)
                keys.insert(RunPilot::Jump);
            Pass(keys);
        }
    }
    // Whether the trigger of the current level shows that graphic.
    bool Shows(const std::string& trigger, const std::string& graphic)
    {
        Layer* collisions = game.GetCurrentLevel()->GetLayer(Level::kScene, "Collisions");
        auto* placed = collisions ? collisions->FindInstanceByName(trigger) : nullptr;
        auto* zone = placed ? dynamic_cast<Zone_TriggerScript::Instance*>(placed->GetPayload()) : nullptr;
        return zone != nullptr && zone->character != nullptr
            && zone->character->GetCurrentGraphical() != nullptr
            && zone->character->GetCurrentGraphical()->GetName() == graphic;
    }
};

TEST_F(WorldBoatCaveWalk, FromTheDockUpTheGangwayAcrossTheDeckAndThroughItsArenaToItsFarEnd)
{
    ASSERT_TRUE(game.ChangeLevel("Boat_TP_1.lvl"));
    ASSERT_TRUE(game.console.ExecuteCommand("god 1"));
    // The Dock's ring: a known teleporter.
    ASSERT_TRUE(WalkTo(17 * kTile + 16.0f));
    EXPECT_NE(game.FindTeleportByLevel("boat_tp_1.lvl"), nullptr);
    // West onto the low platform, over the hatch's door onto the gangway,
    // and out at its end.
    ASSERT_TRUE(WalkTo(11 * kTile));
    JumpToward(9 * kTile);
    EXPECT_GT(Y(), 3 * kTile) << "on the platform";
    JumpToward(5 * kTile);
    EXPECT_GT(Y(), 5 * kTile) << "on the gangway";
    ASSERT_TRUE(WalkTo(0.0f));
    ASSERT_TRUE(WaitUntil([&] { return LevelName() == "boat_01.lvl"; }, 10));
    EXPECT_NEAR(X(), 59 * kTile, kTile) << "at the Deck's east end";

    // West along the deck, through the hold, to the arena's closed alcove.
    ASSERT_TRUE(WalkTo(18 * kTile, 2500));
    ASSERT_FALSE(WalkTo(0.0f, 400)) << "the alcove's gate holds";
    EXPECT_LT(X(), 12 * kTile) << "in the arena";
    EXPECT_TRUE(Shows("gate_in_b01", "Gate_Closed")) << "closed behind the player";
    EXPECT_TRUE(Shows("gate_out_b01", "Gate_Closed"));
    // The mini-boss's death message: both gates open, the fight is saved.
    GetCharacterGameAccess()->BroadcastMessage("miniboss_boat_State_DIE");
    ASSERT_TRUE(WaitUntil([&] { return SaveVar("done_b01") == "1"; }, 10));
    EXPECT_TRUE(WaitUntil([&] { return Shows("gate_out_b01", "Gate_Open"); }, 10));
    EXPECT_TRUE(Shows("gate_in_b01", "Gate_Open"));
    // Into the alcove: the rank reward; on through the west exit to the Bow.
    const int rank = ThePlayer().GetAttackRank();
    ASSERT_TRUE(WalkTo(0.0f, 600));
    EXPECT_TRUE(WaitUntil([&] { return LevelName() == "boat_02.lvl"; }, 10)) << "out by the west exit";
    EXPECT_EQ(ThePlayer().GetAttackRank(), rank + 1);
    EXPECT_EQ(SaveVar("got_27_b01"), "1");
    EXPECT_EQ(debug.Text().find("Script Error"), std::string::npos) << debug.Text();
}

TEST_F(WorldBoatCaveWalk, FromTheWellHeadDownTheShaftThroughTheWellBottomsRingAndIntoTheTunnels)
{
    ASSERT_TRUE(game.ChangeLevel("Cimetery_TP_02.lvl"));
    ASSERT_TRUE(game.console.ExecuteCommand("god 1"));
    ASSERT_EQ(LevelName(), "cimetery_tp_02.lvl");
    // Onto the well's rim and down its shaft.
    ASSERT_TRUE(WalkTo(18 * kTile));
    JumpToward(20 * kTile, 12);
    // On into the shaft, unless the jump already fell into it.
    if (LevelName() == "cimetery_tp_02.lvl")
        WalkTo(21 * kTile - 16.0f, 60);
    ASSERT_TRUE(LevelName() == "cave_tp.lvl" || WaitUntil([&] { return LevelName() == "cave_tp.lvl"; }, 60))
        << "down the shaft";
    EXPECT_NEAR(X(), 7 * kTile, kTile) << "on the ledge under the shaft";
    EXPECT_GT(Y(), 8 * kTile);

    // Down the platforms to the floor, through the ring: the Well Bottom is
    // a known teleporter; then east into the Drowned Tunnels.
    ASSERT_TRUE(WalkTo(23 * kTile, 2000)) << X() << " " << Y();
    EXPECT_NEAR(Y(), 2 * kTile, 2.0f) << "on the floor";
    ASSERT_NE(game.FindTeleportByLevel("cave_tp.lvl"), nullptr);
    ASSERT_TRUE(WalkTo(31 * kTile + 16.0f));
    ASSERT_TRUE(WaitUntil([&] { return LevelName() == "cave_01.lvl"; }, 10));
    EXPECT_NEAR(X(), 4 * kTile, kTile);
    EXPECT_NEAR(Y(), 8 * kTile, 12.0f);
    // Its enemies are there: two claws, two presses, the launcher, the pair.
    int claws = 0, presses = 0, launchers = 0, chained = 0;
    for (size_t i = 0; i < game.GetCharacterCount(); ++i) {
        const std::string name = game.GetCharacter(i)->GetVersionedClassName();
        claws += name == "NPC_Located_ClawV0";
        presses += name == "NPC_Killing_MechanismV0";
        launchers += name == "NPC_Fire_LauncherV0";
        chained += name == "NPC_Chained_SkullV0";
    }
    EXPECT_EQ(claws, 2);
    EXPECT_EQ(presses, 2);
    EXPECT_EQ(launchers, 1);
    EXPECT_EQ(chained, 2);

    // From there, the teleport menu's two new destinations: the Well Bottom
    // (just found) and, once found, the Dock.
    game.RequestLevelChange("Cave_tp.lvl", "[TELEPORT]");
    Pass();
    ASSERT_EQ(LevelName(), "cave_tp.lvl");
    EXPECT_FLOAT_EQ(X(), 23 * kTile);
    ASSERT_TRUE(game.ChangeLevel("Boat_TP_1.lvl"));
    ASSERT_TRUE(WalkTo(17 * kTile + 16.0f));
    ASSERT_NE(game.FindTeleportByLevel("boat_tp_1.lvl"), nullptr);
    game.RequestLevelChange("Cave_tp.lvl", "[TELEPORT]");
    Pass();
    EXPECT_EQ(LevelName(), "cave_tp.lvl");
    EXPECT_EQ(debug.Text().find("Script Error"), std::string::npos) << debug.Text();
}

} // namespace
