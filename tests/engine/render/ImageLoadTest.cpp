#include "engine/assets/ScrambledFile.h"
#include "engine/config/GamePaths.h"
#include "engine/render/DXGraphicalRessource.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/Image.h"
#include "engine/render/ImageHandleManager.h"
#include "engine/render/PixelImage.h"
#include "engine/render/RenderPoolManager.h"
#include "tests/engine/platform/DebugCapture.h"
#include "tests/engine/platform/Unprivileged.h"
#include "tests/engine/render/RenderTestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Images load through the render engine's texture lookup; the pixels are
// decoded at once and wait for the render thread to upload them, so no GL
// context is needed here.
class ImageLoadTest : public testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("quenholt_images_" + std::to_string(getpid()));
        fs::create_directories(folder / "tiles");
        previousBase = GetBasePath();
        SetBasePath(folder.string() + "/");

        PixelImage picture(12, 6);
        picture.Fill(0xFF2080C0u);
        picture.SetPixel(0, 0, 0xFFFFFFFFu);
        picture.SavePng((folder / "Hero.png").string());
        ASSERT_TRUE(WriteScrambledFile((folder / "tiles" / "rock.qhsprite").string(), picture.EncodePng()));
    }
    void TearDown() override
    {
        ImageHandleManager::DestroyInstance();
        SetBasePath(previousBase);
        fs::remove_all(folder);
    }

    static Point<int> TextureSize(const ImageHandle& handle)
    {
        auto* texture = dynamic_cast<DXGraphicalRessource*>(handle.GetImage()->GetTexture());
        if (!texture || !texture->GetTexture())
            return {-1, -1};
        return {texture->GetTexture()->GetWidth(), texture->GetTexture()->GetHeight()};
    }

    fs::path folder;
    std::string previousBase;
    DebugCapture debug;
};

TEST_F(ImageLoadTest, PlainScrambledAndEmptyImagesGetTheirTextures)
{
    DXRenderEngine engine;
    ImageHandleManager& manager = *ImageHandleManager::GetInstance();

    const ImageHandle plain = manager.GetImageHandle("Hero.png");
    ASSERT_TRUE(plain.IsValid());
    EXPECT_EQ(TextureSize(plain), Point<int>(12, 6));

    // Only the scrambled form exists: found lower-cased, unscrambled in memory.
    const ImageHandle scrambled = manager.GetImageHandle("Tiles\\Rock.PNG");
    EXPECT_EQ(TextureSize(scrambled), Point<int>(12, 6));

    const ImageHandle empty = manager.GetImageHandle("_EMPTY_64x32");
    EXPECT_EQ(TextureSize(empty), Point<int>(64, 32));

    // Failures are cached: the handle is valid, the image has no texture.
    const ImageHandle missing = manager.GetImageHandle("Tiles\\Nothing.png");
    EXPECT_TRUE(missing.IsValid());
    EXPECT_EQ(missing.GetImage()->GetTexture(), nullptr);
    const ImageHandle unsized = manager.GetImageHandle("_EMPTY_");
    EXPECT_EQ(unsized.GetImage()->GetTexture(), nullptr);
    EXPECT_NE(debug.Text().find("_EMPTY_"), std::string::npos);
    EXPECT_EQ(manager.GetSize(), 5u);
}

TEST_F(ImageLoadTest, AMissingPictureIsReportedOnceAndOnlyWhenNoPlaceHasIt)
{
    DXRenderEngine engine;
    ImageHandleManager& manager = *ImageHandleManager::GetInstance();
    // Found in the data folder or as a scrambled file after the first places
    // failed: nothing to report.
    EXPECT_EQ(TextureSize(manager.GetImageHandle("Hero.png")), Point<int>(12, 6));
    EXPECT_EQ(TextureSize(manager.GetImageHandle("Tiles\\Rock.png")), Point<int>(12, 6));
    EXPECT_EQ(debug.Text().find("Cannot load image"), std::string::npos) << debug.Text();

    manager.GetImageHandle("Tiles\\Nothing.png");
    const std::string line
        = "Cannot load image Tiles\\Nothing.png: no such file here nor in the data folder\n";
    EXPECT_EQ(debug.Text(), line);

    // A pipe in a picture's place is no missing picture either.
    ASSERT_EQ(::mkfifo((folder / "Pipe.png").c_str(), 0600), 0);
    debug.Clear();
    manager.GetImageHandle("Pipe.png");
    EXPECT_NE(debug.Text().find("Pipe.png: the file is not a regular file\n"), std::string::npos)
        << debug.Text();
    EXPECT_EQ(debug.Text().find("no such file"), std::string::npos) << debug.Text();

    // A picture that is there but cannot be opened is not said to be
    // missing: the reason is said.
    fs::copy_file(folder / "Hero.png", folder / "Locked.png");
    fs::permissions(folder / "Locked.png", fs::perms::none);
    EXPECT_TRUE(HoldsWithoutPrivileges([&] {
        debug.Clear();
        manager.GetImageHandle("Locked.png");
        return debug.Text().find(
                   "Cannot load image " + folder.string() + "/Locked.png: the file cannot be opened: ")
            != std::string::npos
            && debug.Text().find("no such file") == std::string::npos;
    }));
}

TEST_F(ImageLoadTest, APictureIsDecodedWhenFirstNeededAndAgainAfterItsRelease)
{
    DXRenderEngine engine;
    ImageHandleManager& manager = *ImageHandleManager::GetInstance();
    const auto texture = [](const ImageHandle& handle) {
        auto* resource = dynamic_cast<DXGraphicalRessource*>(handle.GetImage()->GetTexture());
        return resource ? resource->GetTexture() : nullptr;
    };
    for (const char* name : {"Hero.png", "Tiles\\Rock.png"}) {
        SCOPED_TRACE(name);
        ImageHandle handle = manager.GetImageHandle(name);
        ASSERT_NE(texture(handle), nullptr);
        EXPECT_FALSE(texture(handle)->IsDecoded()); // loading read only the header
        ASSERT_TRUE(texture(handle)->Decode());
        ASSERT_NE(texture(handle)->GetContent(), nullptr);
        EXPECT_EQ(texture(handle)->GetContent()->GetColumns(), 1);

        // Released by every holder, the picture goes; asked again, it is read
        // again and waits undecoded for its next draw.
        handle.Release();
        manager.ReleaseUnused();
        EXPECT_FALSE(manager.Contains(name));
        handle = manager.GetImageHandle(name);
        ASSERT_NE(texture(handle), nullptr);
        EXPECT_FALSE(texture(handle)->IsDecoded());
        EXPECT_TRUE(texture(handle)->Decode());
        EXPECT_EQ(texture(handle)->GetWidth(), 12);
    }
}

TEST_F(ImageLoadTest, AnImageLoadedInTheMiddleOfALevelIsNotedInTheLoadLog)
{
    DXRenderEngine engine;
    RenderPoolManager* pool = engine.SetRenderPool(new RenderPoolManager(false));
    rendertest::FakeGame game;
    const std::string previousUser = GetUserPath();
    SetUserPath(folder.string() + "/");
    pool->LogOutOfScopeLoad(""); // the render thread's start

    struct Case {
        const char* image;
        bool level;
        int32_t loading, hold;
        bool messageWait;
    };
    const Case cases[] = {
        {"Hero.png", true, 0, 0, false}, // in the middle of a level: noted
        {"NoLevel.png", false, 0, 0, false},
        {"LoadingScreen.png", true, 1, 0, false},
        {"EndOfLoading.png", true, 0, 1, false},
        {"DeviceLost.png", true, 0, 0, true},
    };
    for (const Case& c : cases) {
        game.hasLevel = c.level;
        pool->loading = c.loading;
        pool->loadingHold = c.hold;
        pool->messageWaitMode = c.messageWait;
        Image image(c.image);
    }
    std::ifstream in(folder / "LoadPNG_OutOfLoadingScope.log", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "Hero.png\r\n");
    SetUserPath(previousUser);
}

TEST_F(ImageLoadTest, DamagedScrambledImageLoadsNothing)
{
    std::vector<uint8_t> bytes = PixelImage(4, 4).EncodePng();
    const std::string path = (folder / "tiles" / "broken.qhsprite").string();
    ASSERT_TRUE(WriteScrambledFile(path, bytes));
    fs::resize_file(path, 20);

    DXRenderEngine engine;
    const ImageHandle broken = ImageHandleManager::GetInstance()->GetImageHandle("Tiles\\Broken.png");
    EXPECT_EQ(broken.GetImage()->GetTexture(), nullptr);
    EXPECT_NE(debug.Text().find("Error on file : "), std::string::npos);
}

} // namespace
