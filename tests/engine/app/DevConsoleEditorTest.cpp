#include "engine/app/DevConsoleEditor.h"

#include "engine/app/DevConsole.h"
#include "tests/engine/input/InputDeviceFixture.h"

#include <cstring>

namespace {

// The editor fed by the input manager as the main loop runs it: recorded SDL
// events through the render thread's pump, one poll and one editor update per
// pass. The console is in debug mode, so Tab reaches it.
class GLDevConsoleEditor : public InputDeviceFixture {
protected:
    void SetUp() override
    {
        InputDeviceFixture::SetUp();
        debug = true;
        console.debug = true;
    }

    void Frame(bool tick = true)
    {
        Pump();
        manager->Poll();
        editor.UpdateDevConsole(manager.get(), console, tick);
    }
    // Frames until the typed text is used up.
    void Type(const char* text)
    {
        SDL_Event event {};
        event.type = SDL_TEXTINPUT;
        std::strncpy(event.text.text, text, sizeof(event.text.text) - 1);
        ASSERT_EQ(SDL_PushEvent(&event), 1);
        for (size_t i = 0; i < std::strlen(text) + 1; ++i)
            Frame();
    }
    // A key pressed and let go within one frame.
    void Press(SDL_Scancode key, bool tick = true)
    {
        Key(true, key);
        Key(false, key);
        Frame(tick);
    }
    void Open()
    {
        ASSERT_FALSE(console.open);
        Press(SDL_SCANCODE_TAB);
        ASSERT_TRUE(console.open);
    }
    void Ctrl(bool down) { Key(down, SDL_SCANCODE_LCTRL); }
    // Ctrl+V as the keyboard sends it: the render thread's pump reads the
    // clipboard then.
    void Paste()
    {
        Ctrl(true);
        Key(true, SDL_SCANCODE_V, KMOD_LCTRL, SDLK_v);
        Key(false, SDL_SCANCODE_V, KMOD_LCTRL, SDLK_v);
        Ctrl(false);
        Frame();
    }

    DevConsole console;
    DevConsoleEditor editor;
};

} // namespace

TEST_F(GLDevConsoleEditor, TabOpensWithAnEmptyLineOnTickPassesOnlyAndClosesAgain)
{
    console.line = "left over";
    Press(SDL_SCANCODE_TAB, false);
    EXPECT_FALSE(console.open);
    Frame(); // Tab was pressed on the pass before: no toggle now
    EXPECT_FALSE(console.open);
    Press(SDL_SCANCODE_TAB);
    EXPECT_TRUE(console.open);
    EXPECT_EQ(console.line, "");
    Press(SDL_SCANCODE_TAB); // pressed on the poll before as well: no toggle
    EXPECT_TRUE(console.open);
    Frame();
    Press(SDL_SCANCODE_TAB);
    EXPECT_FALSE(console.open);

    Frame();
    debug = false; // the input manager lets Tab through in debug mode only
    Press(SDL_SCANCODE_TAB);
    EXPECT_FALSE(console.open);
}

TEST_F(GLDevConsoleEditor, TypingInsertsAtTheCursorWhichArrowsHomeAndEndMove)
{
    Open();
    Type("give");
    EXPECT_EQ(console.line, "give");
    EXPECT_EQ(console.cursor, 4u);
    Press(SDL_SCANCODE_LEFT);
    Press(SDL_SCANCODE_LEFT);
    Type("X");
    EXPECT_EQ(console.line, "giXve");
    Press(SDL_SCANCODE_DELETE);
    EXPECT_EQ(console.line, "giXe");
    Press(SDL_SCANCODE_HOME);
    Type("<");
    EXPECT_EQ(console.line, "<giXe");
    Press(SDL_SCANCODE_END);
    Press(SDL_SCANCODE_RIGHT); // stays at the end
    Press(SDL_SCANCODE_DELETE);
    Type("é");
    EXPECT_EQ(console.line, "<giXeé");
    Press(SDL_SCANCODE_LEFT); // over the whole character
    EXPECT_EQ(console.cursor, 5u);
    Press(SDL_SCANCODE_RIGHT);
    Press(SDL_SCANCODE_UP); // recalls the last executed line: none yet
    EXPECT_EQ(console.line, "");
}

TEST_F(GLDevConsoleEditor, BackspaceErasesOneCharacterOnTickPassesAndCtrlBackspaceEmptiesTheLine)
{
    Open();
    Type("aé");
    Press(SDL_SCANCODE_BACKSPACE);
    EXPECT_EQ(console.line, "a");
    Press(SDL_SCANCODE_BACKSPACE, false);
    EXPECT_EQ(console.line, "a");
    Press(SDL_SCANCODE_HOME);
    Press(SDL_SCANCODE_BACKSPACE); // nothing before the cursor
    EXPECT_EQ(console.line, "a");

    Type("bcd");
    Ctrl(true);
    Press(SDL_SCANCODE_BACKSPACE, false);
    EXPECT_EQ(console.line, "");
    Type("x"); // with Ctrl held typed text is a command, not text
    EXPECT_EQ(console.line, "");
    Ctrl(false);
    Type("xy");
    Ctrl(true);
    Press(SDL_SCANCODE_BACKSPACE); // one erased, then the line emptied
    Ctrl(false);
    EXPECT_EQ(console.line, "");
    EXPECT_TRUE(console.open);
}

TEST_F(GLDevConsoleEditor, EnterExecutesAndClosesAndTheLastLineComesBack)
{
    Open();
    Type("ab");
    Ctrl(true);
    Press(SDL_SCANCODE_R); // nothing executed yet: the line empties
    Ctrl(false);
    EXPECT_EQ(console.line, "");

    Type("give 5");
    Press(SDL_SCANCODE_RETURN);
    EXPECT_FALSE(console.open);
    EXPECT_EQ(console.line, "give 5"); // kept until the prompt opens again
    EXPECT_EQ(editor.GetLastLine(), "give 5");
    Type("more"); // closed: typing goes nowhere
    EXPECT_EQ(console.line, "give 5");

    Open();
    EXPECT_EQ(console.line, "");
    Ctrl(true);
    Press(SDL_SCANCODE_R);
    Ctrl(false);
    EXPECT_EQ(console.line, "give 5");
    EXPECT_EQ(console.cursor, 6u);
    Type("0");
    Press(SDL_SCANCODE_RETURN);
    EXPECT_EQ(editor.GetLastLine(), "give 50");

    Open();
    Press(SDL_SCANCODE_UP);
    EXPECT_EQ(console.line, "give 50");
    Ctrl(true);
    Press(SDL_SCANCODE_BACKSPACE);
    Ctrl(false);
    Press(SDL_SCANCODE_RETURN); // the empty line is executed and remembered
    EXPECT_EQ(editor.GetLastLine(), "");
}

TEST_F(GLDevConsoleEditor, PasteTakesTheClipboardsFirstLineUpToTheLinesLimit)
{
    Open();
    Type("say ");
    ASSERT_EQ(SDL_SetClipboardText("hello there\r\nquit\r\n"), 0);
    Paste();
    EXPECT_EQ(console.line, "say hello there");

    ASSERT_EQ(SDL_SetClipboardText(""), 0); // nothing to paste: unchanged
    Paste();
    EXPECT_EQ(console.line, "say hello there");

    const std::string longText(3000, 'x');
    ASSERT_EQ(SDL_SetClipboardText(longText.c_str()), 0);
    Paste();
    EXPECT_EQ(console.line.size(), DevConsoleEditor::kMaxLine);
    EXPECT_EQ(console.line.substr(0, 15), "say hello there");
    Type("y");
    EXPECT_EQ(console.line.size(), DevConsoleEditor::kMaxLine);
    EXPECT_EQ(console.line.back(), 'x');
}

TEST(DevConsoleEditor, MessagesAgeByTimeOrByTickFramesAndGoWhenTheirTimeIsUp)
{
    DevConsole console;
    console.debug = true;
    console.AddDebugMessage(false, "fps", 0, 0.0);             // the frame-rate line
    console.AddDebugMessage(false, "half a second", 0, 500.0); // milliseconds
    console.AddDebugMessage(true, "two frames", 0, 2.0);
    console.AddDebugMessage(false, "short", 0, 10.0);
    console.AddDebugMessage(false, "shorter", 0, 5.0);
    console.AddDebugMessage(false, "forever", 0, -1.0);
    auto texts = [&] {
        std::vector<std::string> out;
        for (const auto& message : console.messages)
            out.push_back(message.text + "=" + std::to_string(static_cast<int>(message.remaining)));
        return out;
    };

    console.debug = false; // neither aged nor removed
    DevConsoleEditor::UpdateCountdowns(console, 100.0, true);
    EXPECT_EQ(texts().size(), 6u);
    console.debug = true;

    DevConsoleEditor::UpdateCountdowns(console, 20.0, false);
    EXPECT_EQ(texts(), (std::vector<std::string> {"half a second=480", "two frames=2", "forever=-1"}));
    DevConsoleEditor::UpdateCountdowns(console, 20.0, true);
    EXPECT_EQ(texts(), (std::vector<std::string> {"half a second=460", "two frames=1", "forever=-1"}));
    DevConsoleEditor::UpdateCountdowns(console, 1000.0, true);
    EXPECT_EQ(texts(), (std::vector<std::string> {"forever=-1"}));
}

TEST(DevConsoleEditor, FrameTimeIsMeasuredOnTickPassesAndHeldOtherwise)
{
    DevConsole console;
    DevConsoleEditor editor;
    editor.UpdateDevConsole(nullptr, console, true);
    const double measured = console.frameTime;
    EXPECT_GE(measured, 0.0);
    console.frameTime = 12345.0;
    editor.UpdateDevConsole(nullptr, console, false);
    EXPECT_EQ(console.frameTime, measured);
    editor.UpdateDevConsole(nullptr, console, true);
    EXPECT_LT(console.frameTime, 12345.0);
}
