#include "tests/engine/input/InputDeviceFixture.h"

#include "engine/input/KeyDisplayName.h"

#include <sstream>
#include <vector>

namespace {

class GLInputKeyboard : public InputDeviceFixture { };

using A = InputActions;

} // namespace

TEST_F(GLInputKeyboard, HeldKeyActsOnEveryPollAndItsReleaseShowsForOnePoll)
{
    const InputActions action1 = Actions(0, 0, &A::Action1); // Space: binding 4
    Key(true, SDL_SCANCODE_SPACE);
    ExpectPoll(action1, A(), A());
    ExpectPoll(action1, action1, A());
    Key(false, SDL_SCANCODE_SPACE);
    ExpectPoll(A(), action1, action1);
    ExpectPoll(A(), A(), A());
}

TEST_F(GLInputKeyboard, MovementAndActionsFollowTheBindings)
{
    EXPECT_EQ(Tap(SDL_SCANCODE_A), Actions(-1, 0));
    EXPECT_EQ(Tap(SDL_SCANCODE_D), Actions(1, 0));
    EXPECT_EQ(Tap(SDL_SCANCODE_W), Actions(0, 1));
    EXPECT_EQ(Tap(SDL_SCANCODE_S), Actions(0, -1));

    // Rebound: J moves left, K is jump; A and Space no longer do anything.
    config.SetBinding(0, InputTriggerer(36, 0));
    config.SetBinding(4, InputTriggerer(37, 0));
    EXPECT_EQ(Tap(SDL_SCANCODE_A), A());
    EXPECT_EQ(Tap(SDL_SCANCODE_SPACE), A());
    EXPECT_EQ(Tap(SDL_SCANCODE_K), Actions(0, 0, &A::Action1));
    Key(true, SDL_SCANCODE_J);
    EXPECT_EQ(Poll(), Actions(-1, 0));
    EXPECT_EQ(manager->GetLastKeyboardInput(), InputTriggerer(36, 0));
    EXPECT_EQ(Poll(), Actions(-1, 0));
    EXPECT_EQ(manager->GetLastKeyboardInput(), InputTriggerer()); // key-down polls only
}

TEST_F(GLInputKeyboard, FixedKeysSetTheirMenuAndRawFlags)
{
    const std::pair<SDL_Scancode, InputActions> cases[] = {
        {SDL_SCANCODE_RETURN, Actions(0, 0, &A::Confirm, &A::RawEnter)},
        {SDL_SCANCODE_BACKSPACE, Actions(0, 0, &A::Back, &A::RawBackspace)},
        {SDL_SCANCODE_ESCAPE, Actions(0, 0, &A::Back, &A::Action9)}, // held Escape: binding 20
        {SDL_SCANCODE_DELETE, Actions(0, 0, &A::Erase)}, {SDL_SCANCODE_R, Actions(0, 0, &A::KeyROrPad3)},
        {SDL_SCANCODE_UP, Actions(0, 0, &A::MenuUp)}, {SDL_SCANCODE_DOWN, Actions(0, 0, &A::MenuDown)},
        {SDL_SCANCODE_LEFT, Actions(0, 0, &A::MenuLeft)}, {SDL_SCANCODE_RIGHT, Actions(0, 0, &A::MenuRight)},
        {SDL_SCANCODE_LSHIFT, Actions(0, 0, &A::RawShift, &A::Action8)},
        {SDL_SCANCODE_RSHIFT, Actions(0, 0, &A::RawShift, &A::Action7)},
        {SDL_SCANCODE_RCTRL, Actions(0, 0, &A::RawCtrl)}, {SDL_SCANCODE_RALT, Actions(0, 0, &A::RawRightAlt)},
        {SDL_SCANCODE_TAB, Actions(0, 0, &A::Action10)}, // RawTab only in debug mode
        {SDL_SCANCODE_F20, A()},                         // no set-1 code: not seen
    };
    for (const auto& [key, expected] : cases)
        EXPECT_EQ(Tap(key), expected) << SDL_GetScancodeName(key);

    // Escape and unknown keys can never be taken as a new binding.
    for (SDL_Scancode key : {SDL_SCANCODE_ESCAPE, SDL_SCANCODE_F20}) {
        Key(true, key);
        Poll();
        EXPECT_EQ(manager->GetLastKeyboardInput(), InputTriggerer()) << SDL_GetScancodeName(key);
    }
}

TEST_F(GLInputKeyboard, DebugModeGivesShiftTabToTheConsoleAndLetsF4CloseTheWindow)
{
    Key(true, SDL_SCANCODE_F4);
    Poll();
    EXPECT_FALSE(Pump());
    Key(false, SDL_SCANCODE_F4);
    debug = true;
    // Tab alone is the map's; Shift+Tab the console's only, pressed together
    // or held.
    EXPECT_EQ(Tap(SDL_SCANCODE_TAB), Actions(0, 0, &A::Action10));
    Key(true, SDL_SCANCODE_TAB);
    Key(true, SDL_SCANCODE_RSHIFT);
    EXPECT_EQ(Poll(), Actions(0, 0, &A::RawTab, &A::RawShift, &A::Action7));
    EXPECT_EQ(Poll(), Actions(0, 0, &A::Action7));
    Key(false, SDL_SCANCODE_TAB);
    Key(false, SDL_SCANCODE_RSHIFT);
    Poll();
    // The Tab of Shift+Tab is never the map's, whichever key goes up first;
    // pressed again alone, it is.
    for (const bool shiftFirst : {true, false}) {
        Key(true, SDL_SCANCODE_LSHIFT);
        Key(true, SDL_SCANCODE_TAB);
        EXPECT_EQ(Poll(), Actions(0, 0, &A::RawTab, &A::RawShift, &A::Action8));
        Key(false, shiftFirst ? SDL_SCANCODE_LSHIFT : SDL_SCANCODE_TAB);
        EXPECT_EQ(Poll(), shiftFirst ? A() : Actions(0, 0, &A::Action8)) << "Shift first " << shiftFirst;
        Key(false, shiftFirst ? SDL_SCANCODE_TAB : SDL_SCANCODE_LSHIFT);
        EXPECT_EQ(Poll(), A());
        EXPECT_EQ(Tap(SDL_SCANCODE_TAB), Actions(0, 0, &A::Action10));
    }
    Key(true, SDL_SCANCODE_F4);
    Poll();
    EXPECT_TRUE(Pump());
}

TEST_F(GLInputKeyboard, AnOpenConsoleLeavesTheGameNoKey)
{
    debug = true;
    consoleOpen = true;
    // Typing "d" and Space walks and jumps no one; Enter and Backspace still
    // edit the line; Escape pauses nothing and Tab opens no map.
    const std::pair<SDL_Scancode, InputActions> cases[] = {
        {SDL_SCANCODE_D, A()},
        {SDL_SCANCODE_SPACE, A()},
        {SDL_SCANCODE_ESCAPE, A()},
        {SDL_SCANCODE_RETURN, Actions(0, 0, &A::RawEnter)},
        {SDL_SCANCODE_BACKSPACE, Actions(0, 0, &A::RawBackspace)},
        {SDL_SCANCODE_TAB, A()},
    };
    for (const auto& [key, expected] : cases)
        EXPECT_EQ(Tap(key), expected) << SDL_GetScancodeName(key);
    Key(true, SDL_SCANCODE_D);
    EXPECT_EQ(Poll(), A());
    EXPECT_EQ(Poll(), A());
    // Closed again, the held key walks at once.
    consoleOpen = false;
    EXPECT_EQ(Poll(), Actions(1, 0));
}

TEST_F(GLInputKeyboard, KeySevenFollowsThePadsZAxisRule)
{
    // "7" has the code of the pad's Z axis: its press reads as the axis
    // pushed forward (8, +1), which only its press event matches; its
    // release is no input, and the held key is (8, 0).
    Key(true, SDL_SCANCODE_7);
    Poll();
    const InputTriggerer taken = manager->GetLastKeyboardInput();
    EXPECT_EQ(taken, InputTriggerer(8, 1));
    config.SetBinding(4, taken);
    EXPECT_EQ(Poll(), A());
    Key(false, SDL_SCANCODE_7);
    ExpectPoll(A(), A(), A());
    Key(true, SDL_SCANCODE_7);
    ExpectPoll(Actions(0, 0, &A::Action1), A(), A());
    Key(false, SDL_SCANCODE_7);
    ExpectPoll(A(), Actions(0, 0, &A::Action1), A());
    // Its release, after a key down in the same poll, keeps that key as the
    // last input.
    Key(true, SDL_SCANCODE_A);
    Key(false, SDL_SCANCODE_7);
    Poll();
    EXPECT_EQ(manager->GetLastKeyboardInput(), InputTriggerer(30, 0));
}

TEST_F(GLInputKeyboard, BindingsWithCodesNoKeyHasAreIgnored)
{
    GameConfig stored; // what "UserConfig.cfg" may hold
    stored.SetBinding(4, InputTriggerer(300, 0));
    stored.SetBinding(6, InputTriggerer(4294967295u, 0));
    stored.SetBinding(8, InputTriggerer(256, 0));
    std::stringstream file;
    ASSERT_TRUE(stored.Write(file));
    ASSERT_TRUE(config.Read(file));
    ASSERT_EQ(config.GetBinding(6).code, 4294967295u);

    for (int key = 1; key < SDL_NUM_SCANCODES; ++key)
        Key(true, SDL_Scancode(key));
    const InputActions held = Poll();
    EXPECT_FALSE(held.Action1 || held.Action2 || held.Action3);
    for (size_t binding : {4, 6, 8})
        EXPECT_EQ(GetKeyDisplayName(config.GetBinding(binding).code, 0, 0), "??");
}

TEST_F(GLInputKeyboard, TypedTextComesOneCharacterPerReadWithThePasteAndRecallWords)
{
    PushText("hé!");
    ASSERT_EQ(SDL_SetClipboardText("one\ntwo"), 0);
    Key(true, SDL_SCANCODE_LCTRL);
    Key(true, SDL_SCANCODE_V, KMOD_LCTRL, SDLK_v); // the pump reads the clipboard
    Key(true, SDL_SCANCODE_R, KMOD_LCTRL);
    PushText("x"); // Ctrl held: a command, never text
    Poll();
    std::vector<std::string> read;
    for (int i = 0; i < 6; ++i)
        read.push_back(CaptureTypedText()); // through the manager Init set up
    EXPECT_EQ(read, (std::vector<std::string> {"h", "é", "!", "copy", "last", ""}));
    EXPECT_EQ(manager->TakePastedText(), "one");
    Key(false, SDL_SCANCODE_LCTRL);

    // Held arrows are words for the player's debug input, once per change.
    Key(true, SDL_SCANCODE_LEFT);
    Poll();
    EXPECT_EQ(manager->CaptureTypedText(), "LEFT");
    Poll();
    EXPECT_EQ(manager->CaptureTypedText(), "");

    // Text nobody read during a poll is dropped at the next one.
    PushText("abc");
    Poll();
    Poll();
    EXPECT_EQ(manager->CaptureTypedText(), "");
    Key(false, SDL_SCANCODE_LEFT);
    Poll();
    EXPECT_EQ(manager->CaptureTypedText(), "");

    // A held key types once: its repeats' text is none. Characters outside
    // the console's set (a capital, "=", "[") and Alt combinations are not
    // typed.
    Key(true, SDL_SCANCODE_A, KMOD_NONE, SDLK_a);
    PushText("a");
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(PushKeyRepeatForTest(SDL_SCANCODE_A, SDLK_a));
        PushText("a");
    }
    Key(false, SDL_SCANCODE_A);
    PushText("A=[");
    Key(true, SDL_SCANCODE_LALT);
    PushText("b");
    Key(false, SDL_SCANCODE_LALT);
    Poll();
    read.clear();
    for (int i = 0; i < 5; ++i)
        read.push_back(manager->CaptureTypedText());
    EXPECT_EQ(read, (std::vector<std::string> {"a", "", "", "", ""}));
}
