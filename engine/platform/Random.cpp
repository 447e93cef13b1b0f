#include "engine/platform/Random.h"

#include <cstdlib>
#include <deque>
#include <mutex>
#include <optional>
#include <random>
#include <string>

namespace platform {

namespace {

std::optional<uint32_t> SeedFromEnvironment()
{
    const char* text = std::getenv("QUENHOLT_SEED");
    if (!text || !*text)
        return std::nullopt;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (*end != '\0')
        return std::nullopt;
    return static_cast<uint32_t>(value);
}

// The cosmetic generator's seed from the game's: another sequence, the same
// at every run with that seed.
std::mt19937 CosmeticGenerator(uint32_t seed)
{
    std::seed_seq sequence {seed, 0x636f736du};
    return std::mt19937(sequence);
}

// One stream's generator, shared by both threads; a lock keeps draws whole.
struct RandomSource {
    std::mutex mutex;
    std::optional<std::mt19937> seeded;
    std::random_device device;
    std::deque<uint32_t> given;

    explicit RandomSource(RandomStream stream)
    {
        if (const auto seed = SeedFromEnvironment())
            seeded = stream == RandomStream::Game ? std::mt19937(*seed) : CosmeticGenerator(*seed);
    }

    uint32_t Next()
    {
        std::lock_guard lock(mutex);
        if (!given.empty()) {
            const uint32_t value = given.front();
            given.pop_front();
            return value;
        }
        if (seeded)
            return static_cast<uint32_t>((*seeded)());
        return device();
    }
};

RandomSource& Source(RandomStream stream)
{
    static RandomSource game(RandomStream::Game);
    static RandomSource cosmetic(RandomStream::Cosmetic);
    return stream == RandomStream::Game ? game : cosmetic;
}

double Fraction(uint32_t bits)
{
    return static_cast<double>(bits) / 4294967296.0;
}

} // namespace

uint32_t Random32()
{
    return Source(RandomStream::Game).Next();
}

double RandomFraction()
{
    return Fraction(Random32());
}

uint32_t CosmeticRandom32()
{
    return Source(RandomStream::Cosmetic).Next();
}

double CosmeticRandomFraction()
{
    return Fraction(CosmeticRandom32());
}

ScopedRandomValues::ScopedRandomValues(std::vector<uint32_t> values, RandomStream stream_)
    : stream(stream_)
{
    RandomSource& source = Source(stream);
    std::lock_guard lock(source.mutex);
    source.given.assign(values.begin(), values.end());
}

ScopedRandomValues::~ScopedRandomValues()
{
    RandomSource& source = Source(stream);
    std::lock_guard lock(source.mutex);
    source.given.clear();
}

size_t ScopedRandomValues::Remaining() const
{
    RandomSource& source = Source(stream);
    std::lock_guard lock(source.mutex);
    return source.given.size();
}

struct ScopedRandomSeed::Saved {
    std::optional<std::mt19937> game;
    std::optional<std::mt19937> cosmetic;
};

ScopedRandomSeed::ScopedRandomSeed(uint32_t seed)
    : saved(std::make_unique<Saved>())
{
    RandomSource& game = Source(RandomStream::Game);
    RandomSource& cosmetic = Source(RandomStream::Cosmetic);
    std::scoped_lock lock(game.mutex, cosmetic.mutex);
    saved->game = game.seeded;
    saved->cosmetic = cosmetic.seeded;
    game.seeded.emplace(seed);
    cosmetic.seeded = CosmeticGenerator(seed);
}

ScopedRandomSeed::~ScopedRandomSeed()
{
    RandomSource& game = Source(RandomStream::Game);
    RandomSource& cosmetic = Source(RandomStream::Cosmetic);
    std::scoped_lock lock(game.mutex, cosmetic.mutex);
    game.seeded = saved->game;
    cosmetic.seeded = saved->cosmetic;
}

} // namespace platform
