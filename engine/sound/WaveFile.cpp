#include "engine/sound/WaveFile.h"

#include "engine/platform/Paths.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>

namespace {

// Frees the buffer SDL_LoadWAV_RW allocates.
struct WavBufferDeleter {
    void operator()(Uint8* buffer) const { SDL_FreeWAV(buffer); }
};

bool IsOutputFormat(SDL_AudioFormat format)
{
    return format == AUDIO_U8 || format == AUDIO_S16LSB;
}

} // namespace

bool WaveFile::OpenFile(const std::string& path)
{
    const std::string resolved = platform::ResolvePath(path);
    SDL_RWops* file = SDL_RWFromFile(resolved.c_str(), "rb");
    if (file == nullptr)
        return false;
    return Load(file);
}

bool WaveFile::OpenMemory(const uint8_t* bytes, size_t size)
{
    if (bytes == nullptr || size == 0 || size > static_cast<size_t>(std::numeric_limits<int>::max()))
        return false;
    SDL_RWops* memory = SDL_RWFromConstMem(bytes, static_cast<int>(size));
    if (memory == nullptr)
        return false;
    return Load(memory);
}

bool WaveFile::Load(void* rwops)
{
    data.clear();
    format = WaveFormat {};

    SDL_AudioSpec spec {};
    Uint8* rawBuffer = nullptr;
    Uint32 length = 0;
    // SDL closes the source in every case (freesrc = 1).
    if (SDL_LoadWAV_RW(static_cast<SDL_RWops*>(rwops), 1, &spec, &rawBuffer, &length) == nullptr)
        return false;
    std::unique_ptr<Uint8, WavBufferDeleter> buffer(rawBuffer);
    if (spec.channels == 0 || spec.freq <= 0)
        return false;

    const Uint8 outChannels = static_cast<Uint8>(std::min<int>(spec.channels, 2));
    if (IsOutputFormat(spec.format) && outChannels == spec.channels) {
        data.assign(buffer.get(), buffer.get() + length);
    } else {
        SDL_AudioCVT convert;
        if (SDL_BuildAudioCVT(
                &convert, spec.format, spec.channels, spec.freq, AUDIO_S16LSB, outChannels, spec.freq)
            < 0)
            return false;
        convert.len = static_cast<int>(length);
        std::vector<uint8_t> work(
            static_cast<size_t>(length) * static_cast<size_t>(std::max(convert.len_mult, 1)));
        std::memcpy(work.data(), buffer.get(), length);
        convert.buf = work.data();
        if (convert.needed != 0 && SDL_ConvertAudio(&convert) != 0)
            return false;
        const size_t converted = convert.needed != 0 ? static_cast<size_t>(convert.len_cvt) : length;
        work.resize(converted);
        data = std::move(work);
        spec.format = AUDIO_S16LSB;
        spec.channels = outChannels;
    }

    format.formatTag = 1;
    format.channels = spec.channels;
    format.samplesPerSec = static_cast<uint32_t>(spec.freq);
    format.bitsPerSample = static_cast<uint16_t>(SDL_AUDIO_BITSIZE(spec.format));
    format.blockAlign = static_cast<uint16_t>(format.channels * format.bitsPerSample / 8);
    format.avgBytesPerSec = format.samplesPerSec * format.blockAlign;
    format.extraSize = 0;
    // Whole sample frames only.
    data.resize(data.size() - data.size() % format.blockAlign);
    return true;
}
