#pragma once

#ifndef OV_EXCLUDE_STATIC_CALLBACKS
#define OV_EXCLUDE_STATIC_CALLBACKS
#endif
#include <vorbis/vorbisfile.h>

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class DXSoundEngine;
class DXSourceVoice;

// One streamed music track: an Ogg Vorbis decoder feeding a ring of three
// PCM buffers, all kept queued on one voice routed to the music layer. Played
// buffers are refilled by Pump (the engine's feeder thread, or the loopback
// render). Every method that touches the decoder or the queue takes the
// engine's music mutex itself, so the decoder is never used by two threads at
// once. At the end of the data the decoder seeks to the track's loop point: a
// track plays for ever.
class StreamingVoiceContext {
public:
    static constexpr uint32_t kBufferBytes = 0x20000;
    static constexpr int kBufferCount = 3;

    StreamingVoiceContext(DXSoundEngine& soundEngine, std::string name);
    ~StreamingVoiceContext();

    StreamingVoiceContext(const StreamingVoiceContext&) = delete;
    StreamingVoiceContext& operator=(const StreamingVoiceContext&) = delete;

    // Opens the decoder (from the track's memory copy, else from disk) and the voice.
    void Open();
    // Queues the buffers and starts the voice at volume 0.1; with a start
    // percentage the first buffer still comes from the position before it.
    void Start(double startPercent);
    // Refills and requeues every buffer the voice has played; restarts a voice
    // that ran dry.
    void Pump();

    const std::string& GetName() const { return trackName; }
    bool IsOpened() const { return vorbis != nullptr; }
    bool HasVoice() const { return voice != nullptr; }
    float GetVolume() const { return volume; }
    void SetVolume(float newVolume);

    // Decoder position (sample frames) and total length; -1 when not open.
    int64_t GetDecoderPosition();
    int64_t GetTotalFrames();
    bool SeekFrame(int64_t frame);
    // The sample frame being heard now: the start of the buffer the voice
    // plays plus its offset in it; the decoder position without a voice.
    int64_t GetPlayPosition();
    // True once a decoder error ended the stream: no more buffers are queued.
    bool HasEnded();

private:
    // Decodes into buffer `slot` and queues it; false when nothing was decoded.
    bool FillAndQueue(int slot);
    // Moves the decoder to a percentage of the track's length (clamped to the
    // track); false when the track has no length or the seek fails.
    bool SeekPercent(double percent);

    std::unique_lock<std::recursive_mutex> Lock();

    DXSoundEngine& engine;
    std::string trackName;
    std::array<std::array<uint8_t, kBufferBytes>, kBufferCount> buffers {};
    // The open decoder, cleared (closing its source) by its deleter; null
    // until the stream opens.
    struct OggClear {
        void operator()(OggVorbis_File* file) const
        {
            ov_clear(file);
            delete file;
        }
    };
    std::unique_ptr<OggVorbis_File, OggClear> vorbis;
    std::unique_ptr<DXSourceVoice> voice;
    std::array<uint32_t, kBufferCount> deviceBuffers {};
    bool deviceBuffersMade = false;
    // What each queued buffer holds, and the queue order (oldest first).
    std::array<int64_t, kBufferCount> bufferStart {};
    std::array<int64_t, kBufferCount> bufferFrames {};
    std::array<int, kBufferCount> queueOrder {};
    int queued = 0;
    int channels = 0;
    long rate = 0;
    float volume = 1.0f;
    bool ended = false;
    // Taken from the track when the stream opens: the feeder thread never
    // reads the music library, and the decoder keeps its in-memory data alive
    // even when the track's record is replaced meanwhile.
    double loopPoint = 0.0;
    std::shared_ptr<const std::vector<uint8_t>> memoryData;
};

// Starts a track (an empty name stops the music), optionally crossfading
// from the current one. See the music library for resume positions.
void PlayStreamedMusic(
    DXSoundEngine* engine, std::string name, bool crossfade, bool skipResume, double startPercent);
// One fade step per game tick.
void UpdateStreamedMusic(DXSoundEngine* engine);
// Remembers where the fading track stopped and deletes its stream.
void EndFadingMusic(DXSoundEngine* engine);
