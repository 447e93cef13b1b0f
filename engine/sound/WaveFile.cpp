#include "engine/sound/WaveFile.h"

#include "engine/platform/DebugOutput.h"
#include "engine/platform/Paths.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace {

constexpr uint16_t kTagPcm = 1;
constexpr uint16_t kTagFloat = 3;
constexpr uint16_t kTagExtensible = 0xFFFE;
// No sound of the game comes near this; a larger file is refused unread.
constexpr uint64_t kMaxFileBytes = 256ull << 20;
constexpr uint32_t kMaxRate = 384000;

uint16_t U16(std::span<const uint8_t> bytes, size_t at)
{
    return uint16_t(bytes[at] | (bytes[at + 1] << 8));
}

uint32_t U32(std::span<const uint8_t> bytes, size_t at)
{
    return uint32_t(bytes[at]) | (uint32_t(bytes[at + 1]) << 8) | (uint32_t(bytes[at + 2]) << 16)
        | (uint32_t(bytes[at + 3]) << 24);
}

bool IdIs(std::span<const uint8_t> bytes, size_t at, const char* id)
{
    return std::memcmp(bytes.data() + at, id, 4) == 0;
}

std::string IdText(std::span<const uint8_t> bytes, size_t at)
{
    std::string id;
    for (size_t i = 0; i < 4; ++i) {
        const char c = char(bytes[at + i]);
        id += (c >= 0x20 && c < 0x7F) ? c : '?';
    }
    return id;
}

// One sample of the stored format as a signed 16-bit value.
int16_t SampleAt(const uint8_t* p, uint16_t tag, uint16_t bits)
{
    if (tag == kTagFloat) {
        float value = 0.0f;
        std::memcpy(&value, p, 4);
        if (!std::isfinite(value))
            return 0;
        return int16_t(std::lround(std::clamp(value, -1.0f, 1.0f) * 32767.0f));
    }
    // Signed little-endian PCM: the top 16 bits are kept.
    return int16_t(uint16_t(p[bits / 8 - 2] | (p[bits / 8 - 1] << 8)));
}

} // namespace

bool WaveFile::OpenFile(const std::string& path)
{
    data.clear();
    format = WaveFormat {};
    error.clear();
    std::ifstream file
        = platform::OpenRegularFile(platform::ResolvePath(path), std::ios::binary | std::ios::ate);
    if (!file) {
        error = path + ": cannot open the file";
        return false;
    }
    const std::streamoff size = file.tellg();
    if (size < 0 || uint64_t(size) > kMaxFileBytes)
        return Refuse(path, "the file is larger than any sound the game can load");
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size))
        return Refuse(path, "the file cannot be read");
    return Parse(bytes, path);
}

bool WaveFile::OpenMemory(const uint8_t* bytes, size_t size, const std::string& name)
{
    data.clear();
    format = WaveFormat {};
    error.clear();
    if (bytes == nullptr || size == 0)
        return Refuse(name, "no data");
    return Parse(std::span(bytes, size), name);
}

bool WaveFile::Refuse(const std::string& name, const std::string& reason)
{
    data.clear();
    format = WaveFormat {};
    error = name + ": " + reason;
    const std::string message = "Cannot load sound " + error + "\n";
    platform::DebugOutput(message);
    std::fputs(message.c_str(), stderr);
    return false;
}

bool WaveFile::Parse(std::span<const uint8_t> bytes, const std::string& name)
{
    if (bytes.size() < 12 || !IdIs(bytes, 0, "RIFF") || !IdIs(bytes, 8, "WAVE"))
        return Refuse(name, "not a RIFF WAVE file");
    const uint64_t riffSize = U32(bytes, 4);
    if (riffSize + 8 > bytes.size())
        return Refuse(name,
            "the RIFF chunk claims " + std::to_string(riffSize) + " bytes, the file holds only "
                + std::to_string(bytes.size() - 8));
    const size_t end = size_t(riffSize) + 8;

    // Walk the chunks; each must fit in what is left of the RIFF chunk.
    std::span<const uint8_t> fmt;
    std::span<const uint8_t> samples;
    bool haveData = false;
    for (size_t at = 12; at + 8 <= end;) {
        const uint64_t chunkSize = U32(bytes, at + 4);
        const size_t body = at + 8;
        if (chunkSize > end - body)
            return Refuse(name,
                "chunk \"" + IdText(bytes, at) + "\" claims " + std::to_string(chunkSize) + " bytes, only "
                    + std::to_string(end - body) + " follow it");
        const auto chunk = bytes.subspan(body, size_t(chunkSize));
        if (IdIs(bytes, at, "fmt ") && fmt.empty())
            fmt = chunk;
        else if (IdIs(bytes, at, "data") && !haveData) {
            samples = chunk;
            haveData = true;
        }
        at = body + size_t(chunkSize) + (chunkSize & 1); // chunks are padded to even sizes
    }
    if (fmt.size() < 16)
        return Refuse(
            name, fmt.empty() ? "no \"fmt \" chunk" : "the \"fmt \" chunk is shorter than 16 bytes");
    if (!haveData)
        return Refuse(name, "no \"data\" chunk");

    uint16_t tag = U16(fmt, 0);
    const uint16_t channels = U16(fmt, 2);
    const uint32_t rate = U32(fmt, 4);
    const uint16_t bits = U16(fmt, 14);
    if (tag == kTagExtensible) {
        if (fmt.size() < 40)
            return Refuse(name, "an extensible \"fmt \" chunk shorter than 40 bytes");
        tag = U16(fmt, 24); // the first two bytes of the sub-format GUID
    }
    if (tag == kTagFloat && bits == 64)
        return Refuse(name, "64-bit float samples cannot be played");
    if (tag == kTagFloat && bits != 32)
        return Refuse(name, std::to_string(bits) + "-bit float samples cannot be played");
    if (tag == kTagPcm && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return Refuse(name, std::to_string(bits) + "-bit PCM samples cannot be played");
    if (tag != kTagPcm && tag != kTagFloat)
        return Refuse(
            name, "sample format " + std::to_string(tag) + " cannot be played (PCM and float only)");
    if (channels < 1 || channels > 2)
        return Refuse(name, std::to_string(channels) + " channels cannot be played (mono and stereo only)");
    if (rate < 1 || rate > kMaxRate)
        return Refuse(name, "a sample rate of " + std::to_string(rate) + " Hz cannot be played");

    const size_t frameBytes = size_t(channels) * (bits / 8);
    const size_t frames = samples.size() / frameBytes;
    if (frames == 0)
        return Refuse(name, "the \"data\" chunk holds no whole sample frame");

    // 8- and 16-bit PCM play as stored; the rest is converted to 16 bits.
    const bool asStored = tag == kTagPcm && bits <= 16;
    const uint16_t outBits = asStored ? bits : 16;
    std::vector<uint8_t> out;
    if (asStored) {
        out.assign(samples.begin(), samples.begin() + ptrdiff_t(frames * frameBytes));
    } else {
        out.resize(frames * channels * 2);
        for (size_t i = 0; i < frames * channels; ++i) {
            const auto value = uint16_t(SampleAt(samples.data() + i * (bits / 8), tag, bits));
            out[i * 2] = uint8_t(value);
            out[i * 2 + 1] = uint8_t(value >> 8);
        }
    }

    data = std::move(out);
    format.formatTag = kTagPcm;
    format.channels = channels;
    format.samplesPerSec = rate;
    format.bitsPerSample = outBits;
    format.blockAlign = uint16_t(channels * outBits / 8);
    format.avgBytesPerSec = rate * format.blockAlign;
    format.extraSize = 0;
    return true;
}
