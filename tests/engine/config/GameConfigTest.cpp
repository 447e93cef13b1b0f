#include "engine/config/GameConfig.h"
#include "engine/config/GamePaths.h"
#include "engine/platform/AtomicFile.h"
#include "tests/engine/platform/DebugCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace {

// Everything a configuration saves, as it saves it.
std::string TextOf(const GameConfig& config)
{
    std::ostringstream text;
    config.Write(text);
    return text.str();
}

class GameConfigTest : public testing::Test {
protected:
    void SetUp() override
    {
        folder = std::filesystem::temp_directory_path() / ("quenholt_config_" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
        previousUserPath = GetUserPath();
        SetUserPath(folder.string() + "/");
    }

    void TearDown() override
    {
        SetUserPath(previousUserPath);
        GameConfig::SetApplyVolumesHook({});
        std::filesystem::remove_all(folder);
    }

    std::string ReadFile() const
    {
        std::ifstream file(folder / "UserConfig.cfg", std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    void WriteFile(const std::string& text) const
    {
        std::ofstream(folder / "UserConfig.cfg", std::ios::binary) << text;
    }

    std::filesystem::path folder;
    std::string previousUserPath;
};

// Every field and binding differs from its default.
GameConfig ChangedConfig()
{
    GameConfig config;
    config.SetMusicVolume(3);
    config.SetSoundVolume(10);
    config.SetWindowed(true);
    config.SetScaleMode(2);
    config.SetVSync(false);
    config.SetScaleFilter(1);
    config.SetMotionBlur(2);
    config.SetDisplayAdapter(1);
    config.SetBrightness(17);
    config.SetLanguage("fr");
    config.SetFrameCatchUp(false);
    config.SetFrameLimit(false);
    for (size_t i = 0; i < GameConfig::kBindingCount; ++i)
        config.SetBinding(i, InputTriggerer(100 + static_cast<uint32_t>(i), i % 2 ? -1 : 1));
    return config;
}

} // namespace

TEST_F(GameConfigTest, FileHasTheFixedLineOrder)
{
    ASSERT_TRUE(GameConfig().SaveUserConfig());
    const std::string text = ReadFile();
    // Volumes, windowed, scale mode, filter, then bindings 5, 4, 7, 6 ...
    EXPECT_EQ(text.substr(0, 40), "7\r\n8\r\n0\r\n0\r\n0\r\n48\r\n0\r\n57\r\n0\r\n49\r\n0\r\n52\r\n");
    // ... 19, 18, then vertical sync, language, the four options, binding 21.
    const std::string tail = "8\r\n1\r\n42\r\n0\r\nVSync=1\r\neng\r\n1\r\n1\r\n0\r\n0\r\n10\r\n55\r\n0\r\n";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 5 + 22 * 2 + 2 + 5 + 2);
}

TEST_F(GameConfigTest, SavedConfigsLoadBackWhole)
{
    GameConfig changed = ChangedConfig();
    changed.SetBinding(7, InputTriggerer(4294967295u, 0));
    int applied = 0;
    GameConfig::SetApplyVolumesHook([&applied] { ++applied; });

    // No file yet, or something that is no file at its name: everything is
    // kept and the load counts as done; what is no file is said, as a save
    // slot says it, without waiting on it (a pipe without a writer, endless
    // zeros).
    const std::filesystem::path path = folder / GameConfig::kFileName;
    const std::pair<std::function<void()>, std::string> kinds[] = {
        {[] {}, ""},
        {[&] { std::filesystem::create_directory(path); }, path.string() + ": is not a regular file\n"},
        {[&] { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); }, path.string() + ": is not a regular file\n"},
        {[&] { std::filesystem::create_symlink("/dev/zero", path); },
            path.string() + ": is not a regular file\n"},
    };
    for (const auto& [make, said] : kinds) {
        make();
        DebugCapture debug;
        GameConfig untouched = changed;
        EXPECT_TRUE(untouched.LoadUserConfig());
        EXPECT_EQ(TextOf(untouched), TextOf(changed));
        EXPECT_EQ(debug.Text(), said);
        std::filesystem::remove_all(path);
    }

    // Each loads over a configuration that differs in every value, from the
    // file as saved and with LF line ends alone.
    for (const auto& [saved, loaded] : {std::pair(GameConfig(), changed), std::pair(changed, GameConfig())}) {
        ASSERT_TRUE(saved.SaveUserConfig());
        std::string lf = ReadFile();
        std::erase(lf, '\r');
        for (const std::string& text : {ReadFile(), lf}) {
            WriteFile(text);
            GameConfig config = loaded;
            EXPECT_TRUE(config.LoadUserConfig());
            EXPECT_EQ(TextOf(config), TextOf(saved));
        }
    }
    EXPECT_EQ(applied, 8); // the volumes are applied after every load
}

TEST_F(GameConfigTest, FileCutAfterTheBindingsChangesNothing)
{
    GameConfig saved;
    saved.SetBinding(4, InputTriggerer(44, 0));
    saved.SetBinding(18, InputTriggerer(45, 0));
    saved.SetVSync(false);
    const std::string all = TextOf(saved);
    const std::string head = all.substr(0, all.find("VSync"));
    WriteFile(head);

    GameConfig loaded;
    loaded.SetVSync(false);
    loaded.SetLanguage("fr");
    loaded.SetBrightness(3);
    const std::string before = TextOf(loaded);
    EXPECT_FALSE(loaded.LoadUserConfig());
    EXPECT_EQ(TextOf(loaded), before);
    EXPECT_EQ(loaded.GetLanguage(), "fr");
}

TEST_F(GameConfigTest, MalformedBindingChangesNothingAndNamesTheLine)
{
    // Lines 1 to 5, then binding 5 and binding 4 whose code (line 8) holds letters.
    WriteFile("2\r\n3\r\n1\r\n1\r\n1\r\n60\r\n0\r\nkey\r\n0\r\n62\r\n0\r\nVSync=0\r\nfr\r\n");
    GameConfig loaded;
    loaded.SetVSync(false);
    const std::string before = TextOf(loaded);
    DebugCapture debug;
    EXPECT_FALSE(loaded.LoadUserConfig());
    EXPECT_EQ(TextOf(loaded), before);
    EXPECT_NE(debug.Text().find(
                  std::string(GameConfig::kFileName) + ":8: expected an unsigned integer, found \"key\""),
        std::string::npos)
        << debug.Text();
}

// A value outside its range falls back to its default with one message at
// its line; the rest of the file still loads.
TEST_F(GameConfigTest, OutOfRangeValuesAndUnknownLanguagesFallBackToTheDefault)
{
    std::vector<std::string> lines;
    {
        std::istringstream text(TextOf(ChangedConfig()));
        for (std::string line; std::getline(text, line);)
            lines.push_back(line);
    }
    GameConfig loaded;
    // Writes the lines and loads them; what the load said, a line a message.
    const auto load = [&](bool whole = true) {
        std::string text;
        for (const std::string& line : lines)
            text += line + "\n";
        WriteFile(text);
        DebugCapture debug(DebugCapture::Join::LinePerMessage);
        EXPECT_EQ(loaded.LoadUserConfig(), whole);
        return debug.Text();
    };
    // Lines: 1 music, 2 sound, 4 scale mode, 51 language, 55 adapter, 56 brightness.
    const std::tuple<size_t, std::string, std::string> damaged[] = {
        {1, "2147483647", "expected an integer from 0 to 10, found \"2147483647\"; the default 7 is used"},
        {2, "-2147483648", "expected an integer from 0 to 10, found \"-2147483648\"; the default 8 is used"},
        {4, "99", "expected an integer from 0 to 2, found \"99\""},
        {51, "../../../../etc",
            "expected \"eng\" or \"fr\", found \"../../../../etc\"; the default \"eng\" is used"},
        {55, "-7", "expected an integer from 0 to 15, found \"-7\""},
        {56, "2147483647", "expected an integer from 0 to 20, found \"2147483647\""},
    };
    for (const auto& [line, value, message] : damaged)
        lines[line - 1] = value + "\r";
    const std::string said = load();
    const GameConfig defaults;
    EXPECT_EQ(loaded.GetMusicVolume(), defaults.GetMusicVolume());
    EXPECT_EQ(loaded.GetSoundVolume(), defaults.GetSoundVolume());
    EXPECT_EQ(loaded.GetScaleMode(), defaults.GetScaleMode());
    EXPECT_EQ(loaded.GetLanguage(), "eng");
    EXPECT_EQ(loaded.GetDisplayAdapter(), defaults.GetDisplayAdapter());
    EXPECT_EQ(loaded.GetBrightness(), defaults.GetBrightness());
    // The values in range were taken.
    EXPECT_EQ(loaded.GetScaleFilter(), 1);
    EXPECT_EQ(loaded.GetMotionBlur(), 2);
    for (const auto& [line, value, message] : damaged) {
        const std::string expected = GameConfig::kFileName + (":" + std::to_string(line)) + ": " + message;
        EXPECT_NE(said.find(expected), std::string::npos) << expected << "\n" << said;
    }
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 6) << said;

    // A language line of 10 MB is no line of the file: the file does not
    // load, and a short message says so, once.
    lines[50] = std::string(10 * 1024 * 1024, 'x') + "\r";
    const std::string tooLong = load(false);
    EXPECT_LT(tooLong.size(), 4000u);
    EXPECT_NE(tooLong.find(":51: expected a line of at most"), std::string::npos) << tooLong;
    EXPECT_EQ(loaded.GetLanguage(), "eng");
}

TEST_F(GameConfigTest, VerticalSyncIsOffOnlyForTheExactLine)
{
    const std::string all = TextOf(GameConfig());
    const std::string head = all.substr(0, all.find("VSync"));
    // An empty language line gives the default, and the lines after it still load.
    const std::string rest = "\r\n1\r\n0\r\n2\r\n0\r\n20\r\n55\r\n0\r\n";
    const std::pair<std::string, bool> cases[] = {
        {"VSync=0", false},
        {"VSync=0 ", true},
        {"vsync=0", true},
        {"VSync=1", true},
        {"", true},
    };
    for (const auto& [line, expected] : cases) {
        SCOPED_TRACE('"' + line + '"');
        WriteFile(head + line + "\r\n" + rest);
        GameConfig loaded;
        loaded.SetVSync(!expected);
        loaded.SetLanguage("fr");
        EXPECT_TRUE(loaded.LoadUserConfig());
        EXPECT_EQ(loaded.GetVSync(), expected);
        EXPECT_EQ(loaded.GetLanguage(), "eng");
        EXPECT_FALSE(loaded.GetFrameLimit());
        EXPECT_EQ(loaded.GetBrightness(), 20);
    }
}

TEST_F(GameConfigTest, SetDefaultKeysRestoresCodesButFewDirections)
{
    GameConfig config;
    for (size_t i = 0; i < GameConfig::kBindingCount; ++i)
        config.SetBinding(i, InputTriggerer(99, i == 19 ? -1 : 1));
    InputTriggerer pressed(99, 1);
    pressed.state = true;
    config.SetBinding2(pressed);

    config.SetDefaultKeys();
    const GameConfig defaults;
    for (size_t i = 0; i < GameConfig::kBindingCount; ++i)
        EXPECT_EQ(config.GetBinding(i).code, defaults.GetBinding(i).code) << i;
    // Bindings 2, 17 and 19 get their default directions back (2 released);
    // the others keep the user's.
    EXPECT_FALSE(config.GetBinding2().state);
    for (size_t i : {2, 17, 19})
        EXPECT_EQ(config.GetBinding(i).direction, defaults.GetBinding(i).direction) << i;
    EXPECT_EQ(config.GetBinding5().direction, 1);
}

TEST_F(GameConfigTest, UnwritableFolderReportsFailureAndItsReason)
{
    SetUserPath(folder.string() + "/missing/folder/");
    std::string reason;
    EXPECT_FALSE(GameConfig().SaveUserConfig(&reason));
    EXPECT_EQ(reason, "No such file or directory");
}

// A save replaces the file whole: whoever opened the old one (a start reading
// it while the menu saves) still reads the old one to its end, and no
// temporary file stays behind.
TEST_F(GameConfigTest, SavingReplacesTheFileInsteadOfRewritingIt)
{
    ASSERT_TRUE(ChangedConfig().SaveUserConfig());
    const std::string before = ReadFile();
    std::ifstream reader(folder / "UserConfig.cfg", std::ios::binary);
    ASSERT_TRUE(reader.is_open());
    ASSERT_TRUE(GameConfig().SaveUserConfig());
    std::stringstream seen;
    seen << reader.rdbuf();
    EXPECT_EQ(seen.str(), before);
    EXPECT_NE(ReadFile(), before);
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        EXPECT_FALSE(platform::IsTemporaryNameOf("UserConfig.cfg", entry.path().filename().string()));
}
