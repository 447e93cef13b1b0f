#include "engine/assets/ScrambledFile.h"

#include "engine/platform/DebugOutput.h"
#include "engine/platform/MessageBox.h"
#include "engine/platform/Paths.h"
#include "engine/serial/FileUtils.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

constexpr size_t kWordSize = 4;

uint32_t ReadWord(const uint8_t* bytes)
{
    return uint32_t(bytes[0]) | (uint32_t(bytes[1]) << 8) | (uint32_t(bytes[2]) << 16)
        | (uint32_t(bytes[3]) << 24);
}

void AppendWord(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(uint8_t(value >> shift));
}

void ReportBadFile(const std::string& path)
{
    const std::string text = "Error on file : " + path;
    platform::DebugOutput(text + "\n");
    platform::ShowMessageBox("Error", text, platform::MessageBoxIcon::Warning);
}

// Splits at the last separator of either kind.
std::string_view FileNamePart(std::string_view path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string FolderPart(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, bool& opened)
{
    std::ifstream file = platform::OpenRegularFile(platform::ResolvePath(path), std::ios::binary);
    opened = file.is_open();
    if (!opened)
        return false;
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size < 0)
        return false;
    file.seekg(0, std::ios::beg);
    bytes.resize(size_t(size));
    file.read(reinterpret_cast<char*>(bytes.data()), size);
    return file.gcount() == size;
}

// Moves the plain blocks 0..count-1 between their plain places and their
// reversed places. `toPlain` rebuilds; otherwise it scrambles. Sizes and the
// buffers have been checked by the caller.
void ReorderBlocks(
    const uint8_t* source, uint8_t* target, const std::vector<uint32_t>& sizes, size_t count, bool toPlain)
{
    // Block i sits at plain offset s[0] + ... + s[i-1] and at reversed offset
    // s[i+1] + ... + s[count-1].
    uint64_t total = 0;
    for (size_t i = 0; i < count; ++i)
        total += sizes[i];
    uint64_t plainOffset = 0;
    for (size_t i = 0; i < count; ++i) {
        const uint64_t reversedOffset = total - plainOffset - sizes[i];
        if (toPlain)
            std::memcpy(target + plainOffset, source + reversedOffset, sizes[i]);
        else
            std::memcpy(target + reversedOffset, source + plainOffset, sizes[i]);
        plainOffset += sizes[i];
    }
}

} // namespace

NameKey MakeNameKey(std::string_view baseName)
{
    NameKey key;
    int64_t sum = 0;
    for (const char c : baseName) {
        const int32_t entry = static_cast<signed char>(c);
        key.entries.push_back(entry);
        sum += entry;
    }
    key.sum = static_cast<int32_t>(sum);
    return key;
}

std::string ScrambledExtensionFor(const std::string& fileName)
{
    const size_t dot = fileName.rfind('.');
    if (dot == std::string::npos)
        return ".qhundef";
    const std::string extension = fileName.substr(dot + 1);
    if (extension == "png")
        return ".qhsprite";
    if (extension == "qhsprite")
        return ".png";
    if (extension == "ogg")
        return ".qhmusic";
    if (extension == "qhmusic")
        return ".ogg";
    if (extension == "wav")
        return ".qhsound";
    if (extension == "qhsound")
        return ".wav";
    return ".qhundef";
}

std::string ScrambledBaseName(const std::string& path)
{
    const std::string_view name = FileNamePart(path);
    return std::string(name.substr(0, name.rfind('.')));
}

std::string ScrambledImagePath(const std::string& path)
{
    std::string lower = path;
    std::transform(
        lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return ReplaceInString(lower, ".png", "qhsprite");
}

std::string ScrambledMusicPath(const std::string& path)
{
    return ReplaceInString(path, ".ogg", "qhmusic");
}

std::string ScrambledSoundPath(const std::string& path)
{
    return ReplaceInString(path, ".wav", "qhsound");
}

bool LoadScrambledFile(const std::string& path, std::vector<uint8_t>& data, bool writeCopy)
{
    data.clear();

    std::vector<uint8_t> file;
    bool opened = false;
    const bool wholeFile = ReadWholeFile(path, file, opened);
    if (!opened)
        return false; // a missing file is the caller's fallback, not an error
    if (!wholeFile) {
        ReportBadFile(path);
        return false;
    }
    if (!UnscrambleBytes(file, path, data))
        return false;

    if (writeCopy) {
        const std::string folder = FolderPart(path);
        const std::string copyPath = (folder.empty() ? std::string() : folder + "/") + ScrambledBaseName(path)
            + "_decode" + ScrambledExtensionFor(path);
        std::ofstream copy(platform::ResolvePath(copyPath), std::ios::binary | std::ios::trunc);
        if (!copy.is_open()) {
            data.clear();
            ReportBadFile(path);
            return false;
        }
        copy.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
    }
    return true;
}

bool UnscrambleBytes(std::span<const uint8_t> file, const std::string& path, std::vector<uint8_t>& data)
{
    data.clear();
    // The header must fit the file before any block size is believed: N words
    // of block sizes after the count, and at least one block per base-name
    // character, all inside the payload.
    const size_t keyLength = MakeNameKey(ScrambledBaseName(path)).entries.size();
    if (file.size() < kWordSize) {
        ReportBadFile(path);
        return false;
    }
    const uint64_t blockCount = ReadWord(file.data());
    const uint64_t headerSize = kWordSize + kWordSize * blockCount;
    if (headerSize > file.size() || blockCount < keyLength) {
        ReportBadFile(path);
        return false;
    }
    const size_t payloadSize = file.size() - size_t(headerSize);
    std::vector<uint32_t> sizes;
    uint64_t keyedTotal = 0;
    for (size_t i = 0; i < keyLength; ++i) {
        sizes.push_back(ReadWord(file.data() + kWordSize * (i + 1)));
        keyedTotal += sizes.back();
    }
    if (keyLength >= payloadSize || keyedTotal > payloadSize) {
        ReportBadFile(path);
        return false;
    }

    const uint8_t* payload = file.data() + headerSize;
    data.assign(payload, payload + payloadSize);
    ReorderBlocks(payload, data.data(), sizes, keyLength, true);
    return true;
}

std::vector<uint8_t> ScrambleBytes(
    std::span<const uint8_t> plain, std::string_view baseName, std::span<const uint32_t> blockSizes)
{
    const size_t keyLength = MakeNameKey(baseName).entries.size();
    if (blockSizes.size() < keyLength || keyLength >= plain.size())
        return {};
    std::vector<uint32_t> sizes(blockSizes.begin(), blockSizes.begin() + keyLength);
    uint64_t keyedTotal = 0;
    for (const uint32_t size : sizes)
        keyedTotal += size;
    if (keyedTotal > plain.size())
        return {};

    std::vector<uint8_t> out;
    AppendWord(out, uint32_t(blockSizes.size()));
    for (const uint32_t size : blockSizes)
        AppendWord(out, size);
    const size_t headerSize = out.size();
    out.insert(out.end(), plain.begin(), plain.end());
    ReorderBlocks(plain.data(), out.data() + headerSize, sizes, keyLength, false);
    return out;
}

std::vector<uint8_t> ScrambleBytes(std::span<const uint8_t> plain, std::string_view baseName)
{
    const size_t keyLength = baseName.size();
    if (keyLength >= plain.size())
        return {};
    // Blocks of unequal sizes, so that a reversed order shows in the bytes.
    // With unit < P / 2K, the keyed blocks stay below the data size.
    const size_t unit = plain.size() / (2 * keyLength + 2);
    std::vector<uint32_t> sizes;
    size_t used = 0;
    for (size_t i = 0; i < keyLength; ++i) {
        const size_t size = std::max<size_t>(1, unit + (i % 2));
        sizes.push_back(uint32_t(size));
        used += size;
    }
    sizes.push_back(uint32_t(plain.size() - std::min(used, plain.size())));
    return ScrambleBytes(plain, baseName, sizes);
}

bool WriteScrambledFile(const std::string& path, std::span<const uint8_t> plain)
{
    const std::vector<uint8_t> scrambled = ScrambleBytes(plain, ScrambledBaseName(path));
    if (scrambled.empty())
        return false;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file.is_open())
        return false;
    file.write(reinterpret_cast<const char*>(scrambled.data()), std::streamsize(scrambled.size()));
    return bool(file.flush());
}
