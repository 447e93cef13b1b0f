#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Images, sounds and music may ship as scrambled files (".qhsprite",
// ".qhsound", ".qhmusic") in place of the plain ".png", ".wav" and ".ogg".
//
// Layout (all integers 32-bit little-endian):
//   u32 N, then N block sizes s[0..N-1], then the payload (the rest of the file).
// With K the number of characters of the file's base name, the first
// s[0] + ... + s[K-1] payload bytes hold the plain blocks 0..K-1 in reverse
// order (block K-1 first); the payload bytes after them are the plain bytes,
// unchanged. Block sizes past K-1 are not used.

// Key derived from a file's base name: one sign-extended entry per character
// and their sum. Only its length matters to the block order.
struct NameKey {
    std::vector<int32_t> entries;
    int32_t sum = 0;
};

NameKey MakeNameKey(std::string_view baseName);

// Partner extension of the text after the last '.': "png" <-> ".qhsprite",
// "ogg" <-> ".qhmusic", "wav" <-> ".qhsound"; ".qhundef" for any other
// extension and for a name without '.'.
std::string ScrambledExtensionFor(const std::string& fileName);

// Base name of a path: no folder (either separator), no extension.
std::string ScrambledBaseName(const std::string& path);

// Scrambled name of an image: the path lower-cased and cut after the dot of its
// first ".png", with "qhsprite" appended. Empty when the path holds no ".png"
// (such a name has no scrambled fallback).
std::string ScrambledImagePath(const std::string& path);

// Scrambled names of music and sounds: the name cut after the dot of its first
// ".ogg" (".wav"), any letter case, with "qhmusic" ("qhsound") appended; the
// part before keeps its case. Empty when the extension does not occur.
std::string ScrambledMusicPath(const std::string& path);
std::string ScrambledSoundPath(const std::string& path);

// Reads a scrambled file whole and rebuilds the plain bytes into `data`.
// Returns true with the plain bytes; false with `data` empty otherwise.
// A missing file fails silently. A file whose header does not fit the file
// size, or whose blocks do not fit the payload, shows "Error on file : " and
// the path, and produces nothing. With `writeCopy`, the plain bytes are also
// written beside the file as base name + "_decode" + partner extension.
bool LoadScrambledFile(const std::string& path, std::vector<uint8_t>& data, bool writeCopy = false);

// The same on a file already in memory: `path` gives the key (its base name)
// and names the file in the message. Writes no copy.
bool UnscrambleBytes(std::span<const uint8_t> file, const std::string& path, std::vector<uint8_t>& data);

// Builds the scrambled form of `plain` for a file whose base name is
// `baseName`, with the given block sizes (at least as many as the base name
// has characters, and adding up within the data). Empty when the sizes do not
// satisfy that, or when the data is not longer than the base name (the loader
// rejects such files).
std::vector<uint8_t> ScrambleBytes(
    std::span<const uint8_t> plain, std::string_view baseName, std::span<const uint32_t> blockSizes);

// The same with block sizes of our choosing: one block per base-name
// character, spread over the data, plus one unused size for the rest.
std::vector<uint8_t> ScrambleBytes(std::span<const uint8_t> plain, std::string_view baseName);

// Scrambles `plain` into the file `path` (its base name gives the key).
// False when the data cannot be scrambled or the file cannot be written.
bool WriteScrambledFile(const std::string& path, std::span<const uint8_t> plain);
