#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "engine/render/ImageHandleManager.h"
#include "scene/Sprite.h"
#include "tests/scene/RecordText.h"

TEST(SpriteRecord, RoundTripsByteForByteWithCrLf)
{
    Sprite sprite("Hero Idle", "Images\\Hero.png", 0, 32, 16, 64);
    sprite.SetPoint({3, -4});
    const std::string written = Write(sprite);
    EXPECT_EQ(written,
        "SpriteV0\r\nHero "
        "Idle\r\nImages\\Hero.png\r\n0\r\n32\r\n16\r\n64\r\n_Sprite_updatetag_1.0_\r\n3\r\n-4\r\n");

    std::istringstream in(Body(written));
    Sprite read(in);
    EXPECT_EQ(Write(read), written);
}

TEST(SpriteRecord, OlderLayoutKeepsOffsetAndLeavesNextLine)
{
    std::istringstream in("Tile\r\nTiles.png\r\n0\r\n0\r\n8\r\n8\r\nNextRecordV0\r\n");
    Sprite sprite;
    EXPECT_TRUE(sprite.UnSerialize(in));
    EXPECT_EQ(sprite.GetPoint(), Point<int>(0, 0));
    EXPECT_EQ(NextLine(in), "NextRecordV0");
}

TEST(SpriteRecord, DamagedRecordsFail)
{
    for (const char* record : {
             "Tile\nTiles.png\n0\nabc\n8\n8\n",                          // a corner that does not parse
             "Tile\nTiles.png\n0\n",                                     // cut in the corners
             "Tile\nTiles.png\n0\n0\n8\n8\n_Sprite_updatetag_1.0_\n1\n", // cut in the offset
         }) {
        Sprite sprite;
        std::istringstream in(record);
        EXPECT_FALSE(sprite.UnSerialize(in)) << record;
    }
}

TEST(SpriteImage, AcquiresSharesAndReleasesTheCachedHandle)
{
    ImageHandleManager* manager = ImageHandleManager::GetInstance();
    {
        Sprite first("A", "Images/Shared.png", 0, 0, 4, 4);
        ImageHandle& handle = first.GetImage();
        EXPECT_TRUE(handle.IsValid());
        EXPECT_EQ(handle.GetCount(), 2); // the cache's reference and the sprite's
        first.GetImage();
        EXPECT_EQ(handle.GetCount(), 2); // a loaded sprite keeps its handle

        Sprite second("B", "Images/Shared.png", 4, 0, 8, 4);
        EXPECT_EQ(second.GetImage().GetImage(), handle.GetImage());
        EXPECT_EQ(handle.GetCount(), 3);

        second.ReleaseImage();
        EXPECT_EQ(handle.GetCount(), 2);
        second.ReleaseImage(); // releasing twice changes the count once
        EXPECT_EQ(handle.GetCount(), 2);
        second.GetImage(); // a released sprite acquires again
        EXPECT_EQ(handle.GetCount(), 3);

        second.SetImageFile("Images/Other.png"); // gives the old image back
        EXPECT_EQ(handle.GetCount(), 2);
        second.GetImage();
        EXPECT_TRUE(manager->Contains("Images/Other.png"));
    }
    // Destroyed sprites gave their references back: only the cache holds them.
    manager->ReleaseUnused();
    EXPECT_FALSE(manager->Contains("Images/Shared.png"));
    EXPECT_FALSE(manager->Contains("Images/Other.png"));
    ImageHandleManager::DestroyInstance();
}
