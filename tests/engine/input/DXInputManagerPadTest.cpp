#include "tests/engine/input/InputDeviceFixture.h"

#include "engine/input/ExtendedPadState.h"
#include "engine/input/KeyDisplayName.h"

namespace {

class GLInputPad : public InputDeviceFixture { };

using A = InputActions;

// Buttons of SDL's virtual game controller.
constexpr int kA = 0;
constexpr int kB = 1;
constexpr int kY = 3;
constexpr int kLeftShoulder = 9;
constexpr int kDpadUp = 11;
constexpr int kDpadDown = 12;
constexpr int kDpadLeft = 13;
constexpr int kDpadRight = 14;
// Its axes.
constexpr int kLeftX = 0;
constexpr int kLeftY = 1;
constexpr int kLeftTrigger = 4;
constexpr int kRightTrigger = 5;

} // namespace

TEST_F(GLInputPad, ButtonPressedHeldAndReleasedOnAPadPluggedInMidRun)
{
    EXPECT_EQ(Poll(), A());
    EXPECT_EQ(manager->GetJoystick(0), -1);

    VirtualPad pad(true, 15, 6, 0);
    ASSERT_TRUE(pad.Attached());
    Poll();
    EXPECT_EQ(manager->GetJoystick(0), 0);

    ASSERT_TRUE(pad.Button(kA, true)); // pad button 0: binding 5 and Confirm
    EXPECT_EQ(Poll(), Actions(0, 0, &A::Action1, &A::Confirm));
    EXPECT_EQ(manager->GetReleasedActions(), A());
    EXPECT_EQ(manager->GetLastPadInput(), InputTriggerer(48, 0));
    EXPECT_EQ(manager->GetLastDevice(), 1);

    EXPECT_EQ(Poll(), Actions(0, 0, &A::Action1, &A::Confirm));
    EXPECT_EQ(manager->GetPreviousActions(), Actions(0, 0, &A::Action1, &A::Confirm));
    EXPECT_EQ(manager->GetLastPadInput(), InputTriggerer()); // this poll's only

    ASSERT_TRUE(pad.Button(kA, false));
    EXPECT_EQ(Poll(), A());
    EXPECT_EQ(manager->GetReleasedActions(), Actions(0, 0, &A::Action1));

    ASSERT_TRUE(pad.Button(kY, true)); // pad button 3: binding 11, Erase and R's flag
    EXPECT_EQ(Poll(), Actions(0, 0, &A::Action4, &A::Erase, &A::KeyROrPad3));
    EXPECT_EQ(GetKeyDisplayName(manager->GetLastPadInput().code, 0, 1), "{Y}");
}

TEST_F(GLInputPad, PadPulledOutWhileHeldStopsActingAndAnotherTakesItsPlace)
{
    auto first = std::make_unique<VirtualPad>(true, 15, 6, 0);
    Poll();
    VirtualPad second(false, 4, 3, 1);
    Poll();
    EXPECT_EQ(manager->GetJoystick(0), 0);
    ASSERT_TRUE(second.Button(1, true)); // not the pad in use: nothing
    EXPECT_EQ(Poll(), A());
    ASSERT_TRUE(first->Button(kA, true));
    EXPECT_EQ(Poll(), Actions(0, 0, &A::Action1, &A::Confirm));

    // The first pad goes: no release comes from a lost device, and the second
    // pad, still holding its button 1 (binding 7 and Back), takes over.
    first->Detach();
    EXPECT_EQ(Poll(), Actions(0, 0, &A::Action2, &A::Back));
    EXPECT_EQ(manager->GetReleasedActions(), A());
    EXPECT_EQ(manager->GetJoystick(0), 1);

    second.Detach();
    EXPECT_EQ(Poll(), A());
    EXPECT_EQ(manager->GetJoystick(0), -1);
    VirtualPad third(true, 15, 6, 0);
    Poll();
    ASSERT_TRUE(third.Button(kB, true));
    EXPECT_EQ(Poll(), Actions(0, 0, &A::Action2, &A::Back));
}

TEST_F(GLInputPad, KeyboardAndPadEachMatchOnlyTheirOwnSideOfTheBindings)
{
    VirtualPad pad(true, 15, 6, 0);
    Poll();
    // Keyboard B has set-1 code 48, pad button 0's code: binding 5 is the
    // pad's, so the key does nothing.
    EXPECT_EQ(Tap(SDL_SCANCODE_B), A());
    // "." (52) is keyboard Action2; pad code 52 (LB) is Action6 through binding 15.
    EXPECT_EQ(Tap(SDL_SCANCODE_PERIOD), Actions(0, 0, &A::Action2));
    ASSERT_TRUE(pad.Button(kLeftShoulder, true));
    EXPECT_EQ(Poll(), Actions(0, 0, &A::Action6));
    ASSERT_TRUE(pad.Button(kLeftShoulder, false));
    Poll();

    // The last device follows whoever sent the last input; Escape is none.
    EXPECT_EQ(manager->GetLastDevice(), 1);
    Tap(SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(manager->GetLastDevice(), 1);
    Tap(SDL_SCANCODE_Q);
    EXPECT_EQ(manager->GetLastDevice(), 0);

    // Rebound on the pad side: pad B becomes Action1, pad A does nothing bound.
    config.SetBinding(5, InputTriggerer(49, 0));
    ASSERT_TRUE(pad.Button(kB, true));
    EXPECT_EQ(Poll(), Actions(0, 0, &A::Action1, &A::Action2, &A::Back));
    ASSERT_TRUE(pad.Button(kB, false));
    Poll();
    ASSERT_TRUE(pad.Button(kA, true));
    EXPECT_EQ(Poll(), Actions(0, 0, &A::Confirm));
}

TEST_F(GLInputPad, StickAndDirectionalPadThresholds)
{
    VirtualPad pad(true, 15, 6, 0);
    Poll();
    struct Case {
        int x, y;   // stick, thousandths
        Uint8 dpad; // SDL hat bits made with the directional pad's buttons
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
        {0, 0, SDL_HAT_DOWN, Actions(0, -1, &A::MenuDown)}, {0, 0, SDL_HAT_LEFTDOWN, A()}, // 22500
        {0, 0, SDL_HAT_LEFT, Actions(-1, 0, &A::MenuLeft)}, {0, 0, SDL_HAT_LEFTUP, A()},   // 31500
        {-800, 0, SDL_HAT_RIGHT, Actions(1, 0, &A::MenuLeft, &A::MenuRight)},              // the hat wins x
    };
    const std::pair<Uint8, int> dpadButtons[] = {{SDL_HAT_UP, kDpadUp}, {SDL_HAT_DOWN, kDpadDown},
        {SDL_HAT_LEFT, kDpadLeft}, {SDL_HAT_RIGHT, kDpadRight}};
    auto set = [&](int x, int y, Uint8 dpad) {
        ASSERT_TRUE(pad.Axis(kLeftX, VirtualPad::RawFor(x)));
        ASSERT_TRUE(pad.Axis(kLeftY, VirtualPad::RawFor(y)));
        for (const auto& [bit, button] : dpadButtons)
            ASSERT_TRUE(pad.Button(button, (dpad & bit) != 0));
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
    ASSERT_TRUE(pad.Axis(kLeftTrigger, -32768)); // both triggers at rest
    ASSERT_TRUE(pad.Axis(kRightTrigger, -32768));
    Poll();

    // Right trigger half way: Z about -500, (8, -1), binding 17: Action7.
    ASSERT_TRUE(pad.Axis(kRightTrigger, 0));
    EXPECT_EQ(Poll(), Actions(0, 0, &A::Action7));
    EXPECT_EQ(manager->GetLastPadInput(), InputTriggerer(8, -1));
    EXPECT_EQ(GetKeyDisplayName(8, -1, 1), "{RT}");
    ASSERT_TRUE(pad.Axis(kRightTrigger, -32768));
    EXPECT_EQ(Poll(), A());

    // Left trigger fully: (8, +1), binding 19: Action8.
    ASSERT_TRUE(pad.Axis(kLeftTrigger, 32767));
    EXPECT_EQ(Poll(), Actions(0, 0, &A::Action8));
    EXPECT_EQ(manager->GetLastPadInput(), InputTriggerer(8, 1));

    // Barely touched (Z of 50 or so): no input.
    ASSERT_TRUE(pad.Axis(kLeftTrigger, -32768 + 2 * VirtualPad::RawFor(50)));
    EXPECT_EQ(Poll(), A());
    EXPECT_EQ(manager->GetLastPadInput(), InputTriggerer());
}

TEST_F(GLInputPad, PlainJoystickUsesItsOwnButtonAxisAndHatOrder)
{
    VirtualPad pad(false, 4, 3, 1);
    Poll();
    ASSERT_TRUE(pad.Button(3, true));
    EXPECT_EQ(Poll(), Actions(0, 0, &A::Action4, &A::Erase, &A::KeyROrPad3));
    ASSERT_TRUE(pad.Button(3, false));
    ASSERT_TRUE(pad.Axis(2, VirtualPad::RawFor(-500))); // the third axis is Z
    EXPECT_EQ(Poll(), Actions(0, 0, &A::Action7));
    ASSERT_TRUE(pad.Axis(2, 0));
    ASSERT_TRUE(pad.Hat(0, SDL_HAT_LEFT));
    EXPECT_EQ(Poll(), Actions(-1, 0, &A::MenuLeft));
}

TEST_F(GLInputPad, InputsAPadDoesNotHaveAreNeverPressed)
{
    // Bindings naming button 10 and 11 on a pad with two buttons and no Z.
    config.SetBinding(9, InputTriggerer(58, 0));
    config.SetBinding(21, InputTriggerer(59, 0));
    VirtualPad pad(false, 2, 2, 0);
    Poll();
    EXPECT_FALSE(pad.Button(10, true)); // SDL refuses it
    EXPECT_FALSE(pad.Axis(2, -32768));
    ASSERT_TRUE(pad.Button(0, true));
    ASSERT_TRUE(pad.Button(1, true));
    EXPECT_EQ(Poll(), Actions(0, 0, &A::Action1, &A::Action2, &A::Confirm, &A::Back));

    // Events past the layout (a pad with 40 buttons) are dropped as well.
    platform::InputEvent far;
    far.type = platform::InputEvent::Type::PadButtonDown;
    far.pad = manager->GetJoystick(0);
    far.code = 40;
    bridge.Push(far);
    EXPECT_EQ(Poll(), Actions(0, 0, &A::Action1, &A::Action2, &A::Confirm, &A::Back));
}

TEST(ExtendedPadState, AxesScaleEndToEndAndHatsGoClockwiseFromUp)
{
    EXPECT_EQ(ScalePadAxis(-32768), -1000);
    EXPECT_EQ(ScalePadAxis(32767), 1000);
    EXPECT_EQ(ScalePadAxis(0), 0);
    EXPECT_EQ(ScalePadAxis(16384), 500);
    EXPECT_EQ(HatToHundredths(SDL_HAT_CENTERED), 0xFFFFu);
    EXPECT_EQ(HatToHundredths(SDL_HAT_UP), 0u);
    EXPECT_EQ(HatToHundredths(SDL_HAT_LEFTUP), 31500u);
    EXPECT_EQ(HatToHundredths(SDL_HAT_UP | SDL_HAT_DOWN), 0xFFFFu);
}
