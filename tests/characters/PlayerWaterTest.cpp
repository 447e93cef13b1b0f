#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "scene/SpacialInstance.h"
#include "tests/characters/PlayerTestWorld.h"

#include <gtest/gtest.h>

using namespace playertest;

namespace {

// A pool of water from x 0 to 300 whose surface is y = 60, in a level whose
// last scene layer receives the water effects (64 x 32 each).
class PlayerWater : public ::testing::Test, public PlayerFixture {
protected:
    PlayerWater()
    {
        for (GraphicalObject* effect : {&idle, &enter, &leave}) {
            effect->SetSize(64, 32, true);
            world.library[effect->GetName()] = effect;
        }
        front = level.CreateLayer(Level::kScene, "Front", nullptr, 1024, 512, 32, 32);
        world.level = &level;
        world.liquids.push_back({Rect<int>(0, 59, 300, -100), PlayerLiquid::Water});
        // The fixture's player was built before the effects were known.
        player = std::make_unique<SoundPlayer>("Player");
        world.player = player.get();
        player->SetLife(5);
        player->SetPosition({-200.0f, 0.0f});
    }
    ~PlayerWater() override { world.level = nullptr; }
    // The effects on the layer, by name: where they stand and whether shown.
    std::vector<std::pair<std::string, Point<float>>> Shown()
    {
        std::vector<std::pair<std::string, Point<float>>> shown;
        for (size_t i = 0; i < front->GetAddedInstanceCount(); ++i) {
            Layer::Instance* instance = front->GetAddedInstance(i);
            if (instance->IsVisible())
                shown.push_back({instance->GetPrototype()->GetName(), instance->GetPosition()});
        }
        return shown;
    }

    Level level {"pool"};
    Layer* front = nullptr;
    GraphicalObject idle {"PlayerWaterFXIdle"};
    GraphicalObject enter {"PlayerWaterFXEnter"};
    GraphicalObject leave {"PlayerWaterFXLeave"};
};

TEST_F(PlayerWater, EnteringWadingAndLeavingPlaceTheWaterEffectsOnTheSurface)
{
    using Effects = std::vector<std::pair<std::string, Point<float>>>;
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
    EXPECT_EQ(front->GetAddedInstanceCount(), 2u);
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
