#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// The format of loaded samples, laid out as the RIFF "fmt " chunk describes it.
struct WaveFormat {
    uint16_t formatTag = 1; // 1: PCM
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint32_t avgBytesPerSec = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    uint16_t extraSize = 0;
};

// Reads a RIFF WAVE file from disk or from memory. Every chunk size is checked
// against the bytes the file really holds before anything is allocated or
// decoded. Mono or stereo PCM of 8, 16, 24 or 32 bits and 32-bit float come
// out as 8- or 16-bit PCM, which every output device takes; anything else
// (64-bit float, compressed formats, more than two channels) is refused with
// the file's name and the reason rather than played garbled.
class WaveFile {
public:
    // The path goes through the data-path resolver. A missing file fails
    // quietly (the sound loader tries several places); a file that is there
    // but cannot be played is reported on the debug output and stderr.
    bool OpenFile(const std::string& path);
    bool OpenMemory(const uint8_t* bytes, size_t size, const std::string& name = "sound in memory");

    const WaveFormat& GetFormat() const { return format; }
    const std::vector<uint8_t>& GetData() const { return data; }
    std::vector<uint8_t> TakeData() { return std::move(data); }
    // Why the last open failed ("<name>: <reason>"); empty after a success.
    const std::string& GetError() const { return error; }

private:
    bool Parse(std::span<const uint8_t> bytes, const std::string& name);
    bool Refuse(const std::string& name, const std::string& reason);

    WaveFormat format;
    std::vector<uint8_t> data;
    std::string error;
};
