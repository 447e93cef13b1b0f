#include "scene/GraphicalObject.h"
#include "scene/Sprite.h"
#include "tools/world/ArtAtlas.h"
#include "tools/world/ArtPainter.h"
#include "tools/world/ArtRecipe.h"
#include "tools/world/GameLibraryWriter.h"
#include "tools/world/WorldText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>
#include <string>

namespace {

ArtBook WorldArt()
{
    ArtBook book;
    for (const std::string& file : ListFiles(std::string(QUENHOLT_SOURCE_DIR) + "/data/art", ".txt"))
        book.ReadFile(file);
    return book;
}

ArtBook BookOf(const std::string& text)
{
    ArtBook book;
    book.ReadText(text, "test.txt");
    return book;
}

// The objects of one atlas page drawn onto it, as PaintAtlasPages draws them.
PixelImage PaintPage(const ArtBook& book, const ArtAtlas& atlas, uint64_t seed, const AtlasPage& page)
{
    PixelImage picture(page.width, page.height);
    const ArtPainter painter(book, seed);
    for (const ArtObject& object : book.objects) {
        const std::vector<AtlasFrame>& places = atlas.frames.at(object.name);
        for (int f = 0; f < object.frames; ++f) {
            if (places[size_t(f)].page != page.file)
                continue;
            const PixelImage frame = painter.Paint(object, f);
            for (int y = 0; y < frame.GetHeight(); ++y)
                for (int x = 0; x < frame.GetWidth(); ++x)
                    picture.SetPixel(places[size_t(f)].x + x, places[size_t(f)].y + y, frame.GetPixel(x, y));
        }
    }
    return picture;
}

// The recipe files, not the pages: listing them costs nothing, while the
// pages need the whole book read and laid out, which every start of the test
// program (each test alone under ctest) would otherwise pay.
std::vector<std::string> WorldArtFiles()
{
    return ListFiles(std::string(QUENHOLT_SOURCE_DIR) + "/data/art", ".txt");
}

TEST(ArtGeneratorTest, PagesDrawnOneByOneAreTheWholeAtlasAndTheSeedMatters)
{
    const ArtBook book = WorldArt();
    const ArtAtlas atlas = ArtAtlas::Layout(book);
    ASSERT_FALSE(atlas.pages.empty());
    // Small pages only: the whole atlas is drawn page by page below.
    const AtlasPage* smallest = &atlas.pages.front();
    for (const AtlasPage& page : atlas.pages)
        if (page.width * page.height < smallest->width * smallest->height)
            smallest = &page;
    const auto whole = PaintAtlasPages(book, atlas, 1);
    ASSERT_EQ(whole.size(), atlas.pages.size());
    EXPECT_EQ(PaintPage(book, atlas, 1, *smallest).GetPixels(), whole.at(smallest->file).GetPixels());
    bool seedMatters = false;
    for (const AtlasPage& page : atlas.pages)
        if (page.file.rfind("cemetery/", 0) == 0)
            seedMatters = seedMatters
                || PaintPage(book, atlas, 2, page).GetPixels() != whole.at(page.file).GetPixels();
    EXPECT_TRUE(seedMatters) << "no picture draws from the seed";
}

// One test per recipe file, each drawing only the pages its objects lie on.
class ArtPageTest : public testing::TestWithParam<std::string> { };

TEST_P(ArtPageTest, SameSeedGivesTheSameBytesAndThePageDecodesToWhatWasDrawn)
{
    const ArtBook book = WorldArt();
    const ArtAtlas atlas = ArtAtlas::Layout(book);
    std::set<std::string> pagesOfFile;
    for (const ArtObject& object : book.objects)
        if (object.file == GetParam())
            for (const AtlasFrame& frame : atlas.frames.at(object.name))
                pagesOfFile.insert(frame.page);
    ASSERT_FALSE(pagesOfFile.empty()) << GetParam() << " draws nothing";
    for (const AtlasPage& page : atlas.pages) {
        if (pagesOfFile.count(page.file) == 0)
            continue;
        SCOPED_TRACE(page.file);
        const PixelImage picture = PaintPage(book, atlas, 1, page);
        const std::vector<uint8_t> png = picture.EncodePng();
        ASSERT_FALSE(png.empty());
        EXPECT_EQ(png, PaintPage(book, atlas, 1, page).EncodePng());
        PixelImage decoded;
        ASSERT_TRUE(decoded.LoadFromMemory(png));
        EXPECT_EQ(decoded.GetPixels(), picture.GetPixels());
    }
}

INSTANTIATE_TEST_SUITE_P(World, ArtPageTest, testing::ValuesIn(WorldArtFiles()),
    [](const testing::TestParamInfo<std::string>& info) {
        std::string name = std::filesystem::path(info.param).stem().string();
        std::replace_if(
            name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
            '_');
        return name;
    });

TEST(ArtGeneratorTest, AtlasFramesStayInsideTheirPowerOfTwoPagesWithoutOverlapping)
{
    const ArtBook book = WorldArt();
    const ArtAtlas atlas = ArtAtlas::Layout(book);
    std::map<std::string, PixelImage> used; // pixels claimed per page
    for (const AtlasPage& page : atlas.pages) {
        EXPECT_LE(page.width, 1024);
        EXPECT_LE(page.height, 1024);
        EXPECT_EQ(page.width & (page.width - 1), 0) << page.file;
        EXPECT_EQ(page.height & (page.height - 1), 0) << page.file;
        used.emplace(page.file, PixelImage(page.width, page.height));
    }
    for (const ArtObject& object : book.objects) {
        ASSERT_EQ(atlas.frames.at(object.name).size(), size_t(object.frames)) << object.name;
        for (const AtlasFrame& frame : atlas.frames.at(object.name)) {
            PixelImage& claim = used.at(frame.page);
            ASSERT_LE(frame.x + object.width, claim.GetWidth()) << object.name;
            ASSERT_LE(frame.y + object.height, claim.GetHeight()) << object.name;
            for (int y = frame.y; y < frame.y + object.height; ++y)
                for (int x = frame.x; x < frame.x + object.width; ++x) {
                    ASSERT_EQ(claim.GetPixel(x, y), 0u) << object.name << " overlaps at " << x << "," << y;
                    claim.SetPixel(x, y, 0xFFFFFFFFu);
                }
        }
    }
}

TEST(ArtGeneratorTest, EightLoadingScreenFramesOverflowIntoASecondPage)
{
    const ArtBook book = BookOf("object Big 512 448\n  image big.png\n  frames 8 100\n");
    const ArtAtlas atlas = ArtAtlas::Layout(book);
    ASSERT_EQ(atlas.pages.size(), 2u);
    EXPECT_EQ(atlas.pages[1].file, "big_1.png");
    EXPECT_EQ(atlas.frames.at("Big")[4].page, "big_1.png");
    EXPECT_EQ(atlas.frames.at("Big")[4].x, 0);
    EXPECT_EQ(atlas.frames.at("Big")[4].y, 0);
}

TEST(ArtGeneratorTest, PrimitivesDrawWhereTheRecipeSays)
{
    const ArtBook book = BookOf("palette p #000000 #FF0000 #00FF00 #0000FF #FFFFFF #111111 #222222 #333333\n"
                                "object Box 16 16\n  image t.png\n  palette p\n  frames 2 100\n"
                                "  rect 4 4 4 4 1\n  outline #0B0B12\n  frame 1\n  rect 0 0 1 1 #00000080\n"
                                "object Sky 64 8\n  image t.png\n  ridge 4 3 2 #FFFFFF\n");
    const ArtPainter painter(book, 7);
    const PixelImage f0 = painter.Paint(*book.Find("Box"), 0);
    EXPECT_EQ(f0.GetPixel(4, 4), 0xFFFF0000u);
    EXPECT_EQ(f0.GetPixel(7, 7), 0xFFFF0000u);
    EXPECT_EQ(f0.GetPixel(8, 8), 0u);          // rect is 4 wide: 4..7
    EXPECT_EQ(f0.GetPixel(3, 5), 0xFF0B0B12u); // outline beside the box
    EXPECT_EQ(f0.GetPixel(3, 3), 0u);          // but not on the diagonal
    EXPECT_EQ(f0.GetPixel(0, 0), 0u);          // frame 1's step is not in frame 0
    EXPECT_EQ(painter.Paint(*book.Find("Box"), 1).GetPixel(0, 0), 0x80000000u);

    // A translucent colour is laid over what is drawn; it never punches a hole.
    const ArtBook glow = BookOf("object G 4 1\n  image g.png\n  rect 0 0 2 1 #000080\n"
                                "  rect 1 0 2 1 #FFFFFF80\n  rect 3 0 1 1 #FFFFFF80\n  rect 0 0 1 1 clear\n");
    const PixelImage g = ArtPainter(glow, 1).Paint(glow.objects[0], 0);
    EXPECT_EQ(g.GetPixel(0, 0), 0u);          // erased
    EXPECT_EQ(g.GetPixel(1, 0), 0xFF8080C0u); // half white over opaque navy
    EXPECT_EQ(g.GetPixel(3, 0), 0x80FFFFFFu); // over nothing it keeps its own alpha

    // A ridge wraps around the picture's width, so a layer of copies has no seam.
    const PixelImage sky = painter.Paint(*book.Find("Sky"), 0);
    auto top = [&](int x) {
        int y = 0;
        while (y < sky.GetHeight() && sky.GetPixel(x, y) == 0)
            ++y;
        return y;
    };
    EXPECT_LE(std::abs(top(0) - top(sky.GetWidth() - 1)), 1);
}

TEST(ArtGeneratorTest, ALineIsAStrokeOfItsWidthWithRoundEnds)
{
    // A slanted stroke 6 wide from (4, 4) to (20, 12) in a 24 x 18 picture.
    const ArtBook book = BookOf("object L 24 18\n  image l.png\n  line 4 4 20 12 6 #FF0000\n");
    const PixelImage img = ArtPainter(book, 1).Paint(book.objects[0], 0);
    const struct {
        int x, y;
        bool drawn;
    } cases[] = {
        {4, 4, true},    // the first end
        {19, 11, true},  // the last end
        {12, 8, true},   // the middle of the stroke
        {1, 4, true},    // the round end reaches half the width before the first point
        {0, 4, false},   // but no further
        {22, 12, true},  // and beyond the last
        {23, 12, false}, // but no further
        {12, 2, false},  // above the middle: farther than half the width
        {10, 12, false}, // below it
        {2, 0, false},   // the ends are round: a square end would reach this corner
    };
    for (const auto& c : cases)
        EXPECT_EQ(img.GetPixel(c.x, c.y) == 0xFFFF0000u, c.drawn) << c.x << "," << c.y;
    // A stroke of no length is a dot of its width.
    const ArtBook dot = BookOf("object D 8 8\n  image d.png\n  line 4 4 4 4 4 #FFFFFF\n");
    const PixelImage d = ArtPainter(dot, 1).Paint(dot.objects[0], 0);
    EXPECT_EQ(d.GetPixel(3, 3), 0xFFFFFFFFu);
    EXPECT_EQ(d.GetPixel(5, 4), 0xFFFFFFFFu);
    EXPECT_EQ(d.GetPixel(6, 4), 0u);
    EXPECT_EQ(d.GetPixel(2, 2), 0u);
}

TEST(ArtGeneratorTest, AnAnchoredPictureHoldsItsFirstFrameWithThePivotButDrawsOnlyItsAnimation)
{
    const ArtBook book = BookOf("object Arm 16 64\n  image a.png\n  frames 2 100\n  anchor 8 -65\n"
                                "  rect 6 0 4 64 #FFFFFF\nobject Plain 8 8\n  image a.png\n  fill #FFFFFF\n");
    ASSERT_TRUE(book.objects[0].anchored);
    EXPECT_FALSE(book.objects[1].anchored);
    const ArtAtlas atlas = ArtAtlas::Layout(book);
    const GameLibraryWriter library(book, atlas, {});
    GraphicalObject* arm = library.FindObject("Arm");
    ASSERT_NE(arm, nullptr);
    ASSERT_EQ(arm->GetSpriteInstanceCount(), 1);
    Sprite* first = arm->GetFirstSprite();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetPoint(), Point<int>(8, -65));
    EXPECT_EQ(arm->GetDrawEntryCount(), 1) << "the pivot's instance is not drawn";
    EXPECT_EQ(library.FindObject("Plain")->GetSpriteInstanceCount(), 0);
    try {
        BookOf("object A 4 4\n  image a.png\n  anchor 1\n");
        ADD_FAILURE() << "accepted";
    } catch (const WorldError& e) {
        EXPECT_NE(std::string(e.what()).find("test.txt:3:"), std::string::npos) << e.what();
    }
}

TEST(ArtGeneratorTest, BadRecipesNameTheirFileAndLine)
{
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"object A 32 32\n  image a.png\n  wobble 1\n", "test.txt:3: unknown recipe word \"wobble\""},
        {"object A 32 32\n  image a.png\nobject A 8 8\n  image a.png\n",
            "test.txt:3: picture \"A\" is defined twice"},
        {"object A 2000 32\n  image a.png\n", "test.txt:1: picture size must be 1 to 1024"},
        {"object A 32 32\n", "test.txt:1: picture \"A\" has no \"image\" line"},
        {"object A 32 32\n  image a.png\n  frames 2 100\n  frame 2\n", "test.txt:4: frame 2 is outside"},
        {"object A 32 32\n  image a.png\n  rect 1 2 3\n", "test.txt:3: \"rect\" expects 5 values"},
        {"object A 32 32\n  image a.png\n  line 1 2 3 4 #FFFFFF\n", "test.txt:3: \"line\" expects 6 values"},
        {"object A 32 32\n  image a.png\n  rect 1 2 x 4 #FFFFFF\n",
            "test.txt:3: expected a number, found \"x\""},
        {"object A 32 32\n  image a.png\n  fill blue\n",
            "test.txt:3: expected a whole number, found \"blue\""},
        {"palette p #000000\n", "test.txt:1: \"palette\" expects 9 values"},
        {"rect 0 0 1 1 1\n", "test.txt:1: expected \"palette\", \"object\" or \"sprite\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            BookOf(c.text);
            ADD_FAILURE() << "accepted";
        } catch (const WorldError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
    // A colour index without a palette is found when drawing, at its line.
    const ArtBook book = BookOf("object A 4 4\n  image a.png\n  fill 3\n");
    try {
        ArtPainter(book, 1).Paint(book.objects[0], 0);
        ADD_FAILURE() << "drew without a palette";
    } catch (const WorldError& e) {
        EXPECT_NE(std::string(e.what()).find("test.txt:3:"), std::string::npos) << e.what();
    }
}

} // namespace
