#include "tools/world/MusicSynth.h"

#include "engine/sound/OggVorbisWriter.h"
#include "tools/world/Oscillator.h"
#include "tools/world/WorldText.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <set>

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
    const int lastLine = ForEachWordLine(text, [&](std::vector<std::string>& w, int lineNo) {
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
    });
    if (track.file.empty())
        throw WorldError(fileName, lastLine, "the track has no \"track FILE.ogg\" line");
    if (track.tempo <= 0 || track.beatsPerBar <= 0 || track.bars <= 0 || track.introBars < 0
        || track.introBars >= track.bars)
        throw WorldError(
            fileName, lastLine, "tempo, beats and bars must be positive, the intro shorter than the track");
    if (track.Seconds() < 24.0 || track.Seconds() > 48.0)
        throw WorldError(fileName, lastLine,
            "a track lasts 24 to 48 s, this one " + std::to_string(track.Seconds()) + " s");
    if (std::abs(track.loopPercent - 100.0 * track.introBars / track.bars) > 0.01)
        throw WorldError(fileName, lastLine, "the loop point must skip exactly the intro bars");
    return track;
}

std::vector<float> RenderTrack(const TrackScore& track, uint64_t seed)
{
    const double beat = 60.0 / track.tempo;
    const size_t frames = size_t(track.Seconds() * kMusicRate);
    std::vector<float> out(frames * 2, 0.0f);
    WorldRandom random = WorldRandom::ForName(track.file, seed);
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
            // The organ's second triangle runs slightly sharp.
            Oscillator main(kMusicRate), detuned(kMusicRate);
            for (size_t i = 0; i < span && begin + i < frames; ++i) {
                double t = double(i) / kMusicRate;
                double env = std::min(1.0, t / 0.01) * std::exp(-v.decay * t)
                    * std::min(1.0, double(span - i) / (0.01 * kMusicRate));
                const double phase = main.Step(hz);
                const double phase2 = detuned.Step(hz * 1.004);
                double s = 0;
                if (v.wave == "sine")
                    s = Oscillator::Sine(phase);
                else if (v.wave == "square")
                    s = phase < 0.5 ? 0.5 : -0.5;
                else if (v.wave == "tri")
                    s = Oscillator::Triangle(phase);
                else if (v.wave == "organ")
                    s = 2.0 * (std::abs(phase - 0.5) + std::abs(phase2 - 0.5)) - 1.0;
                else
                    s = main.Noise(hz, random);
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
    return WriteOggVorbis(
        stereo, 2, kMusicRate, 0.3f, int(seed & 0x7FFFFFFF), {{"LOOPSTART", std::to_string(loopStart)}});
}
