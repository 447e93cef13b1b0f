#include "script/BGEvent_WaitMessage.h"

#include "engine/serial/FileUtils.h"

#include <utility>

BGEvent_WaitMessage::BGEvent_WaitMessage(std::string name_, std::string message_)
    : BackgroundEvent(std::move(name_))
    , message(std::move(message_))
{
}

void BGEvent_WaitMessage::ReceiveMessage(BGEvent_WaitMessage* event, const std::string& message)
{
    if (event != nullptr && ToLowerCase(message) == ToLowerCase(event->message))
        event->finished = true;
}

void BGEvent_WaitMessage::Broadcast(const std::string& message)
{
    for (BackgroundEvent* event : FindAllByTypeName("BGEvent_WaitMessage"))
        ReceiveMessage(static_cast<BGEvent_WaitMessage*>(event), message);
}
