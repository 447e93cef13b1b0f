#include "characters/CharacterObject.h"

#include "engine/platform/Random.h"
#include "engine/render/ShaderEffect_TimeDependent.h"
#include "scene/CollisionShape.h"
#include "script/BGEvent_HandleDropItem.h"
#include "tests/characters/CharacterTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

using charactertest::FakeCharacterGame;
using charactertest::RandomAtLeast;

namespace {

// A character that records the damage the base hands to ApplyDamage.
class Target : public CharacterObject {
public:
    using CharacterObject::CharacterObject;
    void ApplyDamage(CharacterObject* attacker, int damage) override
    {
        damages.push_back(damage);
        CharacterObject::ApplyDamage(attacker, damage);
    }
    void RemoveChild(CharacterObject* child) override { removed.push_back(child); }
    std::vector<int> damages;
    std::vector<CharacterObject*> removed;
};

class CharacterBase : public testing::Test {
protected:
    FakeCharacterGame game;
    CharacterObject attacker {"Attacker"};
};

// A character adds nothing to the scene object's record: made directly it
// writes that record (under its own class name) and reads it back; only the
// character factory marks what it makes as not to be written.
TEST_F(CharacterBase, ACharacterWritesAndReadsTheSceneObjectRecord)
{
    CharacterObject skull("NPC_Skull");
    skull.SetCategory("Enemies");
    std::ostringstream written;
    EXPECT_TRUE(skull.Serialize(written));
    EXPECT_EQ(written.str(),
        "CharacterObjectV0\r\nNPC_Skull\r\nEnemies\r\n_SceneObject_updatetag_1.0_"
        "\r\n255\r\n255\r\n255\r\n255\r\n");

    std::istringstream in(written.str().substr(written.str().find('\n') + 1));
    CharacterObject read("Other");
    ASSERT_TRUE(read.UnSerialize(in));
    EXPECT_EQ(read.GetName(), "NPC_Skull");
    EXPECT_EQ(read.GetCategory(), "Enemies");
}

TEST_F(CharacterBase, ReceiveHitTruncatesTheAmountAndIgnoresTheUnhurtableAndTheAnonymous)
{
    Target target("NPC_Test");
    target.SetLife(5);
    target.ReceiveHit(&attacker, 0, 2.9f);
    target.ReceiveHit(nullptr, 0, 4.0f);
    EXPECT_EQ(target.damages, std::vector<int> {2});
    EXPECT_TRUE(target.WasHit());
    EXPECT_EQ(target.GetLife(), 5); // the base never lowers life

    Target unhurtable("NPC_Test");
    unhurtable.ReceiveHit(&attacker, 0, 3.0f);
    EXPECT_TRUE(unhurtable.damages.empty());
    EXPECT_FALSE(unhurtable.WasHit());
    ASSERT_NE(unhurtable.GetHitFlash(), nullptr);
    EXPECT_FALSE(unhurtable.GetHitFlash()->IsRunning());
    // Damage without an attacker flashes but leaves the hit flag clear.
    unhurtable.ApplyDamage(nullptr, 1);
    EXPECT_TRUE(unhurtable.GetHitFlash()->IsRunning());
    EXPECT_FALSE(unhurtable.WasHit());
    target.Update(33.0);
    EXPECT_FALSE(target.WasHit()); // cleared by the next update
}

TEST_F(CharacterBase, InvulnerableFramesCountDownAndRefuseHits)
{
    CharacterObject c("NPC_Test");
    GraphicalObject body("Body");
    body.CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(0, 15, 15, 0, 2);
    c.SetCurrentGraphical(&body);
    const Rect<int> sword(5, 10, 8, 5);
    c.SetInvulnerableFrames(3);
    EXPECT_FALSE(c.IsHitByBox(sword, false)); // frames left, before any update
    for (int frame = 0; frame < 3; ++frame) {
        c.Update(33.0);
        EXPECT_TRUE(c.IsInvulnerable()) << frame;
        EXPECT_FALSE(c.IsHitByBox(sword, false)) << frame;
    }
    c.Update(33.0);
    EXPECT_FALSE(c.IsInvulnerable());
    EXPECT_TRUE(c.IsHitByBox(sword, false));
    EXPECT_TRUE(c.IsHitByAttack(sword, false));
}

// No render engine, so no shader of either kind exists: the timers must run
// all the same, or a character would never finish exploding.
TEST_F(CharacterBase, WithoutShadersTheExplosionStillEndsInDeathAndRefusesHits)
{
    CharacterObject c("NPC_Test");
    GraphicalObject body("Body");
    body.CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(0, 15, 15, 0, 6);
    c.SetCurrentGraphical(&body);
    c.SetShockWaveTiming(10.0f, 20.0f);
    c.Explode(true);
    EXPECT_EQ(game.slowMotionBudget, 15);
    EXPECT_EQ(game.slowMotionStep, 3);
    EXPECT_EQ(c.GetHitFlash(), nullptr); // no flash while exploding
    ASSERT_NE(c.GetShockWave(), nullptr);
    EXPECT_EQ(c.GetShockWave()->GetTimer(), 10.0f); // advanced by its start at once
    EXPECT_TRUE(c.GetHurtBoxes().empty());
    EXPECT_TRUE(c.GetAttackBoxes().empty());
    EXPECT_FALSE(c.IsHitByBox(Rect<int>(0, 15, 15, 0), false));

    // 10 -> 21 on the 11th update passes the delay of 20: the second stage
    // starts on that update, and its 41 ticks end 41 updates later.
    int frames = 0;
    while (!c.IsDead() && frames < 200) {
        c.Update(33.0);
        ++frames;
        if (frames == 10) {
            EXPECT_EQ(c.GetExplosionPhase(), 0);
        }
        if (frames == 11) {
            EXPECT_EQ(c.GetExplosionPhase(), 2);
        }
    }
    EXPECT_TRUE(c.IsDead());
    EXPECT_EQ(frames, 11 + 41);
    EXPECT_TRUE(c.IsInvulnerable());

    // Without a head start the first wave runs from 0 all the same.
    CharacterObject plain("NPC_Test");
    plain.Explode(false);
    ASSERT_TRUE(plain.GetShockWave()->IsRunning());
    for (frames = 0; !plain.IsDead() && frames < 200; ++frames)
        plain.Update(33.0);
    EXPECT_EQ(frames, 1 + 41);
}

TEST_F(CharacterBase, DyingTwiceDropsOnceRemovesOnceAndSendsOneMessage)
{
    CharacterObject player("Player");
    player.SetMaxLife(10);
    player.SetLife(4);
    game.player = &player;
    Target boss("NPC_Boss_Snow");
    Target child("NPC_Boss_Snow_Head");
    child.SetOwner(&boss);
    child.SetPosition(Point<float>(100.0f, 50.0f));
    child.SetSize(33, 17);

    platform::ScopedRandomValues draws({RandomAtLeast(0.99), RandomAtLeast(0.99)});
    child.Die();
    child.Die();
    ASSERT_EQ(game.events.size(), 1u);
    auto* drop = dynamic_cast<BGEvent_HandleDropItem*>(game.events[0].get());
    ASSERT_NE(drop, nullptr);
    EXPECT_EQ(drop->GetName(), "DropItem");
    EXPECT_EQ(drop->GetKind(), 0);
    EXPECT_EQ(drop->GetPosition(), Point<int>(116, 58)); // centre truncated
    EXPECT_EQ(boss.removed, std::vector<CharacterObject*> {&child});
    EXPECT_EQ(game.messages, std::vector<std::string> {"NPC_Boss_Snow_Head_State_DIE"});
    EXPECT_EQ(draws.Remaining(), 1u); // one draw, for the life drop
}

// The drop rule at its threshold: a draw of exactly 0.6 drops, the value just
// below does not and passes on to the crossbow's own draw.
TEST_F(CharacterBase, DropsAtTheThresholdAndNotJustUnderIt)
{
    CharacterObject player("Player");
    player.SetMaxLife(10);
    game.player = &player;
    const uint32_t atThreshold = RandomAtLeast(0.6);
    const uint32_t justUnder = atThreshold - 1;
    struct Case {
        const char* what;
        int life;
        PlayerCrossbowState crossbow;
        std::vector<uint32_t> draws;
        int expectedKind; // -1: no drop
        size_t drawsLeft;
    };
    const PlayerCrossbowState none;
    const PlayerCrossbowState halfEmpty {true, true, 2, 5};
    const PlayerCrossbowState full {true, true, 5, 5};
    const PlayerCrossbowState disabled {true, false, 2, 5};
    const Case cases[] = {
        {"hurt, at the threshold", 4, none, {atThreshold}, 0, 0},
        {"hurt, just under, no crossbow", 4, none, {justUnder, atThreshold}, -1, 1},
        {"hurt, just under, crossbow at the threshold", 4, halfEmpty, {justUnder, atThreshold}, 1, 0},
        {"hurt, just under twice", 4, halfEmpty, {justUnder, justUnder}, -1, 0},
        {"full life, crossbow at the threshold", 10, halfEmpty, {atThreshold}, 1, 0},
        {"full life, crossbow full", 10, full, {atThreshold}, -1, 1},
        {"full life, crossbow disabled", 10, disabled, {atThreshold}, -1, 1},
        {"full life, no crossbow", 10, none, {atThreshold}, -1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        game.events.clear();
        player.SetLife(c.life);
        game.crossbow = c.crossbow;
        platform::ScopedRandomValues draws(c.draws);
        CharacterObject dying("NPC_CrouchSkull");
        dying.Die();
        if (c.expectedKind < 0) {
            EXPECT_TRUE(game.events.empty());
        } else {
            ASSERT_EQ(game.events.size(), 1u);
            EXPECT_EQ(dynamic_cast<BGEvent_HandleDropItem&>(*game.events[0]).GetKind(), c.expectedKind);
        }
        EXPECT_EQ(draws.Remaining(), c.drawsLeft);
    }

    // A character that does not drop items never draws.
    game.events.clear();
    player.SetLife(1);
    platform::ScopedRandomValues draws({atThreshold});
    CharacterObject keeper("NPC_Keeper");
    keeper.SetDropsItems(2);
    keeper.Die();
    EXPECT_TRUE(game.events.empty());
    EXPECT_EQ(draws.Remaining(), 1u);
}

TEST_F(CharacterBase, ContactDamageSkipsAnInvulnerableOrDeadPlayer)
{
    Target player("Player");
    player.SetLife(5);
    GraphicalObject playerBody("PlayerBody");
    playerBody.CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(0, 31, 15, 0, 2);
    player.SetCurrentGraphical(&playerBody);
    player.SetPosition(Point<float>(100.0f, 0.0f));
    game.player = &player;

    CharacterObject spikes("NPC_Spikes");
    GraphicalObject spikesBody("SpikesBody");
    spikesBody.SetSize(20, 10, true);
    spikes.SetCurrentGraphical(&spikesBody);
    spikes.SetWholeBodyAttacks(true);
    spikes.SetContactDamage(3);
    spikes.SetPosition(Point<float>(81.9f, 5.0f)); // 81..100 touches the player's edge at 100

    player.SetInvulnerableFrames(1);
    player.Update(33.0);
    EXPECT_FALSE(spikes.DamagePlayerOnContact());
    EXPECT_TRUE(player.damages.empty());
    player.Update(33.0);
    EXPECT_TRUE(spikes.DamagePlayerOnContact());
    EXPECT_EQ(player.damages, std::vector<int> {3});

    spikes.SetPosition(Point<float>(80.0f, 5.0f)); // 80..99: one pixel short
    EXPECT_FALSE(spikes.DamagePlayerOnContact());

    spikes.SetPosition(Point<float>(81.0f, 5.0f));
    player.SetLife(0);
    EXPECT_FALSE(spikes.DamagePlayerOnContact());
}

} // namespace
