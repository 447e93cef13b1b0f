#include "engine/sound/MusicLibrary.h"

#include "engine/assets/ScrambledFile.h"
#include "engine/config/GamePaths.h"
#include "engine/platform/Paths.h"

#include <fstream>

MusicTrack::MusicTrack(std::string trackName, bool noResumeFlag, double loopPointPercent)
    : name(std::move(trackName))
    , noResume(noResumeFlag)
    , loopPoint(loopPointPercent)
{
    const std::string path = GetMusicPath() + name;
    if (platform::IsRegularFile(platform::ResolvePath(path)))
        return; // streamed from disk
    const std::string scrambled = ScrambledMusicPath(path);
    if (scrambled.empty())
        return;
    std::vector<uint8_t> bytes;
    if (LoadScrambledFile(scrambled, bytes) && !bytes.empty())
        data = std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
}

MusicTrack* MusicLibrary::Find(const std::string& trackName)
{
    for (const auto& track : tracks)
        if (track->name == trackName)
            return track.get();
    return nullptr;
}

void MusicLibrary::AddOrUpdate(const MusicTrack& track)
{
    if (MusicTrack* existing = Find(track.name))
        *existing = track;
    else
        tracks.push_back(std::make_unique<MusicTrack>(track));
}

void MusicLibrary::ResetResumePositions()
{
    for (const auto& track : tracks)
        track->resumePosition = 0;
}

void MusicLibrary::Clear()
{
    tracks.clear();
}
