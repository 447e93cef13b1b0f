#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// Shared helpers of the world-building tools: the text files they read are
// line based; a "#" standing alone (followed by a blank or the line's end)
// starts a comment outside quotes, so "#RRGGBB" colours stay words.

// A fault in a description file: what() is "file:line: message".
class WorldError : public std::runtime_error {
public:
    WorldError(const std::string& file, int line, const std::string& message)
        : std::runtime_error(file + ":" + std::to_string(line) + ": " + message)
    {
    }
};

// One source line cut into words; a word in double quotes keeps its blanks
// (the quotes are dropped). The comment from an unquoted "#" is left out.
std::vector<std::string> SplitWords(const std::string& line);

// The line without its comment and trailing blanks (CR included).
std::string StripComment(const std::string& line);

// The line loop of every description reader: calls `visit` with the words
// of each line that has any (SplitWords: blank and comment-only lines are
// skipped) and the line's number from 1. Returns the number of lines.
int ForEachWordLine(
    const std::string& text, const std::function<void(std::vector<std::string>& words, int line)>& visit);

// Whole file as lines, CR LF or LF; false when it cannot be read.
bool ReadLines(const std::string& path, std::vector<std::string>& lines);

// Number parsing that reports "file:line" on a bad word.
int ParseInt(const std::string& word, const std::string& file, int line);
double ParseDouble(const std::string& word, const std::string& file, int line);

// Writes bytes to a file, creating nothing else; false on failure.
bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
bool WriteFileText(const std::string& path, const std::string& text);

// A small deterministic generator (SplitMix64): the same seed gives the same
// numbers on every machine and build.
class WorldRandom {
public:
    explicit WorldRandom(uint64_t seed)
        : state(seed)
    {
    }
    // A generator seeded from a name and a world seed, so each object's
    // pictures or sounds stay the same when others are added.
    static WorldRandom ForName(const std::string& name, uint64_t seed);

    uint64_t Next();
    // Uniform in [0, 1).
    double Unit() { return double(Next() >> 11) * (1.0 / 9007199254740992.0); }
    // Uniform in [lo, hi] (hi >= lo).
    int Range(int lo, int hi) { return lo + int(Next() % uint64_t(hi - lo + 1)); }

private:
    uint64_t state;
};

// The files of a folder with that extension (".txt"), sorted by name.
std::vector<std::string> ListFiles(const std::string& folder, const std::string& extension);

// The whole file as text; throws WorldError when it cannot be read.
std::string ReadWholeFile(const std::string& path);
