#pragma once

#include "engine/serial/ISerialization.h"

#include <memory>
#include <string>
#include <vector>

class SoundEvent;

// The catalogue of every sound event the game can play, fixed in the program;
// the game library's record adds each event's sounds and radii. Scene objects
// get their own copies of the events they use. Also keeps the names of the
// sounds started in the current frame, so no sound starts twice in a frame.
class SoundEventsManager : public ISerialization {
public:
    SoundEventsManager();
    ~SoundEventsManager() override;

    SoundEventsManager(const SoundEventsManager&) = delete;
    SoundEventsManager& operator=(const SoundEventsManager&) = delete;

    // The registered event of exactly that name, or null.
    SoundEvent* FindEvent(const std::string& name);
    // A new live copy of the registered event (without voices), or null.
    SoundEvent* CopyEventForObject(const std::string& name);
    // Deletes a live copy and nulls the caller's pointer; false for anything else.
    bool ReleaseEvent(SoundEvent** event);
    void PauseAll();
    void ResumeAll();
    void StopAll();

    bool Serialize(std::ostream& os) override;
    // Records of unknown events are dropped; the positional flag and voice
    // count always stay the built-in table's.
    bool UnSerialize(std::istream& is) override;
    std::string GetVersionedClassName() override { return "SoundEventsManagerV0"; }

    void AddStartedSound(const std::string& soundName) { startedSounds.push_back(soundName); }
    bool WasStartedThisFrame(const std::string& soundName) const;
    // Emptied at the start of every frame update.
    void ClearStartedSounds() { startedSounds.clear(); }
    const std::vector<std::string>& GetStartedSounds() const { return startedSounds; }

    const std::vector<std::unique_ptr<SoundEvent>>& GetRegisteredEvents() const { return registeredEvents; }
    size_t GetLiveCopyCount() const { return liveCopies.size(); }

    // The detached events: live copies their objects gave up so that they
    // play on after them (a dying character's death sound). Detach takes a
    // live copy of this manager (anything else is refused: false); once a
    // frame UpdateDetached follows them and releases those that stopped.
    bool Detach(SoundEvent* event);
    void UpdateDetached();
    size_t GetDetachedCount() const { return detached.size(); }

private:
    std::vector<std::unique_ptr<SoundEvent>> registeredEvents;
    std::vector<std::unique_ptr<SoundEvent>> liveCopies;
    std::vector<std::string> startedSounds;
    std::vector<SoundEvent*> detached;
};
