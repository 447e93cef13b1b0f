#include "ui/UI_Font.h"

#include "engine/serial/ReaderContext.h"
#include "game/Game.h"
#include "tests/engine/platform/DebugCapture.h"
#include "tests/ui/UITestSupport.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <string>

using uitest::RecordingEngine;
using uitest::TestFont;

namespace {

FontGlyph Glyph(const std::string& key, int column, int row, int dx, int dy, int width, int height)
{
    return {key, Point<int>(column, row), Point<int>(dx, dy), Point<int>(width, height)};
}

} // namespace

TEST(UI_FontMeasure, WidthSumsAdvancesHeightTakesTheTallestGlyph)
{
    UI_Font font("f");
    font.SetSpacing(Point<int>(8, 12));
    font.SetGlyphs(
        {Glyph("a", 0, 0, 1, 0, 5, 7), Glyph("b", 1, 0, 2, 3, 4, 9), Glyph("c", 2, 0, 0, -1, 6, 12)});
    const struct {
        const char* text;
        Point<int> size;
    } cases[] = {
        {"", {0, 0}},
        {"a", {6, 7}},
        // No space glyph: the space adds nothing.
        {"a a", {12, 7}},
        {"ab", {12, 12}},
        {"abc", {18, 12}},
        {"?c?", {6, 11}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(font.MeasureText(c.text), c.size) << '"' << c.text << '"';
}

TEST(UI_FontMeasure, AWidthBeyondTheIntRangeIsHeldToIt)
{
    // The widest glyph a font record takes, over a text of 1.1 million glyphs.
    UI_Font font("f");
    font.SetGlyphs({Glyph("w", 0, 0, 1024, 0, 1024, 12)});
    EXPECT_EQ(font.MeasureText(std::string(1100000, 'w')).x, std::numeric_limits<int>::max());
}

TEST(UI_FontDraw, GlyphShowsItsCellAndShortGlyphsStandOnTheBottomLine)
{
    RecordingEngine recording;
    Sprite atlas("atlas", "font.png", 0, 0, 128, 128);
    UI_Font font("f");
    font.SetAtlas(&atlas);
    font.SetSpacing(Point<int>(8, 9));
    // Same row: a full-height glyph and one 7 high; a repeated key.
    font.SetGlyphs(
        {Glyph("A", 2, 1, 1, 0, 7, 9), Glyph("x", 3, 1, 1, 0, 7, 7), Glyph("A", 5, 5, 0, 0, 8, 9)});

    recording.Clear();
    ASSERT_TRUE(font.Draw(nullptr, 100, 50, "A"));
    EXPECT_EQ(font.GetLastAdvance(), Point<int>(8, 9));
    ASSERT_TRUE(font.Draw(nullptr, 200, 50, "x"));
    EXPECT_EQ(font.GetLastAdvance(), Point<int>(8, 7));
    const std::vector<uitest::Draw> draws = recording.Draws();
    ASSERT_EQ(draws.size(), 2u);
    // The first "A" of the list: cell (2, 1) less dx shows, 7 x 9 of it.
    EXPECT_EQ(draws[0].sprite, &atlas);
    EXPECT_EQ(draws[0].position, Point<int>(100, 50));
    EXPECT_EQ(draws[0].source, Rect<int>(15, 9, 22, 18));
    // The short glyph's picture starts 2 rows lower in the atlas's placement:
    // the object shows the atlas from 2 rows higher up.
    EXPECT_EQ(draws[1].source.y0, draws[0].source.y0 - 2);
    EXPECT_EQ(draws[1].source.y1 - draws[1].source.y0, 7);
}

TEST(UI_FontDraw, MissingLetterOrAtlasDrawsNothing)
{
    RecordingEngine recording;
    TestFont test("Q");
    recording.Clear();
    ASSERT_TRUE(test.font.Draw(nullptr, 0, 0, "A"));
    EXPECT_EQ(test.font.GetLastAdvance(), Point<int>(7, 12));
    EXPECT_FALSE(test.font.Draw(nullptr, 0, 0, "Q"));
    EXPECT_EQ(test.font.GetLastAdvance(), Point<int>(0, 0));
    test.font.SetAtlas(nullptr);
    EXPECT_FALSE(test.font.Draw(nullptr, 0, 0, "A"));
    EXPECT_EQ(recording.Draws().size(), 1u);
}

namespace {

bool ReadFont(UI_Font& font, const std::string& text, std::string* error = nullptr)
{
    std::istringstream is(text);
    ReaderContext context(is, "gamelib.txt");
    const bool ok = font.UnSerialize(is);
    if (error != nullptr)
        *error = context.GetError();
    return ok;
}

} // namespace

TEST(UI_FontRecord, WritesAndReadsBackWithTheLibrarysAtlas)
{
    Game game;
    auto* atlas = new Sprite("font_basic", "ui\\font_basic.png", 0, 0, 128, 128);
    game.sprites.push_back(atlas);
    UI_Font font("UI_Font_Basic");
    font.SetAtlas(atlas);
    font.SetSpacing(Point<int>(8, 12));
    font.SetGlyphs(
        {Glyph(" ", 0, 0, 1, 0, 7, 12), Glyph("\\", 12, 3, 1, 0, 7, 12), Glyph("\xE9", 5, 7, 1, 0, 7, 12)});
    std::ostringstream os;
    ASSERT_TRUE(font.Serialize(os));
    const std::string head
        = "UI_FontV0\r\nUI_Font_Basic\r\nSpriteV0Ptr\r\nfont_basic\r\n8\r\n12\r\n3\r\n \r\n";
    EXPECT_EQ(os.str().substr(0, head.size()), head);

    const std::string record = os.str().substr(std::string("UI_FontV0\r\n").size());
    UI_Font read;
    ASSERT_TRUE(ReadFont(read, record));
    EXPECT_EQ(read.GetName(), "UI_Font_Basic");
    EXPECT_EQ(read.GetAtlas(), atlas);
    EXPECT_EQ(read.GetSpacing(), Point<int>(8, 12));
    ASSERT_NE(read.FindGlyph(" "), nullptr);
    EXPECT_EQ(read.FindGlyph("\\")->cell, Point<int>(12, 3));
    EXPECT_EQ(read.FindGlyph("\xE9")->cell, Point<int>(5, 7));

    // An atlas the library lacks leaves the font without one; the record
    // reads and says once, at the atlas line, that its text will not show.
    UI_Font orphan;
    DebugCapture debug(DebugCapture::Join::LinePerMessage);
    EXPECT_TRUE(ReadFont(orphan, "F\nSpriteV0Ptr\nnowhere\n8\n12\n0\n"));
    EXPECT_EQ(orphan.GetAtlas(), nullptr);
    EXPECT_EQ(debug.Text(),
        "gamelib.txt:3: font \"F\": expected an atlas sprite of the game library, found \"nowhere\"; its "
        "text is "
        "not drawn\n");
}

TEST(UI_FontRecord, EdgeRecords)
{
    UI_Font font;
    // Without atlas the next line is the cell width; no glyph draws nothing.
    ASSERT_TRUE(ReadFont(font, "Empty\nSceneObjectNULL\n8\n12\n0\n"));
    EXPECT_EQ(font.GetSpacing(), Point<int>(8, 12));
    EXPECT_TRUE(font.GetGlyphs().empty());
    EXPECT_FALSE(font.Draw(nullptr, 0, 0, "a"));

    // Two glyphs of one key: the first in the file is found.
    ASSERT_TRUE(
        ReadFont(font, "Twice\nSceneObjectNULL\n8\n12\n2\na\n1\n0\n0\n0\n5\n5\na\n2\n0\n0\n0\n6\n6\n"));
    EXPECT_EQ(font.FindGlyph("a")->cell, Point<int>(1, 0));
    EXPECT_EQ(font.GetGlyphs().size(), 2u);

    // A count that does not parse reads as 0, and the record still reads.
    ASSERT_TRUE(ReadFont(font, "Many\nSceneObjectNULL\n8\n12\nmany\n"));
    EXPECT_TRUE(font.GetGlyphs().empty());
}

TEST(UI_FontRecord, DamagedRecordsFailNamingTheLineAndLeaveTheFont)
{
    UI_Font font;
    ASSERT_TRUE(ReadFont(font, "Kept\nSceneObjectNULL\n8\n12\n0\n"));
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"F\nSceneObjectNULL\nwide\n12\n0\n", "gamelib.txt:3: expected"},
        {"F\nSceneObjectNULL\n8\n12\n1\na\n1\nx\n0\n0\n5\n5\n", "gamelib.txt:8: expected"},
        {"F\nSceneObjectNULL\n-8\n12\n0\n", "gamelib.txt:4: expected a cell size"},
        // Cells and glyphs so large that placing or measuring them would
        // overflow, and a negative count, are named at their own line.
        {"F\nSceneObjectNULL\n4194304\n12\n0\n", "gamelib.txt:4: expected a cell size of 0 to 1024"},
        {"F\nSceneObjectNULL\n8\n12\n1\na\n1\n0\n0\n0\n4194304\n5\n",
            "gamelib.txt:11: expected a glyph width of 0 to 1024, found \"4194304\""},
        {"F\nSceneObjectNULL\n8\n12\n1\na\n-1\n0\n0\n0\n5\n5\n",
            "gamelib.txt:7: expected a glyph cell column"},
        {"F\nSceneObjectNULL\n8\n12\n-1\nUI_FontV0\nG\nSceneObjectNULL\n8\n12\n0\n",
            "gamelib.txt:5: expected a glyph count of 0 or more, found \"-1\""},
        // A count far beyond the data ends at the end of the file.
        {"F\nSceneObjectNULL\n8\n12\n4000000000\na\n1\n0\n0\n0\n5\n5\n", "expected more glyphs"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(ReadFont(font, c.text, &error)) << c.text;
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
        EXPECT_EQ(font.GetName(), "Kept");
    }
}
