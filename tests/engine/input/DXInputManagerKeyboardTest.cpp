#include "tests/engine/input/InputDeviceFixture.h"

#include "engine/input/KeyDisplayName.h"

#include <cstring>
#include <sstream>
#include <vector>

namespace {

class GLInputKeyboard : public InputDeviceFixture { };

using A = InputActions;

} // namespace

TEST_F(GLInputKeyboard, HeldKeyActsOnEveryPollAndItsReleaseShowsForOnePoll)
{
    Key(true, SDL_SCANCODE_SPACE); // binding 4: Action1
    EXPECT_EQ(Poll(), Actions(0, 0, &A::Action1));
    EXPECT_EQ(manager->GetPreviousActions(), A());
    EXPECT_EQ(manager->GetReleasedActions(), A());

    EXPECT_EQ(Poll(), Actions(0, 0, &A::Action1));
    EXPECT_EQ(manager->GetPreviousActions(), Actions(0, 0, &A::Action1));
    EXPECT_EQ(manager->GetReleasedActions(), A());

    Key(false, SDL_SCANCODE_SPACE);
    EXPECT_EQ(Poll(), A());
    EXPECT_EQ(manager->GetPreviousActions(), Actions(0, 0, &A::Action1));
    EXPECT_EQ(manager->GetReleasedActions(), Actions(0, 0, &A::Action1));

    EXPECT_EQ(Poll(), A());
    EXPECT_EQ(manager->GetPreviousActions(), A());
    EXPECT_EQ(manager->GetReleasedActions(), A());
}

TEST_F(GLInputKeyboard, MovementAndActionsFollowTheBindings)
{
    EXPECT_EQ(Tap(SDL_SCANCODE_A), Actions(-1, 0));
    EXPECT_EQ(Tap(SDL_SCANCODE_D), Actions(1, 0));
    EXPECT_EQ(Tap(SDL_SCANCODE_W), Actions(0, 1));
    EXPECT_EQ(Tap(SDL_SCANCODE_S), Actions(0, -1));

    // Rebound: J moves left, K is Action1; A and Space no longer do anything.
    config.SetBinding(0, InputTriggerer(36, 0));
    config.SetBinding(4, InputTriggerer(37, 0));
    EXPECT_EQ(Tap(SDL_SCANCODE_A), A());
    EXPECT_EQ(Tap(SDL_SCANCODE_SPACE), A());
    Key(true, SDL_SCANCODE_J);
    EXPECT_EQ(Poll(), Actions(-1, 0));
    EXPECT_EQ(manager->GetLastKeyboardInput(), InputTriggerer(36, 0));
    EXPECT_EQ(manager->GetLastDevice(), 0);
    Key(false, SDL_SCANCODE_J);
    Poll();
    EXPECT_EQ(manager->GetLastKeyboardInput(), InputTriggerer()); // this poll's only
    EXPECT_EQ(Tap(SDL_SCANCODE_K), Actions(0, 0, &A::Action1));
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
        {SDL_SCANCODE_LCTRL, Actions(0, 0, &A::RawCtrl)}, {SDL_SCANCODE_RCTRL, Actions(0, 0, &A::RawCtrl)},
        {SDL_SCANCODE_RALT, Actions(0, 0, &A::RawRightAlt)},
        {SDL_SCANCODE_TAB, Actions(0, 0, &A::Action10)}, // RawTab only in debug mode
        {SDL_SCANCODE_F20, A()},                         // no set-1 code: not seen
    };
    for (const auto& [key, expected] : cases)
        EXPECT_EQ(Tap(key), expected) << SDL_GetScancodeName(key);
}

TEST_F(GLInputKeyboard, EscapeAndUnknownKeysNeverBecomeTheLastKeyboardInput)
{
    Key(true, SDL_SCANCODE_L);
    Poll();
    EXPECT_EQ(manager->GetLastKeyboardInput(), InputTriggerer(38, 0));
    for (SDL_Scancode key : {SDL_SCANCODE_ESCAPE, SDL_SCANCODE_F20}) {
        Key(true, key);
        Poll();
        EXPECT_EQ(manager->GetLastKeyboardInput(), InputTriggerer()) << SDL_GetScancodeName(key);
        Key(false, key);
        Poll();
    }
}

TEST_F(GLInputKeyboard, DebugModeLetsTabThroughAndF4CloseTheWindow)
{
    EXPECT_FALSE(Tap(SDL_SCANCODE_TAB).RawTab);
    Key(true, SDL_SCANCODE_F4);
    Poll();
    EXPECT_FALSE(Pump());
    Key(false, SDL_SCANCODE_F4);

    debug = true;
    EXPECT_EQ(Tap(SDL_SCANCODE_TAB), Actions(0, 0, &A::RawTab, &A::Action10));
    Key(true, SDL_SCANCODE_F4);
    Poll();
    EXPECT_TRUE(Pump());
}

TEST_F(GLInputKeyboard, KeySevenBindsAndActsLikeAnyOtherKey)
{
    // The key "7" has the code of the pad's Z axis; on the keyboard it is a
    // plain key, so the binding taken from it also matches it while held.
    Key(true, SDL_SCANCODE_7);
    Poll();
    const InputTriggerer taken = manager->GetLastKeyboardInput();
    EXPECT_EQ(taken, InputTriggerer(8, 0));
    EXPECT_EQ(GetKeyDisplayName(taken.code, taken.direction, 0), "7");
    config.SetBinding(4, taken);
    EXPECT_EQ(Poll(), Actions(0, 0, &A::Action1));
    Key(false, SDL_SCANCODE_7);
    Poll();
    EXPECT_EQ(manager->GetReleasedActions(), Actions(0, 0, &A::Action1));
}

TEST_F(GLInputKeyboard, AutoRepeatIsNoNewKeyPressButCountsForEditing)
{
    Key(true, SDL_SCANCODE_BACKSPACE);
    EXPECT_TRUE(Poll().RawBackspace);
    SDL_Event repeat {};
    repeat.type = SDL_KEYDOWN;
    repeat.key.state = SDL_PRESSED;
    repeat.key.repeat = 1;
    repeat.key.keysym.scancode = SDL_SCANCODE_BACKSPACE;
    ASSERT_EQ(SDL_PushEvent(&repeat), 1);
    EXPECT_EQ(Poll(), A()); // Back comes from key-down events only
    EXPECT_TRUE(manager->WasKeyPressed(14));
    EXPECT_TRUE(manager->IsKeyHeld(14));
}

TEST_F(GLInputKeyboard, BindingsWithCodesPastTheKeyTablesAreIgnored)
{
    // What "UserConfig.cfg" may hold: codes no key has.
    GameConfig stored;
    stored.SetBinding(4, InputTriggerer(300, 0));
    stored.SetBinding(6, InputTriggerer(4294967295u, 0));
    stored.SetBinding(8, InputTriggerer(256, 0));
    std::stringstream file;
    ASSERT_TRUE(stored.Write(file));
    ASSERT_TRUE(config.Read(file));
    ASSERT_EQ(config.GetBinding(6).code, 4294967295u);

    std::vector<SDL_Scancode> keys;
    for (int key = 1; key < SDL_NUM_SCANCODES; ++key)
        keys.push_back(static_cast<SDL_Scancode>(key));
    for (SDL_Scancode key : keys)
        Key(true, key);
    const InputActions held = Poll();
    EXPECT_FALSE(held.Action1 || held.Action2 || held.Action3);
    for (SDL_Scancode key : keys)
        Key(false, key);
    Poll();
    EXPECT_FALSE(manager->GetReleasedActions().Action1 || manager->GetReleasedActions().Action2);
    for (size_t binding : {4, 6, 8})
        EXPECT_EQ(GetKeyDisplayName(config.GetBinding(binding).code, 0, 0), "??");
}

TEST_F(GLInputKeyboard, TypedTextComesOneCharacterPerReadWithThePasteAndRecallWords)
{
    SDL_Event text {};
    text.type = SDL_TEXTINPUT;
    std::strcpy(text.text.text, "hé!");
    ASSERT_EQ(SDL_PushEvent(&text), 1);
    ASSERT_EQ(SDL_SetClipboardText("one\ntwo"), 0);
    Key(true, SDL_SCANCODE_LCTRL);
    Key(true, SDL_SCANCODE_V, KMOD_LCTRL, SDLK_v);
    Key(true, SDL_SCANCODE_R, KMOD_LCTRL);
    Poll();
    std::vector<std::string> read;
    for (int i = 0; i < 6; ++i)
        read.push_back(CaptureTypedText()); // through the manager Init set up
    EXPECT_EQ(read, (std::vector<std::string> {"h", "é", "!", "copy", "last", ""}));
    EXPECT_EQ(manager->TakePastedText(), "one");
    EXPECT_EQ(manager->TakePastedText(), "");
    Key(false, SDL_SCANCODE_V);
    Key(false, SDL_SCANCODE_R);
    Key(false, SDL_SCANCODE_LCTRL);

    // Held arrows are words, each given once until what is held changes;
    // Space is a word only with a modifier (without one it is typed text).
    Key(true, SDL_SCANCODE_LEFT);
    Poll();
    EXPECT_EQ(manager->CaptureTypedText(), "LEFT");
    Poll();
    EXPECT_EQ(manager->CaptureTypedText(), "");
    Key(true, SDL_SCANCODE_UP);
    Poll();
    EXPECT_EQ(manager->CaptureTypedText(), "UP");
    Key(false, SDL_SCANCODE_UP);
    Key(false, SDL_SCANCODE_LEFT);
    Key(true, SDL_SCANCODE_SPACE);
    Key(true, SDL_SCANCODE_RSHIFT);
    Poll();
    EXPECT_EQ(manager->CaptureTypedText(), "SPACEBAR");
    Key(false, SDL_SCANCODE_SPACE);
    Key(false, SDL_SCANCODE_RSHIFT);
    Poll();
    EXPECT_EQ(manager->CaptureTypedText(), "");

    // Text nobody read during a poll is dropped at the next one, so typing
    // while the console is closed never floods it later.
    std::strcpy(text.text.text, "abc");
    ASSERT_EQ(SDL_PushEvent(&text), 1);
    Poll();
    Poll();
    EXPECT_EQ(manager->CaptureTypedText(), "");
}

TEST(InputManager, WithoutItsDevicesThePollGivesEmptyRecordsAndSaysWhy)
{
    DXInputManager noWindow(nullptr);
    EXPECT_FALSE(noWindow.Init());
    EXPECT_EQ(noWindow.GetErrorText(), "Keyboard was not initialized because the device is unknowed");

    platform::InputBridge bridge;
    DXInputManager manager(&bridge);
    platform::InputEvent space;
    space.type = platform::InputEvent::Type::KeyDown;
    space.code = SDL_SCANCODE_SPACE;
    bridge.Push(space);
    manager.Poll(); // never initialised
    EXPECT_EQ(manager.GetErrorText(), "Keyboard can't be acquired because of it is not initialized");
    EXPECT_EQ(manager.GetPressedActions(), InputActions());

    ASSERT_TRUE(manager.Init());
    manager.Poll(); // the held Space, through the default bindings
    EXPECT_TRUE(manager.GetPressedActions().Action1);
    manager.Release();
    manager.Poll();
    EXPECT_EQ(manager.GetPressedActions(), InputActions());
    EXPECT_TRUE(manager.GetPreviousActions().Action1);
    manager.ClearActions();
    EXPECT_EQ(manager.GetPreviousActions(), InputActions());
}
