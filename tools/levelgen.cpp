// Checks every level description of data/levels against the world's rules and
// writes its level file (lower-case name) into the output folder through the
// engine's own level writer.
// Usage: levelgen OUT_LEVELS_DIR ART_DIR LEVELS_DIR
#include "scene/Level.h"
#include "tools/world/ArtAtlas.h"
#include "tools/world/GameLibraryWriter.h"
#include "tools/world/LevelBuilder.h"
#include "tools/world/LevelChecks.h"
#include "tools/world/LevelModel.h"
#include "tools/world/WorldLint.h"
#include "tools/world/WorldText.h"

#include <filesystem>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: levelgen OUT_LEVELS_DIR ART_DIR LEVELS_DIR\n";
        return 2;
    }
    try {
        ArtBook book;
        for (const std::string& file : ListFiles(argv[2], ".txt"))
            book.ReadFile(file);
        ArtAtlas atlas = ArtAtlas::Layout(book);
        std::vector<SynthSound> noSounds;
        const GameLibraryWriter library(book, atlas, noSounds);
        const std::set<std::string> known = library.ObjectNames();

        std::vector<LevelDescription> levels;
        for (const std::string& file : ListFiles(argv[3], ".lvd"))
            levels.push_back(LevelDescription::ReadFile(file));
        std::vector<std::string> faults = CheckWorld(levels);
        for (const LevelDescription& level : levels) {
            std::vector<std::string> more = CheckLevel(level, known);
            faults.insert(faults.end(), more.begin(), more.end());
        }
        if (!faults.empty()) {
            for (const std::string& fault : faults)
                std::cerr << fault << "\n";
            return 1;
        }
        std::filesystem::create_directories(argv[1]);
        const LevelBuilder builder([&](const std::string& name) { return library.FindObject(name); });
        std::vector<std::unique_ptr<Level>> built;
        std::vector<LintedLevel> linted;
        for (const LevelDescription& description : levels) {
            const LevelModel model = BuildLevelModel(description);
            built.push_back(builder.Build(model));
            linted.push_back({model.fileName, built.back().get(), model.cellX, model.cellRow});
        }
        // The built levels as the game will read them: exits, start points, markers.
        faults = LintLevels(
            linted, [&](const std::string& name) { return library.FindObject(name) != nullptr; });
        if (!faults.empty()) {
            for (const std::string& fault : faults)
                std::cerr << "levelgen: " << fault << "\n";
            return 1;
        }
        for (size_t i = 0; i < built.size(); ++i)
            if (!built[i]->SaveFile((std::filesystem::path(argv[1]) / linted[i].file).string())) {
                std::cerr << "levelgen: cannot write " << linted[i].file << "\n";
                return 1;
            }
    } catch (const std::exception& e) {
        std::cerr << "levelgen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
