#pragma once

// An event that runs over several frames (a dialogue, a camera move, a wait),
// queued on the level and run by the game's frame update. This is the part
// the level needs: the two flags that decide when the level frees it, and the
// per-frame step. The script issue gives the event family its behaviour.
class BackgroundEvent {
public:
    virtual ~BackgroundEvent() = default;

    // One frame of the event; the base has nothing to do.
    virtual bool Run() { return true; }

    bool IsFinished() const { return finished; }
    void SetFinished(bool value) { finished = value; }
    bool IsAutoDelete() const { return autoDelete; }
    void SetAutoDelete(bool value) { autoDelete = value; }

protected:
    bool finished = false;
    bool autoDelete = true;
};
