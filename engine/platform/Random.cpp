#include "engine/platform/Random.h"

#include <cstdlib>
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

    RandomSource()
    {
        if (const auto seed = SeedFromEnvironment())
            seeded.emplace(*seed);
    }

    uint32_t Next()
    {
        std::lock_guard lock(mutex);
        if (seeded)
            return static_cast<uint32_t>((*seeded)());
        return device();
    }
};

} // namespace

uint32_t Random32()
{
    static RandomSource source;
    return source.Next();
}

} // namespace platform
