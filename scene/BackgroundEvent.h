#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// An event that lives over several frames and does one job of a cut-scene or
// of a game effect (a dialogue, a camera move, a wait, a particle burst). The
// level queues events and the game's frame update steps the queue in two
// passes per frame (Run early, Update late), then frees the finished
// auto-delete events. Every event that exists is also on the live-event list,
// which serves look-ups by type name and owns nothing. The list is threaded
// through the events themselves from two plain pointers that need neither
// construction nor destruction, so an event that lives as long as the
// program (in a static owner destroyed at exit) can still leave it.
class BackgroundEvent {
public:
    explicit BackgroundEvent(std::string name = "");
    virtual ~BackgroundEvent();
    BackgroundEvent(const BackgroundEvent&) = delete;
    BackgroundEvent& operator=(const BackgroundEvent&) = delete;

    // First pass of a frame; the base clears started.
    virtual void Run();
    // Second pass of a frame; a stop request becomes finished. Always true.
    virtual bool Update();
    virtual void Start();
    virtual void Finish();
    // Asks the event to end: it is finished after its next Update.
    virtual void Stop();
    // The class name ("BackgroundEvent" for the base).
    virtual std::string GetTypeName() const;

    const std::string& GetName() const { return name; }
    bool IsAutoDelete() const { return autoDelete; }
    void SetAutoDelete(bool value) { autoDelete = value; }
    bool IsStarted() const { return started; }
    bool IsStopRequested() const { return stopRequested; }
    bool IsFinished() const { return finished; }
    void SetFinished(bool value) { finished = value; }
    int32_t GetParam(int i) const { return (i >= 0 && i < 4) ? params[i] : 0; }
    void SetParam(int i, int32_t value)
    {
        if (i >= 0 && i < 4)
            params[i] = value;
    }

    // The first live event whose type name is exactly typeName (oldest
    // first), or null.
    static BackgroundEvent* FindByTypeName(const std::string& typeName);
    // Every live event of that type name, oldest first.
    static std::vector<BackgroundEvent*> FindAllByTypeName(const std::string& typeName);
    // How many events exist now.
    static size_t GetLiveCount();
    // Whether the pointer names an event that still exists.
    static bool IsLive(const BackgroundEvent* event);

    // The passes of the game's frame update over a level's queue. RunQueue
    // re-reads the size at every step, so events queued during the pass run
    // in it too. Both skip null entries and events that are auto-delete and
    // finished. PurgeQueue walks from the back and destroys those.
    using Queue = std::vector<std::unique_ptr<BackgroundEvent>>;
    static void RunQueue(Queue& queue);
    static void UpdateQueue(Queue& queue);
    static void PurgeQueue(Queue& queue);

protected:
    std::string name;
    bool autoDelete = true;
    bool started = false;
    bool stopRequested = false;
    bool finished = false;
    // Free for the subclasses; by convention the third is the event's frame
    // counter.
    int32_t params[4] = {0, 0, 0, 0};

private:
    // Neighbours on the live-event list (oldest first).
    BackgroundEvent* liveOlder = nullptr;
    BackgroundEvent* liveNewer = nullptr;
    static constinit BackgroundEvent* liveOldest;
    static constinit BackgroundEvent* liveNewest;
    static constinit size_t liveCount;
};
