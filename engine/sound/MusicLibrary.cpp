#include "engine/sound/MusicLibrary.h"

#include "engine/platform/Paths.h"
#include "engine/serial/FileUtils.h"
#include "engine/sound/SoundAssetPaths.h"

#include <fstream>

MusicTrack::MusicTrack(std::string trackName, bool noResumeFlag, double loopPointPercent)
    : name(std::move(trackName))
    , noResume(noResumeFlag)
    , loopPoint(loopPointPercent)
{
    const std::string path = GetMusicFolder() + name;
    if (std::ifstream(platform::ResolvePath(path), std::ios::binary).is_open())
        return; // streamed from disk
    const std::string scrambled = ReplaceInString(path, ".ogg", "qhmusic");
    if (scrambled.empty())
        return;
    std::vector<uint8_t> bytes = LoadScrambledAsset(scrambled);
    if (!bytes.empty())
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
