#pragma once

#include <cstddef>
#include <cstdint>
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

// Reads a RIFF WAVE file from disk or from memory. Whatever the file holds
// (8/16/32-bit, float, ADPCM, more than two channels) comes out as 8- or
// 16-bit PCM in one or two channels, which every output device takes.
class WaveFile {
public:
    // The path goes through the data-path resolver.
    bool OpenFile(const std::string& path);
    bool OpenMemory(const uint8_t* bytes, size_t size);

    const WaveFormat& GetFormat() const { return format; }
    const std::vector<uint8_t>& GetData() const { return data; }
    std::vector<uint8_t> TakeData() { return std::move(data); }

private:
    bool Load(void* rwops);

    WaveFormat format;
    std::vector<uint8_t> data;
};
