#include "tests/engine/input/InputDeviceFixture.h"

#include "engine/input/KeyDisplayName.h"

namespace {

class GLInputPad : public InputDeviceFixture { };

using A = InputActions;

// Buttons and axes of SDL's virtual game controller.
constexpr int kA = 0;
constexpr int kB = 1;
constexpr int kY = 3;
constexpr int kLeftShoulder = 9;
constexpr int kDpadFirst = 11; // up, down, left, right
constexpr int kLeftTrigger = 4;
constexpr int kRightTrigger = 5;

} // namespace

TEST_F(GLInputPad, ButtonPressedHeldAndReleasedOnAPadPluggedInMidRun)
{
    EXPECT_EQ(Poll(), A());
    VirtualPad pad(true, 15, 6, 0);
    Poll();
    EXPECT_EQ(manager->GetJoystick(0), 0);

    const InputActions buttonA = Actions(0, 0, &A::Action1, &A::Confirm); // binding 5
    ASSERT_TRUE(pad.Button(kA, true));
    ExpectPoll(buttonA, A(), A());
    EXPECT_EQ(manager->GetLastPadInput(), InputTriggerer(48, 0));
    EXPECT_EQ(manager->GetLastDevice(), 1);
    ExpectPoll(buttonA, buttonA, A());
    EXPECT_EQ(manager->GetLastPadInput(), InputTriggerer());
    ASSERT_TRUE(pad.Button(kA, false));
    ExpectPoll(A(), buttonA, Actions(0, 0, &A::Action1));

    ASSERT_TRUE(pad.Button(kY, true)); // button 3: binding 11, Erase and R's flag
    EXPECT_EQ(Poll(), Actions(0, 0, &A::Action4, &A::Erase, &A::KeyROrPad3));
    EXPECT_EQ(GetKeyDisplayName(manager->GetLastPadInput().code, 0, 1), "{Y}");
}

TEST_F(GLInputPad, PadPulledOutWhileHeldStopsActingAndAnotherTakesItsPlace)
{
    VirtualPad first(true, 15, 6, 0);
    Poll();
    VirtualPad second(false, 4, 3, 1);
    ASSERT_TRUE(second.Button(1, true)); // not the pad in use: nothing
    EXPECT_EQ(Poll(), A());
    ASSERT_TRUE(first.Button(kA, true));
    EXPECT_EQ(Poll(), Actions(0, 0, &A::Action1, &A::Confirm));

    // A lost pad sends no release; the second one, holding its button 1
    // (binding 7 and Back), takes over.
    first.Detach();
    ExpectPoll(Actions(0, 0, &A::Action2, &A::Back), Actions(0, 0, &A::Action1, &A::Confirm), A());
    EXPECT_EQ(manager->GetJoystick(0), 1);
    second.Detach();
    EXPECT_EQ(Poll(), A());
    EXPECT_EQ(manager->GetJoystick(0), -1);
}

TEST_F(GLInputPad, KeyboardAndPadEachMatchOnlyTheirOwnSideOfTheBindings)
{
    VirtualPad pad(true, 15, 6, 0);
    Poll();
    // Keyboard B has set-1 code 48 like pad button 0: binding 5 is the pad's.
    EXPECT_EQ(Tap(SDL_SCANCODE_B), A());
    // "." (52) is keyboard crossbow; pad code 52 (LB) is fireArmor through binding 15.
    EXPECT_EQ(Tap(SDL_SCANCODE_PERIOD), Actions(0, 0, &A::Action2));
    ASSERT_TRUE(pad.Button(kLeftShoulder, true));
    EXPECT_EQ(Poll(), Actions(0, 0, &A::Action6));
    ASSERT_TRUE(pad.Button(kLeftShoulder, false));
    Tap(SDL_SCANCODE_ESCAPE); // no input for the last device
    EXPECT_EQ(manager->GetLastDevice(), 1);
    Key(false, SDL_SCANCODE_7); // a release of no code: no input either
    Poll();
    EXPECT_EQ(manager->GetLastDevice(), 1);
    Tap(SDL_SCANCODE_Q);
    EXPECT_EQ(manager->GetLastDevice(), 0);

    config.SetBinding(5, InputTriggerer(49, 0)); // jump rebound to pad B
    ASSERT_TRUE(pad.Button(kB, true));
    EXPECT_EQ(Poll(), Actions(0, 0, &A::Action1, &A::Action2, &A::Back));
}

TEST_F(GLInputPad, StickAndDirectionalPadThresholds)
{
    VirtualPad pad(true, 15, 6, 0);
    Poll();
    struct Case {
        int x, y;   // stick, thousandths
        Uint8 dpad; // SDL hat bits, made with the directional pad's buttons
        InputActions expected;
    };
    const Case cases[] = {
        {360, 0, 0, A()}, {361, 0, 0, Actions(1, 0)}, {721, 0, 0, Actions(1, 0, &A::MenuRight)},
        {-361, 0, 0, Actions(-1, 0)}, {-721, 0, 0, Actions(-1, 0, &A::MenuLeft)}, {0, 400, 0, A()},
        {0, 401, 0, Actions(0, -1)}, {0, 801, 0, Actions(0, -1, &A::MenuDown)}, {0, -401, 0, Actions(0, 1)},
        {0, -801, 0, Actions(0, 1, &A::MenuUp)}, {0, 0, SDL_HAT_UP, Actions(0, 1, &A::MenuUp)},
        {0, 0, SDL_HAT_RIGHTUP, Actions(0, 1, &A::MenuUp)}, // 4500: up only
        {0, 0, SDL_HAT_RIGHT, Actions(1, 0, &A::MenuRight)},
        {0, 0, SDL_HAT_RIGHTDOWN, A()}, // 13500: no direction
        {0, 0, SDL_HAT_DOWN, Actions(0, -1, &A::MenuDown)}, {0, 0, SDL_HAT_LEFTDOWN, A()},
        {0, 0, SDL_HAT_LEFT, Actions(-1, 0, &A::MenuLeft)}, {0, 0, SDL_HAT_LEFTUP, A()},
        {-800, 0, SDL_HAT_RIGHT, Actions(1, 0, &A::MenuLeft, &A::MenuRight)}, // the hat wins x
    };
    const Uint8 dpadBits[] = {SDL_HAT_UP, SDL_HAT_DOWN, SDL_HAT_LEFT, SDL_HAT_RIGHT};
    auto set = [&](int x, int y, Uint8 dpad) {
        ASSERT_TRUE(pad.Axis(0, VirtualPad::RawFor(x)));
        ASSERT_TRUE(pad.Axis(1, VirtualPad::RawFor(y)));
        for (int i = 0; i < 4; ++i)
            ASSERT_TRUE(pad.Button(kDpadFirst + i, (dpad & dpadBits[i]) != 0));
    };
    for (const Case& c : cases) {
        set(c.x, c.y, c.dpad);
        EXPECT_EQ(Poll(), c.expected) << c.x << " " << c.y << " " << int(c.dpad);
        set(0, 0, 0);
        EXPECT_EQ(Poll(), A());
    }
}

TEST_F(GLInputPad, TriggersMoveTheZAxisBothWays)
{
    VirtualPad pad(true, 15, 6, 0);
    ASSERT_TRUE(pad.Axis(kLeftTrigger, -32768)); // both at rest
    ASSERT_TRUE(pad.Axis(kRightTrigger, -32768));
    Poll();
    ASSERT_TRUE(pad.Axis(kRightTrigger, 0)); // half way: Z -500, binding 17
    EXPECT_EQ(Poll(), Actions(0, 0, &A::Action7));
    EXPECT_EQ(manager->GetLastPadInput(), InputTriggerer(8, -1));
    ASSERT_TRUE(pad.Axis(kRightTrigger, -32768));
    ASSERT_TRUE(pad.Axis(kLeftTrigger, 32767)); // (8, +1), binding 19
    EXPECT_EQ(Poll(), Actions(0, 0, &A::Action8));
    EXPECT_EQ(manager->GetLastPadInput(), InputTriggerer(8, 1));
    ASSERT_TRUE(pad.Axis(kLeftTrigger, -32768 + 2 * VirtualPad::RawFor(50))); // Z 50: nothing
    EXPECT_EQ(Poll(), A());
    EXPECT_EQ(manager->GetLastPadInput(), InputTriggerer());
}

TEST_F(GLInputPad, PlainJoystickKeepsItsOrderAndInputsItLacksAreNeverPressed)
{
    config.SetBinding(9, InputTriggerer(58, 0)); // button 10
    config.SetBinding(21, InputTriggerer(59, 0));
    config.SetBinding(13, InputTriggerer()); // unbound: hat and axis moves never set iceArmor
    VirtualPad pad(false, 4, 3, 1);
    Poll();
    EXPECT_FALSE(pad.Button(10, true)); // SDL refuses it
    ASSERT_TRUE(pad.Button(3, true));
    EXPECT_EQ(Poll(), Actions(0, 0, &A::Action4, &A::Erase, &A::KeyROrPad3));
    ASSERT_TRUE(pad.Button(3, false));
    ASSERT_TRUE(pad.Axis(2, VirtualPad::RawFor(-500))); // the third axis is Z
    ASSERT_TRUE(pad.Hat(0, SDL_HAT_LEFT));
    EXPECT_EQ(Poll(), Actions(-1, 0, &A::Action7, &A::MenuLeft));

    platform::InputEvent far; // button 40 of a bigger pad: past the layout
    far.type = platform::InputEvent::Type::PadButtonDown;
    far.code = 40;
    bridge.Push(far);
    EXPECT_EQ(Poll(), Actions(-1, 0, &A::Action7, &A::MenuLeft));
}

TEST_F(GLInputPad, StartPausesThroughItsBindingOnly)
{
    constexpr int kStart = 6; // SDL's Start: button 7 of the pad layout
    VirtualPad pad(true, 15, 6, 0);
    Poll();
    ASSERT_TRUE(pad.Button(kStart, true));
    EXPECT_TRUE(Poll().Action9); // binding 21
    ASSERT_TRUE(pad.Button(kStart, false));
    Poll();

    // Rebound to button 3: Start is an ordinary button again.
    config.SetBinding(21, InputTriggerer(51, 0));
    ASSERT_TRUE(pad.Button(kStart, true));
    EXPECT_FALSE(Poll().Action9);
    ASSERT_TRUE(pad.Button(kStart, false));
    Poll();

    // Undefined, or a code no pad sends (a damaged settings file): Start is
    // bound to nothing and does not pause.
    for (const InputTriggerer& broken :
        {InputTriggerer(0, 0), InputTriggerer(4000000000u, 0), InputTriggerer(8, 0)}) {
        config.SetBinding(21, broken);
        ASSERT_TRUE(pad.Button(kStart, true));
        EXPECT_FALSE(Poll().Action9) << broken.code;
        ASSERT_TRUE(pad.Button(kStart, false));
        Poll();
    }
}
