// Renders the world's music tracks from data/music and encodes them as Ogg
// Vorbis with their loop point. Usage: musicgen SEED OUT_MUSIC_DIR TRACK...
#include "tools/world/MusicSynth.h"
#include "tools/world/WorldText.h"

#include <cmath>
#include <filesystem>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::cerr << "usage: musicgen SEED OUT_MUSIC_DIR TRACK...\n";
        return 2;
    }
    try {
        const uint64_t seed = std::stoull(argv[1]);
        const std::filesystem::path out = argv[2];
        std::filesystem::create_directories(out);
        for (int i = 3; i < argc; ++i) {
            TrackScore track = ReadMusicTrack(ReadWholeFile(argv[i]), argv[i]);
            std::vector<float> samples = RenderTrack(track, seed);
            int64_t loopStart = std::llround(track.loopPercent / 100.0 * double(samples.size() / 2));
            std::vector<uint8_t> ogg = EncodeOggVorbis(samples, loopStart, seed);
            if (ogg.empty() || !WriteFileBytes((out / track.file).string(), ogg)) {
                std::cerr << "musicgen: cannot encode or write " << track.file << "\n";
                return 1;
            }
        }
    } catch (const std::exception& e) {
        std::cerr << "musicgen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
