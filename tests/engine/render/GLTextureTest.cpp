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
