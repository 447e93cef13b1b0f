#pragma once

#include <cstdint>

namespace platform {

// 32 random bits from the one random source of the program. When the
// environment variable QUENHOLT_SEED holds a number, the sequence is seeded by
// it and repeatable (tests, replays); otherwise it comes from the system.
uint32_t Random32();

} // namespace platform
