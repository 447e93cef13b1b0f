#include "engine/sound/WaveFile.h"

#include "tests/engine/platform/DebugCapture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

void PutChunk(std::vector<uint8_t>& out, const char* id, const std::vector<uint8_t>& body)
{
    out.insert(out.end(), id, id + 4);
    Put32(out, uint32_t(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2 != 0)
        out.push_back(0);
}

std::vector<uint8_t> Fmt(uint16_t tag, uint16_t channels, uint16_t bits, uint32_t rate = 8000)
{
    std::vector<uint8_t> fmt;
    Put16(fmt, tag);
    Put16(fmt, channels);
    Put32(fmt, rate);
    Put32(fmt, rate * channels * bits / 8);
    Put16(fmt, uint16_t(channels * bits / 8));
    Put16(fmt, bits);
    return fmt;
}

// A RIFF WAVE file of the given chunks, its RIFF size exact.
std::vector<uint8_t> Riff(const std::vector<std::pair<const char*, std::vector<uint8_t>>>& chunks)
{
    std::vector<uint8_t> body = {'W', 'A', 'V', 'E'};
    for (const auto& [id, chunk] : chunks)
        PutChunk(body, id, chunk);
    std::vector<uint8_t> file = {'R', 'I', 'F', 'F'};
    Put32(file, uint32_t(body.size()));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

std::vector<uint8_t> FloatBytes(std::initializer_list<float> values)
{
    std::vector<uint8_t> out;
    for (float v : values) {
        uint32_t bits = 0;
        std::memcpy(&bits, &v, 4);
        Put32(out, bits);
    }
    return out;
}

std::vector<int16_t> Samples16(const WaveFile& wave)
{
    std::vector<int16_t> out(wave.GetData().size() / 2);
    std::memcpy(out.data(), wave.GetData().data(), out.size() * 2);
    return out;
}

TEST(WaveFile, PlayableFormatsComeOutAsEightOrSixteenBitPcm)
{
    struct Case {
        const char* what;
        std::vector<uint8_t> file;
        uint16_t channels;
        uint16_t bits;
        std::vector<int16_t> samples16; // for 16-bit results
    };
    std::vector<uint8_t> extensible = Fmt(0xFFFE, 1, 32);
    Put16(extensible, 22);
    Put16(extensible, 32);
    Put32(extensible, 4);
    Put16(extensible, 3); // sub-format: float
    extensible.resize(40, 0x11);
    const Case cases[] = {
        {"8-bit stays", Riff({{"fmt ", Fmt(1, 1, 8)}, {"data", {0, 128, 255}}}), 1, 8, {}},
        {"16-bit stays, the odd byte dropped",
            Riff({{"fmt ", Fmt(1, 2, 16)}, {"data", {1, 0, 0xFF, 0x7F, 0, 0x80, 9}}}), 2, 16, {1, 32767}},
        {"24-bit keeps its top bits",
            Riff({{"fmt ", Fmt(1, 1, 24)}, {"data", {0xAA, 0x34, 0x12, 0, 0, 0x80}}}), 1, 16,
            {0x1234, -32768}},
        {"32-bit keeps its top bits", Riff({{"fmt ", Fmt(1, 1, 32)}, {"data", {0, 0, 0xFF, 0x7F}}}), 1, 16,
            {32767}},
        {"float is scaled and clamped",
            Riff({{"fmt ", Fmt(3, 1, 32)}, {"data", FloatBytes({0.5f, -2.0f, 1.0f, std::nanf("")})}}), 1, 16,
            {16384, -32767, 32767, 0}},
        {"extensible float", Riff({{"fmt ", extensible}, {"data", FloatBytes({-0.5f})}}), 1, 16, {-16384}},
        {"unknown chunks are skipped, odd ones padded",
            Riff({{"LIST", {1, 2, 3}}, {"fmt ", Fmt(1, 1, 16)}, {"junk", {}}, {"data", {7, 0}}}), 1, 16, {7}},
    };
    for (const Case& c : cases) {
        WaveFile wave;
        ASSERT_TRUE(wave.OpenMemory(c.file.data(), c.file.size(), "case.wav")) << c.what << wave.GetError();
        EXPECT_EQ(wave.GetFormat().formatTag, 1) << c.what;
        EXPECT_EQ(wave.GetFormat().channels, c.channels) << c.what;
        EXPECT_EQ(wave.GetFormat().bitsPerSample, c.bits) << c.what;
        EXPECT_EQ(wave.GetFormat().blockAlign, c.channels * c.bits / 8) << c.what;
        EXPECT_EQ(wave.GetFormat().avgBytesPerSec, 8000u * wave.GetFormat().blockAlign) << c.what;
        if (c.bits == 16)
            EXPECT_EQ(Samples16(wave), c.samples16) << c.what;
        else
            EXPECT_EQ(wave.GetData(), std::vector<uint8_t>({0, 128, 255})) << c.what;
        EXPECT_EQ(wave.GetError(), "") << c.what;
    }
}

TEST(WaveFile, UnplayableOrDamagedFilesAreRefusedWithNameAndReason)
{
    std::vector<uint8_t> claimsTooMuch = Riff({{"fmt ", Fmt(1, 1, 16)}, {"data", {1, 0}}});
    claimsTooMuch[claimsTooMuch.size() - 6] = 0xFF; // data size low byte
    claimsTooMuch[claimsTooMuch.size() - 3] = 0x7F; // data size high byte: ~2 GB
    std::vector<uint8_t> riffTooLong = Riff({{"fmt ", Fmt(1, 1, 16)}, {"data", {1, 0}}});
    riffTooLong[7] = 0x40;
    const std::vector<uint8_t> twoFmt = Riff({{"fmt ", Fmt(1, 1, 16)}});
    struct Case {
        std::vector<uint8_t> file;
        const char* reason;
    };
    const Case cases[] = {
        {Riff({{"fmt ", Fmt(3, 1, 64)}, {"data", std::vector<uint8_t>(16)}}), "64-bit float"},
        {Riff({{"fmt ", Fmt(1, 6, 16)}, {"data", std::vector<uint8_t>(24)}}), "6 channels"},
        {Riff({{"fmt ", Fmt(1, 0, 16)}, {"data", std::vector<uint8_t>(24)}}), "0 channels"},
        {Riff({{"fmt ", Fmt(2, 1, 4)}, {"data", std::vector<uint8_t>(24)}}), "sample format 2"},
        {Riff({{"fmt ", Fmt(1, 1, 12)}, {"data", std::vector<uint8_t>(24)}}), "12-bit PCM"},
        {Riff({{"fmt ", Fmt(1, 1, 16, 0)}, {"data", std::vector<uint8_t>(24)}}), "0 Hz"},
        {Riff({{"fmt ", Fmt(1, 2, 16)}, {"data", {1, 2, 3}}}), "no whole sample frame"},
        {Riff({{"fmt ", Fmt(1, 2, 16)}, {"data", {}}}), "no whole sample frame"},
        {Riff({{"fmt ", {1, 0, 1, 0}}, {"data", {1, 2}}}), "shorter than 16 bytes"},
        {Riff({{"data", {1, 2}}}), "no \"fmt \" chunk"},
        {twoFmt, "no \"data\" chunk"},
        {claimsTooMuch, "chunk \"data\" claims 2130706687 bytes"},
        {riffTooLong, "the RIFF chunk claims"},
        {{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '}, "not a RIFF WAVE file"},
        {{'R', 'I', 'F'}, "not a RIFF WAVE file"},
    };
    DebugCapture debug;
    for (const Case& c : cases) {
        WaveFile wave;
        debug.Clear();
        EXPECT_FALSE(wave.OpenMemory(c.file.data(), c.file.size(), "bad.wav")) << c.reason;
        EXPECT_TRUE(wave.GetData().empty()) << c.reason;
        EXPECT_EQ(wave.GetFormat().channels, 0) << c.reason;
        EXPECT_EQ(wave.GetError().rfind("bad.wav: ", 0), 0u) << wave.GetError();
        EXPECT_NE(wave.GetError().find(c.reason), std::string::npos) << wave.GetError();
        EXPECT_NE(debug.Text().find(wave.GetError()), std::string::npos) << debug.Text();
    }
}

TEST(WaveFile, AFailedOpenForgetsTheSoundBefore)
{
    const std::vector<uint8_t> good = Riff({{"fmt ", Fmt(1, 1, 16)}, {"data", {5, 0}}});
    const std::vector<uint8_t> bad = Riff({{"fmt ", Fmt(3, 1, 64)}, {"data", std::vector<uint8_t>(8)}});
    WaveFile wave;
    ASSERT_TRUE(wave.OpenMemory(good.data(), good.size()));
    EXPECT_FALSE(wave.OpenMemory(bad.data(), bad.size()));
    EXPECT_FALSE(wave.OpenFile("no/such/sound.wav"));
    EXPECT_TRUE(wave.GetData().empty());
    EXPECT_NE(wave.GetError().find("sound.wav"), std::string::npos);
}

} // namespace
