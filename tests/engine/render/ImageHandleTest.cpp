#include "engine/render/ImageHandle.h"
#include "engine/render/Image.h"
#include "engine/render/ImageHandleManager.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

class ImageHandleTest : public testing::Test {
protected:
    void TearDown() override { ImageHandleManager::DestroyInstance(); }
    ImageHandleManager& Manager() { return *ImageHandleManager::GetInstance(); }
};

TEST_F(ImageHandleTest, CopiesShareOneCountAndTheLastReleaseEmptiesEveryField)
{
    ImageHandle first("Tiles\\Rock.png");
    EXPECT_EQ(first.GetCount(), 1);
    ASSERT_NE(first.GetImage(), nullptr);
    EXPECT_EQ(first.GetImage()->GetName(), "Tiles\\Rock.png");

    ImageHandle second = first;
    ImageHandle third;
    third = second;
    EXPECT_EQ(first.GetCount(), 3);
    EXPECT_EQ(third.GetImage(), first.GetImage());

    const ImageHandle& same = third;
    third = same;   // onto itself: no change
    third = second; // a copy of the same counter: no change either
    EXPECT_EQ(first.GetCount(), 3);

    second.Release();
    second.Release(); // the first release emptied the handle
    EXPECT_TRUE(second.IsEmpty());
    EXPECT_FALSE(second.IsValid());
    EXPECT_EQ(first.GetCount(), 2);

    ImageHandle moved = std::move(third);
    EXPECT_TRUE(third.IsEmpty());
    EXPECT_EQ(first.GetCount(), 2);
    moved.Release();
    EXPECT_EQ(first.GetCount(), 1);
    EXPECT_TRUE(first.IsValid());
}

TEST_F(ImageHandleTest, ManagerKeepsOneReferenceOfEveryName)
{
    ImageHandle a = Manager().GetImageHandle("hero.png");
    EXPECT_EQ(a.GetCount(), 2);
    ImageHandle b = Manager().GetImageHandle("hero.png");
    EXPECT_EQ(a.GetCount(), 3);
    EXPECT_EQ(a.GetImage(), b.GetImage());
    // No render engine: the load failed, yet the handle is valid and cached.
    EXPECT_TRUE(a.IsValid());
    EXPECT_EQ(a.GetImage()->GetTexture(), nullptr);

    ImageHandle other = Manager().GetImageHandle("rock.png");
    a.Release();
    b.Release();
    EXPECT_EQ(Manager().GetImageHandle("hero.png").GetCount(), 2); // the temporary still counts
    EXPECT_EQ(other.GetCount(), 2);

    Manager().ReleaseUnused();
    EXPECT_FALSE(Manager().Contains("hero.png"));
    EXPECT_TRUE(Manager().Contains("rock.png"));
    EXPECT_EQ(other.GetCount(), 2);

    // Asking again after the release loads a new image.
    ImageHandle again = Manager().GetImageHandle("hero.png");
    EXPECT_EQ(again.GetCount(), 2);
}

TEST_F(ImageHandleTest, DroppedImageCountsBackToZeroWithoutTouchingTheImage)
{
    ImageHandle a = Manager().GetImageHandle("boss.png");
    ImageHandle b = a;
    EXPECT_EQ(a.GetCount(), 3);

    Manager().DropImage("boss.png");
    EXPECT_EQ(a.GetCount(), -3);
    EXPECT_FALSE(a.IsValid());
    EXPECT_EQ(a.GetImage(), nullptr);
    EXPECT_FALSE(a.Draw(0, 0, 0, 0, 0.0f));

    // Copying a dropped handle adds a live copy: the magnitude grows.
    ImageHandle c = b;
    EXPECT_EQ(a.GetCount(), -4);
    c.Release();
    b.Release();
    EXPECT_EQ(a.GetCount(), -2);

    // The next request replaces the dropped entry with a fresh image, which
    // lets the old counter reach its end with the last outside copy.
    ImageHandle fresh = Manager().GetImageHandle("boss.png");
    EXPECT_EQ(fresh.GetCount(), 2);
    EXPECT_TRUE(fresh.IsValid());
    EXPECT_EQ(a.GetCount(), -1);
    a.Release();
    EXPECT_TRUE(a.IsEmpty());
}

TEST_F(ImageHandleTest, BothThreadsTakingHandlesKeepTheCountExact)
{
    ImageHandle cached = Manager().GetImageHandle("shared.png");
    auto churn = [&] {
        std::vector<ImageHandle> held;
        for (int i = 0; i < 2000; ++i) {
            held.push_back(Manager().GetImageHandle("shared.png"));
            held.push_back(held.back());
            if (held.size() > 16)
                held.clear();
        }
    };
    std::thread other(churn);
    churn();
    other.join();
    EXPECT_EQ(cached.GetCount(), 2);
}

TEST(ImageNames, EmptyImageSizes)
{
    int width = 0;
    int height = 0;
    EXPECT_TRUE(Image::ParseEmptySize("_EMPTY_512x448", width, height));
    EXPECT_EQ(width, 512);
    EXPECT_EQ(height, 448);
    EXPECT_FALSE(Image::ParseEmptySize("_EMPTY_", width, height));
    EXPECT_FALSE(Image::ParseEmptySize("_EMPTY_0x10", width, height));
    EXPECT_FALSE(Image::ParseEmptySize("_EMPTY_10x10px", width, height));
    EXPECT_FALSE(Image::ParseEmptySize("tiles_EMPTY_10x10", width, height));
}

} // namespace
