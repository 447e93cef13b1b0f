// Synthesises the world's sound effects from the sound lists of data/sounds.
// Usage: sfxgen SEED OUT_SOUNDS_DIR SOUNDS_DIR
#include "tools/world/SoundSynth.h"
#include "tools/world/WorldText.h"

#include <filesystem>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: sfxgen SEED OUT_SOUNDS_DIR SOUNDS_DIR\n";
        return 2;
    }
    try {
        const uint64_t seed = std::stoull(argv[1]);
        const std::filesystem::path out = argv[2];
        std::filesystem::create_directories(out);
        for (const std::string& file : ListFiles(argv[3], ".txt")) {
            for (const SynthSound& sound : ReadSoundList(ReadWholeFile(file), file)) {
                std::filesystem::path path = out / (sound.name + ".wav");
                if (!WriteFileBytes(path.string(), EncodeWav(RenderSound(sound, seed), 1, kSfxRate))) {
                    std::cerr << "sfxgen: cannot write " << path.string() << "\n";
                    return 1;
                }
            }
        }
    } catch (const std::exception& e) {
        std::cerr << "sfxgen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
