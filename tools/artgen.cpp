// Draws the world's pictures from the recipes of data/art into PNG atlases.
// Usage: artgen SEED OUT_IMAGES_DIR ART_DIR
#include "tools/world/ArtAtlas.h"
#include "tools/world/ArtPainter.h"
#include "tools/world/WorldText.h"

#include <filesystem>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: artgen SEED OUT_IMAGES_DIR ART_DIR\n";
        return 2;
    }
    try {
        const uint64_t seed = std::stoull(argv[1]);
        const std::filesystem::path out = argv[2];
        ArtBook book;
        for (const std::string& file : ListFiles(argv[3], ".txt"))
            book.ReadFile(file);
        ArtAtlas atlas = ArtAtlas::Layout(book);
        for (const auto& [file, picture] : PaintAtlasPages(book, atlas, seed)) {
            std::filesystem::path path = out / file;
            std::filesystem::create_directories(path.parent_path());
            if (!WriteFileBytes(path.string(), picture.EncodePng())) {
                std::cerr << "artgen: cannot write " << path.string() << "\n";
                return 1;
            }
        }
    } catch (const std::exception& e) {
        std::cerr << "artgen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
