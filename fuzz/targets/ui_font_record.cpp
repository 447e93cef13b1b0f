#include "fuzz/FuzzRecord.h"
#include "fuzz/FuzzWorld.h"
#include "ui/UI_Font.h"

#include <sstream>
#include <string>

// The font record of the game library, read against the fuzz world's sprites
// (its atlas reference), then measured (a short text and a long one) and
// written back.
QUENHOLT_FUZZ_TARGET(ui_font_record, fuzz::Reports::FileName)
{
    fuzz::GetFuzzWorld();
    UI_Font font("Before");
    const bool read = fuzz::ReadRecordText(input, [&](std::istream& is) { return font.UnSerialize(is); });
    font.MeasureText("The quick brown fox {JUMP}s.");
    // A long text of the font's own glyphs: the widest glyphs a record takes
    // must still measure within the int range.
    std::string keys;
    for (const FontGlyph& glyph : font.GetGlyphs())
        keys += glyph.key.empty() ? ' ' : glyph.key[0];
    if (!keys.empty()) {
        std::string text;
        while (text.size() < 65536)
            text += keys;
        font.MeasureText(text);
    }
    std::ostringstream os;
    font.Serialize(os);
    return read;
}
