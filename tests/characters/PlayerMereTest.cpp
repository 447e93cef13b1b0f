#include "characters/PlayerLayerCollisions.h"
#include "tests/characters/FrozenMereFixture.h"
#include "tests/characters/PlayerTestWorld.h"

#include <algorithm>

using namespace playertest;

namespace {

// The mere played by the real player through its input actions: the level's
// "Collisions" layer is the one the player walks on, and a bed of rock lies
// under the pool.
class PlayerOnTheMere : public armortest::FrozenMere {
protected:
    static constexpr float kFarShore = 560.0f;

    PlayerOnTheMere()
    {
        bed.SetSize(32 * kPoolWidth, 32, true);
        bed.CollisionShapeAt(0) = std::make_unique<CollisionBox<int>>(0, 31, 32 * kPoolWidth - 1, 0, 0);
        collisions->AddPlacedInstance(&bed, kPoolLeft, -32);
        world.level = &level;
        world.layerCollisions = &layerCollisions;
        hero = std::make_unique<SoundPlayer>("Player");
        world.player = hero.get();
        hero->SetLife(5);
        hero->SetMaxLife(5);
        hero->SetPosition({128.0f, kShoreTop});
        hero->EnableModifier(Player::kFireArmor);
        hero->EnableModifier(Player::kIceArmor);
        hero->GetArmorState().armorCharges = 2;
        heroIce = GetPlayerArmorIce(hero.get());
        Step(Keys(0, 0));
    }

    void Step(const InputActions& keys)
    {
        hero->UpdateWithActions(33.0, keys, last, InputActions());
        last = keys;
        world.timeMs += 33.0;
    }
    static InputActions Armor(bool fire, bool ice)
    {
        InputActions a;
        a.Action6 = fire;
        a.Action5 = ice;
        return a;
    }
    float X() const { return hero->GetPosition().x; }
    float Y() const { return hero->GetPosition().y; }
    // The player's collision test: is there ground right under the box at x?
    bool GroundUnder(float x)
    {
        const PlayerBox box = hero->GetWorldBox(x - X(), kShoreTop - Y());
        float allowed = 0.0f;
        int kind = 0;
        return layerCollisions.Test(-1, box, 0.0f, -4.0f, &allowed, &kind);
    }

    GraphicalObject bed {"Bed"};
    PlayerLayerCollisions layerCollisions {collisions};
    TestWorld world;
    std::unique_ptr<SoundPlayer> hero;
    PlayerArmorIce* heroIce = nullptr;
    InputActions last;
};

TEST_F(PlayerOnTheMere, WithoutIceTheWalkEndsInThePool)
{
    EXPECT_FALSE(GroundUnder(320.0f));
    for (int i = 0; i < 40; ++i)
        Step(Keys(1, 0));
    EXPECT_NEAR(Y(), 0.0f, 0.1f) << "on the bed of the pool";
    EXPECT_LT(X(), kPoolLeft + 32.0f * kPoolWidth);
}

TEST_F(PlayerOnTheMere, IceCarriesThePlayerAcrossAndFireThawsThePoolUnderIt)
{
    // The ice action: the armor is worn, used, and the front runs through
    // the pool while the player waits on the shore.
    Step(Armor(false, true));
    ASSERT_EQ(hero->GetCurrentArmor(), Player::kIceArmor);
    EXPECT_EQ(hero->GetArmorState().armorCharges, 1);
    EXPECT_EQ(level.GetBackgroundEventCount(), 1u);
    int waited = 0;
    while (!heroIce->GetFrozenList().empty() && waited++ < 200)
        Step(Keys(0, 0));
    EXPECT_EQ(HiddenWaterTiles(), kPoolWidth * kPoolDepth);
    EXPECT_EQ(collisions->GetAddedInstanceCount(), static_cast<size_t>(kPoolWidth * kPoolDepth));
    for (float x = kPoolLeft; x < kPoolLeft + 32.0f * kPoolWidth; x += 32.0f)
        EXPECT_TRUE(GroundUnder(x)) << "ice at x " << x;

    // Across the lake on the ice, never sinking.
    int updates = 0;
    while (X() < kFarShore && updates++ < 60) {
        Step(Keys(1, 0));
        ASSERT_EQ(Y(), kShoreTop) << "at x " << X();
        ASSERT_NE(hero->GetMoveState(), Player::kFall) << "at x " << X();
    }
    EXPECT_GE(X(), kFarShore);
    EXPECT_LT(updates, 30) << "walked at walking speed";

    // The fire action on the far shore; walking back thaws the ice ahead,
    // the player drops into the pool and wades to its west wall and back to
    // its east wall, thawing what it passes.
    Step(Armor(true, false));
    ASSERT_EQ(hero->GetCurrentArmor(), Player::kFireArmor);
    EXPECT_EQ(hero->GetArmorState().armorCharges, 0);
    EXPECT_EQ(level.GetBackgroundEventCount(), 2u);
    int sankAt = -1;
    for (int i = 0; i < 40; ++i) {
        Step(Keys(-1, 0));
        if (sankAt < 0 && Y() < kShoreTop)
            sankAt = static_cast<int>(X());
    }
    EXPECT_GT(sankAt, kPoolLeft + 32 * (kPoolWidth - 3)) << "the ice ahead gave way";
    EXPECT_NEAR(Y(), 0.0f, 0.1f) << "on the bed of the pool";
    EXPECT_LT(X(), kPoolLeft) << "against the west wall";
    EXPECT_FALSE(heroIce->GetActiveReplacements().empty()) << "the ice behind the fall is left";
    for (int i = 0; i < 30; ++i)
        Step(Keys(1, 0));
    EXPECT_GT(X(), kPoolLeft + 32.0f * (kPoolWidth - 3)) << "at the east wall";
    EXPECT_TRUE(heroIce->GetActiveReplacements().empty());
    EXPECT_EQ(HiddenWaterTiles(), 0);
    EXPECT_EQ(water->GetAddedInstanceCount(), 0u);
    EXPECT_EQ(collisions->GetAddedInstanceCount(), 0u);
    // (The last column's test box reaches the east shore.)
    for (float x = kPoolLeft; x < kPoolLeft + 32.0f * (kPoolWidth - 1); x += 32.0f)
        EXPECT_FALSE(GroundUnder(x)) << "still ice at x " << x;
}

TEST_F(PlayerOnTheMere, UnderThawingIceThePieceInItsFirstMeltingFrameHoldsNothing)
{
    Step(Armor(false, true));
    for (int i = 0; i < 200 && !heroIce->GetFrozenList().empty(); ++i)
        Step(Keys(0, 0));
    // Boxes just above the top and middle rows of the pool's column at 320.
    auto holds = [this](float top) {
        float allowed = 0.0f;
        int kind = 0;
        return layerCollisions.Test(
            -1, PlayerBox {322.0f, top, 350.0f, top + 40.0f}, 0.0f, -4.0f, &allowed, &kind);
    };
    ASSERT_TRUE(holds(96.0f));
    ASSERT_TRUE(holds(64.0f));
    ASSERT_TRUE(holds(32.0f));
    // The player stands on the ice there and puts the fire armor on: the
    // piece under its feet thaws, the one under that melts to its first
    // frame (no more ground) and the bottom one only to its second.
    hero->SetPosition({320.0f, kShoreTop});
    for (int i = 0; i < 9; ++i)
        Step(Keys(0, 0));
    hero->GetArmorState().armorCharges = 1;
    Step(Armor(true, false));
    ASSERT_EQ(hero->GetCurrentArmor(), Player::kFireArmor);
    EXPECT_FALSE(holds(96.0f));
    EXPECT_FALSE(holds(64.0f));
    EXPECT_TRUE(holds(32.0f));
}

} // namespace
