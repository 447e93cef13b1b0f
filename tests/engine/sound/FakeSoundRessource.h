#pragma once

// A sample resource whose instances only keep their state: the sound-event
// logic runs without any audio device.

#include "engine/sound/ISoundEngine.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundEventsManager.h"
#include "engine/sound/SoundGameAccess.h"

#include <vector>

namespace soundtest {

class FakeInstance : public ISoundInstanceRessource
{
public:
    using ISoundInstanceRessource::ISoundInstanceRessource;

    void Release() override {}
    void SetLayer(ISoundLayer* newLayer) override { layer = newLayer; }
    void Play(int) override
    {
        playing = true;
        paused = false;
        ++starts;
        // Reports the start to the frame's list, as the engine's instances do.
        if (SoundGameAccess* game = GetSoundGameAccess(); game != nullptr && game->GetSoundEventsManager() != nullptr)
            game->GetSoundEventsManager()->AddStartedSound(ressource->GetOwner()->GetName());
    }
    void Resume() override
    {
        if (playing)
            paused = false;
    }
    void Stop(bool pause) override
    {
        if (pause && playing)
            paused = true;
        if (!pause)
            playing = paused = false;
    }
    void SetVolume(float newVolume) override { volume = newVolume; }
    float GetVolume() const override { return volume; }
    bool IsPlaying() override { return playing; }

    bool playing = false;
    bool paused = false;
    int starts = 0;
    float volume = 1.0f;
};

class FakeRessource : public ISoundRessource
{
public:
    explicit FakeRessource(Sound* owner) : ISoundRessource(owner->GetName() + ".wav", owner) {}

    ISoundInstanceRessource* CreateInstance() override
    {
        auto* instance = new FakeInstance(this);
        made.push_back(instance);
        return instance;
    }
    void ReleaseData() override {}

    std::vector<FakeInstance*> made; // owned by the event voices
};

// A sound record with a fake resource.
inline std::unique_ptr<Sound> MakeFakeSound(const std::string& name, bool loop = false)
{
    auto sound = std::make_unique<Sound>(name, name + ".wav");
    sound->SetLoop(loop);
    sound->SetRessource(std::make_unique<FakeRessource>(sound.get()));
    return sound;
}

inline FakeRessource& FakeOf(const Sound& sound)
{
    return static_cast<FakeRessource&>(*sound.GetRessource());
}

} // namespace soundtest
