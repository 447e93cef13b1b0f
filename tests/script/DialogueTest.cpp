#include "engine/config/GamePaths.h"
#include "engine/input/AbstractInputManager.h"
#include "engine/serial/ReaderContext.h"
#include "game/Game.h"
#include "scene/Level.h"
#include "scene/SpacialInstance.h"
#include "script/BGEvent_DialogueManager.h"
#include "script/DialogueFile.h"
#include "script/Script.h"
#include "tests/engine/platform/DebugCapture.h"
#include "ui/UI_Frame_Dialogue.h"

#include <gtest/gtest.h>

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

TEST(DialogueFileBlocks, ASpeakerWithoutPortraitShowsNothingWhilePortraitsAreLinked)
{
    auto& links = BGEvent_DialogueManager::PortraitLinks();
    links.emplace_back("Keeper", "Portrait_Keeper");
    bool ok = true;
    std::string error;
    const std::string text = "Keeper \": \" \"Hello.\"\nPlayer \": \" \"Hi.\"\nGhost \": \" \"Boo.\"\n";
    EXPECT_TRUE(Block(text, 0, &ok, &error).empty());
    EXPECT_FALSE(ok);
    EXPECT_EQ(error, "talk.txt:3: expected a speaker with a portrait, found \"Ghost\"");
    links.clear();
    EXPECT_EQ(Block(text, 0).size(), 3u);
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
        current.attack = attack;
    }
};

class DialogueEvent : public testing::Test {
protected:
    void SetUp() override
    {
        SetDialogPath(std::string(QUENHOLT_TEST_DATA_DIR) + "/script/");
        auto box = std::make_unique<Level::Instance>(new UI_Frame_Dialogue("dialogue"), 0.0f, 0.0f);
        box->SetOwned(true);
        game.uiFrames.push_back(std::move(box));
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
    // Shown whole: a press goes on; the next line types without delay.
    Tick(event, true);
    EXPECT_EQ(event.GetCurrentLine(), 1u);
    Tick(event);
    EXPECT_EQ(event.GetVisibleText(), "A");
    EXPECT_EQ(event.GetSecondSpeaker(), "");
    Tick(event);
    EXPECT_EQ(event.GetVisibleText(), "Ab");
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

} // namespace
