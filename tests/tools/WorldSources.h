#pragma once

#include "engine/serial/FileUtils.h"
#include "tools/world/ArtAtlas.h"
#include "tools/world/LevelDescription.h"
#include "tools/world/MusicSynth.h"
#include "tools/world/SoundSynth.h"
#include "tools/world/WorldText.h"

#include <set>
#include <string>
#include <vector>

// The world's text sources (data/) read as the generators read them: the art
// recipes and their atlas, the sounds, the level descriptions and the tracks.
struct WorldSources {
    ArtBook art;
    ArtAtlas atlas;
    std::vector<SynthSound> sounds;
    std::vector<LevelDescription> levels;
    std::set<std::string> tracks;

    WorldSources()
    {
        const std::string data = std::string(QUENHOLT_SOURCE_DIR) + "/data";
        for (const std::string& file : ListFiles(data + "/art", ".txt"))
            art.ReadFile(file);
        atlas = ArtAtlas::Layout(art);
        for (const std::string& file : ListFiles(data + "/sounds", ".txt")) {
            std::vector<SynthSound> list = ReadSoundList(ReadWholeFile(file), file);
            sounds.insert(sounds.end(), list.begin(), list.end());
        }
        for (const std::string& file : ListFiles(data + "/levels", ".lvd"))
            levels.push_back(LevelDescription::ReadFile(file));
        for (const std::string& file : ListFiles(data + "/music", ".txt"))
            tracks.insert(ReadMusicTrack(ReadWholeFile(file), file).file);
    }
};
