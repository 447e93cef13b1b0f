#include "fuzz/FuzzRecord.h"
#include "script/DialogueFile.h"
#include "ui/UI_Font.h"
#include "ui/UI_Frame_Text.h"

#include <string>
#include <vector>

namespace {

// A font of 8 x 12 cells whose printable ASCII glyphs advance 7 pixels.
UI_Font& FixedFont()
{
    static UI_Font font = [] {
        UI_Font made("Fuzz_Font");
        made.SetSpacing(Point<int>(8, 12));
        std::vector<FontGlyph> glyphs;
        for (int c = 32; c < 127; ++c)
            glyphs.push_back(
                {std::string(1, char(c)), Point<int>(c % 16, c / 16), Point<int>(1, 0), Point<int>(6, 12)});
        made.SetGlyphs(std::move(glyphs));
        return made;
    }();
    return font;
}

} // namespace

// A dialogue file of the language folder: its first block, then a later one
// read afresh, as the teleporter hint and the scripts ask for them, each line
// then laid out in the dialogue box.
QUENHOLT_FUZZ_TARGET(dialogue_file, fuzz::Reports::FileName)
{
    std::vector<DialogueFile::Line> lines;
    const bool first = fuzz::ReadRecordText(
        input, [&](std::istream& is) { return DialogueFile::ReadBlock(is, 0, lines); });
    fuzz::ReadRecordText(input, [&](std::istream& is) { return DialogueFile::ReadBlock(is, 3, lines); });
    // Each line laid out in the dialogue box as the dialogue shows it: a
    // long word must wrap in time linear in its length.
    UI_Frame_Text box("Dialogue");
    box.SetFont(&FixedFont());
    box.SetSize(288, 96, true);
    for (const DialogueFile::Line& line : lines) {
        std::string text;
        for (const std::string& word : line)
            text += word + ' ';
        box.SetText(text);
        box.Update(0.0);
    }
    return first;
}
