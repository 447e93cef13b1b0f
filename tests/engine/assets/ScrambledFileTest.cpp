#include "engine/assets/ScrambledFile.h"

#include "tests/engine/platform/DebugCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

void AppendWord(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(uint8_t(value >> shift));
}

// Builds a file: count, block sizes, payload text.
std::vector<uint8_t> MakeFile(
    uint32_t count, std::initializer_list<uint32_t> sizes, const std::string& payload)
{
    std::vector<uint8_t> file;
    AppendWord(file, count);
    for (uint32_t size : sizes)
        AppendWord(file, size);
    file.insert(file.end(), payload.begin(), payload.end());
    return file;
}

class ScrambledFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("quenholt_scrambled_" + std::to_string(getpid()));
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        const std::string path = (folder / name).string();
        std::ofstream file(path, std::ios::binary);
        file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    }

    fs::path folder;
    DebugCapture debug;
};

TEST_F(ScrambledFileTest, RestoresReversedBlocksOfAHandWrittenFile)
{
    // Base name "abc": three keyed blocks of sizes 3, 4, 2; the two further
    // sizes are not used. Plain "AAABBBBCC" + "tail" is stored as CC BBBB AAA.
    const std::string path = Write("abc.qhsprite", MakeFile(5, {3, 4, 2, 1000, 7}, "CCBBBBAAAtail"));

    std::vector<uint8_t> data;
    ASSERT_TRUE(LoadScrambledFile(path, data));
    EXPECT_EQ(data, Bytes("AAABBBBCCtail"));
    EXPECT_EQ(debug.Text(), "");

    // The same file named with backslashes loads alike: the key comes from
    // the base name alone.
    std::string backslashed = path;
    std::replace(backslashed.begin(), backslashed.end(), '/', '\\');
    std::vector<uint8_t> again;
    ASSERT_TRUE(LoadScrambledFile(backslashed, again));
    EXPECT_EQ(again, data);

    // A file that is not there fails quietly: callers try other names.
    EXPECT_FALSE(LoadScrambledFile((folder / "nothing.qhmusic").string(), again));
    EXPECT_TRUE(again.empty());
    EXPECT_EQ(debug.Text(), "");
}

TEST_F(ScrambledFileTest, ScrambledFileRoundTripsAndWritesTheDecodedCopy)
{
    std::vector<uint8_t> plain;
    for (int i = 0; i < 5000; ++i)
        plain.push_back(uint8_t(i * 7 + i / 256));
    const std::string path = (folder / "Hero_Walk.qhsprite").string();
    ASSERT_TRUE(WriteScrambledFile(path, plain));

    // The stored payload really is reordered.
    std::ifstream stored(path, std::ios::binary);
    std::vector<uint8_t> raw((std::istreambuf_iterator<char>(stored)), std::istreambuf_iterator<char>());
    ASSERT_GT(raw.size(), plain.size());
    EXPECT_FALSE(std::equal(plain.begin(), plain.end(), raw.end() - std::ptrdiff_t(plain.size())));

    std::vector<uint8_t> data;
    ASSERT_TRUE(LoadScrambledFile(path, data, true));
    EXPECT_EQ(data, plain);

    std::ifstream copy(folder / "Hero_Walk_decode.png", std::ios::binary);
    ASSERT_TRUE(copy.is_open());
    std::vector<uint8_t> copied((std::istreambuf_iterator<char>(copy)), std::istreambuf_iterator<char>());
    EXPECT_EQ(copied, plain);
}

TEST_F(ScrambledFileTest, MalformedFilesAreRejectedWithoutData)
{
    std::vector<uint8_t> plain(400);
    for (size_t i = 0; i < plain.size(); ++i)
        plain[i] = uint8_t(i);
    const std::vector<uint8_t> whole = ScrambleBytes(plain, "abc");
    ASSERT_FALSE(whole.empty());

    const std::vector<std::pair<const char*, std::vector<uint8_t>>> cases = {
        {"zero length", {}},
        {"count cut short", {1, 0}},
        {"count beyond the file", MakeFile(0xFFFFFFFFu, {}, "some payload bytes")},
        {"fewer sizes than name characters", MakeFile(2, {1, 1}, "a long enough payload")},
        // The two large sizes would wrap a 32-bit total.
        {"blocks beyond the payload", MakeFile(3, {4, 0x7FFFFFFFu, 0x7FFFFFFFu}, "payload of twenty....")},
        {"name as long as the payload", MakeFile(3, {1, 1, 1}, "xyz")},
        {"truncated in the sizes", std::vector<uint8_t>(whole.begin(), whole.begin() + 10)},
        {"truncated in the blocks", std::vector<uint8_t>(whole.begin(), whole.begin() + 30)},
    };
    // Each is rejected: no data, and the error names the file.
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        debug.Clear();
        const std::string path = Write("abc.qhsprite", bytes);
        std::vector<uint8_t> data = Bytes("stale");
        EXPECT_FALSE(LoadScrambledFile(path, data));
        EXPECT_TRUE(data.empty());
        EXPECT_NE(debug.Text().find("Error on file : " + path), std::string::npos) << debug.Text();
    }
}

TEST(ScrambledNames, FileNameRules)
{
    EXPECT_EQ(ScrambledImagePath("Data\\Tiles\\Rock.PNG"), "data\\tiles\\rock.qhsprite");
    EXPECT_EQ(ScrambledImagePath("Data/Tiles/Rock"), "");
    EXPECT_EQ(ScrambledMusicPath("Music/Title.OGG"), "Music/Title.qhmusic");
    EXPECT_EQ(ScrambledSoundPath("Sounds/Hit.wav"), "Sounds/Hit.qhsound");
    EXPECT_EQ(ScrambledSoundPath("Sounds/Hit.ogg"), "");
    EXPECT_EQ(ScrambledBaseName("a/b.c\\Hero.Walk.png"), "Hero.Walk");
    EXPECT_EQ(ScrambledBaseName("Hero"), "Hero");
}

TEST(ScrambleBytes, RefusesDataTheLoaderWouldReject)
{
    const std::vector<uint8_t> plain = Bytes("abcdef");
    const std::vector<uint32_t> tooFew = {1, 1};
    EXPECT_TRUE(ScrambleBytes(plain, "abc", tooFew).empty());
    const std::vector<uint32_t> tooLarge = {3, 3, 3};
    EXPECT_TRUE(ScrambleBytes(plain, "abc", tooLarge).empty());
    EXPECT_TRUE(ScrambleBytes(plain, "abcdef").empty());
    // The smallest data our own block sizes can scramble.
    EXPECT_FALSE(ScrambleBytes(plain, "abcde").empty());
}

} // namespace
