#include "tools/world/FontCoverage.h"

#include "tools/world/FontArt.h"
#include "ui/UI_Font.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Joined(const std::vector<std::string>& lines)
{
    std::string all;
    for (const std::string& line : lines)
        all += line + "\n";
    return all;
}

} // namespace

TEST(WorldFontCoverage, EveryInterfaceStringAndDialogueLineOfBothLanguagesHasItsGlyphs)
{
    const UI_Font font = MakeBasicFont(nullptr);
    std::vector<DrawnText> texts = InterfaceTexts();
    const std::vector<DrawnText> dialogues = DialogueTexts(std::string(QUENHOLT_SOURCE_DIR) + "/data");
    // Both languages, with the info texts.
    size_t french = 0, infos = 0;
    for (const DrawnText& text : dialogues) {
        french += text.where.rfind("dialogues_fr/", 0) == 0;
        infos += text.where.find("Infos_auto.h") != std::string::npos;
    }
    EXPECT_GT(french, 10u);
    EXPECT_GT(infos, 10u);
    texts.insert(texts.end(), dialogues.begin(), dialogues.end());
    EXPECT_EQ(Joined(MissingGlyphs(font, texts)), "");
}

TEST(WorldFontCoverage, ALackingGlyphIsNamedWithItsText)
{
    UI_Font font = MakeBasicFont(nullptr);
    std::vector<FontGlyph> glyphs = font.GetGlyphs();
    std::erase_if(glyphs, [](const FontGlyph& glyph) { return glyph.key == "\xE9"; });
    font.SetGlyphs(glyphs);
    const std::vector<std::string> missing = MissingGlyphs(font,
        {{"dialogues_fr/cemetery.txt:3", "Keeper: R\xE9veill\xE9."}, {"here", "tab\there"}, {"ok", "Fine."}});
    ASSERT_EQ(missing.size(), 3u);
    EXPECT_EQ(missing[0].rfind("dialogues_fr/cemetery.txt:3: no glyph for '\xE9' (0xE9)", 0), 0u)
        << missing[0];
    EXPECT_EQ(missing[2].rfind("here: no glyph for '\t' (0x09)", 0), 0u) << missing[2];
}

TEST(WorldFont, GlyphsFillTheirCellsSixteenToARowOfTheAtlas)
{
    const UI_Font font = MakeBasicFont(nullptr);
    EXPECT_EQ(font.GetName(), "UI_Font_Basic");
    EXPECT_EQ(font.GetSpacing(), Point<int>(8, 12));
    // Every printable ASCII character and the accented letters of French.
    EXPECT_EQ(font.GetGlyphs().size(), 95u + 26u);
    for (const FontGlyph& glyph : font.GetGlyphs()) {
        EXPECT_EQ(glyph.size, Point<int>(glyph.key == " " ? 2 : 7, 12)) << glyph.key;
        EXPECT_EQ(glyph.offset, Point<int>(1, 0));
        EXPECT_LT(glyph.cell.x, 16);
        EXPECT_LT((glyph.cell.y + 1) * 12, 128);
    }
    EXPECT_EQ(font.FindGlyph(" ")->cell, Point<int>(0, 0));
    EXPECT_EQ(font.FindGlyph("A")->cell, Point<int>(1, 2));
    // Every character advances 8 pixels, a blank 3.
    EXPECT_EQ(font.MeasureText("Gardien, \xE9veill\xE9 !"), Point<int>(8 * 16 + 3 * 2, 12));

    // The atlas holds the glyphs in white, each cell's pixels inside it.
    PixelImage atlas(128, 128);
    PaintFontGlyphs(atlas, 0xFFFFFFFFu, 0xFF0B0B12u);
    const FontGlyph* a = font.FindGlyph("A");
    int lit = 0;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 8; ++x)
            lit += atlas.GetPixel(a->cell.x * 8 + x, a->cell.y * 12 + y) == 0xFFFFFFFFu;
    EXPECT_EQ(lit, 18); // the 5 x 7 "A" of the table
}
