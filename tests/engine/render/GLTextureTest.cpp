#include "engine/render/GLTexture.h"

#include "engine/platform/Window.h"

#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include <memory>
#include <thread>

namespace {

PixelImage MakePicture(int width, int height)
{
    PixelImage picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.SetPixel(x, y, 0xFF000000u | uint32_t(x * 20) << 16 | uint32_t(y * 20) << 8 | 0x40u);
    return picture;
}

EncodedPng Encoded(const PixelImage& picture)
{
    EncodedPng png;
    PixelImage reader;
    EXPECT_TRUE(reader.PeekMemory(picture.EncodePng(), "picture.png", png));
    return png;
}

TEST(TextureStorage, PowerOfTwoSizesWithoutAContext)
{
    GLTexture texture(MakePicture(10, 3));
    EXPECT_EQ(texture.GetWidth(), 10);
    EXPECT_EQ(texture.GetTextureWidth(), 16);
    EXPECT_EQ(texture.GetTextureHeight(), 4);
    EXPECT_TRUE(texture.IsValid());
    EXPECT_FALSE(texture.Upload()); // no context on this thread: stays pending
    EXPECT_EQ(texture.GetName(), 0u);
    EXPECT_FALSE(GLTexture(PixelImage()).IsValid());
}

TEST(TextureStorage, AnEncodedPictureWaitsWithItsHeaderSizeUntilDecoded)
{
    GLTexture texture(Encoded(MakePicture(10, 3)));
    EXPECT_EQ(texture.GetWidth(), 10);
    EXPECT_EQ(texture.GetTextureHeight(), 4);
    EXPECT_TRUE(texture.IsValid());
    texture.MapContent();
    EXPECT_FALSE(texture.IsDecoded());
    EXPECT_EQ(texture.GetContent(), nullptr); // mapped when decoded
    EXPECT_FALSE(texture.Upload());           // no context: not even decoded
    EXPECT_FALSE(texture.IsDecoded());
    EXPECT_TRUE(texture.Decode());
    EXPECT_TRUE(texture.IsDecoded());
    ASSERT_NE(texture.GetContent(), nullptr);
    EXPECT_EQ(texture.GetContent()->At(0, 0), ContentMap::Cell::Opaque);
}

TEST(TextureStorage, DamagedPictureDataLeavesTheTextureEmptyWhenDecoded)
{
    // The header is sound, a byte of the picture data is not: the checksum
    // finds it at decoding, and nothing is drawn.
    PixelImage picture = MakePicture(16, 16);
    EncodedPng png = Encoded(picture);
    ASSERT_GT(png.bytes.size(), 60u);
    png.bytes[png.bytes.size() - 20] ^= 0x5A;
    GLTexture texture(std::move(png));
    ASSERT_TRUE(texture.IsValid());
    EXPECT_FALSE(texture.Decode());
    EXPECT_FALSE(texture.IsValid());
    EXPECT_EQ(texture.GetWidth(), 0);
}

class GLTextureTest : public testing::Test {
protected:
    // A hidden window whose GL context is current on the test's thread.
    void SetUp() override
    {
        window = platform::Window::Create("textures", 0, 0, 64, 64, false, false);
        // A GL suite without a context fails: a skipped suite would hide a
        // broken test machine.
        ASSERT_TRUE(window && window->CreateGLContext()) << "no GL context";
    }
    std::unique_ptr<platform::Window> window;
};

TEST_F(GLTextureTest, UploadsThePictureIntoTheTopLeftOfPowerOfTwoStorage)
{
    const PixelImage picture = MakePicture(10, 3);
    GLTexture texture(picture);
    ASSERT_TRUE(texture.Upload());
    EXPECT_NE(texture.GetName(), 0u);
    EXPECT_EQ(texture.Download().GetPixels(), picture.GetPixels());

    GLTexture moved = std::move(texture);
    EXPECT_EQ(texture.GetName(), 0u);
    EXPECT_EQ(moved.Download().GetPixel(9, 2), picture.GetPixel(9, 2));
}

TEST_F(GLTextureTest, AnEncodedPictureDecodesAtItsFirstUploadToTheSamePixels)
{
    PixelImage picture = MakePicture(10, 3);
    picture.SetPixel(1, 1, 0x00FFFFFFu);
    picture.SetPixel(2, 1, 0x00FFFFFEu);
    for (const bool keyed : {false, true}) {
        SCOPED_TRACE(keyed ? "keyed" : "plain");
        GLTexture texture(Encoded(picture));
        if (keyed)
            texture.KeyOutWhite();
        EXPECT_FALSE(texture.IsDecoded());
        ASSERT_NE(texture.GetName(), 0u);
        EXPECT_TRUE(texture.IsDecoded());
        PixelImage expected = picture;
        if (keyed)
            expected.ApplyColorKey(0x00FFFFFFu);
        EXPECT_EQ(texture.Download().GetPixels(), expected.GetPixels());
    }
    // A picture that fills its power-of-two storage goes up as it is.
    const PixelImage square = MakePicture(8, 4);
    GLTexture full(Encoded(square));
    ASSERT_TRUE(full.Upload());
    EXPECT_EQ(full.Download().GetPixels(), square.GetPixels());
}

TEST_F(GLTextureTest, TexturesMadeAndFreedOnAnotherThreadReachTheRenderThread)
{
    // Decoded on a worker, uploaded here; then released on a worker, which has
    // no context, and deleted here at the next DeleteOrphans. A framebuffer
    // drawing into it goes the same way.
    GLTexture texture;
    std::thread loader([&] { texture = GLTexture(MakePicture(4, 4)); });
    loader.join();
    ASSERT_TRUE(texture.Upload());
    const unsigned int name = texture.GetName();
    GLuint framebuffer = 0;
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer); // a name becomes a framebuffer when first bound
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    std::thread releaser([&] {
        GLTexture doomed = std::move(texture);
        GLTexture::DeleteFramebuffer(framebuffer);
    });
    releaser.join();
    EXPECT_TRUE(glIsTexture(name)); // still alive: the worker could not delete them
    EXPECT_TRUE(glIsFramebuffer(framebuffer));
    GLTexture::DeleteOrphans();
    EXPECT_FALSE(glIsTexture(name));
    EXPECT_FALSE(glIsFramebuffer(framebuffer));
}

} // namespace
