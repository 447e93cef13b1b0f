#include "characters/PlayerArmorIce.h"
#include "enemies/NPC_FireDiamond.h"
#include "scene/AnimatedSprite.h"
#include "scene/Layer.h"

#include "tests/enemies/EnemyArena.h"

#include <gtest/gtest.h>

#include <string>

// The snow's and the library's levels of the assembled world played by the
// game: the Frozen Mere frozen, crossed and thawed, the two hubs as teleport
// destinations, and the Chapel's ways to them.
namespace {

class WorldSnowLibrary : public EnemyArena {
protected:
    void Go(const std::string& level, const std::string& start = "start")
    {
        game.RequestLevelChange(level, start);
        Pass();
        ASSERT_NE(game.GetCurrentLevel(), nullptr);
        ASSERT_EQ(game.GetCurrentLevel()->GetName(), ToLowerCase(level));
    }
    std::string LevelName() { return game.GetCurrentLevel()->GetName(); }
    static std::string ToLowerCase(std::string text)
    {
        for (char& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    }
    static InputActions Right()
    {
        InputActions keys;
        keys.x = 1.0f;
        return keys;
    }
    PlayerArmorIce* Ice()
    {
        return dynamic_cast<PlayerArmorIce*>(ThePlayer().GetModifier(Player::kIceArmor));
    }
    // Pieces of the level, placed or added, that show the picture.
    int CountPictures(const std::string& name)
    {
        int count = 0;
        Level* level = game.GetCurrentLevel();
        for (int list : Level::kFileOrder)
            for (int i = 0; i < level->GetLayerCount(list); ++i) {
                Layer* layer = level->GetLayerAt(list, i);
                for (size_t k = 0; k < layer->GetInstanceCount() + layer->GetAddedInstanceCount(); ++k) {
                    Layer::Instance* piece = k < layer->GetInstanceCount()
                        ? layer->GetInstance(k)
                        : layer->GetAddedInstance(k - layer->GetInstanceCount());
                    const GraphicalObject* picture = piece->GetPrototype();
                    count += picture != nullptr && picture->GetName() == name ? 1 : 0;
                }
            }
        return count;
    }
    int HiddenWater()
    {
        Layer* water = game.GetCurrentLevel()->GetLayer(Level::kForeground, "FG_Water");
        int hidden = 0;
        for (size_t k = 0; k < water->GetInstanceCount(); ++k)
            hidden += water->GetInstance(k)->IsVisible() ? 0 : 1;
        return hidden;
    }
};

TEST_F(WorldSnowLibrary, TheIceArmorFreezesTheMereThePlayerCrossesAndTheStruckDiamondThawsItAll)
{
    Go("snow_01.lvl");
    ASSERT_TRUE(game.console.ExecuteCommand("god 1"));
    auto* diamond = First<NPC_FireDiamond>();
    ASSERT_NE(diamond, nullptr);
    ASSERT_EQ(HiddenWater(), 0);
    const int mere = 10 * 3;
    // On the west shore, past the hint (clear of its zone: it pauses play
    // while it is read), with the ice armor from the shore.
    ThePlayer().EnableModifier(Player::kIceArmor);
    ThePlayer().GetArmorState().armorCharges = 1;
    ThePlayer().SetPosition(Point<float>(11 * kTile + 4.0f, 4 * kTile));
    Passes(3);
    InputActions ice;
    ice.SetAction5();
    Pass(ice);
    Pass();
    for (int i = 0; i < 300 && !Ice()->GetFrozenList().empty(); ++i)
        Pass();
    ASSERT_EQ(HiddenWater(), mere) << "the whole mere froze";
    EXPECT_EQ(CountPictures("Ice_Tile"), 2 * mere) << "a picture and a solid copy per cell";
    // As half a second of the game shows it: the ice at its last frame.
    for (const ArmorActiveReplacement& record : Ice()->GetActiveReplacements()) {
        GraphicalObject* picture = record.replacement->GetPrototype();
        picture->SetAnimationFrame(picture->GetAnimatedInstance(0)->GetPrototype()->GetFrameCount() - 1);
        picture->StopAnimations();
    }

    // Across on the ice, to the diamond's face on the east shore.
    float lowest = ThePlayer().GetPosition().y;
    for (int i = 0; i < 60; ++i) {
        Pass(Right());
        lowest = std::min(lowest, ThePlayer().GetPosition().y);
    }
    EXPECT_EQ(lowest, 4 * kTile) << "never sank";
    EXPECT_GT(ThePlayer().GetPosition().x, 19 * kTile);
    EXPECT_LT(ThePlayer().GetPosition().x, 22 * kTile) << "held by the diamond";
    // In the ice armor's poses, which keep the boxes of their pictures.
    ASSERT_NE(ThePlayer().GetCurrentAnimation(), nullptr);
    EXPECT_EQ(ThePlayer().GetCurrentAnimation()->GetName().rfind("[Ice]", 0), 0u);
    EXPECT_FALSE(ThePlayer().GetHurtBoxes().empty());

    // The scythe on the diamond: the melt spreads through the mere.
    InputActions attack;
    attack.SetAction3();
    Pass(attack);
    Pass(attack);
    Pass();
    ASSERT_FALSE(diamond->GetRecords().empty()) << "the blow did not reach the diamond";
    for (int i = 0; i < 400 && !Ice()->GetActiveReplacements().empty(); ++i)
        Pass();
    EXPECT_TRUE(Ice()->GetActiveReplacements().empty());
    EXPECT_EQ(HiddenWater(), 0);
    EXPECT_EQ(CountPictures("Ice_Tile"), 0) << "nothing of the frozen copies is left";
    EXPECT_FALSE(game.gameplayPaused);
    // The thawed mere no longer carries the player.
    ThePlayer().SetPosition(Point<float>(16 * kTile, 4 * kTile + 8.0f));
    Passes(30);
    EXPECT_LT(ThePlayer().GetPosition().y, 4 * kTile);
    EXPECT_EQ(debug.Text().find("Script Error"), std::string::npos) << debug.Text();
}

TEST_F(WorldSnowLibrary, EachHubIsATeleportDestinationOnceItsRingIsVisited)
{
    const struct {
        const char* level;
        float ringX; // the middle of the teleport zone
    } hubs[] = {{"snow_tp.lvl", 13 * kTile}, {"bibli_TP.lvl", 21 * kTile}};
    for (const auto& hub : hubs) {
        SCOPED_TRACE(hub.level);
        const std::string file = ToLowerCase(hub.level);
        Go(hub.level);
        EXPECT_EQ(game.FindTeleportByLevel(file), nullptr);
        ThePlayer().SetPosition(Point<float>(hub.ringX - 32.0f, 2 * kTile));
        Passes(3);
        EXPECT_NE(game.FindTeleportByLevel(file), nullptr) << "the ring was not discovered";
        Go("Cimetery_TP_03.lvl");
        game.RequestLevelChange(hub.level, "[TELEPORT]");
        Pass();
        ASSERT_EQ(LevelName(), file);
        EXPECT_FLOAT_EQ(ThePlayer().GetPosition().x, hub.ringX);
    }
}

TEST_F(WorldSnowLibrary, TheChapelLeadsEastToTheFrostGateAndUpBehindItsDoorToTheReadingTower)
{
    ASSERT_TRUE(game.console.ExecuteCommand("god 1"));
    // East from the ledge.
    Go("Cimetery_TP_03.lvl", "from_snow_tp");
    for (int i = 0; i < 60 && LevelName() == "cimetery_tp_03.lvl"; ++i)
        Pass(Right());
    ASSERT_EQ(LevelName(), "snow_tp.lvl");
    EXPECT_NEAR(ThePlayer().GetPosition().x, 4 * kTile, kTile) << "at from_chapel";
    // West again, onto the Chapel's ledge.
    InputActions left;
    left.x = -1.0f;
    for (int i = 0; i < 60 && LevelName() == "snow_tp.lvl"; ++i)
        Pass(left);
    ASSERT_EQ(LevelName(), "cimetery_tp_03.lvl");
    EXPECT_NEAR(ThePlayer().GetPosition().x, 43 * kTile, kTile);
    EXPECT_NEAR(ThePlayer().GetPosition().y, 7 * kTile, 16.0f);

    // North: in the stairwell behind the door, a jump reaches the way up.
    Go("Cimetery_TP_03.lvl", "from_bibli_tp");
    InputActions jump;
    jump.SetAction1();
    for (int i = 0; i < 30 && LevelName() == "cimetery_tp_03.lvl"; ++i)
        Pass(jump);
    ASSERT_EQ(LevelName(), "bibli_tp.lvl");
    EXPECT_NEAR(ThePlayer().GetPosition().x, 4 * kTile, kTile) << "at from_chapel";
    EXPECT_EQ(debug.Text().find("Script Error"), std::string::npos) << debug.Text();
}

} // namespace
