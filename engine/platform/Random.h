#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

// 32 random bits from the one random source of the program. When the
// environment variable QUENHOLT_SEED holds a number, the sequence is seeded by
// it and repeatable (tests, replays); otherwise it comes from the system.
uint32_t Random32();

// A fraction in [0, 1): Random32() divided by 2^32.
double RandomFraction();

// While it lives, Random32 hands out the given values in order before it
// returns to its source: a replay or a test decides the next draws exactly
// (a value just below a threshold and one at it). Scopes do not nest: a new
// scope replaces the values left by the one before, and the end of a scope
// drops whatever it did not hand out.
class ScopedRandomValues {
public:
    explicit ScopedRandomValues(std::vector<uint32_t> values);
    ~ScopedRandomValues();
    ScopedRandomValues(const ScopedRandomValues&) = delete;
    ScopedRandomValues& operator=(const ScopedRandomValues&) = delete;

    // Values not yet handed out.
    size_t Remaining() const;
};

// While it lives, Random32 draws from a generator seeded with this seed
// (after any ScopedRandomValues left): a recorded run meets the same chances
// at every replay, whatever ran in the process before it. The source as it
// was comes back at the end of the scope.
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
