#include "characters/PlayerArmorIce.h"
#include "enemies/NPC_Bibli_Ghost.h"
#include "enemies/NPC_FireDiamond.h"
#include "enemies/NPC_Lonely_Head.h"
#include "enemies/NpcTuning.h"
#include "enemies/Projectile_Lonely_Head.h"
#include "engine/render/ShaderEffect_TimeDependent.h"
#include "scene/AnimatedSprite.h"
#include "scene/Layer.h"
#include "tests/ui/UITestSupport.h"

#include "tests/enemies/EnemyArena.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

// The snow's fire diamond and the library's ghost and lonely head in arenas
// built by the level tool, played by the game with the world's library.
namespace {

class SnowLibraryEnemies : public EnemyArena {
protected:
    // An arena whose bottom two rows are given (left to right, 32 tiles):
    // the upper one may hold water ("~") over the lower, solid one.
    void EnterWithFloor(const std::string& upperFloor, const std::string& placements)
    {
        std::string text = "level arena.lvl\nscreens 2 1\ncell 1 1\npalette cemetery\ntiles\n";
        for (int row = 0; row < 12; ++row)
            text += std::string(32, '.') + "\n";
        text += upperFloor + "\n" + std::string(32, '#') + "\n";
        text += "place Point_PlayerStart start 2 2 name=start\n" + placements;
        const LevelModel model = BuildLevelModel(LevelDescription::Parse(text, "arena.lvd"));
        LevelBuilder builder([](const std::string& name) {
            return dynamic_cast<GraphicalObject*>(Game::FindSceneObject(name, false));
        });
        std::unique_ptr<Level> level = builder.Build(model);
        arenaPath = (folder / "arena.lvl").string();
        ASSERT_TRUE(level->SaveFile(arenaPath));
        Reload();
    }

    static InputActions Right()
    {
        InputActions keys;
        keys.x = 1.0f;
        return keys;
    }
    static InputActions Left()
    {
        InputActions keys;
        keys.x = -1.0f;
        return keys;
    }
    void Strike()
    {
        InputActions attack;
        attack.SetAction3();
        Pass(attack);
        Pass(attack);
        Pass();
    }
    Layer* SceneLayer(int list, const std::string& name)
    {
        return game.GetCurrentLevel()->GetLayer(list, name);
    }
    // Water tiles of the level hidden by the ice.
    int HiddenWater()
    {
        Layer* water = SceneLayer(Level::kForeground, "FG_Water");
        int hidden = 0;
        for (size_t i = 0; i < water->GetInstanceCount(); ++i)
            hidden += water->GetInstance(i)->IsVisible() ? 0 : 1;
        return hidden;
    }
    PlayerArmorIce* Ice()
    {
        return dynamic_cast<PlayerArmorIce*>(ThePlayer().GetModifier(Player::kIceArmor));
    }
    // Wears the ice armor at once and waits for the freeze front to end.
    void FreezeFromHere()
    {
        ThePlayer().EnableModifier(Player::kIceArmor);
        ThePlayer().GetArmorState().armorCharges = 2;
        InputActions ice;
        ice.SetAction5();
        Pass(ice);
        Pass();
        for (int i = 0; i < 200 && !Ice()->GetFrozenList().empty(); ++i)
            Pass();
        // The ice pictures have played to their last frame, as half a
        // second of the game shows them (the passes here take less).
        for (const ArmorActiveReplacement& record : Ice()->GetActiveReplacements()) {
            GraphicalObject* ice = record.replacement->GetPrototype();
            ice->SetAnimationFrame(ice->GetAnimatedInstance(0)->GetPrototype()->GetFrameCount() - 1);
            ice->StopAnimations();
        }
    }
};

// --- Fire diamond ---------------------------------------------------------------

// A six-tile pool one tile deep at columns 8-13, the diamond on the east
// shore at column 14.
const std::string kPool = std::string(8, '#') + std::string(6, '~') + std::string(18, '#');
const std::string kDiamond = "place Zone_NPCSpawner_FireDiamond diamond 14 2\n";

TEST_F(SnowLibraryEnemies, TheFireDiamondStandsSolidInTheCollisionsNeverDiesAndNeverHurts)
{
    EnterWithFloor(std::string(32, '#'), kDiamond);
    const Watched diamond(First<NPC_FireDiamond>());
    ASSERT_NE(diamond, nullptr);
    ASSERT_NE(diamond->GetCollisionInstance(), nullptr);
    EXPECT_EQ(diamond->GetCollisionInstance()->GetPosition(), Point<float>(14 * kTile, kFloor));
    EXPECT_EQ(diamond->GetSize(), Point<int>(64, 64));
    EXPECT_EQ(SceneLayer(Level::kScene, "Collisions")->GetAddedInstanceCount(), 1u);

    // Walking right, the player stops at its west face.
    for (int i = 0; i < 80; ++i)
        Pass(Right());
    const Rect<int> body = ThePlayer().GetBodyBox();
    EXPECT_LE(ThePlayer().GetPosition().x + static_cast<float>(body.x1), 14 * kTile + 1.0f);
    EXPECT_GT(ThePlayer().GetPosition().x, 10 * kTile);
    EXPECT_EQ(ThePlayer().GetLife(), ThePlayer().GetMaxLife()) << "touching it does not hurt";

    // Blows at every rank only flash it.
    for (int rank = 1; rank <= 4; ++rank) {
        ThePlayer().SetAttackRank(rank);
        Strike();
        Passes(10);
    }
    EXPECT_TRUE(Live(diamond));
    EXPECT_EQ(diamond->GetLife(), -1);
    EXPECT_TRUE(diamond->GetMeltingCells().empty()) << "nothing was frozen";
    EXPECT_FALSE(game.gameplayPaused);
}

TEST_F(SnowLibraryEnemies, StruckTheDiamondMeltsTheFrozenPoolCellByCellWhilePlayStands)
{
    for (int delay : {2, 0}) {
        SCOPED_TRACE("unfrozedelay " + std::to_string(delay));
        game.tuning.npc.fireDiamondUnfrozeDelay = delay;
        EnterWithFloor(kPool, kDiamond);
        auto* diamond = First<NPC_FireDiamond>();
        ASSERT_NE(diamond, nullptr);
        // On the west shore, by the pool.
        ThePlayer().SetPosition(Point<float>(7 * kTile, kFloor));
        Pass();
        FreezeFromHere();
        ASSERT_EQ(HiddenWater(), 6);
        ASSERT_EQ(Ice()->GetActiveReplacements().size(), 6u);

        // Across the ice, carried by it, and up to the diamond's face.
        for (int i = 0; i < 80; ++i)
            Pass(Right());
        EXPECT_EQ(ThePlayer().GetPosition().y, kFloor) << "the ice carried the player";
        EXPECT_GT(ThePlayer().GetPosition().x, 11 * kTile);
        diamond->ApplyDamage(&ThePlayer(), 1);
        EXPECT_TRUE(game.gameplayPaused);
        // The cell whose centre lies within its box (the east column) melts
        // first; the melt reaches one more cell west per step, and each cell
        // runs back its four frames before it thaws: the east pair thaws at
        // the fifth step, the west end (five cells on) at the ninth.
        int updates = 0;
        size_t lastFrozen = 6;
        int firstThaw = -1;
        while (!Ice()->GetActiveReplacements().empty() && updates < 200) {
            Pass();
            ++updates;
            if (firstThaw < 0 && Ice()->GetActiveReplacements().size() < lastFrozen) {
                firstThaw = updates;
                EXPECT_EQ(Ice()->GetActiveReplacements().size(), 4u);
            }
            lastFrozen = Ice()->GetActiveReplacements().size();
        }
        const int period = delay + 1;
        EXPECT_EQ(firstThaw, 1 + 4 * period);
        EXPECT_EQ(updates, 1 + 8 * period);
        EXPECT_FALSE(game.gameplayPaused);
        EXPECT_TRUE(ThePlayer().IsCollisionChanged()) << "told by the last step";
        EXPECT_EQ(HiddenWater(), 0);
        EXPECT_TRUE(diamond->GetRecords().empty());
        EXPECT_TRUE(diamond->GetMeltingCells().empty());
        EXPECT_EQ(SceneLayer(Level::kForeground, "FG_Water")->GetAddedInstanceCount(), 0u);
        EXPECT_EQ(SceneLayer(Level::kScene, "Collisions")->GetAddedInstanceCount(), 1u)
            << "the diamond's own";
    }
}

TEST_F(SnowLibraryEnemies, AStrikeWithNoFrozenCellInReachOrWithoutTheIceArmorChangesNothing)
{
    EnterWithFloor(kPool, "place Zone_NPCSpawner_FireDiamond diamond 24 2\n");
    auto* diamond = First<NPC_FireDiamond>();
    ASSERT_NE(diamond, nullptr);
    ThePlayer().SetPosition(Point<float>(7 * kTile, kFloor));
    Pass();
    // Without the armor ever worn.
    diamond->ApplyDamage(&ThePlayer(), 1);
    EXPECT_TRUE(diamond->GetMeltingCells().empty());
    FreezeFromHere();
    ASSERT_EQ(HiddenWater(), 6);
    // Ten tiles from the pool: no cell lies in its box.
    diamond->ApplyDamage(&ThePlayer(), 1);
    EXPECT_EQ(diamond->GetRecords().size(), 6u) << "it took the armor's records";
    EXPECT_TRUE(diamond->GetMeltingCells().empty());
    EXPECT_FALSE(game.gameplayPaused);
    Passes(20);
    EXPECT_EQ(HiddenWater(), 6);
}

TEST_F(SnowLibraryEnemies, WhenNoFrozenCellIsOnScreenAtAStepTheWholePoolThawsAtOnce)
{
    EnterWithFloor(kPool, kDiamond);
    auto* diamond = First<NPC_FireDiamond>();
    ASSERT_NE(diamond, nullptr);
    ThePlayer().SetPosition(Point<float>(7 * kTile, kFloor));
    Pass();
    FreezeFromHere();
    diamond->ApplyDamage(&ThePlayer(), 1);
    ASSERT_FALSE(diamond->GetMeltingCells().empty());
    game.GetCamera().SetPosition(2000.0f, 2000.0f);
    Layer* water = SceneLayer(Level::kForeground, "FG_Water");
    ThePlayer().GetArmorState().armorChanged = false;
    diamond->Update(33.0);
    EXPECT_TRUE(ThePlayer().IsCollisionChanged());
    EXPECT_TRUE(Ice()->GetActiveReplacements().empty());
    EXPECT_EQ(HiddenWater(), 0);
    EXPECT_EQ(water->GetAddedInstanceCount(), 0u);
    EXPECT_FALSE(game.gameplayPaused);
}

TEST_F(SnowLibraryEnemies, ACellThawedByOtherMeansWhileTheDiamondMeltsIsDroppedNotFollowed)
{
    EnterWithFloor(kPool, kDiamond);
    auto* diamond = First<NPC_FireDiamond>();
    ASSERT_NE(diamond, nullptr);
    ThePlayer().SetPosition(Point<float>(7 * kTile, kFloor));
    Pass();
    FreezeFromHere();
    diamond->ApplyDamage(&ThePlayer(), 1);
    ASSERT_EQ(diamond->GetMeltingCells().size(), 1u);
    // The melting cell thaws under the fire armor before the next step: its
    // ice picture is deleted.
    std::vector<ArmorActiveReplacement>& records = Ice()->GetActiveReplacements();
    Layer::Instance* cell = diamond->GetMeltingCells().front();
    for (size_t i = 0; i < records.size(); ++i)
        if (records[i].replacement == cell) {
            PlayerArmor::Restore(records[i]);
            records.erase(records.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    ASSERT_EQ(records.size(), 5u);
    Pass();
    EXPECT_TRUE(diamond->GetMeltingCells().empty());
    EXPECT_EQ(diamond->GetRecords().size(), 5u);
    EXPECT_FALSE(game.gameplayPaused);
    EXPECT_EQ(HiddenWater(), 5);
}

// --- Library ghost ----------------------------------------------------------------

TEST_F(SnowLibraryEnemies, TheGhostAppearsBehindAStillPlayerEveryFiftyUpdatesDashesEightAndHurts)
{
    // A rectangle of 12 x 6 tiles right of the start.
    Enter("place Zone_NPCSpawner_Bibli_Ghost ghost 8 2 12x6\n");
    auto* ghost = First<NPC_Bibli_Ghost>();
    ASSERT_NE(ghost, nullptr);
    EXPECT_EQ(ghost->rect, Rect<int>(8 * 32, 8 * 32, 20 * 32, 64));
    Pass(Right());
    Passes(5);
    EXPECT_EQ(ghost->GetState(), NPC_Bibli_Ghost::kHidden);
    // Into the rectangle, standing still.
    ThePlayer().SetPosition(Point<float>(12 * kTile, kFloor));
    const int life = ThePlayer().GetLife();
    std::vector<int> states;
    for (int i = 0; i < 160; ++i) {
        Pass();
        states.push_back(ghost->GetState());
        if (states.size() >= 2 && states[states.size() - 2] == NPC_Bibli_Ghost::kHidden
            && states.back() == NPC_Bibli_Ghost::kAppearing) {
            // Behind the player, its feet 32 above the player's.
            const Point<float> top = ThePlayer().GetTopCenter();
            const bool right = ThePlayer().GetFacingFromAnimation() > 0;
            EXPECT_FLOAT_EQ(ghost->GetPosition().x, right ? top.x - 64.0f : top.x);
            EXPECT_FLOAT_EQ(ghost->GetPosition().y, ThePlayer().GetPosition().y + 32.0f);
        }
    }
    // Runs of each state, in order.
    std::vector<std::pair<int, int>> runs;
    for (int s : states) {
        if (runs.empty() || runs.back().first != s)
            runs.emplace_back(s, 0);
        ++runs.back().second;
    }
    ASSERT_GE(runs.size(), 5u);
    // It shows itself on the fiftieth update inside.
    EXPECT_EQ(runs[0], std::make_pair(NPC_Bibli_Ghost::kHidden, NPC_Bibli_Ghost::kWait - 1));
    EXPECT_EQ(runs[1].first, NPC_Bibli_Ghost::kAppearing);
    EXPECT_GT(runs[1].second, 5) << "the appearing animation";
    EXPECT_EQ(runs[2], std::make_pair(NPC_Bibli_Ghost::kAttacking, NPC_Bibli_Ghost::kDash));
    EXPECT_EQ(runs[3], std::make_pair(NPC_Bibli_Ghost::kHidden, NPC_Bibli_Ghost::kWait));
    EXPECT_EQ(runs[4].first, NPC_Bibli_Ghost::kAppearing);
    // Its dash ran through the player.
    EXPECT_LT(ThePlayer().GetLife(), life);
}

TEST_F(SnowLibraryEnemies, TheGhostIsRecordedWithTheDrawFactorThreeAndItsFadeThenTheFactorIsOneAgain)
{
    Enter("place Zone_NPCSpawner_Bibli_Ghost ghost 8 2 12x6\n");
    auto* ghost = First<NPC_Bibli_Ghost>();
    ASSERT_NE(ghost, nullptr);
    ThePlayer().SetPosition(Point<float>(12 * kTile, kFloor));
    for (int i = 0; i < 80 && ghost->GetState() == NPC_Bibli_Ghost::kHidden; ++i)
        Pass();
    ASSERT_EQ(ghost->GetState(), NPC_Bibli_Ghost::kAppearing);
    ASSERT_EQ(g_RenderEngine, nullptr) << "the arena draws nothing by itself";
    uitest::RecordingEngine recording;
    recording.Clear();
    ghost->Draw(nullptr, Point<int>());
    const std::vector<RenderPoolCommand>& commands = recording.pool.GetFillCommands();
    ASSERT_FALSE(commands.empty());
    for (const RenderPoolCommand& command : commands) {
        EXPECT_FLOAT_EQ(command.GetDrawFactor(), 3.0f);
        EXPECT_NE(dynamic_cast<GE_Color*>(command.GetEffect()), nullptr) << "drawn through its fade";
    }
    EXPECT_FLOAT_EQ(recording.engine.GetDrawFactor(), 1.0f);
}

TEST_F(
    SnowLibraryEnemies, LeavingTheGhostsRectangleForOneUpdateRestartsItsWaitAndALeftFacingPlayerIsPassedLeft)
{
    Enter("place Zone_NPCSpawner_Bibli_Ghost ghost 8 2 12x6\n");
    auto* ghost = First<NPC_Bibli_Ghost>();
    ASSERT_NE(ghost, nullptr);
    Pass(Left());
    Passes(3);
    const Point<float> inside(14 * kTile, kFloor);
    ThePlayer().SetPosition(inside);
    Passes(40);
    ThePlayer().SetPosition(Point<float>(2 * kTile, kFloor));
    Pass();
    ThePlayer().SetPosition(inside);
    Passes(49);
    EXPECT_EQ(ghost->GetState(), NPC_Bibli_Ghost::kHidden) << "49 updates inside since it came back";
    Pass();
    ASSERT_EQ(ghost->GetState(), NPC_Bibli_Ghost::kAppearing);
    EXPECT_NEAR(ghost->GetPosition().x, ThePlayer().GetTopCenter().x, 0.5f);
    const float x = ghost->GetPosition().x;
    for (int i = 0; i < 60 && ghost->GetState() != NPC_Bibli_Ghost::kHidden; ++i)
        Pass();
    EXPECT_EQ(ghost->GetState(), NPC_Bibli_Ghost::kHidden);
    // Eight updates at 5 cells a second.
    EXPECT_NEAR(ghost->GetPosition().x, x - 8 * 5.0f * 32.0f * 0.033f, 0.5f) << "it dashed left";
}

TEST_F(SnowLibraryEnemies, TheHiddenGhostCannotBeStruckTheShownOneDiesToTheExpectedBlowsAndTwoFireHits)
{
    // The rectangle lies away from the player: it shows itself only when told.
    const int expected[4] = {4, 4, 2, 2};
    for (int rank = 1; rank <= 4; ++rank) {
        SCOPED_TRACE("rank " + std::to_string(rank));
        Enter("place Zone_NPCSpawner_Bibli_Ghost ghost 24 8 2x2\n");
        ASSERT_TRUE(game.console.ExecuteCommand("god 1"));
        Pass();
        const Watched ghost(First<NPC_Bibli_Ghost>());
        ASSERT_NE(ghost, nullptr);
        ghost->SetPosition(ThePlayer().GetPosition() + Point<float>(30.0f, 0.0f));
        EXPECT_FALSE(ghost->IsHitByBox(Rect<int>(0, 10000, 10000, 0), false)) << "hidden";
        ThePlayer().SetAttackRank(rank);
        int blows = 0;
        while (Live(ghost) && ghost->GetLife() > 0 && blows < 8) {
            ghost->SetState(NPC_Bibli_Ghost::kAppearing);
            Pass(Right());
            ghost->SetPosition(ThePlayer().GetPosition() + Point<float>(30.0f, 0.0f));
            Strike();
            ++blows;
            Passes(12);
        }
        EXPECT_EQ(blows, expected[rank - 1]);
    }
    Enter("place Zone_NPCSpawner_Bibli_Ghost ghost 24 8 2x2\n");
    Pass();
    auto* ghost = First<NPC_Bibli_Ghost>();
    ASSERT_NE(ghost, nullptr);
    ghost->ReceiveHit(&ThePlayer(), 1, 1.0f);
    EXPECT_EQ(ghost->GetLife(), 2);
    EXPECT_EQ(ghost->GetPowerHit(), 1);
    ghost->ReceiveHit(&ThePlayer(), 1, 1.0f);
    EXPECT_TRUE(ghost->IsDead());
}

// --- Lonely head ---------------------------------------------------------------------

TEST_F(SnowLibraryEnemies, TheLonelyHeadThrowsItsFanOnTheSixtySixthNearUpdateAndTheShotsFallAndExpire)
{
    Enter("place Zone_NPCSpawner_Lonely_Head head 8 2 1x6\n");
    ASSERT_TRUE(game.console.ExecuteCommand("god 1"));
    auto* head = First<NPC_Lonely_Head>();
    ASSERT_NE(head, nullptr);
    EXPECT_EQ(head->lowerY, 64);
    EXPECT_EQ(head->upperY, 64 + 6 * 32);
    const float x = head->GetPosition().x;
    int thrownAt = -1;
    int update = 0;
    while (thrownAt < 0 && update < 100) {
        Pass();
        ++update;
        if (!All<Projectile_Lonely_Head>().empty())
            thrownAt = update;
    }
    EXPECT_EQ(thrownAt, NPC_Lonely_Head::kThrowEvery);
    const std::vector<Watched<Projectile_Lonely_Head>> shots = WatchAll<Projectile_Lonely_Head>();
    ASSERT_EQ(shots.size(), 4u);
    // The fan: the two launch vectors and their mirrors, halved, each after
    // its first update's pull.
    const Point<float> outer = game.tuning.npc.lonelyHeadImpulseRightRight * 0.5f;
    const Point<float> inner = game.tuning.npc.lonelyHeadImpulseRightMid * 0.5f;
    const float xs[4] = {outer.x, -outer.x, inner.x, -inner.x};
    const float ys[4] = {outer.y, outer.y, inner.y, inner.y};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(shots[i]->GetDirection().x, xs[i], 1e-5f) << i;
        EXPECT_NEAR(shots[i]->GetDirection().y, ys[i] - 0.1f, 1e-5f) << i;
    }
    // They rise, then fall, and are gone after 66 updates.
    const float startY = shots[0]->GetPosition().y;
    float highest = startY;
    for (int i = 1; i < Projectile_Lonely_Head::kLifetime; ++i) {
        Pass();
        ASSERT_TRUE(Live(shots[0])) << i;
        highest = std::max(highest, shots[0]->GetPosition().y);
    }
    EXPECT_GT(highest, startY + 32.0f);
    EXPECT_LT(shots[0]->GetPosition().y, highest);
    Pass();
    EXPECT_FALSE(Live(shots[0]));
    EXPECT_EQ(head->GetPosition().x, x) << "it never moves sideways";
}

TEST_F(SnowLibraryEnemies, AFarPlayerLeavesTheHeadDriftingToTheMiddleOfItsBandWithoutAThrow)
{
    Enter("place Zone_NPCSpawner_Lonely_Head head 28 2 1x6\n");
    auto* head = First<NPC_Lonely_Head>();
    ASSERT_NE(head, nullptr);
    const int middle = (head->lowerY + head->upperY) / 2;
    float lowest = head->GetCenter().y, highest = lowest;
    for (int i = 0; i < 150; ++i) {
        Pass();
        if (i >= 100) {
            lowest = std::min(lowest, head->GetCenter().y);
            highest = std::max(highest, head->GetCenter().y);
        }
    }
    EXPECT_TRUE(All<Projectile_Lonely_Head>().empty());
    EXPECT_EQ(ThePlayer().GetLife(), ThePlayer().GetMaxLife());
    EXPECT_GE(lowest, static_cast<float>(middle) - 40.0f);
    EXPECT_LE(highest, static_cast<float>(middle) + 40.0f);
    EXPECT_EQ(head->GetTarget().y, middle);
}

TEST_F(SnowLibraryEnemies, TheHeadAndItsShotHurtThePlayerTheyTouch)
{
    Enter("place Zone_NPCSpawner_Lonely_Head head 8 2 1x6\n");
    auto* head = First<NPC_Lonely_Head>();
    ASSERT_NE(head, nullptr);
    const int life = ThePlayer().GetLife();
    for (int i = 0; i < 3 && ThePlayer().GetLife() == life; ++i) {
        head->SetPosition(ThePlayer().GetPosition() + Point<float>(10.0f, 30.0f));
        Pass();
    }
    EXPECT_EQ(ThePlayer().GetLife(), life - 1);

    Enter("place Zone_NPCSpawner_Lonely_Head head 28 2 1x6\n");
    ThePlayer().SetLife(ThePlayer().GetMaxLife());
    auto* shot = dynamic_cast<Projectile_Lonely_Head*>(
        game.CreateCharacterByClass("Projectile_Lonely_Head", "Projectile_Lonely_Head", nullptr));
    ASSERT_NE(shot, nullptr);
    shot->SetPosition(ThePlayer().GetCenter());
    shot->SetDirection(Point<float>(0.0f, 0.1f));
    Pass();
    EXPECT_EQ(ThePlayer().GetLife(), ThePlayer().GetMaxLife() - 1);
    // Hits do not harm a shot.
    shot->ApplyDamage(&ThePlayer(), 3);
    EXPECT_FALSE(shot->IsDead());
}

TEST_F(SnowLibraryEnemies, TheHeadDiesToTheExpectedBlowsAndAnIceHitCountsTwice)
{
    const int expected[4] = {4, 4, 2, 2};
    for (int rank = 1; rank <= 4; ++rank) {
        SCOPED_TRACE("rank " + std::to_string(rank));
        Enter("place Zone_NPCSpawner_Lonely_Head head 28 2 1x6\n");
        ASSERT_TRUE(game.console.ExecuteCommand("god 1"));
        Pass();
        auto* head = First<NPC_Lonely_Head>();
        ASSERT_NE(head, nullptr);
        EXPECT_EQ(BlowsToKill(head, rank, 20.0f), expected[rank - 1]);
    }
    Enter("place Zone_NPCSpawner_Lonely_Head head 28 2 1x6\n");
    auto* head = First<NPC_Lonely_Head>();
    ASSERT_NE(head, nullptr);
    head->ReceiveHit(&ThePlayer(), 2, 1.0f);
    EXPECT_EQ(head->GetLife(), 2);
    head->ReceiveHit(&ThePlayer(), 1, 1.0f);
    EXPECT_EQ(head->GetLife(), 1);
}

} // namespace
