#include "tools/keys/KeysHeartPlayer.h"

#include "tools/keys/HeartDeath.h"

#include <gtest/gtest.h>

#include <vector>

// The real-keys player acts on what the window showed 400 ms before and
// swings at most once every 0.66 s.
namespace {

using Way = KeysHeartPlayer::Way;
using Step = KeysHeartPlayer::Step;
using Reading = HeartScreen::Reading;

constexpr double kLook = 33.0;

// Plays looks of `reading` from `from` to `to` ms; the keys of the last.
KeysHeartPlayer::Keys Look(
    KeysHeartPlayer& player, double from, double to, const Reading& reading, int* blows = nullptr)
{
    KeysHeartPlayer::Keys keys;
    for (double t = from; t < to; t += kLook) {
        keys = player.Act(t, reading);
        if (blows != nullptr && keys.strike)
            ++*blows;
    }
    return keys;
}

Reading West()
{
    Reading reading;
    reading.westAlive = true;
    reading.hud = true;
    return reading;
}

Reading EastLit()
{
    Reading reading;
    reading.eastLit = true;
    reading.hud = true;
    return reading;
}

// From the passage to the fight with the west cells: he walks east until
// he has seen the arena's cells for his reaction time.
double ToTheWestCells(KeysHeartPlayer& player)
{
    Reading passage;
    passage.hud = true;
    EXPECT_TRUE(Look(player, 0.0, 1000.0, passage).right);
    EXPECT_EQ(player.CurrentStep(), Step::Entry);
    const double end = 1000.0 + KeysHeartPlayer::kReactionMs + 100.0;
    Look(player, 1000.0, end, West());
    return end;
}

TEST(KeysHeartPlayer, WalksInThenWestPushingAndStriking)
{
    KeysHeartPlayer player(Way::AtTheWalls);
    const KeysHeartPlayer::Keys entry = player.Act(0.0, West());
    EXPECT_TRUE(entry.right);
    EXPECT_FALSE(entry.strike);
    const double at = ToTheWestCells(player);
    EXPECT_EQ(player.CurrentStep(), Step::WestCells);
    const KeysHeartPlayer::Keys keys = player.Act(at, West());
    EXPECT_TRUE(keys.left);
    EXPECT_FALSE(keys.right);
}

TEST(KeysHeartPlayer, SwingsAtMostOnceEveryTwoThirdsOfASecond)
{
    KeysHeartPlayer player(Way::AtTheWalls);
    const double at = ToTheWestCells(player);
    int blows = 0;
    Look(player, at, at + 6600.0, West(), &blows);
    EXPECT_GE(blows, 9);
    EXPECT_LE(blows, 10);
}

// Each row: the way, how long after the change shows the keys are read, and
// the walking key then held (the change: the east cell's eye lights).
struct ReactionRow {
    Way way;
    double after;
    bool right;
};

// The row as the test lists it (never its bytes, which hold padding).
void PrintTo(const ReactionRow& row, std::ostream* os)
{
    constexpr const char* kWays[] = {"AtTheWalls", "StepBackFromStones", "HalfStepBackFromTheWest"};
    *os << kWays[static_cast<int>(row.way)] << "_" << row.after << "ms" << (row.right ? "_east" : "_west");
}

class KeysHeartPlayerReaction : public testing::TestWithParam<ReactionRow> { };

TEST_P(KeysHeartPlayerReaction, TheEastEyeLitTurnsHimEastOnly400MsLater)
{
    const ReactionRow row = GetParam();
    KeysHeartPlayer player(row.way);
    const double at = ToTheWestCells(player) + 3000.0;
    Look(player, at - 3000.0, at, West());
    const KeysHeartPlayer::Keys keys = Look(player, at, at + row.after, EastLit());
    EXPECT_EQ(keys.right, row.right) << row.after;
    EXPECT_EQ(player.CurrentStep(), row.right ? Step::EastCells : Step::WestCells);
}

INSTANTIATE_TEST_SUITE_P(Rows, KeysHeartPlayerReaction,
    testing::Values(ReactionRow {Way::AtTheWalls, 300.0, false}, ReactionRow {Way::AtTheWalls, 500.0, true},
        ReactionRow {Way::StepBackFromStones, 360.0, false},
        ReactionRow {Way::StepBackFromStones, 450.0, true}));

TEST(KeysHeartPlayer, StepsBackWestWhileAStoneIsShownAndReturns)
{
    KeysHeartPlayer player(Way::StepBackFromStones);
    double at = ToTheWestCells(player);
    Look(player, at, at + 1000.0, EastLit());
    at += 1000.0;
    Reading winding = EastLit();
    winding.eastWinding = true;
    // Winding up, the cell aims at him where he stands: he stays.
    EXPECT_TRUE(Look(player, at, at + 600.0, winding).right);
    Reading stone = EastLit();
    stone.stoneShown = true;
    EXPECT_TRUE(Look(player, at + 600.0, at + 900.0, stone).right);
    EXPECT_TRUE(Look(player, at + 900.0, at + 1500.0, stone).left);
    const KeysHeartPlayer::Keys back = Look(player, at + 1500.0, at + 2500.0, EastLit());
    EXPECT_TRUE(back.right);
    // At the walls he stays pushing east.
    KeysHeartPlayer walls(Way::AtTheWalls);
    double t = ToTheWestCells(walls);
    Look(walls, t, t + 1000.0, EastLit());
    t += 1000.0;
    EXPECT_TRUE(Look(walls, t, t + 1000.0, winding).right);
}

TEST(KeysHeartPlayer, JumpsTheFloorsStoneWhenSeenAgainstItOnTheWayToTheOtherWall)
{
    KeysHeartPlayer player(Way::AtTheWalls);
    double at = ToTheWestCells(player);
    // Landed east of the stone: west, and up when against it.
    Reading east = West();
    east.playerX = HeartScreen::kStoneEastFace + 20;
    const KeysHeartPlayer::Keys over = Look(player, at, at + 500.0, east);
    EXPECT_TRUE(over.left);
    EXPECT_TRUE(over.jump);
    // Past it he lets go, so as to drop to the floor, not onto the ledge.
    const KeysHeartPlayer::Keys dropping = player.Act(at + 600.0, east);
    EXPECT_FALSE(dropping.left);
    EXPECT_FALSE(dropping.jump);
    at += 700.0;
    // Past it, against the block: no jump, blows.
    Reading west = West();
    west.playerX = 114;
    int blows = 0;
    const KeysHeartPlayer::Keys there = Look(player, at, at + 1500.0, west, &blows);
    EXPECT_FALSE(there.jump);
    EXPECT_GE(blows, 1);
    // Eastward against its west face, up again.
    Reading lit = EastLit();
    lit.playerX = HeartScreen::kStoneEastFace - 50;
    const KeysHeartPlayer::Keys east2 = Look(player, at + 1500.0, at + 2000.0, lit);
    EXPECT_TRUE(east2.right);
    EXPECT_TRUE(east2.jump);
}

TEST(KeysHeartPlayer, HalfAStepBackHeTapsEastAndWestOnceStrikesAndWalksBackWhenAStepOrMoreOff)
{
    KeysHeartPlayer player(Way::HalfStepBackFromTheWest);
    double at = ToTheWestCells(player);
    Reading stopped = West();
    stopped.playerX = 114;
    int blows = 0;
    bool tappedEast = false;
    for (double t = at; t < at + 2500.0; t += kLook) {
        const KeysHeartPlayer::Keys keys = player.Act(t, stopped);
        tappedEast = tappedEast || keys.right;
        blows += keys.strike ? 1 : 0;
    }
    EXPECT_TRUE(tappedEast);
    EXPECT_GE(blows, 3);
    at += 2500.0;
    // The tap took him a whole step back: out of reach, he walks west to
    // where walking stopped, striking.
    Reading stepBack = stopped;
    stepBack.playerX = 135;
    blows = 0;
    const KeysHeartPlayer::Keys back = Look(player, at, at + 1000.0, stepBack, &blows);
    EXPECT_TRUE(back.left);
    EXPECT_FALSE(back.right);
    EXPECT_GE(blows, 1);
    at += 1000.0;
    // Thrown off and held still there by the hit: that is not where walking
    // stops; he walks on west.
    Reading thrown = stopped;
    thrown.playerX = 200;
    bool tappedAgain = false;
    for (double t = at; t < at + 1500.0; t += kLook) {
        const KeysHeartPlayer::Keys keys = player.Act(t, thrown);
        tappedAgain = tappedAgain || keys.right;
    }
    EXPECT_FALSE(tappedAgain);
    EXPECT_TRUE(player.Act(at + 1500.0, thrown).left);
}

TEST(KeysHeartPlayer, TheEyeDarkForASecondAndAHalfOrTheMawTurnsHimWestToTheStone)
{
    for (const bool maw : {false, true}) {
        KeysHeartPlayer player(Way::AtTheWalls);
        double at = ToTheWestCells(player);
        Look(player, at, at + 1000.0, EastLit());
        at += 1000.0;
        Reading after;
        after.hud = true;
        after.mawShown = maw;
        Look(player, at, at + (maw ? 500.0 : 1000.0), after);
        EXPECT_EQ(player.CurrentStep(), maw ? Step::Maw : Step::EastCells);
        const KeysHeartPlayer::Keys keys = Look(player, at + 1000.0, at + 2500.0, after);
        EXPECT_EQ(player.CurrentStep(), Step::Maw);
        EXPECT_TRUE(keys.left);
    }
}

// The death fight's watch: each row, how long after the picture's return
// his head first shifts a step (-1: never), and whether that is within 2 s.
struct DeathRow {
    double moveAfter;
    bool inTime;
};

void PrintTo(const DeathRow& row, std::ostream* os)
{
    if (row.moveAfter < 0.0)
        *os << "never_moves";
    else
        *os << "moves_after_" << row.moveAfter << "ms";
}

class HeartDeathWatch : public testing::TestWithParam<DeathRow> { };

TEST_P(HeartDeathWatch, TimesTheFirstMoveFromThePicturesReturnAfterTheDeathScreen)
{
    const DeathRow row = GetParam();
    HeartDeath death;
    Reading arena = West();
    arena.wardenX = 300;
    Reading black;
    black.dark = true;
    death.See(0.0, arena);
    // A blink of black is no death; a second of it is.
    death.See(100.0, black);
    death.See(600.0, black);
    death.See(700.0, arena);
    EXPECT_EQ(death.Current(), HeartDeath::Phase::Standing);
    for (double t = 1000.0; t <= 2100.0; t += kLook)
        death.See(t, black);
    EXPECT_EQ(death.Current(), HeartDeath::Phase::Dead);
    EXPECT_DOUBLE_EQ(death.DiedAt(), 1000.0);
    // Once the HUD has shown no life, the first black picture is the death.
    HeartDeath out;
    Reading none = West();
    none.hearts = 0;
    out.See(0.0, none);
    out.See(kLook, black);
    EXPECT_EQ(out.Current(), HeartDeath::Phase::Dead);
    // Back at the stair, the camera held by the level's west edge.
    Reading stair;
    stair.hud = true;
    // The respawn's pose shows his glow elsewhere first: no move of his.
    stair.wardenX = 45;
    const double back = 3000.0;
    death.See(back, stair);
    EXPECT_FALSE(death.Plays(back + 300.0));
    EXPECT_TRUE(death.Plays(back + 400.0));
    Reading walked = stair;
    walked.wardenX = 81;
    for (double t = back + kLook; t < back + 5000.0; t += kLook) {
        const bool moved = row.moveAfter >= 0.0 && t >= back + row.moveAfter;
        // His glow sways a pixel or two standing still.
        stair.wardenX = 60 + static_cast<int>(t / kLook) % 3;
        death.See(t, moved ? walked : stair);
    }
    EXPECT_EQ(death.MovedInTime(), row.inTime);
    if (row.moveAfter < 0.0)
        EXPECT_DOUBLE_EQ(death.MoveDelay(), -1.0);
    else
        EXPECT_NEAR(death.MoveDelay(), row.moveAfter, kLook);
}

INSTANTIATE_TEST_SUITE_P(Rows, HeartDeathWatch,
    testing::Values(
        DeathRow {600.0, true}, DeathRow {1950.0, true}, DeathRow {2500.0, false}, DeathRow {-1.0, false}));

} // namespace
