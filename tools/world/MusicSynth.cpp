#include "tools/world/MusicSynth.h"

#include "tools/world/WorldText.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <set>
#include <sstream>

bool NoteFrequency(const std::string& name, double& hz)
{
    static const int kPitch[7] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    if (name.size() < 2 || name[0] < 'A' || name[0] > 'G')
        return false;
    int pitch = kPitch[name[0] - 'A'];
    size_t i = 1;
    if (name[i] == '#' || name[i] == 'b') {
        pitch += name[i] == '#' ? 1 : -1;
        ++i;
    }
    if (i + 1 != name.size() || name[i] < '0' || name[i] > '8')
        return false;
    int midi = 12 * (name[i] - '0' + 1) + pitch;
    hz = 440.0 * std::pow(2.0, (midi - 69) / 12.0);
    return true;
}

TrackScore ReadMusicTrack(const std::string& text, const std::string& fileName)
{
    static const std::set<std::string> kWaves = {"sine", "square", "tri", "organ", "noise"};
    TrackScore track;
    std::istringstream in(text);
    std::string raw;
    int lineNo = 0;
    while (std::getline(in, raw)) {
        ++lineNo;
        std::vector<std::string> w = SplitWords(raw);
        if (w.empty())
            continue;
        auto real = [&](size_t i) { return ParseDouble(w.at(i), fileName, lineNo); };
        auto integer = [&](size_t i) { return ParseInt(w.at(i), fileName, lineNo); };
        auto expect = [&](size_t n) {
            if (w.size() < n)
                throw WorldError(
                    fileName, lineNo, "\"" + w[0] + "\" expects " + std::to_string(n - 1) + " values");
        };
        if (w[0] == "track") {
            expect(2);
            track.file = w[1];
        } else if (w[0] == "tempo") {
            expect(2);
            track.tempo = real(1);
        } else if (w[0] == "beats") {
            expect(2);
            track.beatsPerBar = integer(1);
        } else if (w[0] == "bars") {
            expect(2);
            track.bars = integer(1);
        } else if (w[0] == "intro") {
            expect(2);
            track.introBars = integer(1);
        } else if (w[0] == "loop") {
            expect(2);
            track.loopPercent = real(1);
        } else if (w[0] == "voice") {
            expect(8);
            TrackVoice v;
            v.wave = w[1];
            if (!kWaves.count(v.wave))
                throw WorldError(fileName, lineNo, "unknown wave \"" + v.wave + "\"");
            v.step = real(2);
            v.amplitude = real(3);
            v.pan = real(4);
            v.decay = real(5);
            v.fromBar = integer(6);
            if (v.step <= 0)
                throw WorldError(fileName, lineNo, "a voice's step must be positive");
            for (size_t i = 7; i < w.size(); ++i) {
                double hz = 0;
                if (w[i] != "-" && !NoteFrequency(w[i], hz))
                    throw WorldError(
                        fileName, lineNo, "expected a note such as D4 or Bb1, found \"" + w[i] + "\"");
                v.notes.push_back(hz);
            }
            track.voices.push_back(v);
        } else {
            throw WorldError(fileName, lineNo, "unknown track word \"" + w[0] + "\"");
        }
    }
    if (track.file.empty())
        throw WorldError(fileName, lineNo, "the track has no \"track FILE.ogg\" line");
    if (track.tempo <= 0 || track.beatsPerBar <= 0 || track.bars <= 0 || track.introBars < 0
        || track.introBars >= track.bars)
        throw WorldError(
            fileName, lineNo, "tempo, beats and bars must be positive, the intro shorter than the track");
    if (track.Seconds() < 24.0 || track.Seconds() > 48.0)
        throw WorldError(
            fileName, lineNo, "a track lasts 24 to 48 s, this one " + std::to_string(track.Seconds()) + " s");
    if (std::abs(track.loopPercent - 100.0 * track.introBars / track.bars) > 0.01)
        throw WorldError(fileName, lineNo, "the loop point must skip exactly the intro bars");
    return track;
}

std::vector<float> RenderTrack(const TrackScore& track, uint64_t seed)
{
    const double beat = 60.0 / track.tempo;
    const size_t frames = size_t(track.Seconds() * kMusicRate);
    std::vector<float> out(frames * 2, 0.0f);
    WorldRandom random = WorldRandom::ForName(track.file, seed);
    const double twoPi = 2.0 * std::numbers::pi;
    for (const TrackVoice& v : track.voices) {
        if (v.notes.empty())
            continue;
        const double left = std::sqrt(0.5 * (1.0 - v.pan)), right = std::sqrt(0.5 * (1.0 + v.pan));
        const double first = v.fromBar * track.beatsPerBar * beat;
        const double noteLength = v.step * beat;
        for (size_t n = 0;; ++n) {
            double start = first + double(n) * noteLength;
            if (start >= track.Seconds() - 1e-9)
                break;
            double hz = v.notes[n % v.notes.size()];
            if (hz <= 0)
                continue;
            size_t begin = size_t(start * kMusicRate);
            size_t span = size_t(noteLength * kMusicRate);
            double phase = 0, phase2 = 0, low = 0;
            for (size_t i = 0; i < span && begin + i < frames; ++i) {
                double t = double(i) / kMusicRate;
                double env = std::min(1.0, t / 0.01) * std::exp(-v.decay * t)
                    * std::min(1.0, double(span - i) / (0.01 * kMusicRate));
                phase += hz / kMusicRate;
                phase -= std::floor(phase);
                phase2 += hz * 1.004 / kMusicRate;
                phase2 -= std::floor(phase2);
                double s = 0;
                if (v.wave == "sine")
                    s = std::sin(twoPi * phase);
                else if (v.wave == "square")
                    s = phase < 0.5 ? 0.5 : -0.5;
                else if (v.wave == "tri")
                    s = 4.0 * std::abs(phase - 0.5) - 1.0;
                else if (v.wave == "organ")
                    s = 2.0 * (std::abs(phase - 0.5) + std::abs(phase2 - 0.5)) - 1.0;
                else {
                    double a = 1.0 - std::exp(-twoPi * hz / kMusicRate);
                    low += a * ((random.Unit() * 2.0 - 1.0) - low);
                    s = low;
                }
                double sample = s * env * v.amplitude;
                out[(begin + i) * 2] += float(sample * left);
                out[(begin + i) * 2 + 1] += float(sample * right);
            }
        }
    }
    for (float& s : out)
        s = std::clamp(s, -1.0f, 1.0f);
    return out;
}

std::vector<uint8_t> EncodeOggVorbis(const std::vector<float>& stereo, int64_t loopStart, uint64_t seed)
{
    std::vector<uint8_t> bytes;
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, 2, kMusicRate, 0.3f) != 0) {
        vorbis_info_clear(&info);
        return bytes;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_comment_add_tag(&comment, "LOOPSTART", std::to_string(loopStart).c_str());
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, int(seed & 0x7FFFFFFF));

    auto append = [&](const ogg_page& page) {
        bytes.insert(bytes.end(), page.header, page.header + page.header_len);
        bytes.insert(bytes.end(), page.body, page.body + page.body_len);
    };
    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page) != 0)
        append(page);

    const size_t frames = stereo.size() / 2;
    const size_t chunk = 4096;
    bool endOfStream = false;
    for (size_t done = 0; !endOfStream;) {
        size_t n = std::min(chunk, frames - done);
        if (n == 0) {
            vorbis_analysis_wrote(&dsp, 0);
        } else {
            float** buffer = vorbis_analysis_buffer(&dsp, int(n));
            for (size_t i = 0; i < n; ++i) {
                buffer[0][i] = stereo[(done + i) * 2];
                buffer[1][i] = stereo[(done + i) * 2 + 1];
            }
            vorbis_analysis_wrote(&dsp, int(n));
            done += n;
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0) {
                    append(page);
                    if (ogg_page_eos(&page))
                        endOfStream = true;
                }
            }
        }
        if (n == 0)
            endOfStream = true;
    }
    while (ogg_stream_flush(&stream, &page) != 0)
        append(page);
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return bytes;
}
