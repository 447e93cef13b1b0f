#include "engine/render/PixelImage.h"
#include "tools/world/ArtPainter.h"
#include "tools/world/ArtRecipe.h"

#include <gtest/gtest.h>

#include <string>

// The bosses' pictures as the world's recipes draw them.
namespace {

ArtBook CemeteryBosses()
{
    ArtBook book;
    book.ReadFile(std::string(QUENHOLT_SOURCE_DIR) + "/data/art/cemetery_bosses.txt");
    return book;
}

bool Opaque(const PixelImage& picture, int x, int y)
{
    return (picture.GetPixel(x, y) >> 24) != 0;
}

// The first row from the top that shows anything, and how much of it shows.
struct TopRow {
    int y = -1;
    int width = 0;
};

TopRow TopOf(const PixelImage& picture)
{
    for (int y = 0; y < picture.GetHeight(); ++y) {
        TopRow row {y, 0};
        for (int x = 0; x < picture.GetWidth(); ++x)
            row.width += Opaque(picture, x, y) ? 1 : 0;
        if (row.width > 0)
            return row;
    }
    return {};
}

// The Heart's maw rises out of the floor whole: each frame of its rise shows
// its round crown, higher than the frame before, never a body cut straight
// across; the picture's foot, on the floor, is where it comes from.
TEST(BossArtTest, TheHeartsMawRisesWholeOutOfTheFloor)
{
    const ArtBook book = CemeteryBosses();
    const ArtObject* rise = book.Find("NPC_Boss_Ultimate_Step3_Appears");
    const ArtObject* idle = book.Find("NPC_Boss_Ultimate_Step3_Idle");
    ASSERT_NE(rise, nullptr);
    ASSERT_NE(idle, nullptr);
    const ArtPainter painter(book, 1);
    const TopRow risen = TopOf(painter.Paint(*idle, 0));
    ASSERT_GE(risen.y, 0);
    int above = rise->height;
    for (int frame = 0; frame < rise->frames; ++frame) {
        SCOPED_TRACE(frame);
        const PixelImage picture = painter.Paint(*rise, frame);
        const TopRow top = TopOf(picture);
        ASSERT_GE(top.y, 0);
        EXPECT_LT(top.y, above) << "it sinks";
        EXPECT_GT(top.y, risen.y) << "past its full height";
        EXPECT_LE(top.width, 2 * risen.width) << "a straight edge across its body";
        EXPECT_TRUE(Opaque(picture, rise->width / 2, rise->height - 1)) << "off the floor";
        above = top.y;
    }
}

} // namespace
