#include "engine/sound/DXSoundEngine.h"

#include "engine/assets/ScrambledFile.h"
#include "engine/config/GameConfig.h"
#include "engine/config/GamePaths.h"
#include "engine/platform/DebugOutput.h"
#include "engine/platform/Paths.h"
#include "engine/serial/FileUtils.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundEventsManager.h"
#include "engine/sound/SoundGameAccess.h"
#include "engine/sound/StreamingVoiceContext.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>

static_assert(sizeof(ALuint) == sizeof(uint32_t));

namespace {

constexpr int kLoopbackChunkFrames = 1024;
constexpr auto kFeederPeriod = std::chrono::milliseconds(20);

ALenum ALFormatOf(const WaveFormat& format)
{
    if (format.channels == 1)
        return format.bitsPerSample == 8 ? AL_FORMAT_MONO8 : AL_FORMAT_MONO16;
    return format.bitsPerSample == 8 ? AL_FORMAT_STEREO8 : AL_FORMAT_STEREO16;
}

// Opens a ".qhsound" file: stored plain when it starts as a RIFF file, else
// scrambled, its RIFF WAVE bytes then read from memory. A missing file fails
// quietly.
bool OpenSoundFallback(const std::string& path, WaveFile& wave)
{
    char head[4] = {};
    std::ifstream file = platform::OpenRegularFile(platform::ResolvePath(path), std::ios::binary);
    if (!file || !file.read(head, 4))
        return false;
    if (std::memcmp(head, "RIFF", 4) == 0)
        return wave.OpenFile(path);
    std::vector<uint8_t> bytes;
    return LoadScrambledFile(path, bytes) && wave.OpenMemory(bytes.data(), bytes.size(), path);
}

} // namespace

// Sample data uploaded to the device once per resource; shared by the
// resource and every instance made from it, so a buffer is deleted only after
// the last source that plays it.
class DXSoundBuffer {
public:
    DXSoundBuffer(const WaveFormat& format, const std::vector<uint8_t>& samples, ALContextLife contextLife)
        : life(std::move(contextLife))
    {
        alGetError();
        alGenBuffers(1, &id);
        if (alGetError() != AL_NO_ERROR)
            return;
        alBufferData(id, ALFormatOf(format), samples.data(), static_cast<ALsizei>(samples.size()),
            static_cast<ALsizei>(format.samplesPerSec));
        valid = alGetError() == AL_NO_ERROR;
    }
    ~DXSoundBuffer()
    {
        if (id != 0 && !life.expired())
            alDeleteBuffers(1, &id);
    }
    DXSoundBuffer(const DXSoundBuffer&) = delete;
    DXSoundBuffer& operator=(const DXSoundBuffer&) = delete;

    ALContextLife life;
    ALuint id = 0;
    bool valid = false;
};

// ---------------------------------------------------------------- voices

DXSourceVoice::DXSourceVoice(ALContextLife contextLife)
    : life(std::move(contextLife))
{
    if (life.expired() || alcGetCurrentContext() == nullptr)
        return;
    alGetError();
    alGenSources(1, &source);
    valid = alGetError() == AL_NO_ERROR;
    if (!valid) {
        source = 0;
        return;
    }
    // Voices are not placed in space: positional events set their own volume.
    alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(source, AL_POSITION, 0.0f, 0.0f, 0.0f);
    alSourcef(source, AL_ROLLOFF_FACTOR, 0.0f);
    ApplyGain();
}

DXSourceVoice::~DXSourceVoice()
{
    SetOutput(nullptr);
    if (IsValid()) {
        alSourceStop(source);
        alSourcei(source, AL_BUFFER, 0);
        alDeleteSources(1, &source);
    }
}

void DXSourceVoice::SetOutput(DXSoundLayer* layer)
{
    if (output == layer)
        return;
    if (output != nullptr)
        output->Detach(this);
    output = layer;
    if (output != nullptr)
        output->Attach(this);
    ApplyGain();
}

void DXSourceVoice::SetVolume(float newVolume)
{
    volume = newVolume;
    ApplyGain();
}

void DXSourceVoice::ApplyGain()
{
    if (!IsValid())
        return;
    const float layerVolume = output != nullptr ? output->GetVolume() : 1.0f;
    alSourcef(source, AL_GAIN, std::max(volume * layerVolume, 0.0f));
}

// ---------------------------------------------------------------- layers

DXSoundLayer::DXSoundLayer(std::string layerName)
    : ISoundLayer(std::move(layerName))
{
}

DXSoundLayer::~DXSoundLayer()
{
    Release();
}

bool DXSoundLayer::Create(ISoundEngine* engine)
{
    if (engine == nullptr && GetSoundGameAccess() != nullptr)
        engine = GetSoundGameAccess()->GetSoundEngine();
    auto* dxEngine = dynamic_cast<DXSoundEngine*>(engine);
    created = dxEngine != nullptr && dxEngine->HasMasteringVoice();
    return created;
}

void DXSoundLayer::Release()
{
    // Voices still routed here go on at their own volume, straight to the output.
    std::vector<DXSourceVoice*> routed;
    routed.swap(voices);
    for (DXSourceVoice* voice : routed) {
        voice->output = nullptr;
        voice->ApplyGain();
    }
    created = false;
}

void DXSoundLayer::SetVolume(float newVolume)
{
    volume = newVolume;
    for (DXSourceVoice* voice : voices)
        voice->ApplyGain();
}

void DXSoundLayer::Attach(DXSourceVoice* voice)
{
    if (std::find(voices.begin(), voices.end(), voice) == voices.end())
        voices.push_back(voice);
}

void DXSoundLayer::Detach(DXSourceVoice* voice)
{
    voices.erase(std::remove(voices.begin(), voices.end(), voice), voices.end());
}

// ---------------------------------------------------------------- resources

DXSoundRessource::DXSoundRessource(
    DXSoundEngine* ownerEngine, std::string fileName, Sound* ownerSound, ISoundLayer* instanceLayer)
    : ISoundRessource(std::move(fileName), ownerSound)
    , engine(ownerEngine)
    , layer(instanceLayer)
{
}

DXSoundRessource::~DXSoundRessource() = default;

void DXSoundRessource::SetData(std::vector<uint8_t> samples, const WaveFormat& waveFormat)
{
    data = std::move(samples);
    format = waveFormat;
    buffer.reset();
    if (engine != nullptr && engine->HasMasteringVoice() && !data.empty()) {
        auto uploaded = std::make_shared<DXSoundBuffer>(format, data, engine->GetContextLife());
        if (uploaded->valid)
            buffer = std::move(uploaded);
    }
}

void DXSoundRessource::FreeData()
{
    data.clear();
    data.shrink_to_fit();
    buffer.reset();
}

ISoundInstanceRessource* DXSoundRessource::CreateInstance()
{
    if (buffer == nullptr)
        return nullptr;
    auto voice = std::make_unique<DXSourceVoice>(buffer->life);
    if (!voice->IsValid())
        return nullptr;
    auto* instance = new DXSoundInstanceRessource(this, buffer, std::move(voice));
    if (layer != nullptr)
        instance->SetLayer(layer);
    return instance;
}

void DXSoundRessource::ReleaseData()
{
    // Not routed through the engine: a sound may outlive it.
    FreeData();
}

// ---------------------------------------------------------------- instances

DXSoundInstanceRessource::DXSoundInstanceRessource(DXSoundRessource* source,
    std::shared_ptr<DXSoundBuffer> samples, std::unique_ptr<DXSourceVoice> sourceVoice)
    : ISoundInstanceRessource(source)
    , buffer(std::move(samples))
    , voice(std::move(sourceVoice))
{
}

DXSoundInstanceRessource::~DXSoundInstanceRessource()
{
    Release();
}

void DXSoundInstanceRessource::Release()
{
    Stop(false);
    voice.reset();
}

void DXSoundInstanceRessource::SetLayer(ISoundLayer* newLayer)
{
    layer = newLayer;
    auto* dxLayer = dynamic_cast<DXSoundLayer*>(newLayer);
    if (voice != nullptr && dxLayer != nullptr && dxLayer->HasSubmixVoice())
        voice->SetOutput(dxLayer);
}

void DXSoundInstanceRessource::Play(int loopCount)
{
    if (!HasVoice() || ressource == nullptr || ressource->GetOwner() == nullptr || buffer == nullptr)
        return;
    Sound* owner = ressource->GetOwner();
    const ALuint source = voice->GetSource();

    alSourceStop(source);
    alSourcei(source, AL_BUFFER, 0);
    // A count of 255 (or a looping sound) plays for ever; otherwise the sample
    // plays once more per loop.
    if (owner->GetLoop() || loopCount >= 255) {
        alSourcei(source, AL_LOOPING, AL_TRUE);
        alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer->id));
    } else {
        alSourcei(source, AL_LOOPING, AL_FALSE);
        const int plays = std::max(loopCount, 0) + 1;
        for (int i = 0; i < plays; ++i)
            alSourceQueueBuffers(source, 1, &buffer->id);
    }
    alSourcePlay(source);

    if (SoundGameAccess* game = GetSoundGameAccess())
        if (SoundEventsManager* manager = game->GetSoundEventsManager())
            manager->AddStartedSound(owner->GetName());
}

void DXSoundInstanceRessource::Resume()
{
    if (!IsPlaying())
        return;
    ALint state = AL_INITIAL;
    alGetSourcei(voice->GetSource(), AL_SOURCE_STATE, &state);
    // Playing an already playing source would restart it.
    if (state == AL_PAUSED)
        alSourcePlay(voice->GetSource());
}

void DXSoundInstanceRessource::Stop(bool pause)
{
    if (!HasVoice())
        return;
    const ALuint source = voice->GetSource();
    if (pause) {
        ALint state = AL_INITIAL;
        alGetSourcei(source, AL_SOURCE_STATE, &state);
        if (state == AL_PLAYING)
            alSourcePause(source);
        return;
    }
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, 0);
}

void DXSoundInstanceRessource::SetVolume(float volume)
{
    if (voice != nullptr)
        voice->SetVolume(volume);
}

float DXSoundInstanceRessource::GetVolume() const
{
    return voice != nullptr ? voice->GetVolume() : 0.0f;
}

bool DXSoundInstanceRessource::IsPlaying()
{
    if (!HasVoice())
        return false;
    ALint state = AL_INITIAL;
    alGetSourcei(voice->GetSource(), AL_SOURCE_STATE, &state);
    return state == AL_PLAYING || state == AL_PAUSED;
}

// ---------------------------------------------------------------- engine

DXSoundEngine::DXSoundEngine()
    : ISoundEngine("DXSoundEngine")
{
}

DXSoundEngine::~DXSoundEngine()
{
    StopFeeder();
    {
        std::lock_guard lock(musicMutex);
        currentMusic.reset();
        fadingMusic.reset();
    }
    musicLayer.reset();
    soundLayer.reset();
    contextLife.reset();
    if (context != nullptr) {
        if (alcGetCurrentContext() == context)
            alcMakeContextCurrent(nullptr);
        alcDestroyContext(context);
    }
    if (device != nullptr)
        alcCloseDevice(device);
}

bool DXSoundEngine::OpenContext(ALCdevice* openedDevice, const int* attributes)
{
    ALCcontext* created = alcCreateContext(openedDevice, attributes);
    if (created == nullptr)
        return false;
    if (alcMakeContextCurrent(created) == ALC_FALSE) {
        alcDestroyContext(created);
        return false;
    }
    device = openedDevice;
    context = created;
    contextLife = std::make_shared<const int>(0);
    alListenerf(AL_GAIN, 1.0f);
    return true;
}

void DXSoundEngine::CreateLayers()
{
    musicLayer = std::make_unique<DXSoundLayer>("MainMusicLayer");
    soundLayer = std::make_unique<DXSoundLayer>("MainSoundLayer");
    musicLayer->Create(this);
    soundLayer->Create(this);
}

bool DXSoundEngine::Init()
{
    if (context != nullptr)
        return false;
    ALCdevice* opened = alcOpenDevice(nullptr);
    if (opened == nullptr || !OpenContext(opened, nullptr)) {
        const ALCenum code = alcGetError(opened);
        std::printf("Failed creating mastering voice: %#X\n", static_cast<unsigned>(code));
        std::fflush(stdout);
        if (opened != nullptr)
            alcCloseDevice(opened);
        return false;
    }
    loopback = false;
    CreateLayers();
    StartFeeder();
    return true;
}

bool DXSoundEngine::InitLoopback(int rate)
{
    if (context != nullptr || rate <= 0)
        return false;
    if (alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback") == ALC_FALSE)
        return false;
    auto openLoopback = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(
        alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
    if (openLoopback == nullptr)
        return false;
    ALCdevice* opened = openLoopback(nullptr);
    if (opened == nullptr)
        return false;
    const ALCint attributes[] = {
        ALC_FREQUENCY,
        rate,
        ALC_FORMAT_CHANNELS_SOFT,
        ALC_STEREO_SOFT,
        ALC_FORMAT_TYPE_SOFT,
        ALC_SHORT_SOFT,
        ALC_HRTF_SOFT,
        ALC_FALSE,
        ALC_OUTPUT_LIMITER_SOFT,
        ALC_FALSE,
        0,
    };
    if (!OpenContext(opened, attributes)) {
        alcCloseDevice(opened);
        return false;
    }
    loopback = true;
    CreateLayers();
    return true;
}

bool DXSoundEngine::RenderSamples(int16_t* interleavedStereo, int frames)
{
    if (!loopback || interleavedStereo == nullptr || frames < 0)
        return false;
    static const auto renderSamples
        = reinterpret_cast<LPALCRENDERSAMPLESSOFT>(alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
    if (renderSamples == nullptr)
        return false;
    int done = 0;
    while (done < frames) {
        PumpMusic();
        const int chunk = std::min(kLoopbackChunkFrames, frames - done);
        renderSamples(device, interleavedStereo + static_cast<size_t>(done) * 2, chunk);
        done += chunk;
    }
    return true;
}

ISoundRessource* DXSoundEngine::ImportSound(std::string fileName, Sound* owner)
{
    const std::string name = ToLowerCase(std::move(fileName));
    if (name.find(".wav") == std::string::npos)
        return nullptr;

    WaveFile wave;
    std::string opened;
    const std::string inFolder = GetSoundPath() + name;
    if (wave.OpenFile(name))
        opened = name;
    else if (wave.OpenFile(inFolder))
        opened = inFolder;
    else {
        // Last resort: the ".qhsound" form, stored plain or scrambled.
        const std::string stem = ScrambledSoundPath(name);
        for (const std::string& candidate : {stem, GetSoundPath() + stem}) {
            if (OpenSoundFallback(candidate, wave)) {
                opened = candidate;
                break;
            }
        }
        if (opened.empty()) {
            // A damaged file has said why; one that cannot be opened, or a
            // missing one, says so here.
            bool exists = false;
            std::string unopened;
            for (const std::string& path : {name, inFolder, stem, GetSoundPath() + stem}) {
                const std::string resolved = platform::ResolvePath(path);
                exists = exists || platform::IsRegularFile(resolved);
                if (const std::string why = platform::OpenFailureReason(resolved);
                    unopened.empty() && !why.empty())
                    unopened = path + ": the file cannot be opened: " + why;
                else if (unopened.empty() && platform::IsNonRegularFile(resolved))
                    unopened = path + ": the file is not a regular file";
            }
            if (!unopened.empty())
                ReportFileProblem(name, "Cannot load sound " + unopened + "\n");
            else if (!exists)
                ReportFileProblem(name, "Cannot load sound " + name + ": the file is missing\n");
            return nullptr;
        }
    }

    auto* ressource = new DXSoundRessource(this, opened, owner, soundLayer.get());
    const WaveFormat format = wave.GetFormat();
    ressource->SetData(wave.TakeData(), format);
    return ressource;
}

void DXSoundEngine::ReportFileProblem(const std::string& name, const std::string& message)
{
    {
        std::lock_guard lock(reportMutex);
        if (!reportedFiles.insert(name).second)
            return;
    }
    platform::ReportProblem(message);
}

void DXSoundEngine::ApplyVolumes()
{
    SoundGameAccess* game = GetSoundGameAccess();
    const GameConfig* config = game != nullptr ? game->GetConfig() : nullptr;
    if (config == nullptr)
        return;
    ApplyVolumes(config->GetMusicVolume(), config->GetSoundVolume());
}

void DXSoundEngine::ApplyVolumes(int musicVolume, int soundVolume)
{
    auto* sounds = dynamic_cast<DXSoundLayer*>(soundLayer.get());
    if (sounds != nullptr && sounds->HasSubmixVoice())
        sounds->SetVolume(static_cast<float>(soundVolume) / 10.0f);
    auto* music = dynamic_cast<DXSoundLayer*>(musicLayer.get());
    if (music != nullptr && music->HasSubmixVoice())
        music->SetVolume(static_cast<float>(musicVolume) / 10.0f);
}

void DXSoundEngine::ReleaseSoundData(ISoundRessource* ressource)
{
    if (auto* dxRessource = dynamic_cast<DXSoundRessource*>(ressource))
        dxRessource->FreeData();
}

void DXSoundEngine::PumpMusic()
{
    std::lock_guard lock(musicMutex);
    if (currentMusic != nullptr)
        currentMusic->Pump();
    if (fadingMusic != nullptr)
        fadingMusic->Pump();
}

void DXSoundEngine::StartFeeder()
{
    feederStop = false;
    feeder = std::thread([this] { FeederLoop(); });
}

void DXSoundEngine::StopFeeder()
{
    if (!feeder.joinable())
        return;
    {
        std::lock_guard lock(feederMutex);
        feederStop = true;
    }
    feederWake.notify_all();
    feeder.join();
}

void DXSoundEngine::FeederLoop()
{
    std::unique_lock lock(feederMutex);
    while (!feederStop) {
        feederWake.wait_for(lock, kFeederPeriod, [this] { return feederStop; });
        if (feederStop)
            break;
        lock.unlock();
        PumpMusic();
        lock.lock();
    }
}
