#pragma once

#include "script/BackgroundEvent.h"

#include <string>

// Waits until a message of its name is broadcast (letter case ignored). A
// message broadcast before the event exists is lost.
class BGEvent_WaitMessage : public BackgroundEvent {
public:
    BGEvent_WaitMessage(std::string name, std::string message);

    std::string GetTypeName() const override { return "BGEvent_WaitMessage"; }
    const std::string& GetMessage() const { return message; }

    // Finishes the event when the message equals its own, letter case ignored.
    static void ReceiveMessage(BGEvent_WaitMessage* event, const std::string& message);
    // Hands the message to every live wait-message event, oldest first.
    static void Broadcast(const std::string& message);

private:
    std::string message;
};
