#include "game/Game.h"

#include "characters/CharacterObject.h"
#include "characters/Player.h"
#include "characters/PlayerArmorIce.h"
#include "characters/PlayerModifier.h"
#include "game/GameSaveData.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "script/ScriptVar.h"
#include "tests/game/ScriptedInput.h"
#include "tests/tools/WorldFolderTest.h"
#include "ui/UIGameAccess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

// Entering a level of the assembled world: what the level keeps loaded, the
// ice armor's scenery, where the player arrives and a save slot started from
// the title.
namespace {

class GameLevelEntryWorld : public WorldFolderTest {
protected:
    GameLevelEntryWorld()
        : WorldFolderTest("quenholt-level-entry")
    {
    }
    void SetUp() override { SetUpPlaying(game); }
    void TearDown() override { TearDownPlaying(); }
    Game game {"Quenholt", nullptr, new ScriptedInput(), nullptr};
};

} // namespace

// The level keeps the player's objects (first), every character's, and apart
// those its trigger zones' scripts show with "SetGraphical". From a save
// point high above the floor the player arrives with its arrival flag, and
// its first update starts the fall.
TEST_F(GameLevelEntryWorld, TheLevelKeepsItsObjectsAndAnArrivalWithNoFloorWithinReachStartsAFall)
{
    ASSERT_TRUE(game.ChangeLevel("cemetery_01.lvl")) << debug.Text();
    const Level& level = *game.GetCurrentLevel();

    std::vector<std::string> shown;
    for (const GraphicalObject* object : level.GetScriptGraphicalObjects())
        shown.push_back(object->GetName());
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown,
        (std::vector<std::string> {"Actor_Keeper_Idle", "Actor_Keeper_Talk", "Actor_Keeper_Walk",
            "Actor_Urn_Broken", "Actor_Urn_Broken"}));

    const std::vector<GraphicalObject*> own = game.GetPlayer()->GetRelatedGraphicalObjects();
    const std::vector<GraphicalObject*>& kept = level.GetObjects();
    ASSERT_FALSE(own.empty());
    ASSERT_GE(kept.size(), own.size());
    EXPECT_TRUE(std::equal(own.begin(), own.end(), kept.begin()));
    size_t characterObjects = 0;
    for (size_t i = 0; i < game.GetCharacterCount(); ++i)
        for (const GraphicalObject* object : game.liveCharacters[i]->GetRelatedGraphicalObjects()) {
            ++characterObjects;
            EXPECT_NE(std::find(kept.begin(), kept.end(), object), kept.end()) << object->GetName();
        }
    EXPECT_GT(characterObjects, 0u) << "the crouching skulls and the gate have theirs";

    EXPECT_FALSE(game.GetPlayer()->GetArrivalFlag()) << "the start point stands on the ground";
    const Point<float> high = game.GetPlayer()->GetPosition() + Point<float>(0.0f, 160.0f);
    // The level left keeps the player's position in the save data.
    game.GetPlayer()->SetPosition(high);
    game.SetStartPointName("[SAVE]");
    ASSERT_TRUE(game.ChangeLevel("cemetery_01.lvl")) << debug.Text();
    EXPECT_TRUE(game.GetPlayer()->GetArrivalFlag());
    EXPECT_FLOAT_EQ(game.GetPlayer()->GetPosition().y, high.y);
    // The first update of the player (the level's intro may hold it a while).
    for (int pass = 0; pass < 300 && game.GetPlayer()->GetArrivalFlag(); ++pass)
        fixedStep.Pass(game);
    EXPECT_FALSE(game.GetPlayer()->GetArrivalFlag());
    EXPECT_EQ(game.GetPlayer()->GetMoveState(), Player::kFall);
}

// At the mere's entry the ice armor, never worn, gets its table early (said
// once) and the level records the thirty pieces of water it may freeze, one
// connected group; ice the player arrives on thaws; a level without water
// records nothing. The water is grouped whatever armor the player has.
TEST_F(GameLevelEntryWorld, TheMeresWaterIsRecordedInTheIceArmorAtEntry)
{
    ASSERT_TRUE(game.ChangeLevel("snow_01.lvl")) << debug.Text();
    const std::string early = "Ice Armor Initialized Early (DEBUG MODE)";
    EXPECT_NE(debug.Text().find(early), std::string::npos) << debug.Text();
    auto* ice = dynamic_cast<PlayerArmorIce*>(game.GetPlayer()->GetModifier(Player::kIceArmor));
    ASSERT_NE(ice, nullptr);
    EXPECT_FALSE(ice->IsReplacementTableEmpty());
    EXPECT_FALSE(ice->IsBuilt()) << "the armor itself is not enabled";

    const Layer* water = game.GetCurrentLevel()->GetLayer(Level::kForeground, "FG_Water");
    const Layer* collisions = game.GetCurrentLevel()->GetLayer(Level::kScene, "Collisions");
    ASSERT_NE(water, nullptr);
    std::set<int32_t> groups;
    for (const ArmorActiveReplacement& record : ice->GetRecordedScenery()) {
        ASSERT_NE(record.replaced, nullptr);
        EXPECT_EQ(record.replaced->GetPrototype()->GetName(), "Water_Tile");
        EXPECT_EQ(record.layer, water);
        EXPECT_EQ(record.collisionLayer, collisions);
        groups.insert(record.replaced->GetAuxIndex());
    }
    ASSERT_EQ(ice->GetRecordedScenery().size(), 30u);
    EXPECT_EQ(groups, (std::set<int32_t> {0}));

    // Ice the player arrives on (its collision copy under the player) thaws.
    const ArmorActiveReplacement& middle = ice->GetRecordedScenery()[14];
    ice->GetActiveReplacements().push_back(PlayerArmor::Replace(
        middle.layer, middle.replaced, ice->GetReplacementPairs()[0].second, middle.collisionLayer, -1.0f));
    game.GetPlayer()->SetPosition(middle.replaced->GetPosition() + Point<float>(200.0f, 0.0f));
    game.ThawAroundArrival();
    EXPECT_FALSE(middle.replaced->IsVisible()) << "away from the ice nothing melts";
    game.GetPlayer()->SetPosition(middle.replaced->GetPosition() + Point<float>(16.0f, 16.0f));
    game.ThawAroundArrival();
    EXPECT_TRUE(ice->GetActiveReplacements().empty());
    EXPECT_TRUE(middle.replaced->IsVisible());

    debug.Clear();
    ASSERT_TRUE(game.ChangeLevel("cemetery_01.lvl")) << debug.Text();
    EXPECT_TRUE(ice->GetRecordedScenery().empty());
    EXPECT_EQ(debug.Text().find(early), std::string::npos) << "the table is built once";

    std::unique_ptr<PlayerModifier> kept = std::move(game.GetPlayer()->GetModifiers()[Player::kIceArmor]);
    ASSERT_TRUE(game.ChangeLevel("snow_01.lvl")) << debug.Text();
    const Layer* mere = game.GetCurrentLevel()->GetLayer(Level::kForeground, "FG_Water");
    ASSERT_NE(mere, nullptr);
    ASSERT_FALSE(mere->GetReplaceableInstances().empty());
    for (const Layer::Instance* piece : mere->GetReplaceableInstances())
        EXPECT_EQ(piece->GetAuxIndex(), 0);
    game.GetPlayer()->GetModifiers()[Player::kIceArmor] = std::move(kept);
}

// Play on a slot from the title enters its level at once, without the
// picture of a player that left another game, with the game's variables
// kept; a slot whose level is gone keeps the title.
TEST_F(GameLevelEntryWorld, StartingASlotEntersItsLevelAtOnce)
{
    ASSERT_NE(GetUIGameAccess(), nullptr);
    GameSaveData gone;
    gone.SetMapName("gone_away.lvl");
    ASSERT_TRUE(gone.WriteFile(GameSaveData::GetSlotPath(2), nullptr));
    GetUIGameAccess()->StartSaveSlot(2);
    EXPECT_EQ(game.GetCurrentLevel(), nullptr);
    EXPECT_TRUE(game.menuFlag);

    game.transitionImage = game.FindGraphicalObject("Actor_Urn_Broken", false);
    ASSERT_NE(game.transitionImage, nullptr);
    game.CreateGlobalVar("bell_rung")->SetValue("1");
    // The save's story hint comes back with it.
    GameSaveData hinted;
    hinted.SetMapName("cemetery_01.lvl");
    hinted.SetStoryHint({12, 7});
    ASSERT_TRUE(hinted.WriteFile(GameSaveData::GetSlotPath(1), nullptr));
    GetUIGameAccess()->StartSaveSlot(1);
    ASSERT_NE(game.GetCurrentLevel(), nullptr) << debug.Text();
    ASSERT_NE(Game::FindGlobalVar("bell_rung"), nullptr) << "the game's variables live as long as the game";
    EXPECT_EQ(Game::FindGlobalVar("bell_rung")->GetValue(), "1");
    EXPECT_EQ(game.GetCurrentLevel()->GetName(), "cemetery_01.lvl");
    EXPECT_EQ(game.transitionImage, nullptr);
    EXPECT_FALSE(game.menuFlag);
    EXPECT_EQ(game.currentSaveSlot, 1);
    EXPECT_EQ(game.storyHintPosition, std::make_pair(12, 7));
}

// A start point the level lacks, or "useplayerstart 0": the player is not
// placed. It goes to the level's stored view plus the middle of the screen,
// with its arrival flag, facing right, its state kept.
TEST_F(GameLevelEntryWorld, APlayerNotPlacedGoesToTheStoredViewAndFallsFacingRight)
{
    ASSERT_TRUE(game.ChangeLevel("cemetery_01.lvl")) << debug.Text();
    for (const char* start : {"no_such_point", "useplayerstart 0"}) {
        SCOPED_TRACE(start);
        const bool byCommand = std::string(start) == "useplayerstart 0";
        if (byCommand) {
            ASSERT_TRUE(game.console.ExecuteCommand(start));
        }
        game.SetStartPointName(byCommand ? "" : start);
        game.GetPlayer()->SetMoveStateValue(Player::kFall);
        ASSERT_TRUE(game.ChangeLevel("cemetery_01.lvl")) << debug.Text();
        const Level& level = *game.GetCurrentLevel();
        EXPECT_EQ(game.GetPlayer()->GetPosition(),
            Point<float>(level.GetValueA() + 256.0f, level.GetValueB() + 224.0f));
        EXPECT_TRUE(game.GetPlayer()->GetArrivalFlag());
        EXPECT_EQ(game.GetPlayer()->GetDirection(), Point<float>(1.0f, 0.0f));
        EXPECT_EQ(game.GetPlayer()->GetMoveState(), Player::kFall);
    }
    game.usePlayerStart = true;
}
