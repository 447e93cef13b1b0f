#include "ui/UI_Frame_Text.h"

#include "engine/input/AbstractInputManager.h"
#include "game/Game.h"
#include "scene/Sprite.h"
#include "tests/ui/UITestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using uitest::RecordingEngine;
using uitest::TestFont;

namespace {

// An input manager whose last input device the test sets.
class DeviceInput : public AbstractInputManager {
public:
    bool Init() override { return true; }
    bool Acquire() override { return true; }
    void Poll() override { }
    void Release() override { }
    int GetLastDevice() const override { return device; }
    int device = 0;
};

std::vector<std::string> Wrapped(const std::string& text, int width, UI_Font* font)
{
    UI_Frame_Text frame("t");
    frame.SetFont(font);
    frame.SetSize(width, 100, true);
    frame.SetText(text);
    frame.Update(0.0);
    return frame.GetLines();
}

} // namespace

TEST(UI_Frame_TextLayout, LinesBreakAtNineLineBreaksAndWrapAtTheWidth)
{
    TestFont test; // every glyph advances 7 pixels
    using Lines = std::vector<std::string>;
    const struct {
        std::string text;
        int width;
        Lines lines;
    } cases[] = {
        {"", 100, {}},
        {"ab\ncd", 100, {"ab", "cd"}},
        // "abc def" is 49 pixels: exactly the width cuts at its last space.
        {"abc def", 49, {"abc", "def"}},
        {"abc def", 50, {"abc def"}},
        {"one two three four", 63, {"one two", "three", "four"}},
        // Measured as written: "{JUMP} jumps" (84 pixels) is cut though the
        // "SPACE jumps" it shows would fit.
        {"{JUMP} jumps", 84, {"{JUMP}", "jumps"}},
        // A word wider than the frame is never broken: it stands whole on a
        // line of its own and the wrap goes on behind it.
        {"a verylongword b", 35, {"a", "verylongword", "b"}},
        {"abc", 5, {"abc"}},
        {"abc de", 5, {"abc", "de"}},
        {"0\n1\n2\n3\n4\n5\n6\n7\n8\n9\nA\nB", 1000,
            {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9\nA\nB"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Wrapped(c.text, c.width, &test.font), c.lines) << c.text;

    // Without font, or with cells of no width, lines are never wrapped.
    EXPECT_EQ(Wrapped("abc def", 7, nullptr), (Lines {"abc def"}));
    test.font.SetSpacing(Point<int>(0, 12));
    EXPECT_EQ(Wrapped("abc def", 7, &test.font), (Lines {"abc def"}));
}

TEST(UI_Frame_TextLayout, AHundredKilobyteWordStandsWholeBetweenTheWordsAroundIt)
{
    TestFont test; // 7 pixels a glyph: 14 glyphs fit in 100 pixels
    const std::string word(100 * 1024, 'w');
    EXPECT_EQ(Wrapped("a " + word + " b", 100, &test.font), (std::vector<std::string> {"a", word, "b"}));
}

class TextFrameRender : public testing::Test {
protected:
    void SetUp() override
    {
        icon.SetSize(16, 10, true);
        icon.AddSpriteInstance(&iconSprite, 0, 0);
        icon.AddGenericSpriteIndex(&iconSprite, 0);
        game.sceneObjects.push_back(&icon); // taken back before the game ends
        frame.Init();
        frame.SetFont(&test.font);
        frame.SetSize(400, 100, true);
        frame.SetTextColour(0xFFFFFFFFu);
    }
    void TearDown() override { game.sceneObjects.clear(); }

    // Lays the text out, draws it at (10, 20) and returns the draws.
    std::vector<uitest::Draw> Render(const std::string& text, bool* ok = nullptr)
    {
        frame.SetText(text);
        frame.Update(0.0);
        recording.Clear();
        const bool drawn = frame.Render(nullptr, 10, 20, 0, 0, 0.0f);
        if (ok != nullptr)
            *ok = drawn;
        return recording.Draws();
    }
    // The characters the draws show (a pad icon as "#").
    std::string Shown(const std::vector<uitest::Draw>& draws) const
    {
        std::string shown;
        for (const uitest::Draw& draw : draws)
            shown += draw.sprite == &iconSprite
                ? '#'
                : char((draw.source.x0 + 1) / 8 + 16 * ((draw.source.y0) / 12 + 2));
        return shown;
    }

    DeviceInput* input = new DeviceInput();
    Game game {"Quenholt", nullptr, input};
    RecordingEngine recording;
    TestFont test;
    Sprite iconSprite {"icon", "icons.png", 0, 0, 16, 10};
    GraphicalObject icon {"UI_Icon_JoyA"};
    UI_Frame_Text frame {"text"};
};

TEST_F(TextFrameRender, LinesStartTwoPixelsDownOneCellApartAndGreyOnlyThePrefix)
{
    frame.SetSize(30, 100, true);
    frame.SetGreyPrefix(5);
    bool ok = false;
    const std::vector<uitest::Draw> draws = Render("abc defgh", &ok);
    EXPECT_TRUE(ok);
    ASSERT_EQ(Shown(draws), "abcdefgh");
    // A glyph's object stands at the cursor (its dx shows inside it).
    EXPECT_EQ(draws[0].position, Point<int>(10, 22));
    EXPECT_EQ(draws[2].position, Point<int>(24, 22));
    EXPECT_EQ(draws[3].position, Point<int>(10, 34));
    for (size_t i = 0; i < draws.size(); ++i)
        EXPECT_EQ(draws[i].colour, i < 3 ? UI_Frame_Text::kGreyColour : 0xFFFFFFFFu) << i;
    EXPECT_EQ(GetUIDrawColour(), 0xFFFFFFFFu);

    EXPECT_TRUE(Render("", &ok).empty());
    EXPECT_TRUE(ok);
}

TEST_F(TextFrameRender, TokensShowTheKeyNameOrThePadIconOfTheLastDevice)
{
    EXPECT_EQ(Shown(Render("{JUMP}!")), "SPACE!");
    input->device = 1;
    const std::vector<uitest::Draw> draws = Render("{JUMP}!");
    ASSERT_EQ(Shown(draws), "#!");
    // Centred in two cells, whatever its own width; the next glyph after them.
    EXPECT_EQ(draws[0].position, Point<int>(10 + (16 - 16) / 2, 22 + (10 - 12) / 2));
    EXPECT_EQ(draws[1].position.x, 10 + 16);
    // Only the first occurrence of a token is replaced.
    input->device = 0;
    EXPECT_EQ(Shown(Render("{JUMP}{JUMP}")), "SPACE{JUMP}");
}

TEST_F(TextFrameRender, PadIconsFoundByOneFrameServeEveryFrameUntilTheLibraryGoes)
{
    // Made (and set up) before this test's icon joined the library: the
    // look-up of the fixture's frame serves it as well.
    UI_Frame_Text earlier {"earlier"};
    EXPECT_EQ(earlier.FindIcon("A"), &icon);
    EXPECT_EQ(earlier.FindIcon("B"), nullptr);
    // The library goes (the icon is the test's own): no frame keeps it.
    game.sceneObjects.clear();
    game.Shutdown();
    EXPECT_EQ(frame.FindIcon("A"), nullptr);
    EXPECT_EQ(earlier.FindIcon("A"), nullptr);
}

TEST_F(TextFrameRender, GroupsThatNameNoIconAreTextAndUnfinishedGroupsAreSkipped)
{
    EXPECT_EQ(Shown(Render("{Q}")), "{Q}");
    EXPECT_EQ(Shown(Render("a{}b")), "a}b");
    EXPECT_EQ(Shown(Render("a{bc")), "a");
    // A group whose icon the library lacks keeps its two cells empty.
    const std::vector<uitest::Draw> draws = Render("{B}c");
    ASSERT_EQ(Shown(draws), "c");
    EXPECT_EQ(draws[0].position.x, 10 + 16);
}

TEST_F(TextFrameRender, FirstFailedDrawStopsTheRestOfTheText)
{
    TestFont lacking("x");
    frame.SetFont(&lacking.font);
    frame.SetSize(20, 100, true);
    bool ok = true;
    EXPECT_EQ(Shown(Render("ab x cd", &ok)), "ab");
    EXPECT_FALSE(ok);
    frame.SetFont(nullptr);
    EXPECT_TRUE(Render("ab", &ok).empty());
    EXPECT_FALSE(ok);
}

TEST_F(TextFrameRender, EveryLineIsDrawnAndAMissingGlyphOnAnyLineFailsTheRender)
{
    // Words of 56 glyphs, one a line of 400 pixels (the space behind each
    // is dropped at the cut); drawn at y = 20, the lines start at 22, 34,
    // ...: the 41st at 502, below the 448-pixel picture, is drawn too.
    std::string text = std::string(56, 'w');
    for (int word = 1; word < 41; ++word)
        text += " " + std::string(56, 'w');
    std::vector<uitest::Draw> draws = Render(text);
    ASSERT_EQ(draws.size(), 41u * 56u);
    EXPECT_EQ(draws.back().position.y, 502);
    // A glyph the font lacks at the end of that line fails the render.
    TestFont lacking("x");
    frame.SetFont(&lacking.font);
    bool ok = true;
    draws = Render(text + " x", &ok);
    ASSERT_FALSE(draws.empty());
    EXPECT_EQ(draws.back().position.y, 502);
    EXPECT_FALSE(ok);
}
