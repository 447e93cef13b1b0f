#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Encodes interleaved samples (-1 .. 1, `channels` per frame) as an Ogg
// Vorbis stream in memory: variable bit rate at `quality` (-0.1 .. 1), the
// given stream serial number and comment tags ("NAME", "value"). Streams
// written one after another make a chained file when their serials differ.
// Empty when the encoder refuses the format.
std::vector<uint8_t> WriteOggVorbis(const std::vector<float>& interleaved, int channels, int rate,
    float quality, int serial, const std::vector<std::pair<std::string, std::string>>& tags = {});
