#include "engine/platform/InputBridge.h"

#include <gtest/gtest.h>

using platform::InputBridge;
using platform::InputEvent;
using platform::InputState;

namespace {

InputEvent Event(InputEvent::Type type, int code = 0, int value = 0, int pad = 0, std::string text = {})
{
    InputEvent event;
    event.type = type;
    event.code = code;
    event.value = value;
    event.pad = pad;
    event.text = std::move(text);
    return event;
}

} // namespace

TEST(InputBridge, KeyStateFollowsEventsAndIgnoresCodesOutOfRange)
{
    InputBridge bridge;
    bridge.Push(Event(InputEvent::Type::KeyDown, 4));
    bridge.Push(Event(InputEvent::Type::KeyDown, 44));
    bridge.Push(Event(InputEvent::Type::KeyUp, 4));
    bridge.Push(Event(InputEvent::Type::KeyDown, InputState::kKeyCount));
    bridge.Push(Event(InputEvent::Type::KeyDown, -1));
    const InputState state = bridge.Snapshot();
    EXPECT_FALSE(state.keys[4]);
    EXPECT_TRUE(state.keys[44]);

    const auto events = bridge.TakeEvents();
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[2].type, InputEvent::Type::KeyUp);
    EXPECT_TRUE(bridge.TakeEvents().empty());
    EXPECT_TRUE(bridge.Snapshot().keys[44]); // taking events keeps the state
}

TEST(InputBridge, PadStateTracksButtonsAxesHatsAndIsResetOnRemoval)
{
    InputBridge bridge;
    bridge.Push(Event(InputEvent::Type::PadAdded, 0, 0, 1));
    bridge.Push(Event(InputEvent::Type::PadButtonDown, 3, 0, 1));
    bridge.Push(Event(InputEvent::Type::PadAxis, 1, -32768, 1));
    bridge.Push(Event(InputEvent::Type::PadHat, 0, 8, 1));
    bridge.Push(Event(InputEvent::Type::PadButtonDown, 3, 0, 7)); // no such pad slot
    InputState state = bridge.Snapshot();
    EXPECT_TRUE(state.pads[1].connected);
    EXPECT_TRUE(state.pads[1].buttons[3]);
    EXPECT_EQ(state.pads[1].axes[1], -32768);
    EXPECT_EQ(state.pads[1].hats[0], 8);
    EXPECT_FALSE(state.pads[0].buttons[3]);

    bridge.Push(Event(InputEvent::Type::PadRemoved, 0, 0, 1));
    state = bridge.Snapshot();
    EXPECT_FALSE(state.pads[1].connected);
    EXPECT_FALSE(state.pads[1].buttons[3]);
    EXPECT_EQ(state.pads[1].axes[1], 0);
}

TEST(InputBridge, PasteKeepsTheFirstLineAndAtMost1024Characters)
{
    EXPECT_EQ(InputBridge::FirstLineForPaste("give gold\r\nsecond"), "give gold");
    EXPECT_EQ(InputBridge::FirstLineForPaste("one\nsecond"), "one");
    EXPECT_EQ(InputBridge::FirstLineForPaste(std::string(3000, 'x')).size(), InputBridge::kMaxPaste);

    InputBridge bridge;
    bridge.Push(Event(InputEvent::Type::Paste, 0, 0, 0, "debug\nquit"));
    const auto events = bridge.TakeEvents();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].text, "debug");
}

TEST(InputBridge, QueueDropsTheOldestEventsBeyondItsBound)
{
    InputBridge bridge;
    for (size_t i = 0; i < InputBridge::kMaxQueued + 10; ++i)
        bridge.Push(Event(InputEvent::Type::Text, 0, 0, 0, std::to_string(i)));
    const auto events = bridge.TakeEvents();
    ASSERT_EQ(events.size(), InputBridge::kMaxQueued);
    EXPECT_EQ(events.front().text, "10");
    EXPECT_EQ(events.back().text, std::to_string(InputBridge::kMaxQueued + 9));
}

TEST(InputBridge, KeysCarryThePcSet1CodesOfTheBindings)
{
    InputBridge bridge;
    bridge.Push(Event(InputEvent::Type::KeyDown, 44)); // SDL's Space
    EXPECT_TRUE(bridge.Snapshot().pcKeys[57]);
    EXPECT_EQ(bridge.TakeEvents()[0].pcCode, 57);
    bridge.Push(Event(InputEvent::Type::KeyUp, 44));
    EXPECT_FALSE(bridge.Snapshot().pcKeys[57]);
}

TEST(InputBridge, TakeHandsOverEventsWithTheirStateAndCloseRequestsOnce)
{
    InputBridge bridge;
    bridge.Push(Event(InputEvent::Type::KeyDown, 4));
    std::vector<InputEvent> events;
    InputState state;
    bridge.Take(events, state);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_TRUE(state.pcKeys[30]);
    bridge.Take(events, state);
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(state.pcKeys[30]);

    EXPECT_FALSE(bridge.TakeCloseRequest());
    bridge.PostClose();
    EXPECT_TRUE(bridge.TakeCloseRequest());
    EXPECT_FALSE(bridge.TakeCloseRequest());
}
