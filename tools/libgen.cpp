// Writes the game library "gamelib.txt" from the art recipes and sound lists.
// Usage: libgen OUT_FILE ART_DIR SOUNDS_DIR
#include "tools/world/ArtAtlas.h"
#include "tools/world/GameLibraryWriter.h"
#include "tools/world/WorldText.h"

#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: libgen OUT_FILE ART_DIR SOUNDS_DIR\n";
        return 2;
    }
    try {
        ArtBook book;
        for (const std::string& file : ListFiles(argv[2], ".txt"))
            book.ReadFile(file);
        std::vector<SynthSound> sounds;
        for (const std::string& file : ListFiles(argv[3], ".txt")) {
            std::vector<SynthSound> list = ReadSoundList(ReadWholeFile(file), file);
            sounds.insert(sounds.end(), list.begin(), list.end());
        }
        ArtAtlas atlas = ArtAtlas::Layout(book);
        std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
        if (!GameLibraryWriter(book, atlas, sounds).Write(out) || !out.flush()) {
            std::cerr << "libgen: cannot write " << argv[1] << "\n";
            return 1;
        }
    } catch (const std::exception& e) {
        std::cerr << "libgen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
