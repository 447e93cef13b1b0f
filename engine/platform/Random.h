#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

// Two sequences: the game's chance (every rule of play draws from it) and the
// chance of what is only seen or heard (which voice plays a sound, a
// particle's jitter, a firefly's wander, a camera shake). Kept apart, nothing
// drawn or heard moves the game's sequence, however fast the sound plays out
// or the frames are drawn.
enum class RandomStream { Game, Cosmetic };

// 32 random bits from the game's source. When the environment variable
// QUENHOLT_SEED holds a number, the sequence is seeded by it and repeatable
// (tests, replays); otherwise it comes from the system.
uint32_t Random32();

// A fraction in [0, 1): Random32() divided by 2^32.
double RandomFraction();

// 32 random bits from the cosmetic source. Seeded by QUENHOLT_SEED too (a
// sequence of its own from that seed): repeatable, yet apart from the game's.
uint32_t CosmeticRandom32();

// A fraction in [0, 1): CosmeticRandom32() divided by 2^32.
double CosmeticRandomFraction();

// While it lives, the stream hands out the given values in order before it
// returns to its source: a replay or a test decides the next draws exactly
// (a value just below a threshold and one at it). Scopes of one stream do
// not nest: a new scope replaces the values left by the one before, and the
// end of a scope drops whatever it did not hand out.
class ScopedRandomValues {
public:
    explicit ScopedRandomValues(std::vector<uint32_t> values, RandomStream stream = RandomStream::Game);
    ~ScopedRandomValues();
    ScopedRandomValues(const ScopedRandomValues&) = delete;
    ScopedRandomValues& operator=(const ScopedRandomValues&) = delete;

    // Values not yet handed out.
    size_t Remaining() const;

private:
    RandomStream stream;
};

// While it lives, both streams draw from generators seeded from this seed
// (after any ScopedRandomValues left): a recorded run meets the same chances
// at every replay, whatever ran in the process before it. The sources as they
// were come back at the end of the scope.
class ScopedRandomSeed {
public:
    explicit ScopedRandomSeed(uint32_t seed);
    ~ScopedRandomSeed();
    ScopedRandomSeed(const ScopedRandomSeed&) = delete;
    ScopedRandomSeed& operator=(const ScopedRandomSeed&) = delete;

private:
    struct Saved;
    std::unique_ptr<Saved> saved;
};

} // namespace platform
