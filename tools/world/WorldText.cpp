#include "tools/world/WorldText.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

// "#" starts a comment when it stands alone as a word's start: followed by a
// blank or the line's end ("#RRGGBB" colours are words).
bool StartsComment(const std::string& line, size_t i)
{
    bool wordStart = i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t';
    bool alone = i + 1 == line.size() || line[i + 1] == ' ' || line[i + 1] == '\t' || line[i + 1] == '\r';
    return line[i] == '#' && wordStart && alone;
}

} // namespace

std::vector<std::string> SplitWords(const std::string& line)
{
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"')
                quoted = false;
            else
                word += c;
            continue;
        }
        if (c == '"') {
            quoted = true;
            inWord = true;
        } else if (StartsComment(line, i)) {
            break;
        } else if (c == ' ' || c == '\t' || c == '\r') {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(word);
    return words;
}

std::string StripComment(const std::string& line)
{
    std::string out;
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"')
            quoted = !quoted;
        if (!quoted && StartsComment(line, i))
            break;
        out += c;
    }
    while (!out.empty() && (out.back() == ' ' || out.back() == '\t' || out.back() == '\r'))
        out.pop_back();
    return out;
}

int ForEachWordLine(
    const std::string& text, const std::function<void(std::vector<std::string>& words, int line)>& visit)
{
    std::istringstream in(text);
    std::string raw;
    int lineNo = 0;
    while (std::getline(in, raw)) {
        ++lineNo;
        std::vector<std::string> words = SplitWords(raw);
        if (!words.empty())
            visit(words, lineNo);
    }
    return lineNo;
}

bool ReadLines(const std::string& path, std::vector<std::string>& lines)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    lines.clear();
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return true;
}

int ParseInt(const std::string& word, const std::string& file, int line)
{
    int value = 0;
    auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (ec != std::errc() || end != word.data() + word.size())
        throw WorldError(file, line, "expected a whole number, found \"" + word + "\"");
    return value;
}

double ParseDouble(const std::string& word, const std::string& file, int line)
{
    double value = 0;
    auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (ec != std::errc() || end != word.data() + word.size())
        throw WorldError(file, line, "expected a number, found \"" + word + "\"");
    return value;
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return static_cast<bool>(out);
}

bool WriteFileText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

WorldRandom WorldRandom::ForName(const std::string& name, uint64_t seed)
{
    uint64_t hash = 1469598103934665603ull; // FNV-1a
    for (unsigned char c : name) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return WorldRandom(hash ^ (seed * 0x9E3779B97F4A7C15ull));
}

uint64_t WorldRandom::Next()
{
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::vector<std::string> ListFiles(const std::string& folder, const std::string& extension)
{
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.is_regular_file() && entry.path().extension() == extension)
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw WorldError(path, 0, "cannot read the file");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}
