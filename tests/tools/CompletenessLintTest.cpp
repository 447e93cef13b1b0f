#include "tools/world/CompletenessLint.h"

#include "game/Game.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

// The completeness lint: over the assembled world and the game's code, and
// the checker's own rules on a small library.
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void AddFiles(
    const fs::path& folder, const std::vector<std::string>& extensions, std::vector<NamedText>& into)
{
    if (!fs::exists(folder))
        return;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        for (const std::string& extension : extensions)
            if (entry.is_regular_file() && entry.path().extension() == extension)
                into.push_back(
                    {entry.path().lexically_relative(folder.parent_path()).string(), ReadFile(entry.path())});
}

TEST(CompletenessLint, TheWorldUsesEveryNameItDefinesAndDefinesEveryNameItUses)
{
    const fs::path world = QUENHOLT_WORLD_DIR;
    const fs::path source = QUENHOLT_SOURCE_DIR;
    if (!fs::exists(world / "gamelib.txt"))
        GTEST_SKIP() << "the world is not built in " << world;
    WorldNameSources sources;
    sources.library = ReadFile(world / "gamelib.txt");
    AddFiles(world / "levels", {".lvl"}, sources.worldTexts);
    AddFiles(world / "dialogues_eng", {".txt", ".h"}, sources.worldTexts);
    AddFiles(world / "dialogues_fr", {".txt", ".h"}, sources.worldTexts);
    sources.worldTexts.push_back({"init_vars.txt", ReadFile(world / "init_vars.txt")});
    for (const char* folder :
        {"engine", "scene", "characters", "ui", "zones", "script", "enemies", "bosses", "game"})
        AddFiles(source / folder, {".cpp", ".h"}, sources.codeFiles);
    sources.characterNames = Game::ParticleLinkNames();

    const CompletenessReport report = CheckCompleteness(sources);
    std::ostringstream listed;
    for (const std::string& line : report.missing)
        listed << line << "\n";
    for (const std::string& line : report.unused)
        listed << line << "\n";
    std::cout << "completeness: " << report.defined << " names defined, " << report.missing.size()
              << " missing, " << report.unused.size() << " unused\n";
    EXPECT_GT(report.defined, 1000u);
    EXPECT_TRUE(report.missing.empty() && report.unused.empty()) << listed.str();
}

TEST(CompletenessLint, EachRuleFindsItsFault)
{
    // An object and its animation, used; an animation no object uses, whose
    // frame the library lacks; a sound event the code plays by a composed
    // name and one nothing plays.
    WorldNameSources sources;
    sources.library = "GraphicalObjectV0\r\nDeco_Used\r\nAnimatedSpriteV0Ptr\r\nDeco_Used\r\n"
                      "AnimatedSpriteV0\r\nDeco_Used\r\nSpriteV0Ptr\r\nDeco_Used_f00\r\n"
                      "AnimatedSpriteV0\r\nDeco_Orphan\r\nSpriteV0Ptr\r\nDeco_Gone_f00\r\n"
                      "SpriteV0\r\nDeco_Used_f00\r\n"
                      "SoundEventV0\r\nNPC_Bat_Squeak\r\nSoundEventV0\r\nNPC_Bat_Silent\r\n"
                      "LocalParticleSystemV0\r\nPS_Dust\r\n";
    // Particle links, event or character first: one to a character the game
    // never makes, one to a system the library lacks.
    sources.worldTexts = {{"levels/a.lvl", "prop Deco_Used 3 4\n"},
        {"init_vars.txt",
            "addparticlesysteminnpc OnExplose NPC_Bat PS_Dust\r\n"
            "addparticlesysteminnpc NPC_Nobody OnExplose PS_Dust\r\n"
            "addparticlesysteminnpc NPC_Bat OnSpecial_01 PS_Smoke\r\n"}};
    sources.characterNames = {"NPC_Bat"};
    // The bat's cry is composed from two literals; the HUD asks for a picture
    // that is not there.
    sources.codeFiles = {{"enemies/NPC_Bat.cpp", "const char* k = \"NPC_Bat_\";\nPlay(\"Squeak\");\n"},
        {"ui/Hud.cpp", "void F()\n{\n    FindGraphicalObject(\"UI_Missing\", false);\n}\n"}};

    const CompletenessReport report = CheckCompleteness(sources);
    EXPECT_EQ(report.defined, 6u) << "names, whatever their kinds";
    EXPECT_EQ(report.missing,
        (std::vector<std::string> {
            "gamelib.txt:12: Deco_Gone_f00 is used but the library has no such sprite",
            "init_vars.txt:2: NPC_Nobody is linked but no character is made as it",
            "init_vars.txt:3: PS_Smoke is used but the library has no such particle system",
            "ui/Hud.cpp:3: UI_Missing is used but the library has no such graphical object",
        }));
    EXPECT_EQ(report.unused,
        (std::vector<std::string> {"animation Deco_Orphan is defined but nothing uses it",
            "sound event NPC_Bat_Silent is defined but nothing uses it"}));
}

} // namespace
