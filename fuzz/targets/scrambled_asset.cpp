#include "engine/assets/ScrambledFile.h"
#include "fuzz/FuzzTarget.h"

// The key comes from the file's base name; a fuzz input is read under one
// short and one long name, so both block-count rules are exercised.
QUENHOLT_FUZZ_TARGET(scrambled_asset, fuzz::Reports::FileName)
{
    std::vector<uint8_t> plain;
    const bool shortName = UnscrambleBytes(input.bytes, "sounds/" + input.name + ".qhsound", plain);
    const bool longName = UnscrambleBytes(input.bytes, "images/a_much_longer_tile_name.qhsprite", plain);
    return shortName || longName;
}
