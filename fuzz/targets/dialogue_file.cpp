#include "fuzz/FuzzRecord.h"
#include "script/DialogueFile.h"

#include <vector>

// A dialogue file of the language folder: its first block, then a later one
// read afresh, as the teleporter hint and the scripts ask for them.
QUENHOLT_FUZZ_TARGET(dialogue_file, fuzz::Reports::FileName)
{
    std::vector<DialogueFile::Line> lines;
    const bool first = fuzz::ReadRecordText(
        input, [&](std::istream& is) { return DialogueFile::ReadBlock(is, 0, lines); });
    fuzz::ReadRecordText(input, [&](std::istream& is) { return DialogueFile::ReadBlock(is, 3, lines); });
    return first;
}
