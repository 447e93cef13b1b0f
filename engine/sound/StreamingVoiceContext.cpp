#include "engine/sound/StreamingVoiceContext.h"

#include "engine/config/GamePaths.h"
#include "engine/platform/DebugOutput.h"
#include "engine/platform/Paths.h"
#include "engine/sound/DXSoundEngine.h"
#include "engine/sound/MusicLibrary.h"
#include "engine/sound/OggMemorySource.h"
#include "engine/sound/OggStreamCheck.h"
#include "engine/sound/SoundGameAccess.h"

#include <AL/al.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <mutex>
#include <span>
#include <vector>

namespace {

constexpr float kFadeStep = 0.02f;
constexpr float kStartVolume = 0.1f;
// Decoder holes in a row after which a buffer is given up.
constexpr int kMaxHolesPerBuffer = 64;

size_t FileRead(void* buffer, size_t size, size_t count, void* file)
{
    return std::fread(buffer, size, count, static_cast<FILE*>(file));
}

int FileSeek(void* file, ogg_int64_t offset, int whence)
{
    return fseeko(static_cast<FILE*>(file), static_cast<off_t>(offset), whence);
}

int FileClose(void* file)
{
    return std::fclose(static_cast<FILE*>(file));
}

long FileTell(void* file)
{
    return static_cast<long>(ftello(static_cast<FILE*>(file)));
}

const ov_callbacks kFileCallbacks = {FileRead, FileSeek, FileClose, FileTell};
const ov_callbacks kMemoryCallbacks = {OggMemoryRead, OggMemorySeek, OggMemoryClose, OggMemoryTell};

// Each track's problem is said once, however often it is started.
void ReportUnplayable(DXSoundEngine& engine, const std::string& name, const std::string& reason)
{
    engine.ReportFileProblem(name, "Cannot play music " + name + ": " + reason + "\n");
}

// Said once, and the track still plays: as far as its data goes.
void ReportCut(DXSoundEngine& engine, const std::string& name)
{
    engine.ReportFileProblem(name, "Music " + name + ": the file is cut short; it plays as far as it goes\n");
}

// The last bytes of an open file, read from its end; the file is put back at
// its start for the decoder. Empty when they cannot be read.
std::vector<uint8_t> ReadFileTail(FILE* file)
{
    std::vector<uint8_t> tail;
    if (fseeko(file, 0, SEEK_END) != 0)
        return tail;
    const off_t size = ftello(file);
    const off_t start = std::max<off_t>(0, size - static_cast<off_t>(kMaxOggPageBytes));
    if (size > 0 && fseeko(file, start, SEEK_SET) == 0) {
        tail.resize(static_cast<size_t>(size - start));
        tail.resize(std::fread(tail.data(), 1, tail.size(), file));
    }
    fseeko(file, 0, SEEK_SET);
    return tail;
}

MusicTrack* FindMusicTrack(const std::string& name)
{
    SoundGameAccess* game = GetSoundGameAccess();
    MusicLibrary* library = game != nullptr ? game->GetMusicLibrary() : nullptr;
    return library != nullptr ? library->Find(name) : nullptr;
}

} // namespace

StreamingVoiceContext::StreamingVoiceContext(DXSoundEngine& soundEngine, std::string name)
    : engine(soundEngine)
    , trackName(std::move(name))
{
}

StreamingVoiceContext::~StreamingVoiceContext()
{
    voice.reset(); // stops the source and detaches its buffers
    if (deviceBuffersMade)
        alDeleteBuffers(kBufferCount, deviceBuffers.data());
    vorbis.reset();
}

std::unique_lock<std::recursive_mutex> StreamingVoiceContext::Lock()
{
    return std::unique_lock(engine.GetMusicMutex());
}

void StreamingVoiceContext::Open()
{
    const auto lock = Lock();
    if (trackName.empty() || vorbis)
        return;

    int result = -1;
    bool cut = false;
    auto decoder = std::make_unique<OggVorbis_File>();
    const MusicTrack* track = FindMusicTrack(trackName);
    if (track != nullptr)
        loopPoint = track->loopPoint;
    if (track != nullptr && track->data != nullptr && !track->data->empty()) {
        memoryData = track->data;
        auto source = std::make_unique<OggMemorySource>();
        source->data = memoryData->data();
        source->size = static_cast<int64_t>(memoryData->size());
        const std::span<const uint8_t> data(*memoryData);
        cut = !OggEndsWithItsLastPage(data.last(std::min(data.size(), kMaxOggPageBytes)));
        result = ov_open_callbacks(source.get(), decoder.get(), nullptr, 0, kMemoryCallbacks);
        if (result == 0)
            source.release(); // the decoder's close callback frees it
    } else {
        // Only a regular file: a pipe would block the open, a device never end.
        auto open = [](const std::string& path) {
            const std::string resolved = platform::ResolvePath(path);
            return platform::IsRegularFile(resolved) ? std::fopen(resolved.c_str(), "rb") : nullptr;
        };
        FILE* file = open(trackName);
        if (file == nullptr)
            file = open(GetMusicPath() + trackName);
        if (file == nullptr) {
            const bool special = platform::IsNonRegularFile(platform::ResolvePath(trackName))
                || platform::IsNonRegularFile(platform::ResolvePath(GetMusicPath() + trackName));
            ReportUnplayable(
                engine, trackName, special ? "the file is not a regular file" : "the file is missing");
            return;
        }
        cut = !OggEndsWithItsLastPage(ReadFileTail(file));
        result = ov_open_callbacks(file, decoder.get(), nullptr, 0, kFileCallbacks);
        if (result != 0)
            std::fclose(file);
    }
    if (result != 0) {
        ReportUnplayable(engine, trackName, "not an Ogg Vorbis stream (" + std::to_string(result) + ")");
        return;
    }
    vorbis.reset(decoder.release());

    if (const std::string reason = FindUnplayableOggReason(*vorbis); !reason.empty()) {
        ReportUnplayable(engine, trackName, reason); // the stream stays silent
        return;
    }
    if (cut)
        ReportCut(engine, trackName);
    const vorbis_info* info = ov_info(vorbis.get(), 0);
    channels = info->channels;
    rate = info->rate;

    auto newVoice = std::make_unique<DXSourceVoice>(engine.GetContextLife());
    if (!newVoice->IsValid())
        return;
    alGetError();
    alGenBuffers(kBufferCount, deviceBuffers.data());
    if (alGetError() != AL_NO_ERROR)
        return;
    deviceBuffersMade = true;
    auto* layer = dynamic_cast<DXSoundLayer*>(engine.GetMusicLayer());
    if (layer != nullptr && layer->HasSubmixVoice())
        newVoice->SetOutput(layer);
    newVoice->SetVolume(volume);
    voice = std::move(newVoice);
}

bool StreamingVoiceContext::SeekPercent(double percent)
{
    const int64_t total = ov_pcm_total(vorbis.get(), -1);
    if (total <= 0)
        return false;
    const double fraction = std::clamp(percent, 0.0, 100.0) / 100.0;
    const auto target = std::min(static_cast<int64_t>(static_cast<double>(total) * fraction), total - 1);
    return ov_pcm_seek(vorbis.get(), target) == 0;
}

bool StreamingVoiceContext::FillAndQueue(int slot)
{
    if (!vorbis || voice == nullptr || ended)
        return false;
    const size_t frameBytes = static_cast<size_t>(channels) * 2;
    auto& buffer = buffers[static_cast<size_t>(slot)];
    int64_t start = ov_pcm_tell(vorbis.get());
    size_t filled = 0;

    // Two passes at most: a buffer that starts right at the end of the data
    // is filled from the loop point instead of being queued empty.
    for (int pass = 0; pass < 2 && filled == 0 && !ended; ++pass) {
        if (pass == 1)
            start = ov_pcm_tell(vorbis.get());
        bool endOfData = false;
        int holes = 0;
        while (filled < kBufferBytes) {
            int section = 0;
            const int room = static_cast<int>(std::min<size_t>(kBufferBytes - filled, INT_MAX));
            const int64_t before = ov_pcm_tell(vorbis.get());
            const long got = ov_read(
                vorbis.get(), reinterpret_cast<char*>(buffer.data() + filled), room, 0, 2, 1, &section);
            // Pages lost to damage show as a position that moved further
            // than the frames decoded: the decoder skipped them.
            if (got > 0 && ov_pcm_tell(vorbis.get()) - before > got / static_cast<long>(frameBytes))
                ReportUnplayable(engine, trackName,
                    "the stream is damaged after sample frame " + std::to_string(before)
                        + "; the music goes on behind the gap");
            if (got == 0) {
                endOfData = true;
                break;
            }
            if (got == OV_HOLE && ++holes <= kMaxHolesPerBuffer) {
                // A gap in the data: decoding goes on behind it.
                ReportUnplayable(engine, trackName,
                    "the stream is damaged after sample frame " + std::to_string(ov_pcm_tell(vorbis.get()))
                        + "; the music goes on behind the gap");
                continue;
            }
            if (got < 0) {
                ended = true; // a damaged stream ends cleanly, and says where
                ReportUnplayable(engine, trackName,
                    "the stream is damaged after sample frame " + std::to_string(ov_pcm_tell(vorbis.get()))
                        + "; the music stops there");
                break;
            }
            filled += static_cast<size_t>(std::min<long>(got, room));
        }
        if (endOfData && !SeekPercent(loopPoint))
            ended = true;
    }

    filled -= filled % frameBytes;
    if (filled == 0)
        return false;
    const ALuint id = deviceBuffers[static_cast<size_t>(slot)];
    alBufferData(id, channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16, buffer.data(),
        static_cast<ALsizei>(filled), static_cast<ALsizei>(rate));
    alSourceQueueBuffers(voice->GetSource(), 1, &id);
    bufferStart[static_cast<size_t>(slot)] = std::max<int64_t>(start, 0);
    bufferFrames[static_cast<size_t>(slot)] = static_cast<int64_t>(filled / frameBytes);
    queueOrder[static_cast<size_t>(queued++)] = slot;
    return true;
}

void StreamingVoiceContext::Start(double startPercent)
{
    const auto lock = Lock();
    if (voice == nullptr || queued != 0)
        return;
    FillAndQueue(0);
    if (startPercent != 0.0)
        SeekPercent(startPercent);
    for (int slot = 1; slot < kBufferCount; ++slot)
        FillAndQueue(slot);
    SetVolume(kStartVolume);
    alSourcePlay(voice->GetSource());
}

void StreamingVoiceContext::Pump()
{
    const auto lock = Lock();
    if (voice == nullptr || queued == 0)
        return;
    const ALuint source = voice->GetSource();
    ALint processed = 0;
    alGetSourcei(source, AL_BUFFERS_PROCESSED, &processed);
    for (; processed > 0 && queued > 0; --processed) {
        ALuint id = 0;
        alSourceUnqueueBuffers(source, 1, &id);
        const int slot = queueOrder[0];
        std::copy(queueOrder.begin() + 1, queueOrder.end(), queueOrder.begin());
        --queued;
        FillAndQueue(slot);
    }
    // A stall longer than the queued audio lets the source run dry.
    ALint state = AL_INITIAL;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    if (state == AL_STOPPED && queued > 0)
        alSourcePlay(source);
}

void StreamingVoiceContext::SetVolume(float newVolume)
{
    volume = newVolume;
    if (voice != nullptr)
        voice->SetVolume(newVolume);
}

int64_t StreamingVoiceContext::GetDecoderPosition()
{
    const auto lock = Lock();
    return vorbis ? ov_pcm_tell(vorbis.get()) : -1;
}

int64_t StreamingVoiceContext::GetTotalFrames()
{
    const auto lock = Lock();
    return vorbis ? ov_pcm_total(vorbis.get(), -1) : -1;
}

bool StreamingVoiceContext::SeekFrame(int64_t frame)
{
    const auto lock = Lock();
    return vorbis && ov_pcm_seek(vorbis.get(), std::max<int64_t>(frame, 0)) == 0;
}

bool StreamingVoiceContext::HasEnded()
{
    const auto lock = Lock();
    return ended;
}

int64_t StreamingVoiceContext::GetPlayPosition()
{
    const auto lock = Lock();
    if (voice == nullptr || queued == 0)
        return std::max<int64_t>(GetDecoderPosition(), 0);
    ALint offset = 0;
    alGetSourcei(voice->GetSource(), AL_SAMPLE_OFFSET, &offset);
    int64_t left = std::max<ALint>(offset, 0);
    for (int i = 0; i < queued; ++i) {
        const auto slot = static_cast<size_t>(queueOrder[static_cast<size_t>(i)]);
        if (left < bufferFrames[slot])
            return bufferStart[slot] + left;
        left -= bufferFrames[slot];
    }
    return std::max<int64_t>(GetDecoderPosition(), 0);
}

void EndFadingMusic(DXSoundEngine* engine)
{
    if (engine == nullptr)
        return;
    std::lock_guard lock(engine->GetMusicMutex());
    auto& fading = engine->FadingMusic();
    if (fading == nullptr)
        return;
    // The track takes up again where its decoder stopped, past what the
    // fading voice still held queued.
    if (MusicTrack* track = FindMusicTrack(fading->GetName()))
        track->resumePosition
            = track->resumePosition == -1 ? 0 : std::max<int64_t>(fading->GetDecoderPosition(), 0);
    fading.reset();
}

void PlayStreamedMusic(
    DXSoundEngine* engine, std::string name, bool crossfade, bool skipResume, double startPercent)
{
    if (engine == nullptr)
        return;
    std::lock_guard lock(engine->GetMusicMutex());
    auto& current = engine->CurrentMusic();
    auto& fading = engine->FadingMusic();
    if (current != nullptr && current->GetName() == name)
        return;

    // Crossfading back to the track still fading out picks up its volume.
    float fadeVolume = 0.0f;
    if (fading != nullptr && fading->HasVoice() && fading->GetName() == name)
        fadeVolume = fading->GetVolume();
    // Leaving a track that resumes starts the next one from its beginning.
    if (current != nullptr)
        if (const MusicTrack* track = FindMusicTrack(current->GetName());
            track != nullptr && !track->noResume)
            skipResume = true;
    if (fading != nullptr)
        EndFadingMusic(engine);
    if (crossfade)
        fading = std::move(current);
    else
        current.reset();

    current = std::make_unique<StreamingVoiceContext>(*engine, name);
    current->Open();
    if (const MusicTrack* track = FindMusicTrack(name); track != nullptr && !skipResume && !track->noResume)
        current->SeekFrame(std::max<int64_t>(track->resumePosition, 0));
    current->Start(startPercent);
    if (!crossfade)
        current->SetVolume(1.0f);
    else if (fadeVolume != 0.0f)
        current->SetVolume(fadeVolume);
}

void UpdateStreamedMusic(DXSoundEngine* engine)
{
    if (engine == nullptr)
        return;
    std::lock_guard lock(engine->GetMusicMutex());
    // Steps land exactly on 0 and 1 (float sums drift): a fade from full
    // volume lasts 50 ticks, a rise from 0.1 lasts 45.
    if (auto& fading = engine->FadingMusic(); fading != nullptr) {
        float volume = std::max(fading->GetVolume() - kFadeStep, 0.0f);
        if (volume < kFadeStep * 0.05f)
            volume = 0.0f;
        fading->SetVolume(volume);
        if (!fading->HasVoice() || fading->GetVolume() <= 0.0f)
            EndFadingMusic(engine);
    }
    if (auto& current = engine->CurrentMusic(); current != nullptr && current->GetVolume() != 1.0f) {
        float volume = std::min(current->GetVolume() + kFadeStep, 1.0f);
        if (volume > 1.0f - kFadeStep * 0.05f)
            volume = 1.0f;
        current->SetVolume(volume);
    }
}
