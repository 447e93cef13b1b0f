#include "engine/config/GameConfig.h"
#include "engine/config/GamePaths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

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

    // The text of a saved default configuration, cut after `lines` lines.
    std::string DefaultLines(size_t lines) const
    {
        const std::string all = TextOf(GameConfig());
        size_t end = 0;
        for (size_t i = 0; i < lines; ++i)
            end = all.find("\r\n", end) + 2;
        return all.substr(0, end);
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
    // Each loads over a configuration that differs in every value.
    for (const auto& [saved, loaded] : { std::pair(GameConfig(), changed), std::pair(changed, GameConfig()) }) {
        ASSERT_TRUE(saved.SaveUserConfig());
        GameConfig config = loaded;
        EXPECT_TRUE(config.LoadUserConfig());
        EXPECT_EQ(TextOf(config), TextOf(saved));
    }
}

TEST_F(GameConfigTest, MissingFileKeepsEverythingAndCountsAsRead)
{
    GameConfig config = ChangedConfig();
    int applied = 0;
    GameConfig::SetApplyVolumesHook([&applied] { ++applied; });
    EXPECT_TRUE(config.LoadUserConfig());
    EXPECT_EQ(TextOf(config), TextOf(ChangedConfig()));
    EXPECT_EQ(applied, 1); // the volumes are applied after every load
}

TEST_F(GameConfigTest, FileCutAfterTheBindingsStillLoadsThem)
{
    GameConfig saved;
    saved.SetBinding(4, InputTriggerer(44, 0));
    saved.SetBinding(18, InputTriggerer(45, 0));
    saved.SetVSync(false);
    const std::string all = TextOf(saved);
    WriteFile(all.substr(0, all.find("VSync")));

    GameConfig loaded;
    loaded.SetVSync(false);
    loaded.SetLanguage("fr");
    loaded.SetBrightness(3);
    EXPECT_FALSE(loaded.LoadUserConfig());
    EXPECT_EQ(loaded.GetBinding4().code, 44u);
    EXPECT_EQ(loaded.GetBinding18().code, 45u);
    EXPECT_TRUE(loaded.GetVSync());
    EXPECT_EQ(loaded.GetLanguage(), "fr");
    EXPECT_EQ(loaded.GetBrightness(), 3);
}

TEST_F(GameConfigTest, MalformedBindingStopsTheReadingThere)
{
    // Lines 1 to 5, then binding 5 and binding 4 whose code holds letters.
    WriteFile("2\r\n3\r\n1\r\n1\r\n1\r\n60\r\n0\r\nkey\r\n0\r\n62\r\n0\r\nVSync=0\r\nfr\r\n");
    GameConfig loaded;
    loaded.SetVSync(false);
    loaded.SetLanguage("");
    EXPECT_FALSE(loaded.LoadUserConfig());
    EXPECT_EQ(loaded.GetMusicVolume(), 2);
    EXPECT_EQ(loaded.GetScaleFilter(), 1);
    EXPECT_EQ(loaded.GetBinding5(), InputTriggerer(60, 0));
    EXPECT_EQ(loaded.GetBinding4(), InputTriggerer(57, 0)); // kept
    EXPECT_EQ(loaded.GetBinding7(), InputTriggerer(49, 0)); // not reached
    EXPECT_TRUE(loaded.GetVSync());                         // line 7 not read
    EXPECT_EQ(loaded.GetLanguage(), "eng");                 // empty gives the default
}

TEST_F(GameConfigTest, VerticalSyncIsOffOnlyForTheExactLine)
{
    const std::string head = DefaultLines(5 + 44);
    const std::string rest = "eng\r\n1\r\n1\r\n0\r\n0\r\n10\r\n55\r\n0\r\n";
    const std::pair<std::string, bool> cases[] = {
        { "VSync=0", false },
        { "VSync=0 ", true },
        { "vsync=0", true },
        { "VSync=1", true },
        { "", true },
    };
    for (const auto& [line, expected] : cases) {
        WriteFile(head + line + "\r\n" + rest);
        GameConfig loaded;
        loaded.SetVSync(!expected);
        EXPECT_TRUE(loaded.LoadUserConfig()) << '"' << line << '"';
        EXPECT_EQ(loaded.GetVSync(), expected) << '"' << line << '"';
    }
}

TEST_F(GameConfigTest, EmptyLanguageLineGivesTheDefault)
{
    WriteFile(DefaultLines(5 + 44 + 1) + "\r\n1\r\n0\r\n2\r\n0\r\n20\r\n55\r\n0\r\n");
    GameConfig loaded;
    loaded.SetLanguage("fr");
    EXPECT_TRUE(loaded.LoadUserConfig());
    EXPECT_EQ(loaded.GetLanguage(), "eng");
    EXPECT_FALSE(loaded.GetFrameLimit());
    EXPECT_EQ(loaded.GetMotionBlur(), 2);
    EXPECT_EQ(loaded.GetBrightness(), 20);
}

TEST_F(GameConfigTest, LfOnlyFileLoads)
{
    std::string lf = TextOf(ChangedConfig());
    std::erase(lf, '\r');
    WriteFile(lf);
    GameConfig loaded;
    EXPECT_TRUE(loaded.LoadUserConfig());
    EXPECT_EQ(TextOf(loaded), TextOf(ChangedConfig()));
}

TEST_F(GameConfigTest, SetDefaultKeysRestoresCodesButFewDirections)
{
    GameConfig config;
    for (size_t i = 0; i < GameConfig::kBindingCount; ++i)
        config.SetBinding(i, InputTriggerer(99, 1));
    InputTriggerer released(99, 1);
    released.state = true;
    config.SetBinding2(released);
    config.SetBinding19(InputTriggerer(99, -1));

    config.SetDefaultKeys();
    EXPECT_EQ(config.GetBinding2().code, 17u);
    EXPECT_EQ(config.GetBinding2().direction, 0);
    EXPECT_FALSE(config.GetBinding2().state);
    EXPECT_EQ(config.GetBinding17(), InputTriggerer(8, -1));
    EXPECT_EQ(config.GetBinding19(), InputTriggerer(8, 1));
    // A direction the user gave binding 5 stays.
    EXPECT_EQ(config.GetBinding5(), InputTriggerer(48, 1));
    EXPECT_EQ(config.GetBinding20(), InputTriggerer(1, 0)); // not settable
}

TEST_F(GameConfigTest, UnwritableFolderReportsFailure)
{
    SetUserPath(folder.string() + "/missing/folder/");
    EXPECT_FALSE(GameConfig().SaveUserConfig());
}
