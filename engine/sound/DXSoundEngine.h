#pragma once

#include "engine/sound/ISoundEngine.h"
#include "engine/sound/WaveFile.h"

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

struct ALCdevice_struct;
struct ALCcontext_struct;

class DXSoundEngine;
class DXSoundLayer;
class DXSoundBuffer;
class StreamingVoiceContext;

// Alive while an engine's OpenAL context is. Every source and buffer made on
// the context holds a weak reference: destroying the context frees them, and
// one that outlives it must not delete ids a later context may have reused.
using ALContextLife = std::weak_ptr<const void>;

// One OpenAL source. Its gain is its own volume times the volume of the layer
// it is routed to, so a layer's volume reaches every voice of the layer.
class DXSourceVoice {
public:
    explicit DXSourceVoice(ALContextLife contextLife);
    ~DXSourceVoice();

    DXSourceVoice(const DXSourceVoice&) = delete;
    DXSourceVoice& operator=(const DXSourceVoice&) = delete;

    // False when no source could be made (no output device), and once the
    // context it was made on is gone.
    bool IsValid() const { return valid && !life.expired(); }
    uint32_t GetSource() const { return source; }

    void SetOutput(DXSoundLayer* layer);
    DXSoundLayer* GetOutput() const { return output; }
    void SetVolume(float newVolume);
    float GetVolume() const { return volume; }
    // Pushes volume x layer volume to the source.
    void ApplyGain();

private:
    friend class DXSoundLayer;

    ALContextLife life;
    uint32_t source = 0;
    bool valid = false;
    float volume = 1.0f;
    DXSoundLayer* output = nullptr;
};

class DXSoundLayer : public ISoundLayer {
public:
    explicit DXSoundLayer(std::string layerName);
    ~DXSoundLayer() override;

    bool Create(ISoundEngine* engine) override;
    void Release() override;
    void SetVolume(float newVolume) override;
    float GetVolume() const override { return volume; }

    // True once created on an engine with an output device.
    bool HasSubmixVoice() const { return created; }
    void Attach(DXSourceVoice* voice);
    void Detach(DXSourceVoice* voice);

private:
    bool created = false;
    float volume = 1.0f;
    std::vector<DXSourceVoice*> voices; // routed here, not owned
};

class DXSoundRessource : public ISoundRessource {
public:
    DXSoundRessource(
        DXSoundEngine* ownerEngine, std::string fileName, Sound* ownerSound, ISoundLayer* instanceLayer);
    ~DXSoundRessource() override;

    ISoundInstanceRessource* CreateInstance() override;
    void ReleaseData() override;

    void SetData(std::vector<uint8_t> samples, const WaveFormat& waveFormat);
    bool HasData() const { return !data.empty(); }
    const std::vector<uint8_t>& GetData() const { return data; }
    uint32_t GetDataSize() const { return static_cast<uint32_t>(data.size()); }
    const WaveFormat& GetFormat() const { return format; }
    // Drops the samples; instances already made keep playing.
    void FreeData();

private:
    DXSoundEngine* engine;
    std::vector<uint8_t> data;
    WaveFormat format;
    ISoundLayer* layer;
    std::shared_ptr<DXSoundBuffer> buffer; // the samples uploaded to the device
};

class DXSoundInstanceRessource : public ISoundInstanceRessource {
public:
    DXSoundInstanceRessource(DXSoundRessource* source, std::shared_ptr<DXSoundBuffer> samples,
        std::unique_ptr<DXSourceVoice> sourceVoice);
    ~DXSoundInstanceRessource() override;

    void Release() override;
    void SetLayer(ISoundLayer* newLayer) override;
    void Play(int loopCount) override;
    void Resume() override;
    void Stop(bool pause) override;
    void SetVolume(float volume) override;
    float GetVolume() const override;
    bool IsPlaying() override;

private:
    bool HasVoice() const { return voice != nullptr && voice->IsValid(); }

    std::shared_ptr<DXSoundBuffer> buffer; // outlives the voice that plays it
    std::unique_ptr<DXSourceVoice> voice;
};

// The sound engine on OpenAL Soft. Init opens the default output device;
// InitLoopback opens OpenAL's loopback device instead, whose mix the caller
// pulls with RenderSamples (tests, offline rendering). Without any device the
// engine still loads sounds and hands out nothing that plays: the game is silent.
class DXSoundEngine : public ISoundEngine {
public:
    DXSoundEngine();
    ~DXSoundEngine() override;

    bool Init() override;
    // Stereo 16-bit output at the given rate, mixed only when asked.
    bool InitLoopback(int sampleRate);
    ISoundRessource* ImportSound(std::string fileName, Sound* owner) override;
    void ApplyVolumes() override;
    void ApplyVolumes(int musicVolume, int soundVolume);
    void ReleaseSoundData(ISoundRessource* ressource) override;

    // The output device and its context: XAudio2's mastering voice.
    bool HasMasteringVoice() const { return context != nullptr; }
    ALContextLife GetContextLife() const { return contextLife; }

    // Mixes the next frames of a loopback device into interleaved stereo,
    // refilling the music streams as it goes. False without a loopback device.
    bool RenderSamples(int16_t* interleavedStereo, int frames);

    // The music streams. The feeder thread refills their buffers under the
    // music mutex; replacing or deleting a stream takes it too, and the
    // streams take it in each of their own calls.
    std::unique_ptr<StreamingVoiceContext>& CurrentMusic() { return currentMusic; }
    std::unique_ptr<StreamingVoiceContext>& FadingMusic() { return fadingMusic; }
    std::recursive_mutex& GetMusicMutex() { return musicMutex; }
    // Refills the played buffers of both streams.
    void PumpMusic();

    // Says a problem of a sound or music file (debug output and stderr),
    // once per file name for the life of the engine: a track that a level
    // starts again and again is not reported again and again.
    void ReportFileProblem(const std::string& name, const std::string& message);

private:
    bool OpenContext(ALCdevice_struct* openedDevice, const int* attributes);
    void CreateLayers();
    void StartFeeder();
    void StopFeeder();
    void FeederLoop();

    ALCdevice_struct* device = nullptr;
    ALCcontext_struct* context = nullptr;
    std::shared_ptr<const void> contextLife;
    bool loopback = false;

    std::unique_ptr<StreamingVoiceContext> currentMusic;
    std::unique_ptr<StreamingVoiceContext> fadingMusic;
    std::recursive_mutex musicMutex;

    std::mutex reportMutex;
    std::set<std::string> reportedFiles;

    std::thread feeder;
    std::mutex feederMutex;
    std::condition_variable feederWake;
    bool feederStop = false;
};
