#include "game/Game.h"

#include "characters/LocalParticleSystem.h"
#include "engine/serial/ReaderContext.h"
#include "engine/sound/Sound.h"
#include "scene/AnimatedSprite.h"
#include "scene/GraphicalObject.h"
#include "scene/SpacialInstance.h"
#include "scene/Sprite.h"
#include "ui/UI_Font.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// A library with an entry in every table, written by the game's own writer.
std::string WriteSampleLibrary()
{
    Game game("Sample Title");
    game.librarySetting = 2.5f;
    auto* hero = new Sprite("Hero_0", "images\\hero.png", 0, 0, 31, 47);
    auto* hero1 = new Sprite("Hero_1", "images\\hero.png", 32, 0, 63, 47);
    auto* skipped = new Sprite("Editor_Only", "images\\editor.png", 0, 0, 1, 1);
    skipped->SetSkipSerialize(true);
    game.sprites = {hero, skipped, hero1};
    auto* walk = new AnimatedSprite("Hero_Walk");
    walk->AddFrame(hero, 100.0f, 0.0f);
    walk->AddFrame(hero1, 120.0f, 0.0f);
    game.animatedSprites = {walk};
    auto* object = new GraphicalObject("Deco_Grave_A");
    object->AddSpriteInstance(hero, 4, 8);
    game.sceneObjects = {object, new GraphicalObject("UI_Menu_Frame")};
    game.sounds = {new Sound("jump", "sounds\\jump.wav")};
    game.fonts = {new UI_Font("UI_Font_Basic")};
    // A particle-system definition as its record gives it (after its class
    // line): one particle, no sprites, the default motion, an 8 x 4 area.
    auto* dust = new LocalParticleSystem(0, 0, 0, 0);
    std::istringstream dustRecord(
        "Dust\r\n1\r\n0\r\nLocalParticleSystemV0\r\n0\r\n290\r\n300\r\n5\r\n5.5\r\n"
        "9\r\n10\r\n20\r\n20\r\n0\r\n1\r\n40\r\n0\r\n-1\r\n0\r\n-1\r\n0\r\n0\r\n0\r\n"
        "0\r\n0\r\n0\r\n8\r\n4\r\n0\r\n");
    EXPECT_TRUE(dust->UnSerialize(dustRecord));
    game.localParticleSystems = {dust};
    std::ostringstream os;
    EXPECT_TRUE(game.Serialize(os));
    return os.str();
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream is(text);
    for (std::string line; std::getline(is, line);)
        lines.push_back(line.substr(0, line.find('\r')));
    return lines;
}

std::string Join(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

template <class T> std::vector<std::string> Names(const std::vector<T*>& table)
{
    std::vector<std::string> names;
    for (T* entry : table)
        names.push_back(entry ? entry->GetName() : "(null)");
    return names;
}

struct ReadResult {
    bool ok = false;
    std::string messages;
};

// Reads the text as "gamelib.txt" into the game, with its messages.
ReadResult Read(Game& game, const std::string& text)
{
    std::istringstream is(text);
    ReaderContext context(is, "gamelib.txt");
    testing::internal::CaptureStderr();
    ReadResult result;
    result.ok = game.UnSerialize(is);
    result.messages = testing::internal::GetCapturedStderr();
    return result;
}

size_t IndexOf(const std::vector<std::string>& lines, const std::string& line)
{
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == line)
            return i;
    ADD_FAILURE() << "no line " << line;
    return lines.size();
}

} // namespace

TEST(GameLibrary, ALibraryReadsBackWithTheSameTablesAndWritesBackByteForByte)
{
    const std::string written = WriteSampleLibrary();
    const std::vector<std::string> lines = Lines(written);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "GameV0");
    EXPECT_EQ(lines[3], "2"); // the skipped sprite is neither counted nor written
    EXPECT_EQ(written.find("Editor_Only"), std::string::npos);
    // The groups behind their tags, in the order 1.1, 1.4, 1.3, 1.5.
    EXPECT_LT(IndexOf(lines, "_Game_updatetag_1.1_"), IndexOf(lines, "_Game_updatetag_1.4_"));
    EXPECT_LT(IndexOf(lines, "_Game_updatetag_1.4_"), IndexOf(lines, "_Game_updatetag_1.3_"));
    EXPECT_LT(IndexOf(lines, "_Game_updatetag_1.3_"), IndexOf(lines, "_Game_updatetag_1.5_"));

    Game game;
    const ReadResult result = Read(game, written);
    EXPECT_TRUE(result.ok) << result.messages;
    EXPECT_EQ(result.messages, "");
    EXPECT_EQ(Names(game.sprites), (std::vector<std::string> {"Hero_0", "Hero_1"}));
    EXPECT_EQ(Names(game.animatedSprites), (std::vector<std::string> {"Hero_Walk"}));
    EXPECT_EQ(Names(game.sceneObjects), (std::vector<std::string> {"Deco_Grave_A", "UI_Menu_Frame"}));
    EXPECT_EQ(Names(game.sounds), (std::vector<std::string> {"jump"}));
    EXPECT_EQ(Names(game.fonts), (std::vector<std::string> {"UI_Font_Basic"}));
    EXPECT_EQ(Names(game.localParticleSystems), (std::vector<std::string> {"Dust"}));
    EXPECT_EQ(game.librarySetting, 2.5f);

    std::ostringstream again;
    game.Serialize(again);
    EXPECT_EQ(again.str(), written);
}

TEST(GameLibrary, StartUpBindingRunsAfterTheReadWhateverItsOutcome)
{
    for (const bool damaged : {false, true}) {
        SCOPED_TRACE(damaged);
        std::vector<std::string> lines = Lines(WriteSampleLibrary());
        if (damaged)
            lines[4] = "NotASpriteV0";
        Game game;
        const ReadResult result = Read(game, Join(lines));
        EXPECT_EQ(result.ok, !damaged);
        // Dialogue, player, menu, end score; only the menu is shown.
        ASSERT_EQ(game.uiFrames.size(), 4u);
        std::vector<bool> visible;
        for (const auto& frame : game.uiFrames)
            visible.push_back(frame->IsVisible());
        EXPECT_EQ(visible, (std::vector<bool> {false, false, true, false}));
        EXPECT_EQ(game.uiFrames[0]->GetPrototype(), nullptr); // missing, its place kept
        EXPECT_EQ(game.uiFrames[3]->GetPosition(), Point<float>(40.0f, 250.0f));
        EXPECT_EQ(game.uiFrames[2]->GetPrototype() != nullptr, !damaged);
        EXPECT_EQ(game.uiState, 0);
    }
}

TEST(GameLibrary, DamagedLibrariesNameTheFileLineAndGroupAndKeepWhatWasRead)
{
    const std::vector<std::string> good = Lines(WriteSampleLibrary());
    const size_t firstSprite = 4;
    const size_t objects = IndexOf(good, "GraphicalObjectV0");
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        const char* group;
        size_t sprites;
        size_t sceneObjects;
    };
    std::vector<std::string> badClass = good;
    badClass[firstSprite] = "SpriteV9";
    std::vector<std::string> truncated(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(objects) + 3);
    std::vector<std::string> unknown = good;
    unknown[objects] = "NoSuchClassV0";
    std::vector<std::string> badCount = good;
    badCount[3] = "many";
    const std::vector<Case> cases = {
        // The later counts are not read: those tables stay empty.
        {"bad class line", badClass, "sprites", 0, 0},
        {"truncated group", truncated, "scene objects", 2, 1},
        {"unknown name", unknown, "scene objects", 2, 1},
        {"bad count", badCount, "header", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Game game;
        const ReadResult result = Read(game, Join(c.lines));
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.messages.find("gamelib.txt:"), std::string::npos) << result.messages;
        EXPECT_NE(
            result.messages.find(std::string("(game library group: ") + c.group + ")"), std::string::npos)
            << result.messages;
        EXPECT_EQ(game.sprites.size(), c.sprites);
        EXPECT_EQ(game.uiFrames.size(), 4u); // the game still starts
        if (c.group != std::string("scene objects")) {
            EXPECT_TRUE(game.sceneObjects.empty());
        }
    }
}

TEST(GameLibrary, OlderAndShorterLibraries)
{
    const std::vector<std::string> good = Lines(WriteSampleLibrary());
    const size_t map = IndexOf(good, "_Game_updatetag_1.1_");

    // A file that ends after the scene objects reads whole; the later
    // groups keep their defaults.
    {
        Game game;
        const ReadResult result
            = Read(game, Join({good.begin(), good.begin() + static_cast<std::ptrdiff_t>(map)}));
        EXPECT_TRUE(result.ok) << result.messages;
        EXPECT_EQ(game.sceneObjects.size(), 2u);
        EXPECT_TRUE(game.sounds.empty());
        EXPECT_TRUE(game.fonts.empty());
    }
    // Sounds behind the older tag, before the scene objects, come first.
    {
        std::vector<std::string> lines = good;
        const size_t objectsCount = IndexOf(lines, "GraphicalObjectV0") - 1;
        const std::vector<std::string> older
            = {"_Game_updatetag_1.2_", "1", "SoundV0", "old", "old.wav", "0", "0", "0", "0", "0", "0", "0"};
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(objectsCount), older.begin(), older.end());
        Game game;
        const ReadResult result = Read(game, Join(lines));
        EXPECT_TRUE(result.ok) << result.messages;
        EXPECT_EQ(Names(game.sounds), (std::vector<std::string> {"old", "jump"}));
    }
    // A huge count at the end of the file ends the group instead of looping.
    {
        std::vector<std::string> lines(good.begin(), good.begin() + 3);
        lines.push_back("4294967295");
        Game game;
        EXPECT_FALSE(Read(game, Join(lines)).ok);
        EXPECT_TRUE(game.sprites.empty());
    }
}
