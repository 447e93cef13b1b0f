#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Where the sound classes find their files: the configured sound and music
// folders (prefixes used by plain concatenation) and the unscrambler of
// ".qhsound"/".qhmusic" files.
std::string GetSoundFolder();
std::string GetMusicFolder();
// The plain bytes of a scrambled asset file; empty when it cannot be read.
std::vector<uint8_t> LoadScrambledAsset(const std::string& path);
