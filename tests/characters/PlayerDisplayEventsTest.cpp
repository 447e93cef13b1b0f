#include "characters/BGEvent_DisplayGO.h"
#include "engine/render/GE_Fade.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/SpacialInstance.h"
#include "tests/characters/PlayerTestWorld.h"

#include <gtest/gtest.h>

using namespace playertest;

namespace {

// A character whose guard meets a blow without being hurt by it.
class Parrier : public Target {
public:
    Parrier(float x, float y)
        : Target("NPC_Parrier", x, y, 5)
    {
    }
    bool IsHitByBox(Rect<int>, bool) override { return false; }
    bool AttackHitsBox(Rect<int> box) override { return Meets(box, Box()); }
};

// A level with one scene layer, which receives the water effects (64 x 32
// each), and one foreground layer, and a player at (100, 0) facing right
// whose attack box reaches from 40 to 100 px right of it, 10 to 80 px up.
class PlayerDisplays : public ::testing::Test, public PlayerFixture {
protected:
    PlayerDisplays()
    {
        spark.SetSize(16, 16, true);
        for (GraphicalObject* effect : {&idle, &enter, &leave})
            effect->SetSize(64, 32, true);
        for (GraphicalObject* object : {&spark, &idle, &enter, &leave})
            world.library[object->GetName()] = object;
        world.attackBoxes["Player GraphicalIdleAttackR"] = Rect<int>(40, 80, 100, 10);
        scene = level.CreateLayer(Level::kScene, "Scene", nullptr, 1024, 512, 32, 32);
        front = level.CreateLayer(Level::kForeground, "Front", nullptr, 1024, 512, 32, 32);
        world.level = &level;
        // The fixture's player was built before the effects were known.
        player = std::make_unique<SoundPlayer>("Player");
        world.player = player.get();
        player->SetLife(5);
        Step(Keys(1, 0));
        Step(Keys(0, 0));
        player->SetPosition({100.0f, 0.0f});
    }
    ~PlayerDisplays() override { world.level = nullptr; }
    std::vector<BGEvent_DisplayGO*> Displays(const std::string& name)
    {
        std::vector<BGEvent_DisplayGO*> found;
        for (size_t i = 0; i < level.GetBackgroundEventCount(); ++i) {
            auto* event = dynamic_cast<BGEvent_DisplayGO*>(level.GetBackgroundEvent(i));
            if (event != nullptr && event->GetName() == name)
                found.push_back(event);
        }
        return found;
    }
    // The effects shown on the scene layer, by name, where they stand.
    std::vector<std::pair<std::string, Point<float>>> Shown()
    {
        std::vector<std::pair<std::string, Point<float>>> shown;
        for (size_t i = 0; i < scene->GetAddedInstanceCount(); ++i) {
            Layer::Instance* instance = scene->GetAddedInstance(i);
            if (instance->IsVisible())
                shown.push_back({instance->GetPrototype()->GetName(), instance->GetPosition()});
        }
        return shown;
    }

    GraphicalObject spark {"PlayerNoHitEffect"};
    GraphicalObject idle {"PlayerWaterFXIdle"};
    GraphicalObject enter {"PlayerWaterFXEnter"};
    GraphicalObject leave {"PlayerWaterFXLeave"};
    Level level {"displays"};
    Layer* scene = nullptr;
    Layer* front = nullptr;
};

TEST_F(PlayerDisplays, ABlowMeetingAnAttackShowsTheNoHitSparkAtItsLeadingEdge)
{
    Parrier parrier(170.0f, 0.0f);
    world.characters.push_back(&parrier);
    Step(Keys(0, 0, false, true));
    for (int i = 0; i < 6 && player->GetAttackKind() != 0; ++i)
        Step(Keys(0, 0));
    world.characters.clear();
    const auto sparks = Displays("NoHitEffect");
    ASSERT_EQ(sparks.size(), 1u) << "shown when the blow fires, not on the later frames";
    EXPECT_EQ(parrier.hits, 0);
    // On the foreground's last layer, centred on the box's right edge (200)
    // and its middle height (45), until its animation ends.
    EXPECT_EQ(sparks[0]->GetLayer(), front);
    ASSERT_NE(sparks[0]->GetInstance(), nullptr);
    EXPECT_EQ(sparks[0]->GetInstance()->GetPosition(), Point<float>(192.0f, 37.0f));
    EXPECT_EQ(sparks[0]->GetCount(), -1);

    // A character that keeps the spare byte set shows none.
    ASSERT_EQ(player->GetAttackKind(), 0);
    parrier.SetCustomByte(true);
    world.characters.push_back(&parrier);
    Step(Keys(0, 0, false, true));
    for (int i = 0; i < 6 && player->GetAttackKind() != 0; ++i)
        Step(Keys(0, 0));
    world.characters.clear();
    EXPECT_EQ(Displays("NoHitEffect").size(), 1u);
}

TEST_F(PlayerDisplays, EachChangeOfFormLeavesThePoseFadingWhereItStood)
{
    player->EnableModifier(Player::kSpiderAbility);
    InputActions toggle;
    toggle.Action4 = true;
    Step(toggle);
    ASSERT_EQ(player->GetForm(), Player::kSpider);
    Step(Keys(0, 0));
    Step(toggle);
    ASSERT_EQ(player->GetForm(), Player::kNormal);
    const auto fades = Displays("FadeToCrouchSkull");
    ASSERT_EQ(fades.size(), 2u) << "into the spider and back";
    for (BGEvent_DisplayGO* fade : fades) {
        EXPECT_EQ(fade->GetLayer(), scene) << "the first layer of the scene list";
        ASSERT_NE(fade->GetInstance(), nullptr);
        EXPECT_EQ(fade->GetInstance()->GetPosition(), Point<float>(100.0f, 0.0f));
    }
    // Five ticks, then the event ends and takes its copy off the layer.
    const size_t placed = scene->GetAddedInstanceCount();
    // The pose fades out over those ticks, 51 alpha each.
    for (int tick = 1; tick <= 5; ++tick) {
        for (BGEvent_DisplayGO* fade : fades) {
            EXPECT_FALSE(fade->IsFinished()) << "tick " << tick;
            const auto* effect = dynamic_cast<GE_Fade*>(fade->GetInstance()->GetEffect());
            ASSERT_NE(effect, nullptr);
            EXPECT_EQ(effect->GetAlpha(), 255u - 51u * static_cast<uint32_t>(tick - 1)) << "tick " << tick;
            fade->Run();
        }
    }
    for (BGEvent_DisplayGO* fade : fades)
        EXPECT_TRUE(fade->IsFinished());
    level.PurgeBackgroundEvents();
    EXPECT_EQ(scene->GetAddedInstanceCount(), placed - 2);
}

TEST_F(PlayerDisplays, EnteringWadingAndLeavingPlaceTheWaterEffectsOnTheSurface)
{
    // A pool of water from x 0 to 300 whose surface is y = 60.
    world.liquids.push_back({Rect<int>(0, 59, 300, -100), PlayerLiquid::Water});
    using Effects = std::vector<std::pair<std::string, Point<float>>>;
    player->SetPosition({-200.0f, 0.0f});
    Step(Keys(0, 0));
    EXPECT_TRUE(Shown().empty()) << "dry";

    // Into the water: the idle ripple and the splash, centred on the
    // player's middle across the surface.
    player->SetPosition({100.0f, 0.0f});
    Step(Keys(0, 0));
    EXPECT_EQ(player->Count(kSoundEnterWater), 1);
    EXPECT_EQ(
        Shown(), (Effects {{"PlayerWaterFXIdle", {100.0f, 44.0f}}, {"PlayerWaterFXEnter", {100.0f, 44.0f}}}));

    // The ripple follows the wading player; nothing new is placed.
    player->SetPosition({150.0f, 0.0f});
    Step(Keys(0, 0));
    EXPECT_EQ(scene->GetAddedInstanceCount(), 2u);
    ASSERT_FALSE(Shown().empty());
    EXPECT_EQ(Shown().front(), (std::pair<std::string, Point<float>> {"PlayerWaterFXIdle", {150.0f, 44.0f}}));

    // Out of the water: the ripple goes, the leave splash shows where it was.
    player->SetPosition({400.0f, 0.0f});
    Step(Keys(0, 0));
    EXPECT_EQ(player->Count(kSoundLeaveWater), 1);
    const Effects out = Shown();
    ASSERT_EQ(out.size(), 2u) << "the splash of the entry and the one of the exit";
    EXPECT_EQ(out.back(), (std::pair<std::string, Point<float>> {"PlayerWaterFXLeave", {150.0f, 44.0f}}));
    for (const auto& [name, at] : out)
        EXPECT_NE(name, "PlayerWaterFXIdle");
}

} // namespace
