#include "engine/sound/OggVorbisWriter.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>

namespace {

// The encoder's four states, cleared in reverse order of setting up.
class VorbisEncoder {
public:
    VorbisEncoder()
    {
        vorbis_info_init(&info);
        vorbis_comment_init(&comment);
    }
    ~VorbisEncoder()
    {
        if (streaming) {
            ogg_stream_clear(&stream);
            vorbis_block_clear(&block);
            vorbis_dsp_clear(&dsp);
        }
        vorbis_comment_clear(&comment);
        vorbis_info_clear(&info);
    }
    VorbisEncoder(const VorbisEncoder&) = delete;
    VorbisEncoder& operator=(const VorbisEncoder&) = delete;

    bool Open(int channels, int rate, float quality, int serial)
    {
        if (vorbis_encode_init_vbr(&info, channels, rate, quality) != 0)
            return false;
        vorbis_analysis_init(&dsp, &info);
        vorbis_block_init(&dsp, &block);
        ogg_stream_init(&stream, serial);
        streaming = true;
        return true;
    }

    void Append(const ogg_page& page)
    {
        out.insert(out.end(), page.header, page.header + page.header_len);
        out.insert(out.end(), page.body, page.body + page.body_len);
    }

    // Encodes what the analysis holds into pages.
    void Drain()
    {
        ogg_page page;
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0)
                    Append(page);
            }
        }
    }

    void Flush()
    {
        ogg_page page;
        while (ogg_stream_flush(&stream, &page) != 0)
            Append(page);
    }

    vorbis_info info;
    vorbis_comment comment;
    vorbis_dsp_state dsp;
    vorbis_block block;
    ogg_stream_state stream;
    bool streaming = false;
    std::vector<uint8_t> out;
};

} // namespace

std::vector<uint8_t> WriteOggVorbis(const std::vector<float>& interleaved, int channels, int rate,
    float quality, int serial, const std::vector<std::pair<std::string, std::string>>& tags)
{
    VorbisEncoder encoder;
    if (channels < 1 || !encoder.Open(channels, rate, quality, serial))
        return {};
    for (const auto& [name, value] : tags)
        vorbis_comment_add_tag(&encoder.comment, name.c_str(), value.c_str());

    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&encoder.dsp, &encoder.comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&encoder.stream, &header);
    ogg_stream_packetin(&encoder.stream, &headerComment);
    ogg_stream_packetin(&encoder.stream, &headerCode);
    encoder.Flush(); // the headers stand on pages of their own

    const size_t frames = interleaved.size() / static_cast<size_t>(channels);
    constexpr size_t kChunk = 4096;
    for (size_t done = 0; done < frames; done += kChunk) {
        const size_t count = std::min(kChunk, frames - done);
        float** buffers = vorbis_analysis_buffer(&encoder.dsp, static_cast<int>(count));
        for (size_t i = 0; i < count; ++i)
            for (int c = 0; c < channels; ++c)
                buffers[c][i]
                    = interleaved[(done + i) * static_cast<size_t>(channels) + static_cast<size_t>(c)];
        vorbis_analysis_wrote(&encoder.dsp, static_cast<int>(count));
        encoder.Drain();
    }
    vorbis_analysis_wrote(&encoder.dsp, 0);
    encoder.Drain();
    encoder.Flush();
    return std::move(encoder.out);
}
