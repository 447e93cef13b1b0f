#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Per-track music settings: where the track continues after its end, whether
// its position is remembered when it is left, and that position.
class MusicTrack {
public:
    // Looks for the track in the music folder; when it is not there, reads its
    // scrambled ".qhmusic" form whole into memory.
    MusicTrack(std::string trackName, bool noResumeFlag, double loopPointPercent);

    std::string name;           // file name relative to the music folder, ".ogg" included
    bool noResume = false;      // true: never resumed where it was left
    double loopPoint = 0.0;     // percent of the length where decoding continues after the end
    int64_t resumePosition = 0; // sample frame of the next start; -1: forget it once
    // The whole Ogg file when it was read into memory, shared by copies of the record.
    std::shared_ptr<const std::vector<uint8_t>> data;
};

// The registered tracks, in insertion order.
class MusicLibrary {
public:
    // The first track of exactly that name, or null.
    MusicTrack* Find(const std::string& name);
    // Overwrites every field of the track of that name, or appends a copy.
    void AddOrUpdate(const MusicTrack& track);
    void ResetResumePositions();
    void Clear();
    size_t GetCount() const { return tracks.size(); }

private:
    std::vector<std::unique_ptr<MusicTrack>> tracks;
};
