#include "fuzz/FuzzRecord.h"
#include "fuzz/FuzzWorld.h"
#include "ui/UI_Font.h"

#include <sstream>

// The font record of the game library, read against the fuzz world's sprites
// (its atlas reference), then measured and written back.
QUENHOLT_FUZZ_TARGET(ui_font_record, fuzz::Reports::FileName)
{
    fuzz::GetFuzzWorld();
    UI_Font font("Before");
    const bool read = fuzz::ReadRecordText(input, [&](std::istream& is) { return font.UnSerialize(is); });
    font.MeasureText("The quick brown fox {JUMP}s.");
    std::ostringstream os;
    font.Serialize(os);
    return read;
}
