#include "engine/app/DevConsoleEditor.h"

#include "engine/app/DevConsole.h"
#include "engine/app/ProfileTimer.h"
#include "engine/platform/Clock.h"
#include "tests/engine/input/InputDeviceFixture.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

// The editor as the main loop runs it: recorded SDL events through the render
// thread's pump, one poll and one editor update per pass, in debug mode (so
// the input manager gives Shift+Tab to the console).
class GLDevConsoleEditor : public InputDeviceFixture {
protected:
    void SetUp() override
    {
        InputDeviceFixture::SetUp();
        debug = console.debug = true;
    }
    void Frame(bool tick = true)
    {
        Poll();
        editor.UpdateDevConsole(manager.get(), console, tick);
    }
    // As many passes as the text needs: one character each.
    void Type(const char* text)
    {
        PushText(text);
        for (size_t i = 0; i <= std::strlen(text); ++i)
            Frame();
    }
    // A key pressed and let go within one pass, Ctrl held or not.
    void Press(SDL_Scancode key, bool tick = true, bool ctrl = false, SDL_Keycode sym = SDLK_UNKNOWN)
    {
        if (ctrl)
            Key(true, SDL_SCANCODE_LCTRL);
        Key(true, key, ctrl ? KMOD_LCTRL : KMOD_NONE, sym);
        Key(false, key, ctrl ? KMOD_LCTRL : KMOD_NONE, sym);
        Frame(tick);
        if (ctrl)
            Key(false, SDL_SCANCODE_LCTRL);
    }
    // Shift+Tab, the console's key, within one pass.
    void PressShiftTab(bool tick = true)
    {
        Key(true, SDL_SCANCODE_LSHIFT);
        Press(SDL_SCANCODE_TAB, tick);
        Key(false, SDL_SCANCODE_LSHIFT);
    }
    void Open()
    {
        Frame();
        PressShiftTab();
        ASSERT_TRUE(console.open);
    }

    DevConsole console;
    DevConsoleEditor editor;
};

} // namespace

TEST_F(GLDevConsoleEditor, ShiftTabOpensWithAnEmptyLineOnTickPassesOnlyAndClosesAgain)
{
    console.line = "left over";
    PressShiftTab(false);
    Frame(); // pressed on the pass before: no toggle
    EXPECT_FALSE(console.open);
    Press(SDL_SCANCODE_TAB); // Tab alone is the map's
    EXPECT_FALSE(console.open);
    PressShiftTab();
    EXPECT_TRUE(console.open);
    EXPECT_EQ(console.line, "");
    Frame();
    PressShiftTab();
    EXPECT_FALSE(console.open);
}

// Typed text is appended whatever the arrow, Home, End, Delete and Up keys
// do; Backspace erases the last character (all its bytes).
TEST_F(GLDevConsoleEditor, TypingAppendsAndBackspaceErasesTheLastCharacter)
{
    Open();
    Type("abc");
    for (SDL_Scancode key :
        {SDL_SCANCODE_LEFT, SDL_SCANCODE_HOME, SDL_SCANCODE_DELETE, SDL_SCANCODE_END, SDL_SCANCODE_UP})
        Press(key);
    Type("x");
    EXPECT_EQ(console.line, "abcx");
    Type("é");
    Press(SDL_SCANCODE_BACKSPACE);
    EXPECT_EQ(console.line, "abcx");
    Press(SDL_SCANCODE_BACKSPACE, false); // single erasing waits for a tick pass
    EXPECT_EQ(console.line, "abcx");
    Press(SDL_SCANCODE_BACKSPACE, false, true); // Ctrl+Backspace empties on any pass
    EXPECT_EQ(console.line, "");
    Type("xy");
    Press(SDL_SCANCODE_BACKSPACE, true, true);
    EXPECT_EQ(console.line, "");
}

TEST_F(GLDevConsoleEditor, EnterExecutesAndClosesAndTheLastLineComesBack)
{
    std::vector<std::string> given;
    console.RegisterCommand(
        [&given](std::string arguments) {
            given.push_back(arguments);
            return true;
        },
        "give", "", {}, {});
    Open();
    Type("ab");
    Press(SDL_SCANCODE_R, true, true); // nothing executed yet: the line empties
    EXPECT_EQ(console.line, "");
    Type("give 5");
    Press(SDL_SCANCODE_RETURN);
    EXPECT_FALSE(console.open);
    EXPECT_EQ(console.line, "give 5"); // kept until the prompt opens again
    EXPECT_EQ(editor.GetLastLine(), "give 5");
    EXPECT_EQ(given, std::vector<std::string> {"5"});
    Type("more"); // closed: typing goes nowhere
    EXPECT_EQ(console.line, "give 5");

    Open();
    EXPECT_EQ(console.line, "");
    Press(SDL_SCANCODE_R, true, true);
    EXPECT_EQ(console.line, "give 5");
    Type("0");
    Press(SDL_SCANCODE_RETURN);
    Open();
    Press(SDL_SCANCODE_R, true, true);
    EXPECT_EQ(console.line, "give 50");
    Press(SDL_SCANCODE_BACKSPACE, true, true);
    Press(SDL_SCANCODE_RETURN); // the empty line is executed and remembered
    EXPECT_EQ(editor.GetLastLine(), "");
    EXPECT_EQ(given, (std::vector<std::string> {"5", "50"}));
}

TEST_F(GLDevConsoleEditor, PasteTakesTheClipboardsFirstLineUpToTheLinesLimit)
{
    Open();
    Type("say ");
    for (const char* clipboard : {"hello there\r\nquit\r\n", ""}) {
        ASSERT_EQ(SDL_SetClipboardText(clipboard), 0);
        Press(SDL_SCANCODE_V, true, true, SDLK_v);
        EXPECT_EQ(console.line, "say hello there");
    }
    ASSERT_EQ(SDL_SetClipboardText(std::string(3000, 'x').c_str()), 0);
    Press(SDL_SCANCODE_V, true, true, SDLK_v);
    Type("y");
    EXPECT_EQ(console.line, "say hello there" + std::string(DevConsoleEditor::kMaxLine - 15, 'x'));
}

TEST(DevConsoleEditor, MessagesAgeByTimeOrByTickFramesAndGoWhenTheirTimeIsUp)
{
    DevConsole console;
    console.debug = true;
    console.AddDebugMessage(false, "fps", 0, 0.0);
    console.AddDebugMessage(false, "ms", 0, 500.0);
    console.AddDebugMessage(true, "frames", 0, 2.0);
    console.AddDebugMessage(false, "short", 0, 10.0);
    console.AddDebugMessage(false, "shorter", 0, 5.0);
    console.AddDebugMessage(false, "forever", 0, -1.0);
    auto left = [&] {
        std::vector<std::string> out;
        for (const auto& message : console.messages)
            out.push_back(message.text + "=" + std::to_string(static_cast<int>(message.remaining)));
        return out;
    };
    using Left = std::vector<std::string>;

    console.debug = false; // neither aged nor removed
    DevConsoleEditor::UpdateCountdowns(console, 100.0, true);
    EXPECT_EQ(left().size(), 6u);
    console.debug = true;
    DevConsoleEditor::UpdateCountdowns(console, 20.0, false);
    EXPECT_EQ(left(), (Left {"ms=480", "frames=2", "forever=-1"}));
    DevConsoleEditor::UpdateCountdowns(console, 20.0, true);
    EXPECT_EQ(left(), (Left {"ms=460", "frames=1", "forever=-1"}));
    DevConsoleEditor::UpdateCountdowns(console, 1000.0, true);
    EXPECT_EQ(left(), (Left {"forever=-1"}));

    // The frame time is measured on tick passes and held on the others.
    DevConsoleEditor editor;
    editor.UpdateDevConsole(nullptr, console, true);
    const double measured = console.frameTime;
    console.frameTime = 12345.0;
    editor.UpdateDevConsole(nullptr, console, false);
    EXPECT_EQ(console.frameTime, measured);
}

// A section closed since the last report shows once, on a tick pass, for two
// frames, and its time joins its history; a running one waits.
TEST(DevConsoleEditor, FinishedSectionsBecomeTwoFrameMessagesOnTickPasses)
{
    platform::ScopedManualClock clock;
    DevConsole console;
    console.debug = true;
    TimeSection(console.profileTimers, "Update", true);
    TimeSection(console.profileTimers, "Running", true);
    clock.Advance(3.0);
    TimeSection(console.profileTimers, "Update", true);
    DevConsoleEditor editor;
    editor.UpdateDevConsole(nullptr, console, false);
    EXPECT_TRUE(console.messages.empty()) << "only on tick passes";

    editor.UpdateDevConsole(nullptr, console, true);
    ASSERT_EQ(console.messages.size(), 1u);
    const DevConsole::DebugMessage& shown = console.messages.front();
    EXPECT_EQ(shown.text, "Update :   3");
    EXPECT_EQ(shown.colour, 0xFFC864FAu);
    EXPECT_TRUE(shown.countInFrames);
    EXPECT_EQ(shown.remaining, 1.0) << "two frames, this one counted";
    const ProfileTimer& update = console.profileTimers.front();
    EXPECT_TRUE(update.IsReported());
    EXPECT_EQ(update.GetHistory(), std::list<double> {3.0});
    EXPECT_TRUE(console.profileTimers.back().GetHistory().empty());

    editor.UpdateDevConsole(nullptr, console, true);
    EXPECT_TRUE(console.messages.empty()) << "reported once, gone after two frames";
    EXPECT_EQ(update.GetHistory().size(), 1u);
}
