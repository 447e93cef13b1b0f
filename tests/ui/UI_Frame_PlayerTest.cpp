#include "ui/UI_Frame_Player.h"

#include "characters/Player.h"
#include "game/Game.h"
#include "scene/AnimatedSprite.h"
#include "tests/ui/UITestSupport.h"
#include "ui/UITuning.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using uitest::RecordingEngine;

namespace {

// A library object of `frames` frames of 100 ms, each its own sprite, that
// plays once.
struct Element {
    Element(Game& game, const std::string& name, int width, int height, int frames)
        : animation(name)
    {
        for (int f = 0; f < frames; ++f) {
            sprites.push_back(
                std::make_unique<Sprite>(name + std::to_string(f), "hud.png", 0, 0, width, height));
            animation.AddFrame(sprites.back().get(), 100.0f, 0.0f);
        }
        animation.SetLoopStart(-1);
        object = std::make_unique<GraphicalObject>(name);
        object->SetSize(width, height, true);
        object->AddAnimatedInstance(&animation, 0, 0);
        object->AddGenericSpriteIndex(&animation, 0);
        game.sceneObjects.push_back(object.get()); // taken back before the game ends
    }
    // The frame a draw shows, or -1 for another sprite.
    int FrameOf(const uitest::Draw& draw) const
    {
        for (size_t f = 0; f < sprites.size(); ++f)
            if (draw.sprite == sprites[f].get())
                return static_cast<int>(f);
        return -1;
    }
    std::vector<std::unique_ptr<Sprite>> sprites;
    AnimatedSprite animation;
    std::unique_ptr<GraphicalObject> object;
};

} // namespace

class PlayerHud : public testing::Test {
protected:
    void SetUp() override
    {
        auto player = std::make_unique<Player>("Player");
        game.SetPlayer(std::move(player));
        hud.SetSize(512, 64, true);
        hud.Init();
    }
    void TearDown() override { game.sceneObjects.clear(); }

    Player& ThePlayer() { return *game.GetPlayer(); }
    std::vector<uitest::Draw> Render(bool* ok = nullptr)
    {
        recording.Clear();
        const bool drawn = hud.Render(nullptr, 0, 0, 0, 0, 0.0f);
        if (ok != nullptr)
            *ok = drawn;
        return recording.Draws();
    }
    std::vector<uitest::Draw> DrawsOf(const Element& element)
    {
        std::vector<uitest::Draw> found;
        for (const uitest::Draw& draw : Render())
            if (element.FrameOf(draw) >= 0)
                found.push_back(draw);
        return found;
    }

    Game game;
    RecordingEngine recording;
    Element empty {game, "UI_Player_Life_Empty", 32, 32, 1};
    Element half {game, "UI_Player_Life_Middle", 32, 32, 1};
    Element full {game, "UI_Player_Life_Full", 32, 32, 1};
    Element power {game, "UI_Player_Power", 32, 32, 9};
    Element save {game, "UI_Player_SaveMessage", 200, 32, 3};
    Element teleport {game, "UI_Player_TeleportMessage", 200, 32, 3};
    Element foreground {game, "UI_Player_MinimapForeground", 96, 56, 1};
    UI_Frame_Player hud {"UI_Player_Frame"};
};

TEST_F(PlayerHud, HeartsStandForTwoLifePointsEachAndGrowToTheLeft)
{
    const struct {
        int maxLife, life;
        std::vector<std::pair<int, const Element*>> hearts; // x, picture
        uint32_t colour;
    } cases[] = {
        {6, 3, {{150, &full}, {86, &half}, {22, &empty}}, 0xFFFFFFFFu},
        {7, 7, {{150, &full}, {86, &full}, {22, &full}}, 0xFFFFFFFFu},
        {6, 2, {{150, &full}, {86, &empty}, {22, &empty}}, UI_Frame_Player::kLowLifeColour},
        {6, 1, {{150, &half}, {86, &empty}, {22, &empty}}, UI_Frame_Player::kLastLifeColour},
        {1, 1, {}, 0xFFFFFFFFu},
        // The row ends where the frame does: the next would stand at -42.
        {20, 20, {{150, &full}, {86, &full}, {22, &full}}, 0xFFFFFFFFu},
    };
    for (const auto& c : cases) {
        ThePlayer().SetMaxLife(c.maxLife);
        ThePlayer().SetLife(c.life);
        std::vector<uitest::Draw> hearts;
        for (const uitest::Draw& draw : Render())
            if (empty.FrameOf(draw) == 0 || half.FrameOf(draw) == 0 || full.FrameOf(draw) == 0)
                hearts.push_back(draw);
        ASSERT_EQ(hearts.size(), c.hearts.size()) << c.maxLife << "/" << c.life;
        for (size_t i = 0; i < hearts.size(); ++i) {
            EXPECT_EQ(hearts[i].position, Point<int>(c.hearts[i].first, 16)) << c.life << " heart " << i;
            EXPECT_EQ(c.hearts[i].second->FrameOf(hearts[i]), 0) << c.life << " heart " << i;
            EXPECT_EQ(hearts[i].colour, c.colour) << c.life << " heart " << i;
        }
        EXPECT_EQ(GetUIDrawColour(), 0xFFFFFFFFu);
    }
}

TEST_F(PlayerHud, PowerSlotsShowChargedHalfChargedAndEmpty)
{
    PlayerArmorState& state = ThePlayer().GetArmorState();
    state.armorChargesMax = 3;
    state.armorCharges = 1;
    state.armorRechargeCounter = 75;
    state.armorRechargePeriod = 150;
    const std::vector<uitest::Draw> slots = DrawsOf(power);
    ASSERT_EQ(slots.size(), 3u);
    const int frames[3] = {8, 4, 0};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(power.FrameOf(slots[size_t(k)]), frames[k]) << k;
        EXPECT_EQ(slots[size_t(k)].position, Point<int>(315 + 64 * k, 16)) << k;
    }
    // Slots beyond the frame's right edge are not drawn: the fourth, at 507,
    // still shows in part.
    state.armorChargesMax = 9;
    EXPECT_EQ(DrawsOf(power).size(), 4u);
}

TEST_F(PlayerHud, BannersShowFromTheirRestartUntilTheirAnimationEnds)
{
    EXPECT_TRUE(DrawsOf(save).empty());
    EXPECT_TRUE(DrawsOf(teleport).empty());
    hud.ShowTeleportMessage();
    std::vector<uitest::Draw> shown = DrawsOf(teleport);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].position, Point<int>(256 - 100, 400));
    EXPECT_TRUE(DrawsOf(save).empty());
    teleport.object->Update(150.0);
    EXPECT_EQ(DrawsOf(teleport).size(), 1u);
    teleport.object->Update(400.0);
    EXPECT_TRUE(DrawsOf(teleport).empty());
    // Asked for together, both show at once; asked for again, a banner
    // starts over.
    hud.ShowSaveMessage();
    hud.ShowTeleportMessage();
    EXPECT_EQ(DrawsOf(save).size(), 1u);
    EXPECT_EQ(DrawsOf(teleport).size(), 1u);
    teleport.object->Update(150.0);
    hud.ShowTeleportMessage();
    teleport.object->Update(200.0);
    EXPECT_EQ(DrawsOf(teleport).size(), 1u) << "the banner did not start over";
}

TEST_F(PlayerHud, MinimapWindowOnlyWithTheMinimapAndNothingWithoutPlayer)
{
    EXPECT_TRUE(DrawsOf(foreground).empty());
    ThePlayer().minimapEnabled = true;
    const std::vector<uitest::Draw> shown = DrawsOf(foreground);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].position, Point<int>(224 - 48, 4));

    game.SetPlayer(nullptr);
    bool ok = true;
    Render(&ok);
    EXPECT_FALSE(ok);
}
