#include "engine/platform/Paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class PathsTest : public testing::Test {
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() / ("quenholt_paths_" + std::to_string(::getpid()));
        fs::create_directories(root / "fx");
        std::ofstream(root / "fx" / "BasicHLSL.fx") << "effect";
    }
    void TearDown() override { fs::remove_all(root); }

    fs::path root;
};

TEST_F(PathsTest, FindsFileThroughBackslashesAndOtherCase)
{
    const std::string resolved = platform::ResolvePath(root.string() + "\\FX\\BasicHLSL.FX");
    EXPECT_EQ(resolved, (root / "fx" / "BasicHLSL.fx").string());
    // A folder keeps the trailing separator it was given.
    EXPECT_EQ(platform::ResolvePath(root.string() + "\\FX\\"), (root / "fx").string() + "/");
}

TEST_F(PathsTest, ExactNameWinsAndMissingNameComesBackSlashed)
{
    std::ofstream(root / "fx" / "basichlsl.fx") << "other";
    EXPECT_EQ(
        platform::ResolvePath(root.string() + "/fx/basichlsl.fx"), (root / "fx" / "basichlsl.fx").string());
    EXPECT_EQ(platform::ResolvePath(root.string() + "\\fx\\Missing.fx"), root.string() + "/fx/Missing.fx");
}

TEST(PlatformFolders, UserFolderLiesUnderDocuments)
{
    const char* saved = std::getenv("XDG_DOCUMENTS_DIR");
    const std::string savedValue = saved ? saved : "";
    setenv("XDG_DOCUMENTS_DIR", "/tmp/docs", 1);
    EXPECT_EQ(platform::GetUserFolder(), "/tmp/docs/My Games/Quenholt/");
    if (saved)
        setenv("XDG_DOCUMENTS_DIR", savedValue.c_str(), 1);
    else
        unsetenv("XDG_DOCUMENTS_DIR");
    EXPECT_FALSE(platform::GetExecutableFolder().empty());
}

} // namespace
