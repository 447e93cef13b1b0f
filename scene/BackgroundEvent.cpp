#include "scene/BackgroundEvent.h"

#include <utility>

constinit BackgroundEvent* BackgroundEvent::liveOldest = nullptr;
constinit BackgroundEvent* BackgroundEvent::liveNewest = nullptr;
constinit size_t BackgroundEvent::liveCount = 0;

namespace {

bool IsSpent(const BackgroundEvent* event)
{
    return event->IsAutoDelete() && event->IsFinished();
}

} // namespace

BackgroundEvent::BackgroundEvent(std::string name_)
    : name(std::move(name_))
{
    liveOlder = liveNewest;
    if (liveNewest != nullptr)
        liveNewest->liveNewer = this;
    else
        liveOldest = this;
    liveNewest = this;
    ++liveCount;
}

BackgroundEvent::~BackgroundEvent()
{
    (liveOlder != nullptr ? liveOlder->liveNewer : liveOldest) = liveNewer;
    (liveNewer != nullptr ? liveNewer->liveOlder : liveNewest) = liveOlder;
    --liveCount;
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
    for (BackgroundEvent* event = liveOldest; event != nullptr; event = event->liveNewer) {
        if (event->GetTypeName() == typeName)
            return event;
    }
    return nullptr;
}

std::vector<BackgroundEvent*> BackgroundEvent::FindAllByTypeName(const std::string& typeName)
{
    std::vector<BackgroundEvent*> found;
    for (BackgroundEvent* event = liveOldest; event != nullptr; event = event->liveNewer) {
        if (event->GetTypeName() == typeName)
            found.push_back(event);
    }
    return found;
}

bool BackgroundEvent::IsLive(const BackgroundEvent* event)
{
    for (const BackgroundEvent* live = liveOldest; live != nullptr; live = live->liveNewer) {
        if (live == event)
            return true;
    }
    return false;
}

size_t BackgroundEvent::GetLiveCount()
{
    return liveCount;
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
