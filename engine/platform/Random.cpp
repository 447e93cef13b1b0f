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

// The generator is shared by both threads; a lock keeps draws whole.
struct RandomSource {
    std::mutex mutex;
    std::optional<std::mt19937> seeded;
    std::random_device device;
    std::deque<uint32_t> given;

    RandomSource()
    {
        if (const auto seed = SeedFromEnvironment())
            seeded.emplace(*seed);
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

RandomSource& Source()
{
    static RandomSource source;
    return source;
}

} // namespace

uint32_t Random32()
{
    return Source().Next();
}

double RandomFraction()
{
    return static_cast<double>(Random32()) / 4294967296.0;
}

ScopedRandomValues::ScopedRandomValues(std::vector<uint32_t> values)
{
    RandomSource& source = Source();
    std::lock_guard lock(source.mutex);
    source.given.assign(values.begin(), values.end());
}

ScopedRandomValues::~ScopedRandomValues()
{
    RandomSource& source = Source();
    std::lock_guard lock(source.mutex);
    source.given.clear();
}

size_t ScopedRandomValues::Remaining() const
{
    RandomSource& source = Source();
    std::lock_guard lock(source.mutex);
    return source.given.size();
}

struct ScopedRandomSeed::Saved {
    std::optional<std::mt19937> seeded;
};

ScopedRandomSeed::ScopedRandomSeed(uint32_t seed)
    : saved(std::make_unique<Saved>())
{
    RandomSource& source = Source();
    std::lock_guard lock(source.mutex);
    saved->seeded = source.seeded;
    source.seeded.emplace(seed);
}

ScopedRandomSeed::~ScopedRandomSeed()
{
    RandomSource& source = Source();
    std::lock_guard lock(source.mutex);
    source.seeded = saved->seeded;
}

} // namespace platform
