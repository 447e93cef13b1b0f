#include "characters/BGEvent_HandleDropItem.h"
#include "characters/Player.h"
#include "characters/PlayerModifier.h"
#include "characters/Projectile_Crossbow.h"
#include "engine/render/PixelImage.h"
#include "game/Game.h"
#include "scene/GraphicalObject.h"
#include "scene/Level.h"
#include "scene/Sprite.h"

#include "tests/engine/render/RenderTestSupport.h"
#include "tests/tools/WorldFolderTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

// The crossbow in the assembled world, as a player meets it: the shot shows
// the Warden aiming, the bolt is drawn flying on screen, the stock runs out,
// and a charge a dying enemy leaves gives a bolt back.
namespace {

class WorldCrossbow : public ScriptedWorldTest {
protected:
    WorldCrossbow()
        : ScriptedWorldTest("quenholt-crossbow")
    {
    }

    std::vector<Projectile_Crossbow*> FlyingBolts()
    {
        std::vector<Projectile_Crossbow*> bolts;
        for (size_t i = 0; i < game.GetCharacterCount(); ++i)
            if (auto* bolt = dynamic_cast<Projectile_Crossbow*>(game.GetCharacter(i)))
                bolts.push_back(bolt);
        return bolts;
    }
    // The level drawn once: where the object's first drawn sprite went, and
    // the opaque pixels of its rectangle in its atlas page of the world (0
    // when that is no frame or cannot be read).
    struct Seen {
        bool drawn = false;
        Point<int> at;
        int opaque = 0;
    };
    Seen Drawn(GraphicalObject* object)
    {
        rendertest::SpriteRecorder recorder;
        game.GetCurrentLevel()->Render(&game.GetCamera());
        for (const ObjectDrawEntry& entry : object->GetObjectDrawEntries()) {
            const auto it = recorder.drawn.find(entry.sprite);
            if (it == recorder.drawn.end())
                continue;
            Seen seen {true, it->second};
            auto* frame = dynamic_cast<Sprite*>(entry.sprite);
            std::string file = frame != nullptr ? "images/" + frame->GetImageFile() : "";
            std::replace(file.begin(), file.end(), '\\', '/');
            PixelImage page;
            if (frame != nullptr && page.LoadFromFile(file)) {
                const Rect<int> r = frame->GetRect();
                for (int y = std::min(r.y0, r.y1); y <= std::max(r.y0, r.y1); ++y)
                    for (int x = r.x0; x <= r.x1; ++x)
                        seen.opaque += (page.GetPixel(x, y) >> 24) != 0;
            }
            return seen;
        }
        return {};
    }
};

TEST_F(WorldCrossbow, ABoltIsSeenFlyingFromTheAimedCrossbowAndAChargeGivesOneBack)
{
    game.SetStartPointName("start");
    ASSERT_TRUE(game.ChangeLevel("cimetery_tp_01.lvl"));
    Player& player = *game.GetPlayer();
    // As the cave's boss leaves the Warden: the fire armor worn, then the
    // crossbow with its three bolts, which hands over the armor's crossbow set.
    player.EnableModifier(Player::kFireArmor);
    player.SetCurrentArmor(Player::kFireArmor);
    player.SwitchArmor(-1, true);
    player.EnableModifier(Player::kCrossbow);
    PlayerArmorCrossbow* crossbow = GetPlayerArmorCrossbow(&player);
    ASSERT_NE(crossbow, nullptr);
    crossbow->boltCapacity = 3;
    crossbow->boltsLeft = 3;
    InputActions east, shoot;
    east.x = 1.0f;
    shoot.Action2 = true;
    Passes(6, east);
    Passes(20);

    Passes(1, shoot);
    ASSERT_EQ(FlyingBolts().size(), 1u) << "the shot looses a bolt";
    Projectile_Crossbow* bolt = FlyingBolts().front();
    EXPECT_EQ(crossbow->boltsLeft, 2);
    GraphicalObject* pose = player.GetCurrentGraphical();
    ASSERT_NE(pose, nullptr);
    EXPECT_NE(pose->GetName().find("Crossbow"), std::string::npos) << pose->GetName();
    const Seen aiming = Drawn(pose);
    EXPECT_TRUE(aiming.drawn) << "the aiming Warden is drawn";
    EXPECT_GT(aiming.opaque, 200);

    // The bolt flies east on screen, ahead of the Warden at the height of the
    // crossbow's mouth, drawn from a picture that shows.
    const float from = bolt->GetPosition().x;
    for (int pass = 1; pass <= 8; ++pass) {
        SCOPED_TRACE(pass);
        Passes(1);
        ASSERT_EQ(FlyingBolts(), std::vector<Projectile_Crossbow*> {bolt}) << "still flying";
        const Seen seen = Drawn(bolt->GetCurrentGraphical());
        const Seen warden = Drawn(player.GetCurrentGraphical());
        EXPECT_TRUE(seen.drawn);
        EXPECT_TRUE(seen.at.x >= 0 && seen.at.x < 512 && seen.at.y >= 0 && seen.at.y < 448)
            << "off screen at " << seen.at.x << ", " << seen.at.y;
        EXPECT_GT(seen.opaque, 40) << "a bolt, not a blank picture";
        EXPECT_GT(seen.at.x, warden.at.x + 32);
        EXPECT_GT(seen.at.y, warden.at.y + 16);
        EXPECT_LT(seen.at.y, warden.at.y + 64);
    }
    EXPECT_GT(bolt->GetPosition().x - from, 64.0f);

    // Two more shots empty the crossbow; a third press looses nothing.
    for (int shot = 0; shot < 2; ++shot) {
        Passes(40);
        Passes(1, shoot);
    }
    EXPECT_EQ(crossbow->boltsLeft, 0);
    Passes(40);
    const size_t flying = FlyingBolts().size();
    Passes(1, shoot);
    EXPECT_EQ(FlyingBolts().size(), flying);
    Passes(40);

    // A charge dropped at the Warden's feet, as a dying enemy leaves one, is
    // drawn, taken, and gives one bolt back that shoots.
    auto* charge = new BGEvent_HandleDropItem(
        "DropItem", BGEvent_HandleDropItem::kCrossbowCharge, player.GetPosition().ToInt());
    ASSERT_NE(charge->GetInstance(), nullptr);
    game.GetCurrentLevel()->AddBackgroundEvent(charge);
    const Seen lying = Drawn(charge->GetInstance()->GetPrototype());
    EXPECT_TRUE(lying.drawn);
    EXPECT_GT(lying.opaque, 40);
    Passes(40);
    EXPECT_EQ(crossbow->boltsLeft, 1);
    const size_t before = FlyingBolts().size();
    Passes(1, shoot);
    EXPECT_EQ(FlyingBolts().size(), before + 1);
    EXPECT_EQ(crossbow->boltsLeft, 0);
}

} // namespace
