#include "engine/platform/Random.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

std::vector<uint32_t> Draws(uint32_t (*draw)(), int count)
{
    std::vector<uint32_t> values;
    for (int i = 0; i < count; ++i)
        values.push_back(draw());
    return values;
}

} // namespace

// The game's sequence is the same whatever is drawn for looks and sound in
// between, and both sequences repeat from the same seed.
TEST(RandomStreams, CosmeticDrawsLeaveTheGamesSequenceAsItIsAndBothRepeatFromTheSeed)
{
    std::vector<uint32_t> game;
    std::vector<uint32_t> cosmetic;
    {
        platform::ScopedRandomSeed seed(7);
        game = Draws(platform::Random32, 8);
        cosmetic = Draws(platform::CosmeticRandom32, 8);
    }
    EXPECT_NE(game, cosmetic) << "a sequence of its own";
    {
        platform::ScopedRandomSeed seed(7);
        std::vector<uint32_t> interleaved;
        for (int i = 0; i < 8; ++i) {
            for (int extra = 0; extra < i; ++extra)
                platform::CosmeticRandom32();
            interleaved.push_back(platform::Random32());
        }
        EXPECT_EQ(interleaved, game);
    }
    {
        platform::ScopedRandomSeed seed(7);
        EXPECT_EQ(Draws(platform::CosmeticRandom32, 8), cosmetic);
    }
}

// Values given to one stream are handed out by that stream only.
TEST(RandomStreams, GivenValuesGoToTheirOwnStream)
{
    platform::ScopedRandomSeed seed(3);
    const uint32_t nextGame = [] {
        platform::ScopedRandomSeed again(3);
        return platform::Random32();
    }();
    platform::ScopedRandomValues looks({5u, 6u}, platform::RandomStream::Cosmetic);
    EXPECT_EQ(platform::Random32(), nextGame);
    EXPECT_EQ(platform::CosmeticRandom32(), 5u);
    EXPECT_EQ(looks.Remaining(), 1u);
    EXPECT_DOUBLE_EQ(platform::CosmeticRandomFraction(), 6.0 / 4294967296.0);
}
