#include "scene/BackgroundEvent.h"

#include <algorithm>
#include <utility>

namespace {

// Every event that exists, in the order they were made.
std::vector<BackgroundEvent*>& LiveEvents()
{
    static std::vector<BackgroundEvent*> live;
    return live;
}

bool IsSpent(const BackgroundEvent* event)
{
    return event->IsAutoDelete() && event->IsFinished();
}

} // namespace

BackgroundEvent::BackgroundEvent(std::string name_)
    : name(std::move(name_))
{
    LiveEvents().push_back(this);
}

BackgroundEvent::~BackgroundEvent()
{
    auto& live = LiveEvents();
    const auto found = std::find(live.begin(), live.end(), this);
    if (found != live.end())
        live.erase(found);
}

void BackgroundEvent::Run()
{
    started = false;
}

bool BackgroundEvent::Update()
{
    if (stopRequested)
        finished = true;
    return true;
}

void BackgroundEvent::Start()
{
    started = true;
}

void BackgroundEvent::Finish()
{
    finished = true;
}

void BackgroundEvent::Stop()
{
    stopRequested = true;
}

std::string BackgroundEvent::GetTypeName() const
{
    return "BackgroundEvent";
}

BackgroundEvent* BackgroundEvent::FindByTypeName(const std::string& typeName)
{
    for (BackgroundEvent* event : LiveEvents()) {
        if (event != nullptr && event->GetTypeName() == typeName)
            return event;
    }
    return nullptr;
}

std::vector<BackgroundEvent*> BackgroundEvent::FindAllByTypeName(const std::string& typeName)
{
    std::vector<BackgroundEvent*> found;
    for (BackgroundEvent* event : LiveEvents()) {
        if (event != nullptr && event->GetTypeName() == typeName)
            found.push_back(event);
    }
    return found;
}

bool BackgroundEvent::IsLive(const BackgroundEvent* event)
{
    const auto& live = LiveEvents();
    return event != nullptr && std::find(live.begin(), live.end(), event) != live.end();
}

size_t BackgroundEvent::GetLiveCount()
{
    return LiveEvents().size();
}

void BackgroundEvent::RunQueue(Queue& queue)
{
    // By index, the size read again each step: an event may queue another.
    for (size_t i = 0; i < queue.size(); ++i) {
        BackgroundEvent* event = queue[i].get();
        if (event != nullptr && !IsSpent(event))
            event->Run();
    }
}

void BackgroundEvent::UpdateQueue(Queue& queue)
{
    for (size_t i = 0; i < queue.size(); ++i) {
        BackgroundEvent* event = queue[i].get();
        if (event != nullptr && !IsSpent(event))
            event->Update();
    }
}

void BackgroundEvent::PurgeQueue(Queue& queue)
{
    for (size_t i = queue.size(); i-- > 0;) {
        BackgroundEvent* event = queue[i].get();
        if (event != nullptr && IsSpent(event))
            queue.erase(queue.begin() + static_cast<std::ptrdiff_t>(i));
    }
}
