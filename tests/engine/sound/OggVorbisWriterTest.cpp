#include "engine/sound/OggVorbisWriter.h"
#include "engine/sound/OggMemorySource.h"

#include <vorbis/vorbisfile.h>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;

// A second of stereo: a tone on the left, silence on the right.
std::vector<float> LeftTone()
{
    std::vector<float> samples;
    for (int i = 0; i < kRate; ++i) {
        samples.push_back(0.5f * static_cast<float>(std::sin(2.0 * std::numbers::pi * 440.0 * i / kRate)));
        samples.push_back(0.0f);
    }
    return samples;
}

TEST(OggVorbisWriter, TheStreamDecodesToItsChannelsLengthAndTags)
{
    const std::vector<uint8_t> bytes
        = WriteOggVorbis(LeftTone(), 2, kRate, 0.5f, 77, {{"LOOPSTART", "1234"}});
    ASSERT_FALSE(bytes.empty());

    // The decoder owns its source and deletes it on close.
    auto* source = new OggMemorySource {bytes.data(), static_cast<int64_t>(bytes.size()), 0};
    const ov_callbacks callbacks {OggMemoryRead, OggMemorySeek, OggMemoryClose, OggMemoryTell};
    OggVorbis_File file;
    ASSERT_EQ(ov_open_callbacks(source, &file, nullptr, 0, callbacks), 0);
    const vorbis_info* info = ov_info(&file, -1);
    EXPECT_EQ(info->channels, 2);
    EXPECT_EQ(info->rate, kRate);
    EXPECT_EQ(ov_serialnumber(&file, -1), 77);
    EXPECT_EQ(ov_pcm_total(&file, -1), kRate); // every frame, no padding
    const char* loop = vorbis_comment_query(ov_comment(&file, -1), "LOOPSTART", 0);
    ASSERT_NE(loop, nullptr);
    EXPECT_EQ(std::string(loop), "1234");

    // The channels stay apart: the tone's energy is all on the left.
    double left = 0, right = 0;
    float** pcm = nullptr;
    int section = 0;
    long frames = 0;
    while ((frames = ov_read_float(&file, &pcm, 1024, &section)) > 0) {
        for (long i = 0; i < frames; ++i) {
            left += pcm[0][i] * pcm[0][i];
            right += pcm[1][i] * pcm[1][i];
        }
    }
    EXPECT_GT(left, 1000.0 * right);
    ov_clear(&file);
}

TEST(OggVorbisWriter, AFormatTheEncoderRefusesGivesNothing)
{
    EXPECT_TRUE(WriteOggVorbis(LeftTone(), 0, kRate, 0.5f, 1).empty());
    EXPECT_TRUE(WriteOggVorbis(LeftTone(), 2, 0, 0.5f, 1).empty());
}

} // namespace
