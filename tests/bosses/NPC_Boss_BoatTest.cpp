#include "bosses/NPC_Boss_Boat.h"
#include "bosses/Projectile_Boss_Boat.h"

#include "script/ScriptVar.h"
#include "tests/bosses/BossArena.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// The wreck-beast of the Bow, fought in its own arena ("boat_02.lvl"): the
// arena's script starts it when the player drops in from the deck, and its
// death opens the gates, saves the fight as done and lets the player take
// the fire armour; the level loaded again finds it beaten.
namespace {

class BoatBossFight : public BossArena {
protected:
    void EnterBow()
    {
        ASSERT_TRUE(game.ChangeLevel("boat_02.lvl")) << debug.Text();
        ASSERT_NE(game.GetPlayer(), nullptr);
        boss = First<NPC_Boss_Boat>();
        ASSERT_NE(boss, nullptr);
    }
    std::string SaveVar(const std::string& name)
    {
        ScriptVar* var = Game::FindSaveVar(name);
        return var != nullptr ? var->GetValue() : std::string();
    }
    // Puts the player on the arena floor at x (pixels).
    void StandAt(float x, float y = kFloor)
    {
        ThePlayer().SetPosition(Point<float>(x, y));
        ThePlayer().SetPreviousPosition(Point<float>(x, y));
    }
    // The fireballs in flight (the planks are debris).
    int Fireballs()
    {
        int count = 0;
        for (Projectile_Boss_Boat* shot : All<Projectile_Boss_Boat>())
            count += shot->IsDebris() ? 0 : 1;
        return count;
    }
    // Passes with the keys held until the condition holds; as PassUntil.
    int PassUntilWith(const std::function<bool()>& done, int limit, const InputActions& keys)
    {
        for (int pass = 0; pass <= limit; ++pass) {
            if (done())
                return pass;
            Pass(keys);
        }
        return -1;
    }
    NPC_Boss_Boat* boss = nullptr;
};

TEST_F(BoatBossFight, BeforeItsStartTheBeastOnlyStandsWithItsPlanksPooledAndItsPartsPlaced)
{
    EnterBow();
    EXPECT_EQ(boss->GetName(), "NPC_Boss_Boat");
    EXPECT_EQ(boss->GetLife(), NPC_Boss_Boat::kLife);
    EXPECT_EQ(boss->GetState(), NPC_Boss_Boat::kWaiting);
    ASSERT_EQ(boss->GetDebris().size(), size_t(NPC_Boss_Boat::kDebrisPool));
    for (Projectile_Boss_Boat* piece : boss->GetDebris()) {
        EXPECT_TRUE(piece->IsDebris());
        EXPECT_FALSE(piece->IsEnabled());
    }
    EXPECT_EQ(boss->GetExplosionDoubles().size(), 2u);
    EXPECT_TRUE(boss->HasSprites());
    // Still on the deck, outside the arena: nothing moves, fires or strikes.
    const Point<float> at = boss->GetPosition();
    Passes(40);
    EXPECT_EQ(boss->GetState(), NPC_Boss_Boat::kWaiting);
    EXPECT_EQ(boss->GetPosition().x, at.x);
    EXPECT_EQ(Fireballs(), 0);
    // Its head and arm are drawn in the scene from the first frame, the arm
    // open and still, the whole beast pushed out to the east.
    ASSERT_NE(boss->GetHeadInstance(), nullptr);
    ASSERT_NE(boss->GetArmInstance(), nullptr);
    EXPECT_EQ(boss->GetArmSprite(), boss->Look("GraphicalArmLeft_GripOpen"));
    EXPECT_EQ(boss->GetDrawOffset(), Point<int>(640, -96));
    EXPECT_EQ(boss->GetArmInstance()->GetPosition(), at + Point<float>(384.0f, -128.0f));
    // A blow lands only where the body is drawn: 256 px east of its place.
    const Point<int> face = boss->GetPosition().ToInt() + Point<int>(256 + 40, 32 + 100);
    const Point<int> bare = boss->GetPosition().ToInt() + Point<int>(40, 100);
    EXPECT_TRUE(boss->IsHitByBox(Rect<int>(face.x, face.y + 8, face.x + 8, face.y), false));
    EXPECT_FALSE(boss->IsHitByBox(Rect<int>(bare.x, bare.y + 8, bare.x + 8, bare.y), false));
    // Its body against an invulnerable player: a touch, but no damage.
    const std::vector<Rect<int>> attacks = boss->GetAttackBoxes();
    ASSERT_FALSE(attacks.empty());
    const Rect<int> hurt = ThePlayer().GetHurtBoxes().front();
    const Point<int> corner = boss->GetPosition().ToInt() + Point<int>(256, 32)
        + Point<int>(attacks.front().x0, attacks.front().y1) - Point<int>(hurt.x0, hurt.y1);
    StandAt(static_cast<float>(corner.x + 1), static_cast<float>(corner.y + 1));
    ThePlayer().SetInvulnerable(true);
    const int life = ThePlayer().GetLife();
    EXPECT_TRUE(boss->DamagePlayerOnContact());
    EXPECT_EQ(ThePlayer().GetLife(), life);
    ThePlayer().SetInvulnerable(false);
}

TEST_F(BoatBossFight, FromTheDropIntoTheArenaToTheArmourAndAReloadThatFindsItBeaten)
{
    EnterBow();
    ThePlayer().SetLife(ThePlayer().GetMaxLife());
    MessageCounter* idle = Await("NPC_Boss_Boat_State_IDLE");
    MessageCounter* died = Await("NPC_Boss_Boat_State_DIE");

    // Off the deck to the west, by the keys: the arena's script starts it.
    InputActions west;
    west.x = -1.0f;
    ASSERT_GE(PassUntilWith([&] { return boss->GetState() != NPC_Boss_Boat::kWaiting; }, 300, west), 0);
    EXPECT_EQ(boss->GetState(), NPC_Boss_Boat::kEntry);
    // Lane moves are drawn at random: none in this walk.
    boss->SetLaneDelay(1000000);

    // The entry slides the beast in, then it screams with its head open and
    // closes it: idle, with its message, the fire timer full.
    ASSERT_GE(PassUntil([&] { return idle->Count() > 0; }, 400), 0);
    EXPECT_EQ(idle->Count(), 1);
    EXPECT_EQ(boss->GetState(), NPC_Boss_Boat::kIdle);
    EXPECT_EQ(boss->GetDrawOffset(), NPC_Boss_Boat::kRestOffset);
    EXPECT_EQ(boss->GetFireTimer(), NPC_Boss_Boat::kFirePeriod);
    EXPECT_EQ(boss->GetHeadSprite(), boss->Look("GraphicalHeadDown_IdleClose"));
    EXPECT_EQ(boss->GetArmSprite(), boss->Look("GraphicalArmLeft_IdleGround"));

    // In its reach, the player sees a fireball 133 frames after the idle
    // began, once the head has opened: it flies west from the mouth.
    StandAt(boss->GetPosition().x + 80.0f);
    EXPECT_EQ(
        PassUntil([&] { return boss->GetState() == NPC_Boss_Boat::kFire; }, 200), NPC_Boss_Boat::kFirePeriod);
    ASSERT_GE(PassUntil([&] { return Fireballs() == 1; }, 60), 0);
    Projectile_Boss_Boat* fireball = nullptr;
    for (Projectile_Boss_Boat* shot : All<Projectile_Boss_Boat>())
        fireball = shot->IsDebris() ? fireball : shot;
    ASSERT_NE(fireball, nullptr);
    const Point<float> mouth = boss->GetPosition() + Point<float>(288.0f, 224.0f);
    EXPECT_NEAR(fireball->GetPosition().y, mouth.y, 0.01f);
    EXPECT_LE(fireball->GetPosition().x, mouth.x);
    EXPECT_GT(fireball->GetPosition().x, mouth.x - 40.0f);
    ASSERT_GE(PassUntil([&] { return boss->GetState() == NPC_Boss_Boat::kIdle; }, 60), 0);

    // Out of its reach (far to the west) the arm slams the ground: 28 frames
    // later six planks fall from 256 px, spread over three widths.
    StandAt(200.0f);
    ASSERT_GE(PassUntil([&] { return boss->GetState() == NPC_Boss_Boat::kStrike; }, 5), 0);
    EXPECT_EQ(boss->GetStrikeCountdown(), NPC_Boss_Boat::kStrikeDelay);
    Passes(NPC_Boss_Boat::kStrikeDelay - 1);
    EXPECT_FALSE(boss->GetDebris()[0]->IsEnabled());
    Pass();
    const float span = 3.0f * 544.0f;
    for (int i = 0; i < NPC_Boss_Boat::kDebrisPool; ++i) {
        Projectile_Boss_Boat* piece = boss->GetDebris()[size_t(i)];
        SCOPED_TRACE(i);
        if (i >= NPC_Boss_Boat::kDebrisPerStrike) {
            EXPECT_FALSE(piece->IsEnabled()) << "only the first six are ever used";
            continue;
        }
        EXPECT_TRUE(piece->IsEnabled());
        EXPECT_NEAR(piece->GetPosition().x, float(i) / 6.0f * span, 64.0f);
        EXPECT_FLOAT_EQ(piece->GetPosition().y, 256.0f);
        EXPECT_EQ(piece->GetDirection(), Point<float>(0.0f, -1.0f));
    }
    ASSERT_GE(PassUntil([&] { return boss->GetState() == NPC_Boss_Boat::kIdle; }, 60), 0);

    // A blow that takes its life past 22 asks for a grip; back in reach,
    // it prepares (64 frames), grips the player, and 52 frames later slams
    // it down for one point and lets go.
    Strike(boss, NPC_Boss_Boat::kLife - 22);
    EXPECT_EQ(boss->GetLife(), 22);
    EXPECT_TRUE(boss->IsGripRequested());
    StandAt(boss->GetPosition().x + 40.0f);
    ASSERT_GE(PassUntil([&] { return boss->GetState() == NPC_Boss_Boat::kPreparing; }, 5), 0);
    EXPECT_FALSE(boss->IsGripRequested());
    EXPECT_EQ(PassUntil([&] { return boss->GetState() == NPC_Boss_Boat::kGrip; }, 100),
        NPC_Boss_Boat::kPrepareSteps);
    ASSERT_GE(PassUntil([&] { return boss->IsHoldingPlayer(); }, 30), 0) << "the grip catches the player";
    // Held is the input lock: no hit counts, and the frame's timers still run.
    EXPECT_TRUE(ThePlayer().IsInputLocked());
    const int lifeHeld = ThePlayer().GetLife();
    ThePlayer().ApplyDamage(nullptr, 1);
    EXPECT_EQ(ThePlayer().GetLife(), lifeHeld);
    ThePlayer().SetInputLocked(false);
    ThePlayer().SetInvulnerable(false);
    ThePlayer().ApplyDamage(nullptr, 0); // a hurt form, timer 4
    ThePlayer().SetInputLocked(true);
    Passes(2);
    EXPECT_EQ(ThePlayer().GetFormTimer(), 2.0);
    // The release unlocks the player before its blow, which counts.
    ASSERT_GE(PassUntil([&] { return !ThePlayer().IsInputLocked(); }, 80), 0);
    EXPECT_EQ(ThePlayer().GetLife(), lifeHeld - 1);
    EXPECT_FALSE(boss->IsHoldingPlayer());
    // Slammed down on the floor, not into it: the player walks away.
    const float slammedAt = ThePlayer().GetPosition().x;
    InputActions away;
    away.x = -1.0f;
    EXPECT_GE(PassUntilWith([&] { return ThePlayer().GetPosition().x < slammedAt - 64.0f; }, 30, away), 0)
        << "the player is left stuck in the floor";
    ASSERT_GE(PassUntil([&] { return boss->GetState() == NPC_Boss_Boat::kIdle; }, 120), 0);

    // The last blow: the beast and its two parts explode, every shot goes,
    // and its death message comes once the explosion has run.
    StandAt(boss->GetPosition().x + 40.0f);
    Strike(boss, boss->GetLife());
    EXPECT_TRUE(boss->IsExploding());
    EXPECT_EQ(boss->GetHeadInstance(), nullptr);
    EXPECT_EQ(boss->GetArmInstance(), nullptr);
    EXPECT_EQ(died->Count(), 0);
    ASSERT_GE(PassUntil([&] { return died->Count() > 0; }, 400), 0);
    EXPECT_EQ(died->Count(), 1);
    EXPECT_EQ(CountOf("Projectile_Boss_BoatV0"), 0);

    // The line after the wait: the fight is saved as done and the alcove
    // opens; the armour is taken through its cut-scene.
    ASSERT_GE(PassUntil([&] { return SaveVar("done_b02") == "1"; }, 30), 0);
    ThePlayer().SetLife(ThePlayer().GetMaxLife());
    InputActions keys;
    keys.x = -1.0f;
    ASSERT_GE(PassUntilWith([&] { return SaveVar("got_0") == "1"; }, 600, keys), 0)
        << "through the open gate";

    // Loaded again: the beast is there but beaten, disabled and unseen.
    ASSERT_TRUE(game.ChangeLevel("boat_02.lvl")) << debug.Text();
    Passes(3);
    auto* again = First<NPC_Boss_Boat>();
    ASSERT_NE(again, nullptr);
    EXPECT_FALSE(again->IsEnabled());
    EXPECT_EQ(again->GetCurrentGraphical(), nullptr);
    EXPECT_EQ(again->GetState(), NPC_Boss_Boat::kWaiting);
}

} // namespace
