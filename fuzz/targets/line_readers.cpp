#include "engine/serial/LineReaders.h"
#include "fuzz/FuzzRecord.h"

#include <sstream>

// The typed line readers in the order the first byte picks, over the rest.
QUENHOLT_FUZZ_TARGET(line_readers, fuzz::Reports::Nothing)
{
    if (input.bytes.empty())
        return false;
    std::istringstream is(std::string(input.bytes.begin() + 1, input.bytes.end()));
    ReaderContext context(is, input.name);
    unsigned pick = input.bytes[0];
    bool all = true;
    for (int i = 0; i < 64 && is; ++i, pick = pick * 7 + 3) {
        std::string text;
        int32_t signedValue = 0;
        uint32_t unsignedValue = 0;
        float real = 0.0f;
        bool flag = false;
        switch (pick % 9) {
        case 0:
            all &= ReadStringLine(is, text);
            break;
        case 1:
            all &= ReadIntLine(is, signedValue);
            break;
        case 2:
            all &= ReadUIntLine(is, unsignedValue);
            break;
        case 3:
            all &= ReadULongLine(is, unsignedValue);
            break;
        case 4:
            all &= ReadLongLine(is, signedValue);
            break;
        case 5:
            all &= ReadFloatLine(is, real);
            break;
        case 6:
            all &= ReadBoolLine(is, flag);
            break;
        case 7:
            all &= ReadUpdateTag(is, "_SpacialInstance_updatetag_1.0_");
            break;
        default:
            all &= ReadUpdateTag(is, "");
            break;
        }
    }
    return all;
}
