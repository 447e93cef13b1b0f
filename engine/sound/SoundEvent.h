#pragma once

#include "engine/serial/ISerialization.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class ISoundInstanceRessource;
class Sound;

// One voice of a sound event: a playing instance of one variation's sample.
class SoundInstance {
public:
    // Takes ownership of the instance (null when the sound has no sample).
    explicit SoundInstance(ISoundInstanceRessource* playing);
    virtual ~SoundInstance();

    SoundInstance(const SoundInstance&) = delete;
    SoundInstance& operator=(const SoundInstance&) = delete;

    // Starts the sample unless the same sound already started in this frame.
    void Play();
    void SetVolume(float volume);
    ISoundInstanceRessource* GetInstance() const { return instance.get(); }

private:
    std::unique_ptr<ISoundInstanceRessource> instance;
};

// A named sound the game plays: its variations (one picked at random per
// play), a fixed number of voices per variation so it can overlap itself, and,
// when positional, a volume set every frame from the player's distance.
class SoundEvent : public ISerialization {
public:
    SoundEvent(std::string eventName, bool positionalEvent, int voicesCount);
    ~SoundEvent() override;

    SoundEvent(const SoundEvent&) = delete;
    SoundEvent& operator=(const SoundEvent&) = delete;

    // Copies every field but the voices (name, playing flag, variations,
    // voice count, positional flag, position, radii).
    void CopyFrom(const SoundEvent& other);

    // Gives every variation its voices; once, on an object's own copy.
    void CreateVoices();
    void Play();
    void Stop();
    void SetPaused(bool paused);
    // Per frame: volume from the distance to the player; a looping sound out
    // of range is paused and picks up again when the player comes back.
    void UpdatePositional();
    int GetPlayingVoiceIndex() const;
    bool HasLoopingVoice() const;
    // Which of `count` free voices a drawn 32-bit number picks: drawn / 2^32
    // as a float (which may round to 1.0) times count, kept below count.
    static size_t PickFreeVoice(size_t count, uint32_t drawn);

    bool Serialize(std::ostream& os) override;
    // Events are never written by reference.
    bool SerializePtr(std::ostream&) override { return true; }
    bool UnSerialize(std::istream& is) override;
    std::string GetVersionedClassName() override { return "SoundEventV0"; }

    const std::string& GetName() const { return name; }
    bool IsPlaying() const { return playing; }
    int32_t GetVoicesPerVariation() const { return voicesPerVariation; }
    void SetVoicesPerVariation(int32_t count) { voicesPerVariation = count; }
    bool IsPositional() const { return positional; }
    void SetPositional(bool isPositional) { positional = isPositional; }
    void SetPosition(float newX, float newY)
    {
        x = newX;
        y = newY;
    }
    float GetInnerRadius() const { return innerRadius; }
    float GetOuterRadius() const { return outerRadius; }
    void SetRadii(float inner, float outer)
    {
        innerRadius = inner;
        outerRadius = outer;
    }
    std::vector<Sound*>& GetVariations() { return variations; }
    const std::vector<Sound*>& GetVariations() const { return variations; }
    const std::vector<std::unique_ptr<SoundInstance>>& GetVoices() const { return voices; }

private:
    // The positional volume at squared distance d2 (1 inside the inner radius, 0 at the outer).
    float VolumeAtSquaredDistance(float d2) const;

    std::string name;
    bool playing = false;
    std::vector<Sound*> variations;                     // not owned; entries may be null
    std::vector<std::unique_ptr<SoundInstance>> voices; // variation 0's, then variation 1's...
    int32_t voicesPerVariation;
    bool positional;
    float x = 0.0f;
    float y = 0.0f;
    float innerRadius = 100.0f;
    float outerRadius = 400.0f;
};
