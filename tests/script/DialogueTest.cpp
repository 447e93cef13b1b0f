#include "engine/config/GamePaths.h"
#include "engine/input/AbstractInputManager.h"
#include "engine/serial/ReaderContext.h"
#include "game/Game.h"
#include "scene/GraphicalObject.h"
#include "scene/Level.h"
#include "scene/SpacialInstance.h"
#include "script/BGEvent_DialogueManager.h"
#include "script/DialogueFile.h"
#include "script/Script.h"
#include "tests/engine/platform/DebugCapture.h"
#include "tests/ui/UITestSupport.h"
#include "ui/UI_Frame_Dialogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<DialogueFile::Line>;

Lines Block(const std::string& text, int block, bool* ok = nullptr, std::string* error = nullptr)
{
    std::istringstream is(text);
    ReaderContext context(is, "talk.txt");
    Lines lines;
    const bool read = DialogueFile::ReadBlock(is, block, lines);
    if (ok != nullptr)
        *ok = read;
    if (error != nullptr)
        *error = context.GetError();
    return lines;
}

TEST(DialogueFileBlocks, SeparatorsCountOnceAndCommentsSeparate)
{
    const std::string text = "one a\r\n\"two b\"\r\n\r\n// comment\r\n   \r\nthree // tail\r\n";
    EXPECT_EQ(Block(text, 0), (Lines {{"one", "a"}, {"two b"}}));
    EXPECT_EQ(Block(text, 1), (Lines {{"three"}}));
    // A negative number reads as block 0.
    EXPECT_EQ(Block(text, -3), (Lines {{"one", "a"}, {"two b"}}));
    EXPECT_EQ(Block(text, std::numeric_limits<int>::min()), (Lines {{"one", "a"}, {"two b"}}));
}

TEST(DialogueFileBlocks, AMissingBlockNamesTheEndOfTheFile)
{
    bool ok = true;
    std::string error;
    EXPECT_TRUE(Block("only\n", 1, &ok, &error).empty());
    EXPECT_FALSE(ok);
    EXPECT_EQ(error, "talk.txt:2: expected dialogue block 1, found the end of the file");
    EXPECT_TRUE(Block("", 0, &ok).empty());
    EXPECT_FALSE(ok);
}

// A line or a block beyond the limits is refused where it passes them, in
// the block read or one before it; one at the limit is read.
TEST(DialogueFileBlocks, LinesAndBlocksBeyondTheLimitsAreRefusedWhereTheyPassThem)
{
    const std::string longest(DialogueFile::kMaxLineLength, 'a');
    EXPECT_EQ(Block(longest + "\r\nb\n", 0), (Lines {{longest}, {"b"}}));
    const std::string longestBlock = [] {
        std::string text;
        for (size_t i = 0; i < DialogueFile::kMaxBlockLines; ++i)
            text += "word\n";
        return text;
    }();
    EXPECT_EQ(Block(longestBlock, 0).size(), DialogueFile::kMaxBlockLines);

    const struct {
        std::string text;
        int block;
        std::string error;
    } cases[] = {
        {"x\n" + longest + "a\n", 0,
            "talk.txt:2: expected a dialogue line of at most 2048 characters, found a longer one"},
        {longest + "\r\r\n\nnext\n", 1,
            "talk.txt:1: expected a dialogue line of at most 2048 characters, found a longer one"},
        {longestBlock + "word\n", 0,
            "talk.txt:513: expected a dialogue block of at most 512 lines, found a longer one"},
    };
    for (const auto& c : cases) {
        bool ok = true;
        std::string error;
        EXPECT_TRUE(Block(c.text, c.block, &ok, &error).empty());
        EXPECT_FALSE(ok);
        EXPECT_EQ(error, c.error);
    }
}

TEST(DialogueFileBlocks, WordsHoldingACommentMarkAreDropped)
{
    EXPECT_EQ(DialogueFile::SplitLine("a \"b//c\" d"), (DialogueFile::Line {"a"}));
    EXPECT_EQ(DialogueFile::SplitLine("\"x y\" z"), (DialogueFile::Line {"x y", "z"}));
    EXPECT_TRUE(DialogueFile::SplitLine("// all comment").empty());
}

// A quoted text left open keeps its words to the end of the line and is
// said at its own line, once, when its block is read.
TEST(DialogueFileBlocks, AnUnclosedQuoteKeepsItsTextAndNamesItsLine)
{
    DebugCapture debug(DebugCapture::Join::LinePerMessage);
    bool ok = false;
    const Lines lines
        = Block("keeper : \"Hello there\r\n\r\nplayer : \"Bye\r\nferryman : \"Fine\"\r\n", 1, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(lines, (Lines {{"player", ":", "Bye"}, {"ferryman", ":", "Fine"}}));
    EXPECT_EQ(debug.Text(),
        "talk.txt:3: expected a closing quote, found \"player : \\x22Bye\"; the text runs to the end of the "
        "line\n");
    EXPECT_TRUE(DialogueFile::LacksClosingQuote("a \"b"));
    EXPECT_FALSE(DialogueFile::LacksClosingQuote("a \"b\" c"));
    EXPECT_FALSE(DialogueFile::LacksClosingQuote("a // \"b"));
}

// An input manager whose two records the test sets.
class ScriptedInput : public AbstractInputManager {
public:
    bool Init() override { return true; }
    bool Acquire() override { return true; }
    void Poll() override { }
    void Release() override { }
    void Press(bool attack)
    {
        previous = current;
        current = InputActions();
        current.Action3 = attack;
    }
};

// The dialogue box, keeping a log of the sounds it plays.
class CountingBox : public UI_Frame_Dialogue {
public:
    using UI_Frame_Dialogue::UI_Frame_Dialogue;
    bool PlaySoundAt(int index) override
    {
        sounds.push_back(index);
        return UI_Frame_Dialogue::PlaySoundAt(index);
    }
    int Count(int sound) const { return static_cast<int>(std::count(sounds.begin(), sounds.end(), sound)); }
    std::vector<int> sounds;
};

class DialogueEvent : public testing::Test {
protected:
    void SetUp() override
    {
        SetDialogPath(std::string(QUENHOLT_TEST_DATA_DIR) + "/script/");
        auto frame = std::make_unique<Level::Instance>(box, 0.0f, 0.0f);
        frame->SetOwned(true);
        game.uiFrames.push_back(std::move(frame));
        game.fixedStepTick = 1;
    }

    void TearDown() override { SetDialogPath(previousDialogPath); }

    // One logic tick with the attack action pressed or not.
    void Tick(BGEvent_DialogueManager& event, bool attack = false)
    {
        input->Press(attack);
        event.Update();
    }

    // Taken before the game, whose construction empties the dialogue folder.
    const std::string previousDialogPath = GetDialogPath();
    ScriptedInput* input = new ScriptedInput();
    Game game {"Quenholt", nullptr, input};
    CountingBox* box = new CountingBox("dialogue");
    DebugCapture debug;
};

TEST_F(DialogueEvent, ReadsTheLanguagesFileBlockByBlock)
{
    BGEvent_DialogueManager event("d");
    ASSERT_TRUE(BGEvent_DialogueManager::LoadFromFile(&event, "test.txt", 0));
    ASSERT_EQ(event.GetLines().size(), 2u);
    EXPECT_EQ(event.GetLines()[0], (DialogueFile::Line {"Keeper", ": ", "Ah. You are awake."}));
    EXPECT_EQ(event.GetLines()[1][0], "Player");
    ASSERT_TRUE(BGEvent_DialogueManager::LoadFromFile(&event, "test.txt", 1));
    EXPECT_EQ(event.GetLines().back(), (DialogueFile::Line {"The bell rings."}));
    EXPECT_FALSE(BGEvent_DialogueManager::LoadFromFile(&event, "missing.txt", 0));
    EXPECT_NE(debug.Text().find("dialogues_eng/missing.txt"), std::string::npos);
    EXPECT_EQ(event.GetLines().size(), 3u);
    // A name that leaves the dialogue folder is never opened, even where a
    // dialogue file stands.
    EXPECT_FALSE(BGEvent_DialogueManager::LoadFromFile(&event, "../dialogues_eng/test.txt", 0));
    EXPECT_NE(
        debug.Text().find("the dialogue name \"../dialogues_eng/test.txt\" is refused"), std::string::npos);
    EXPECT_EQ(event.GetLines().size(), 3u);
    // The folder itself is there, but is no file.
    EXPECT_FALSE(BGEvent_DialogueManager::LoadFromFile(&event, ".", 0));
    EXPECT_NE(debug.Text().find("expected a dialogue file, found a folder"), std::string::npos)
        << debug.Text();
}

TEST_F(DialogueEvent, TypesOneCharacterPerTickAfterTheInitialDelay)
{
    BGEvent_DialogueManager event("d");
    event.SetLines({"Keeper \": \" \"Go.\"", "\"Ab\""});
    EXPECT_EQ(event.GetDelay(), 5);
    Tick(event);
    // Speaker and separator at once, plus one character.
    EXPECT_EQ(event.GetVisibleText(), "Keeper: G");
    EXPECT_EQ(event.GetSecondSpeaker(), "Keeper");
    EXPECT_EQ(event.GetFirstSpeaker(), "");
    EXPECT_TRUE(event.IsBoxVisible());
    for (int tick = 2; tick <= 4; ++tick) {
        Tick(event);
        EXPECT_EQ(event.GetVisibleText(), "Keeper: G") << tick;
    }
    Tick(event); // the 5th tick shows the next character
    Tick(event);
    EXPECT_EQ(event.GetVisibleText(), "Keeper: Go");
    Tick(event);
    EXPECT_EQ(event.GetVisibleText(), "Keeper: Go.");
    EXPECT_EQ(event.GetShownCharacters(), 11u);
    Tick(event); // the box's line break is typed too
    EXPECT_EQ(event.GetVisibleText(), "Keeper: Go.\n");
    // Shown whole: a press goes on; the next line types without delay.
    Tick(event, true);
    EXPECT_EQ(event.GetCurrentLine(), 1u);
    Tick(event);
    EXPECT_EQ(event.GetVisibleText(), "A");
    EXPECT_EQ(event.GetSecondSpeaker(), "");
    Tick(event);
    EXPECT_EQ(event.GetVisibleText(), "Ab");
    Tick(event);
    Tick(event, true);
    Tick(event);
    EXPECT_TRUE(event.IsFinished());
    EXPECT_FALSE(event.IsBoxVisible());
    EXPECT_FALSE(game.uiFrames.front()->IsVisible());
}

TEST_F(DialogueEvent, APressWhileTypingJumpsCloseToTheEnd)
{
    BGEvent_DialogueManager event("d");
    event.SetLines({"Player \": \" \"A long line.\""});
    Tick(event);
    EXPECT_EQ(event.GetFirstSpeaker(), "Player");
    Tick(event, true);
    // Two characters short of the joined length, then one more this tick.
    EXPECT_EQ(event.GetShownCharacters(), 19u);
    // Holding the button is no new press.
    Tick(event, true);
    EXPECT_EQ(event.GetShownCharacters(), 20u);
    EXPECT_EQ(event.GetCurrentLine(), 0u);

    // A new press nearer the end than that does not move the typewriter
    // back: pressing every other tick reaches the end and goes on.
    BGEvent_DialogueManager again("d");
    again.SetLines({"Player \": \" \"A long line.\""});
    Tick(again);
    Tick(again, true);
    Tick(again);
    Tick(again, true); // at 20 of 21: the last one, and on
    EXPECT_EQ(again.GetVisibleText(), "Player: A long line.\n");
    EXPECT_EQ(again.GetCurrentLine(), 1u);
}

TEST_F(DialogueEvent, ALineShorterThanTwoCharactersDoesNotWrapRound)
{
    BGEvent_DialogueManager event("d");
    event.SetLines({"\"x\""});
    event.CompleteLine(-2);
    EXPECT_EQ(event.GetShownCharacters(), 0u);
    Tick(event, true);
    EXPECT_EQ(event.GetVisibleText(), "x");
}

TEST_F(DialogueEvent, NoLinesFinishesOnTheFirstTick)
{
    BGEvent_DialogueManager event("d");
    BGEvent_DialogueManager::LoadFromFile(&event, "test.txt", 5);
    Tick(event);
    EXPECT_TRUE(event.IsFinished());
}

TEST(DialogueWithoutBox, WaitsForEverUnlessTheSwitchIsOn)
{
    Game game;
    game.fixedStepTick = 1;
    BGEvent_DialogueManager held("d");
    held.SetLines({"\"text\""});
    for (int i = 0; i < 20; ++i)
        held.Update();
    EXPECT_FALSE(held.IsFinished());
    EXPECT_EQ(held.GetVisibleText(), "");
    BGEvent_DialogueManager::SetFinishWithoutBox(true);
    held.Update();
    BGEvent_DialogueManager::SetFinishWithoutBox(false);
    EXPECT_TRUE(held.IsFinished());
}

// The box ticks once per character typed while the line is not whole, and
// plays its quick sound when a press hurries the line.
TEST_F(DialogueEvent, TheBoxTicksPerTypedCharacterAndSoundsTheHurry)
{
    BGEvent_DialogueManager event("d");
    event.SetLines({"\"Abcd\"", "\"Efghijk\""});
    // "Abcd" and its line break: the delay of 5, then "b", "c", "d" and the
    // break typed with a tick each but the last.
    for (int tick = 1; tick <= 12; ++tick)
        Tick(event);
    EXPECT_EQ(event.GetVisibleText(), "Abcd\n");
    EXPECT_EQ(box->Count(0), 4);
    EXPECT_EQ(box->Count(1), 0);
    Tick(event, true); // the line is whole: on to the next
    ASSERT_EQ(event.GetCurrentLine(), 1u);
    box->sounds.clear();
    Tick(event);
    Tick(event, true); // hurried: two short of "Efghijk", then one more
    EXPECT_EQ(event.GetShownCharacters(), 6u);
    EXPECT_EQ(box->sounds, (std::vector<int> {0, 1, 0}));
    Tick(event, true); // held: no new press, no quick sound
    Tick(event);
    EXPECT_EQ(box->sounds, (std::vector<int> {0, 1, 0, 0}));
    EXPECT_EQ(event.GetVisibleText(), "Efghijk\n");
}

// The text is typed as the box lays it out: each wrapped line ends in a line
// break that counts as a character, so a word being typed never moves to
// the next line as it grows.
TEST_F(DialogueEvent, TheTypedTextCarriesTheBoxsLineBreaks)
{
    uitest::TestFont font;
    UI_Frame_Text* panel = box->GetTextFrame();
    panel->SetFont(&font.font);
    const std::string said = "The lanterns went dark one by one, and the valley forgot the "
                             "names of its wardens long before the snow came down.";
    BGEvent_DialogueManager event("d");
    event.SetLines({"Keeper \": \" \"" + said + "\""});
    // The frame's 300 pixels hold 42 characters of 7: three lines.
    UI_Frame_Text layout("layout");
    layout.SetFont(&font.font);
    layout.SetSize(300, 100, true);
    layout.SetText("Keeper: " + said);
    layout.Update(0.0);
    const std::vector<std::string> wrapped = layout.GetLines();
    ASSERT_EQ(wrapped.size(), 3u);
    std::string typed;
    for (const std::string& line : wrapped)
        typed += line + "\n";
    Tick(event);
    EXPECT_EQ(event.GetVisibleText(), "Keeper: T");
    for (int tick = 0; tick < 200 && event.GetVisibleText() != typed; ++tick) {
        Tick(event);
        const std::vector<std::string> shown = panel->GetLines();
        ASSERT_LE(shown.size(), wrapped.size());
        for (size_t i = 0; i < shown.size(); ++i)
            EXPECT_EQ(wrapped[i].substr(0, shown[i].size()), shown[i]) << "tick " << tick << " line " << i;
    }
    EXPECT_EQ(event.GetVisibleText(), typed);
    EXPECT_EQ(event.GetShownCharacters(), typed.size());
    // Every character but the first typed with its tick, the breaks among them.
    EXPECT_EQ(box->Count(0), static_cast<int>(typed.size() - 8 - 1));
}

// A speaker line is a speaker line whatever the links: a speaker linked to no
// portrait shows without one. Links name the speakers in lower case, as the
// box looks them up; a name already linked keeps its first object.
TEST_F(DialogueEvent, SpeakersShowWithTheirLinkedPortraitOrWithout)
{
    GraphicalObject keeper("Portrait_Keeper");
    GraphicalObject other("Portrait_Other");
    game.nameMap["Portrait_Keeper"] = &keeper;
    game.nameMap["Portrait_Other"] = &other;
    BGEvent_DialogueManager::LinkCharacterToGraphical("keeper", "Portrait_Keeper");
    BGEvent_DialogueManager::LinkCharacterToGraphical("keeper", "Portrait_Other");
    BGEvent_DialogueManager::LinkCharacterToGraphical("ghost", "Portrait_Missing");
    game.nameMap.clear();
    EXPECT_EQ(box->GetLinkedNames(), (std::vector<std::string> {"keeper"}));

    std::istringstream text("Keeper \": \" \"Hello.\"\nShade \": \" \"Boo.\"\n");
    std::vector<DialogueFile::Line> lines;
    ASSERT_TRUE(DialogueFile::ReadBlock(text, 0, lines));
    ASSERT_EQ(lines.size(), 2u);
    std::vector<std::string> texts;
    for (const DialogueFile::Line& line : lines)
        texts.push_back("\"" + line[0] + "\" \"" + line[1] + "\" \"" + line[2] + "\"");
    BGEvent_DialogueManager event("d");
    event.SetLines(texts);
    Tick(event);
    EXPECT_EQ(box->GetSecondSpeaker(), "keeper");
    EXPECT_EQ(box->GetSecondPortrait(), &keeper);
    for (int tick = 0; tick < 20; ++tick)
        Tick(event);
    Tick(event, true);
    ASSERT_EQ(event.GetCurrentLine(), 1u);
    Tick(event);
    EXPECT_EQ(event.GetVisibleText().substr(0, 7), "Shade: ");
    EXPECT_EQ(box->GetSecondSpeaker(), "shade");
    EXPECT_EQ(box->GetSecondPortrait(), nullptr);
}

} // namespace
