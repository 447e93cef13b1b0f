#include "characters/Player.h"
#include "game/Game.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/SpacialInstance.h"
#include "scene/ZoneInstance.h"
#include "script/ScriptVar.h"
#include "ui/UIGameAccess.h"
#include "ui/UI_Frame_Player.h"
#include "zones/GameplayObject_Zone.h"
#include "zones/Zone_PickupObject.h"

#include "tests/tools/WorldFolderTest.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

// The first level as a new player meets it after the intro, in the assembled
// world, saving in a slot and dying as a player does: the scythe on the
// plinth is drawn as the plinth it is, not as a pickup; the Keeper's lines
// are read with play paused and the map's picture shows, each once in a
// game, not again after a death (the hints east of the save save the game);
// the save brings the player back away from the skulls. The Lantern Ring's
// sign and the Heart's save stone, met as a player meets them.
namespace {

constexpr float kTile = 32.0f;

class WorldCemeteryHints : public ScriptedWorldTest {
protected:
    WorldCemeteryHints()
        : ScriptedWorldTest("quenholt-cemetery-hints")
    {
    }

    bool BoxShown() { return game.uiFrames.at(0)->IsVisible(); }
    // At a tile column, on the floor unless a row is given.
    void PutPlayerAt(float tileX, float tileY = 2.0f)
    {
        game.GetPlayer()->SetPosition(Point<float>(tileX * kTile, tileY * kTile));
    }
    // Reads the open box to its end with the confirm key.
    bool ReadOn()
    {
        InputActions confirm;
        confirm.SetAction3();
        for (int pass = 0; pass < 600 && BoxShown(); ++pass)
            Passes(1, pass % 2 == 0 ? confirm : InputActions());
        return !BoxShown();
    }
    // Closes the map, open over the game, with Tab.
    bool CloseTheMap()
    {
        InputActions tab;
        tab.SetAction10();
        for (int pass = 0; pass < 10 && game.menuFlag; ++pass)
            Passes(1, pass % 2 == 0 ? tab : InputActions());
        return !game.menuFlag;
    }
    // A death, played out to the reload of the slot.
    void Die()
    {
        Player* dying = MarkOldPlayer();
        dying->SetLife(0);
        ASSERT_TRUE(WaitUntil([&] { return dying->GetMoveState() == Player::kDying; }, 90))
            << "move state " << dying->GetMoveState() << ", paused " << game.gameplayPaused;
        ASSERT_TRUE(WaitUntil([&] { return NewPlayerIn(); }, 600)) << "the dead player was not brought back";
        Passes(5);
    }
    std::vector<Point<float>> EnemyPlaces()
    {
        std::vector<Point<float>> places;
        for (size_t i = 0; i < game.GetCharacterCount(); ++i)
            if (CharacterObject* c = game.GetCharacter(i); c != nullptr && c != game.GetPlayer())
                places.push_back(c->GetPosition());
        return places;
    }
};

TEST_F(WorldCemeteryHints, APlayersFirstWalkAndDeathInTheFirstLevel)
{
    ASSERT_TRUE(game.ChangeLevel("cemetery_01.lvl"));
    // Past the intro (the level takes the save's variables as it starts).
    game.CreateSaveVar("intro_done")->SetValue("1");
    game.CreateSaveVar("intro_seen")->SetValue("1");
    Passes(5);

    // A pickup sparkles; the plinth stands still.
    Layer* collisions = game.GetCurrentLevel()->GetLayer(Level::kScene, "Collisions");
    ASSERT_NE(collisions, nullptr);
    const auto pickup = [&](const std::string& name) {
        auto* placed = collisions->FindInstanceByName(name);
        return placed != nullptr ? dynamic_cast<Zone_PickupObject::Instance*>(placed->GetPayload()) : nullptr;
    };
    Zone_PickupObject::Instance* scythe = pickup("scythe_plinth");
    Zone_PickupObject::Instance* map = pickup("map_01");
    ASSERT_TRUE(scythe != nullptr && scythe->itemGraphic != nullptr);
    ASSERT_TRUE(map != nullptr && map->itemGraphic != nullptr);
    std::set<int> mapFrames, scytheFrames;
    for (int pass = 0; pass < 30; ++pass) {
        Passes(1);
        mapFrames.insert(map->itemGraphic->GetPrototype()->GetAnimationFrame());
        scytheFrames.insert(scythe->itemGraphic->GetPrototype()->GetAnimationFrame());
    }
    EXPECT_GT(mapFrames.size(), 1u);
    EXPECT_EQ(scytheFrames.size(), 1u) << "the plinth's scythe wears a pickup's sparkle";

    // The way east to the save by the gate, which writes the slot a death
    // brings back: under the map piece the map opens and its picture shows.
    PutPlayerAt(8.5f);
    ASSERT_TRUE(WaitUntil([&] { return game.menuFlag; }, 30)) << "the map did not open";
    ASSERT_TRUE(CloseTheMap());
    ASSERT_TRUE(WaitUntil([&] { return game.pickupCinematicKind == 4; }, 30)) << "the map's picture";
    ASSERT_TRUE(WaitUntil([&] { return game.saveData.GetPosition().x > 0.0f; }, 30))
        << "the save did not save";
    ASSERT_TRUE(WaitUntil([&] { return game.pickupCinematicKind == 0; }, 300));
    // The Keeper's reminder, then his hint at the first door, past the skulls.
    for (const float x : {12.5f, 36.0f}) {
        SCOPED_TRACE(x);
        PutPlayerAt(x);
        ASSERT_TRUE(WaitUntil([&] { return BoxShown(); }, 60))
            << "the Keeper did not speak (menu " << game.menuFlag << ", ui " << game.uiState << ")";
        EXPECT_TRUE(game.gameplayPaused) << "play goes on while the Keeper speaks";
        const int life = game.GetPlayer()->GetLife();
        const std::vector<Point<float>> before = EnemyPlaces();
        Passes(60);
        EXPECT_EQ(EnemyPlaces(), before) << "the enemies moved while the Keeper spoke";
        EXPECT_EQ(game.GetPlayer()->GetLife(), life);
        ASSERT_TRUE(ReadOn());
        ASSERT_TRUE(WaitUntil([&] { return !game.gameplayPaused; }, 30)) << "play stayed paused";
    }
    // The plinth's scythe, touched with play going on, stays: nothing is
    // taken, nothing scores.
    const int score = game.saveData.GetScore();
    PutPlayerAt(14.0f);
    Passes(30);
    EXPECT_FALSE(game.gameplayPaused);
    EXPECT_TRUE(scythe->IsEnabled());
    EXPECT_TRUE(scythe->itemGraphic->IsVisible());
    EXPECT_EQ(game.saveData.GetScore(), score);

    Die();
    ASSERT_EQ(game.GetCurrentLevel()->GetName(), "cemetery_01.lvl");
    EXPECT_LT(game.GetPlayer()->GetPosition().x, 12.0f * kTile) << "brought back within the skulls' reach";
    for (const float at : {13.0f, 36.0f}) {
        SCOPED_TRACE(at);
        PutPlayerAt(at);
        EXPECT_FALSE(WaitUntil([&] { return BoxShown(); }, 60)) << "the Keeper spoke again after a death";
    }
    PutPlayerAt(8.5f);
    EXPECT_FALSE(WaitUntil([&] { return game.pickupCinematicKind == 4 || game.menuFlag; }, 30))
        << "the map or its picture showed again after a death";
}

// The map piece opens the map on every take. It hangs west of the save, so
// the save keeps it taken: a player brought back by the save meets no piece.
TEST_F(WorldCemeteryHints, TheMapPieceHangsWhereTheSaveKeepsItTaken)
{
    ASSERT_TRUE(game.ChangeLevel("cemetery_01.lvl"));
    // Past the intro.
    game.CreateSaveVar("intro_done")->SetValue("1");
    game.CreateSaveVar("intro_seen")->SetValue("1");
    Passes(5);
    Layer* collisions = game.GetCurrentLevel()->GetLayer(Level::kScene, "Collisions");
    ASSERT_NE(collisions, nullptr);
    auto* placed = collisions->FindInstanceByName("map_01");
    ASSERT_NE(placed, nullptr);
    const Point<float> piece = placed->GetPosition();
    const auto* save = collisions->FindInstanceByName("save_gate");
    ASSERT_NE(save, nullptr);
    EXPECT_LT(piece.x, save->GetPosition().x) << "the piece hangs west of the save";

    PutPlayerAt(piece.x / kTile, piece.y / kTile);
    ASSERT_TRUE(WaitUntil([&] { return game.menuFlag; }, 30)) << "the map did not open on the piece";
    ASSERT_TRUE(CloseTheMap());
    PutPlayerAt(save->GetPosition().x / kTile + 0.5f);
    ASSERT_TRUE(WaitUntil([&] { return game.saveData.GetPosition().x > 0.0f; }, 30));

    Die();
    placed = game.GetCurrentLevel()->GetLayer(Level::kScene, "Collisions")->FindInstanceByName("map_01");
    ASSERT_NE(placed, nullptr);
    EXPECT_FALSE(placed->GetPayload()->IsEnabled()) << "the piece came back after a death";
}

// The hints that play once are once for the slot played: a second new game
// in the same session hears the Keeper's reminder again.
TEST_F(WorldCemeteryHints, ASecondNewGameInTheSameSessionHearsTheKeepersReminderAgain)
{
    for (const int slot : {0, 1}) {
        SCOPED_TRACE(slot);
        GetUIGameAccess()->StartSaveSlot(slot);
        // The new game's intro, read to its end (the Keeper's lines, then
        // the keys).
        ASSERT_TRUE(WaitUntil([&] { return BoxShown(); }, 600)) << "the intro did not play";
        ASSERT_EQ(game.GetCurrentLevel()->GetName(), "cemetery_01.lvl");
        for (int box = 0; box < 4 && game.gameplayPaused; ++box) {
            ASSERT_TRUE(ReadOn());
            WaitUntil([&] { return BoxShown() || !game.gameplayPaused; }, 300);
        }
        ASSERT_TRUE(WaitUntil([&] { return !game.gameplayPaused && game.GetPlayer() != nullptr; }, 300));
        PutPlayerAt(13.0f);
        ASSERT_TRUE(WaitUntil([&] { return BoxShown(); }, 60)) << "the Keeper's reminder did not play";
        ASSERT_TRUE(ReadOn());
    }
}

// The Lantern Ring's sign is marked read once its words are read to their
// end: a player who walks on west while they are typed and leaves the level
// meets the sign again on his next visit.
TEST_F(WorldCemeteryHints, TheRingsSignStaysUnreadUntilItsWordsAreReadToTheirEnd)
{
    const auto signRead = [] {
        ScriptVar* read = Game::FindSaveVar("sign_read_tp01");
        return read != nullptr && read->GetValue() == "1";
    };
    ASSERT_TRUE(game.ChangeLevel("cimetery_tp_01.lvl"));
    Passes(5);
    PutPlayerAt(7.0f);
    ASSERT_TRUE(WaitUntil([&] { return BoxShown(); }, 60)) << "the sign did not speak";
    InputActions west;
    west.x = -1.0f;
    for (int pass = 0; pass < 300 && game.GetCurrentLevel()->GetName() == "cimetery_tp_01.lvl"; ++pass)
        Passes(1, west);
    ASSERT_EQ(game.GetCurrentLevel()->GetName(), "boat_tp_1.lvl");
    EXPECT_FALSE(signRead()) << "marked read before its words were";

    for (const bool readToTheEnd : {true, false}) {
        SCOPED_TRACE(readToTheEnd);
        ASSERT_TRUE(game.ChangeLevel("cimetery_tp_01.lvl"));
        Passes(5);
        PutPlayerAt(7.0f);
        EXPECT_EQ(WaitUntil([&] { return BoxShown(); }, 60), readToTheEnd);
        if (readToTheEnd) {
            ASSERT_TRUE(ReadOn());
        }
        EXPECT_TRUE(WaitUntil(signRead, 5));
    }
}

// The Heart's save stone saves the way in from the Crypt; a player who dies
// in the fight is brought back beside it, with no second save and no
// "SAVED" banner over the death and the return.
TEST_F(WorldCemeteryHints, TheHeartsStoneSavesTheWayInButNotEachReturnFromADeath)
{
    game.SetStartPointName("from_crypt");
    ASSERT_TRUE(game.ChangeLevel("cemetery_heart.lvl"));
    const auto bannerShown = [&] {
        GraphicalObject* saved = game.GetHud() != nullptr ? game.GetHud()->GetSaveMessage() : nullptr;
        return saved != nullptr && !saved->IsAnimationFinished();
    };
    ASSERT_TRUE(WaitUntil([&] { return game.saveData.GetPosition().x > 0.0f; }, 30))
        << "the way in was not saved";
    EXPECT_TRUE(bannerShown());
    const Point<float> savedAt = game.saveData.GetPosition();
    // The place saved stands clear of the stone: a body brought back there
    // does not touch it, not even by a side.
    Layer* collisions = game.GetCurrentLevel()->GetLayer(Level::kScene, "Collisions");
    ASSERT_NE(collisions, nullptr);
    auto* stone = collisions->FindInstanceByName("save_h");
    ASSERT_TRUE(stone != nullptr && dynamic_cast<ZoneInstance*>(stone->GetPayload()) != nullptr);
    EXPECT_FALSE(ZoneTouches(
        ZoneRect(stone->GetPosition(), dynamic_cast<ZoneInstance*>(stone->GetPayload())->GetSize()),
        ZoneRect(savedAt, game.GetPlayer()->GetSize())));
    ASSERT_TRUE(WaitUntil([&] { return !bannerShown(); }, 120));

    MarkOldPlayer()->SetLife(0);
    int shown = 0;
    for (int pass = 0; pass < 600 && (!NewPlayerIn() || game.secondTransitionCounter != -1); ++pass) {
        Passes(1);
        shown += bannerShown() ? 1 : 0;
    }
    ASSERT_TRUE(NewPlayerIn()) << "the dead player was not brought back";
    for (int pass = 0; pass < 60; ++pass) {
        Passes(1);
        shown += bannerShown() ? 1 : 0;
    }
    EXPECT_EQ(shown, 0) << "passes with the banner over the death and the return";
    EXPECT_NEAR(game.GetPlayer()->GetPosition().x, savedAt.x, kTile) << "brought back at the saved place";
}

} // namespace
