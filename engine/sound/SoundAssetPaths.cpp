#include "engine/sound/SoundAssetPaths.h"

// PLACEHOLDER until the configured paths and the asset unscrambler are in the
// engine: no folder prefix and no scrambled files.
std::string GetSoundFolder()
{
    return {};
}

std::string GetMusicFolder()
{
    return {};
}

std::vector<uint8_t> LoadScrambledAsset(const std::string&)
{
    return {};
}
