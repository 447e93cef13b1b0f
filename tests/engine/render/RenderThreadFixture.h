#pragma once

#include "engine/config/GamePaths.h"
#include "engine/render/D3DDevice.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/ImageHandleManager.h"
#include "engine/render/PixelImage.h"
#include "engine/render/RenderPoolManager.h"
#include "tests/engine/render/RenderTestSupport.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace rendertest {

// A data folder in the temporary directory, made the base path, and the
// device engine with its render thread running. A fixture derives from it,
// calls MakeDataFolder and StartRenderThread from its SetUp (with whatever
// must come between) and ends its own TearDown with this one's.
class RenderThreadFixture : public testing::Test {
protected:
    // The folder is named after the stem, the process and the test, in lower
    // case throughout: the scrambled name of an image is its lower-cased path.
    void MakeDataFolder(const std::string& stem)
    {
        std::string name = stem + "_" + std::to_string(::getpid()) + "_"
            + testing::UnitTest::GetInstance()->current_test_info()->name();
        // A parameterised test's name holds "/": one folder, not two, so
        // that TearDown removes all of it.
        for (char& c : name)
            c = c == '/' ? '_' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        folder = std::filesystem::temp_directory_path() / name;
        std::filesystem::create_directories(folder);
        SetBasePath(folder.string() + "/");
    }

    void StartRenderThread()
    {
        engine = std::make_unique<DXRenderEngine>();
        pool = engine->SetRenderPool(new RenderPoolManager());
        ASSERT_TRUE(WaitUntil([&] { return pool->idle.load() == 1; }));
        ASSERT_FALSE(pool->startFailed.load());
    }

    // Stops the render thread before the images it drew go, then the folder.
    void TearDown() override
    {
        engine.reset();
        pool = nullptr;
        ImageHandleManager::DestroyInstance();
        SetBasePath("");
        if (!folder.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(folder, ignored);
        }
    }

    // A width x height picture of one colour, saved as `name` in the folder.
    void WriteFilledPng(const std::string& name, int width, int height, uint32_t argb)
    {
        PixelImage picture(width, height);
        picture.Fill(argb);
        ASSERT_TRUE(picture.SavePng((folder / name).string()));
    }

    // Records one frame around the draws, hands it over and waits until the
    // render thread has shown it.
    void RenderFrame(const std::function<void()>& draws, uint32_t background = 0xFF000000u)
    {
        SubmitFrame(*pool, background, draws);
        WaitForFrameDone(*pool);
    }

    // One pixel of the rendered picture, or of the window it was shown in.
    uint32_t Picture(int x, int y)
    {
        std::vector<uint32_t> pixels;
        pool->RunOnRenderThread([&] { ReadPicturePixels(x, y, 1, 1, pixels); });
        return pixels.empty() ? 0u : pixels[0];
    }
    uint32_t Window(int x, int y)
    {
        std::vector<uint32_t> pixels;
        pool->RunOnRenderThread([&] { ReadWindowPixels(x, y, 1, 1, pixels); });
        return pixels.empty() ? 0u : pixels[0];
    }

    std::filesystem::path folder;
    std::unique_ptr<DXRenderEngine> engine;
    RenderPoolManager* pool = nullptr;
};

} // namespace rendertest
