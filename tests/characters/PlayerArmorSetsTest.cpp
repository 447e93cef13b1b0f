#include "characters/Player.h"
#include "characters/PlayerArmorFire.h"
#include "characters/PlayerArmorIce.h"
#include "game/Game.h"
#include "scene/AnimatedSprite.h"
#include "scene/GraphicalObject.h"
#include "tests/engine/platform/DebugCapture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The armors' poses are the game's animated sprites named by the armor's
// prefix and the player's pose name; a pose the library lacks shows nothing
// while the armor is worn.
namespace {

class ArmorSets : public testing::Test {
protected:
    ArmorSets()
    {
        for (const char* pose : {"Player GraphicalIdleL", "Player GraphicalIdleR"})
            dynamic_cast<GraphicalObject*>(game.CreateSceneObjectByClass(pose, "GraphicalObject", "player"))
                ->SetSize(64, 96, true);
        for (const char* name : {"[Ice]Player GraphicalIdleR", "[Ice]Player GraphicalAirAttack[r3]R",
                 "[Ice2]Player DieL", "[IceC]Player GraphicalIdleCrossbowR", "Player GraphicalIdleR"})
            game.animatedSprites.push_back(new AnimatedSprite(name));
    }
    AnimatedSprite* Sprite(const std::string& name) { return Game::FindAnimatedSprite(name); }

    Game game;
    DebugCapture debug;
};

TEST_F(ArmorSets, TheIceArmorFindsItsPrefixedPosesInItsThreeSets)
{
    Player player("Player");
    player.EnableModifier(Player::kIceArmor);
    auto* ice = GetPlayerArmorIce(&player);
    ASSERT_NE(ice, nullptr);
    const ArmorAnimationSet& a = ice->GetAnimationSet();
    EXPECT_EQ(a.animations[1], Sprite("[Ice]Player GraphicalIdleR"));
    EXPECT_EQ(a.animations[63], Sprite("[Ice]Player GraphicalAirAttack[r3]R"));
    EXPECT_EQ(a.animations[0], nullptr) << "no \"[Ice]Player GraphicalIdleL\" in the library";
    EXPECT_EQ(ice->GetAnimationSetB().animations[14], Sprite("[Ice2]Player DieL"));
    EXPECT_EQ(ice->GetAnimationSetC().animations[31], Sprite("[IceC]Player GraphicalIdleCrossbowR"));
    int filled = 0;
    for (const ArmorAnimationSet* set : {&a, &ice->GetAnimationSetB(), &ice->GetAnimationSetC()})
        for (AnimatedSprite* sprite : set->animations)
            filled += sprite != nullptr ? 1 : 0;
    EXPECT_EQ(filled, 4) << "the unprefixed player sprite belongs to no armor";
    // The fire armor's library has none of its poses.
    for (AnimatedSprite* sprite : GetPlayerArmorFire(&player)->GetAnimationSet().animations)
        EXPECT_EQ(sprite, nullptr);
    EXPECT_EQ(debug.Text().find("[Ice"), std::string::npos) << "a missing pose is not reported:\n"
                                                            << debug.Text();
}

TEST_F(ArmorSets, WearingTheIceArmorShowsItsPoseAndNothingWhereItHasNone)
{
    Player player("Player");
    player.EnableModifier(Player::kIceArmor);
    GraphicalObject* ownIdleL = player.GetAnimationField(0);
    ASSERT_NE(ownIdleL, nullptr);
    player.SetCurrentArmor(Player::kIceArmor);
    GetPlayerArmorIce(&player)->ApplyAnimationSet();
    ASSERT_NE(player.GetAnimationField(1), nullptr);
    EXPECT_EQ(player.GetAnimationField(1)->GetName(), "[Ice]Player GraphicalIdleR");
    EXPECT_EQ(player.GetAnimationField(0), nullptr) << "not the player's own pose";
    // Taking the armor off brings the player's own pose back.
    player.SetCurrentArmor(-1);
    player.SetAttackRank(1);
    ASSERT_NE(player.GetAnimationField(1), nullptr);
    EXPECT_EQ(player.GetAnimationField(1)->GetName(), "Player GraphicalIdleR");
}

// The graphicals loaded with the player: the default set's poses, then the
// ice armor's three sets, then the fire armor's, each in the order of the
// set's indices (the ice set's idle right is index 7, its rank-3 air attack
// right index 45, set B's die left index 62, set C's crossbow right 29).
TEST_F(ArmorSets, TheArmorsPosesAreLoadedWithThePlayer)
{
    Player player("Player");
    player.EnableModifier(Player::kIceArmor);
    player.EnableModifier(Player::kFireArmor);
    std::vector<std::string> names;
    for (const GraphicalObject* g : player.GetRelatedGraphicalObjects())
        names.push_back(g->GetName());
    const std::vector<std::string> expected = {"Player GraphicalIdleL", "Player GraphicalIdleR",
        "[Ice]Player GraphicalIdleR", "[Ice]Player GraphicalAirAttack[r3]R", "[Ice2]Player DieL",
        "[IceC]Player GraphicalIdleCrossbowR"};
    ASSERT_GE(names.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + 6), expected);
}

} // namespace
