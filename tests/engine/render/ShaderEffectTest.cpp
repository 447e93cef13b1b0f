#include "engine/render/ShaderEffect.h"

#include "engine/render/DXGraphicalRessource.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/EffectList.h"
#include "engine/render/GLTexture.h"
#include "engine/render/PixelImage.h"
#include "engine/render/RenderPoolCommand.h"
#include "engine/render/ShaderEffect_PostProcess.h"
#include "engine/render/ShaderEffect_TimeDependent.h"
#include "engine/render/ShaderRes.h"
#include "tests/engine/platform/DebugCapture.h"
#include "tests/engine/render/EffectTestSupport.h"
#include "tests/engine/render/RenderTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using effecttest::RecordingProgram;
using rendertest::FakeGame;

namespace {

// An engine without a render thread, a shader whose program records what it
// is given, and the game's view as the effects read it.
class ShaderEffectParameters : public testing::Test {
protected:
    void SetUp() override { program = Install(shader, std::make_unique<RecordingProgram>()); }

    static RecordingProgram* Install(ShaderRes& target, std::unique_ptr<RecordingProgram> recording)
    {
        RecordingProgram* raw = recording.get();
        target.SetEffect(std::move(recording));
        return raw;
    }

    std::vector<float> Param(const std::string& name) const
    {
        auto found = program->floats.find(name);
        return found == program->floats.end() ? std::vector<float> {} : found->second;
    }

    // A texture of the given picture size (no GL context: sizes only).
    static std::unique_ptr<DXGraphicalRessource> Texture(int width, int height)
    {
        return std::make_unique<DXGraphicalRessource>(
            std::make_unique<GLTexture>(PixelImage(width, height)), 0);
    }

    DXRenderEngine engine;
    FakeGame game;
    ShaderRes shader {"test", "fx\\test.fx"};
    RecordingProgram* program = nullptr;
};

TEST_F(ShaderEffectParameters, SpriteDrawMapsTheSourceAndReadsTheEngineOrTheExecutingCommand)
{
    game.state.cameraWorld = Point<int>(300, -20);
    engine.SetLayerSpeed(0.5f);
    engine.SetTileValue(1.0f);
    engine.SetDiffuseColor(0x80FF0000u);
    engine.SetDrawFactor(3.0f);
    auto texture = Texture(64, 32);
    ShaderEffect effect(&shader);

    // The whole texture as source: mapping (1, 1) from (0, 0).
    effect.Draw(
        texture.get(), Point<int>(10, 20), Point<int>(), SpriteSource {0, 0, 64, 32}, 0.0f, 0xFFFFFFFFu);
    EXPECT_EQ(Param("g_mRealMappingMultiplier"), (std::vector<float> {1.0f, 1.0f}));
    EXPECT_EQ(Param("g_mRealMappingCenter"), (std::vector<float> {0.0f, 0.0f}));
    EXPECT_EQ(Param("g_mTexSize"), (std::vector<float> {64.0f, 32.0f}));
    EXPECT_EQ(Param("g_mCameraWorldPos"), (std::vector<float> {300.0f, -20.0f}));
    EXPECT_EQ(Param("g_mScreenOffset"), (std::vector<float> {256.0f, 224.0f}));
    EXPECT_EQ(Param("g_mLayerSpeed"), (std::vector<float> {0.5f}));
    EXPECT_EQ(Param("g_mDrawFactor"), (std::vector<float> {3.0f}));
    ASSERT_EQ(Param("g_MaterialDiffuseColor").size(), 4u);
    EXPECT_FLOAT_EQ(Param("g_MaterialDiffuseColor")[0], 1.0f);
    EXPECT_NEAR(Param("g_MaterialDiffuseColor")[3], 128.0f / 255.0f, 1e-6f);
    ASSERT_EQ(program->quads.size(), 1u);
    // The quad sits at (10, 20) of the 512 x 448 picture, centred, y up.
    EXPECT_FLOAT_EQ(program->quads[0][0].x, 10.0f - 256.0f);
    EXPECT_FLOAT_EQ(program->quads[0][0].y, 224.0f - 20.0f);
    EXPECT_FLOAT_EQ(program->quads[0][3].x, 74.0f - 256.0f);
    EXPECT_FLOAT_EQ(program->quads[0][3].y, 224.0f - 52.0f);

    // A part of it, replayed from a recorded command: the command's state.
    RenderPoolCommand::RecordedState state;
    state.cameraWorld = Point<int>(7, 8);
    state.layerSpeed = 2.0f;
    state.tileValue = 3.0f;
    state.diffuseColour = 0xFF0000FFu;
    state.drawFactor = 2.0f;
    const RenderPoolCommand command
        = RenderPoolCommand::SpriteDraw(nullptr, nullptr, Point<int>(), Point<int>(), 0.0f, nullptr, state);
    engine.SetCurrentCommand(&command);
    effect.Draw(
        texture.get(), Point<int>(0, 0), Point<int>(), SpriteSource {16, 8, 16, 8}, 0.0f, 0xFFFFFFFFu);
    engine.SetCurrentCommand(nullptr);
    EXPECT_EQ(Param("g_mRealMappingMultiplier"), (std::vector<float> {4.0f, 4.0f}));
    EXPECT_EQ(Param("g_mRealMappingCenter"), (std::vector<float> {0.25f, 0.25f}));
    EXPECT_EQ(Param("g_mCameraWorldPos"), (std::vector<float> {7.0f, 8.0f}));
    EXPECT_EQ(Param("g_mLayerSpeed"), (std::vector<float> {2.0f}));
    EXPECT_EQ(Param("g_mTileValue"), (std::vector<float> {3.0f}));
    EXPECT_EQ(Param("g_mDrawFactor"), (std::vector<float> {2.0f}));
    EXPECT_EQ(Param("g_MaterialDiffuseColor"), (std::vector<float> {0.0f, 0.0f, 1.0f, 1.0f}));

    // An empty source does not divide by zero.
    effect.Draw(texture.get(), Point<int>(0, 0), Point<int>(), SpriteSource {0, 0, 0, 0}, 0.0f, 0xFFFFFFFFu);
    EXPECT_EQ(Param("g_mRealMappingMultiplier"), (std::vector<float> {1.0f, 1.0f}));

    // Half a turn about the top-left corner, with the effect path's degree
    // factor: the far corner lands a shade off (-220, 188).
    auto square = Texture(64, 64);
    effect.Draw(
        square.get(), Point<int>(100, 100), Point<int>(), SpriteSource {0, 0, 64, 64}, 180.0f, 0xFFFFFFFFu);
    EXPECT_NEAR(program->quads.back()[3].x, -220.005930f, 2e-5f);
    EXPECT_NEAR(program->quads.back()[3].y, 187.994070f, 2e-5f);
}

TEST_F(ShaderEffectParameters, ColourEffectTilesTheQuadAndCarriesItsColourAsTheDiffuse)
{
    auto texture = Texture(30, 20);
    GE_Color effect(&shader, 10.0f, false, false);
    effect.SetColor(Color(255, 0, 0, 128));
    RenderPoolCommand::RecordedState state;
    state.tileValue = 2.0f;
    state.paramInt = 1;
    const RenderPoolCommand command
        = RenderPoolCommand::SpriteDraw(nullptr, nullptr, Point<int>(), Point<int>(), 0.0f, nullptr, state);
    engine.SetCurrentCommand(&command);
    effect.Draw(texture.get(), Point<int>(100, 50), Point<int>(), SpriteSource {0, 0, 30, 20}, 0.0f,
        ColorToArgb(effect.GetColor()));
    engine.SetCurrentCommand(nullptr);

    // 30 x 20 lives in 32 x 32; twice that is 64 x 64, moved by (-16, -16).
    ASSERT_EQ(program->quads.size(), 1u);
    const EffectQuadVertices& quad = program->quads[0];
    EXPECT_FLOAT_EQ(quad[0].x, 84.0f - 256.0f);
    EXPECT_FLOAT_EQ(quad[0].y, 224.0f - 34.0f);
    EXPECT_FLOAT_EQ(quad[3].x - quad[0].x, 64.0f);
    EXPECT_FLOAT_EQ(quad[0].y - quad[3].y, 64.0f);
    EXPECT_FLOAT_EQ(Param("g_MaterialDiffuseColor")[0], 1.0f);
    EXPECT_NEAR(Param("g_MaterialDiffuseColor")[3], 128.0f / 255.0f, 1e-6f);
    EXPECT_EQ(Param("g_mTimerAdvance"), (std::vector<float> {0.0f}));

    // Tile value 1, or an integer parameter other than 1: the plain quad.
    for (int param : {1, 0}) {
        engine.SetTileValue(param == 1 ? 1.0f : 2.0f);
        engine.SetParamInt(param);
        effect.Draw(texture.get(), Point<int>(100, 50), Point<int>(), SpriteSource {0, 0, 30, 20}, 0.0f, 0u);
        const EffectQuadVertices& plain = program->quads.back();
        EXPECT_FLOAT_EQ(plain[0].x, 100.0f - 256.0f) << param;
        EXPECT_FLOAT_EQ(plain[3].x - plain[0].x, 30.0f) << param;
        EXPECT_FLOAT_EQ(plain[0].y - plain[3].y, 20.0f) << param;
    }
}

TEST_F(ShaderEffectParameters, FullScreenPassOfThePictureUsesItsPowerOfTwoTexture)
{
    ShaderEffect_PostProcess effect(&shader);
    effect.SetInputValue(7.0f);
    effect.Run(0, 0, 512, 448, 0, 0, 512, 448, 42);

    EXPECT_EQ(Param("g_mTexSize"), (std::vector<float> {512.0f, 512.0f}));
    EXPECT_EQ(Param("g_mTexSize_Inv1"), (std::vector<float> {1.0f / 512.0f, 1.0f / 512.0f}));
    EXPECT_EQ(Param("g_mTexUVOffset"), (std::vector<float> {0.0f, 0.0f}));
    EXPECT_EQ(Param("g_mTexUVEnd"), (std::vector<float> {1.0f, 0.875f}));
    EXPECT_EQ(Param("g_mTexUVRatioInv"), (std::vector<float> {1.0f, 1.0f / 0.875f}));
    EXPECT_EQ(Param("g_mFloatInputValue"), (std::vector<float> {7.0f}));
    EXPECT_EQ(program->textures["g_MeshTexture"], 42u);
    EXPECT_EQ(program->textures.count("g_MeshTexture2"), 0u); // only motion blur reads the previous picture
    ASSERT_EQ(program->quads.size(), 1u);
    const EffectQuadVertices& quad = program->quads[0];
    EXPECT_FLOAT_EQ(quad[0].x, -256.0f);
    EXPECT_FLOAT_EQ(quad[0].y, 224.0f);
    EXPECT_FLOAT_EQ(quad[3].x, 256.0f);
    EXPECT_FLOAT_EQ(quad[3].y, -224.0f);
    EXPECT_FLOAT_EQ(quad[3].v, 0.875f);

    // An effect that does not declare the input value does not get it; the
    // motion blur gets the previous picture.
    ShaderRes moBlur("fullFX_MoBlur", "fx\\fullFX_MoBlur.fx");
    RecordingProgram* blurProgram = Install(moBlur,
        std::make_unique<RecordingProgram>(std::set<std::string> {"g_MeshTexture", "g_MeshTexture2"}));
    ShaderEffect_PostProcess blur(&moBlur);
    blur.SetInputValue(3.0f);
    blur.Run(0, 0, 512, 448, 0, 0, 512, 448, 42);
    EXPECT_FALSE(blurProgram->Has("g_mFloatInputValue"));
    EXPECT_EQ(blurProgram->textures.count("g_MeshTexture2"), 1u);
}

TEST_F(ShaderEffectParameters, ATimedFullScreenEffectPassesItsProgressAndDrawsOnlyWhileRunning)
{
    ShaderEffect_PostProcess_TimeDependent effect(&shader, 40.0f, false, 0.0f, 0.0f, false, 0);
    effect.Advance(10.0f);
    effect.Run(0, 0, 512, 448, 0, 0, 512, 448, 1);
    EXPECT_EQ(Param("g_mTimerAdvance"), (std::vector<float> {0.25f}));
    effect.SetReverse(true);
    effect.Run(0, 0, 512, 448, 0, 0, 512, 448, 1);
    EXPECT_EQ(Param("g_mTimerAdvance"), (std::vector<float> {0.75f}));
    EXPECT_EQ(program->quads.size(), 2u);

    ShaderEffect_PostProcess_TimeDependent resting(&shader, 40.0f, true, 0.0f, 0.0f, false, 0);
    EXPECT_FALSE(resting.IsRunning());
    EXPECT_EQ(resting.GetTime(), 40.0f);
    resting.Run(0, 0, 512, 448, 0, 0, 512, 448, 1);
    EXPECT_EQ(program->quads.size(), 2u);
}

TEST_F(ShaderEffectParameters, AShaderWithoutAProgramSetsNothingAndOpensNoPass)
{
    ShaderRes unloaded("none", "fx\\none.fx");
    ShaderEffect_PostProcess post(&unloaded);
    post.Run(0, 0, 512, 448, 0, 0, 512, 448, 0);
    ShaderEffect_ArmorIce_Use ice(&unloaded, 5, 6);
    auto texture = Texture(8, 8);
    ice.Draw(texture.get(), Point<int>(), Point<int>(), SpriteSource {0, 0, 8, 8}, 0.0f, 0xFFFFFFFFu);
    EXPECT_EQ(GetOpenPass(), nullptr);
    EXPECT_TRUE(program->floats.empty());

    ShaderEffect_ArmorIce_Use loaded(&shader, 5, 6);
    loaded.Draw(texture.get(), Point<int>(), Point<int>(), SpriteSource {0, 0, 8, 8}, 0.0f, 0xFFFFFFFFu);
    EXPECT_EQ(Param("g_mZoneCenter"), (std::vector<float> {5.0f, 6.0f}));
    EXPECT_EQ(program->passes, 1);
    EXPECT_EQ(GetOpenPass(), nullptr); // the pass is closed again
}

TEST_F(ShaderEffectParameters, ClonesKeepTheirClassAndEveryField)
{
    GE_Color colour(&shader, 12.0f, false, true);
    colour.SetColor(Color(1, 2, 3, 4));
    colour.Advance(5.0f);
    auto copy = colour.Clone();
    auto* cloned = dynamic_cast<GE_Color*>(copy.get());
    ASSERT_NE(cloned, nullptr);
    EXPECT_EQ(cloned->GetColor(), Color(1, 2, 3, 4));
    EXPECT_EQ(cloned->GetTimer(), 5.0f);
    EXPECT_EQ(cloned->GetShader(), &shader);

    ShaderEffect_ArmorIce_Use ice(&shader, 9, -9);
    auto iceCopy = ice.Clone();
    ASSERT_NE(dynamic_cast<ShaderEffect_ArmorIce_Use*>(iceCopy.get()), nullptr);
    EXPECT_EQ(dynamic_cast<ShaderEffect_ArmorIce_Use*>(iceCopy.get())->GetZoneCenter(), Point<int>(9, -9));

    ShaderEffect_PostProcess_TimeDependent timed(&shader, 30.0f, false, 4.0f, 2.0f, true, 1);
    timed.Advance(1.0f);
    auto timedCopy = timed.Clone();
    auto* t = dynamic_cast<ShaderEffect_PostProcess_TimeDependent*>(timedCopy.get());
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->GetStartDelay(), 3.0f);
    EXPECT_EQ(t->GetEndDelay(), 2.0f);
    EXPECT_NE(dynamic_cast<DbgShaderEffect*>(DbgShaderEffect(&shader).Clone().get()), nullptr);
}

TEST(ShaderResList, ShadersRegisterWithTheEngineWhileTheyExist)
{
    DXRenderEngine engine;
    {
        ShaderRes shader("BasicHLSL", "fx\\BasicHLSL.fx");
        EXPECT_EQ(engine.FindShaderRes("BasicHLSL"), &shader);
        EXPECT_EQ(engine.FindShaderRes("basichlsl"), nullptr); // names are case-sensitive
    }
    EXPECT_EQ(engine.FindShaderRes("BasicHLSL"), nullptr);

    EffectList list;
    list.Create();
    list.Create(); // a second request keeps the effects it made
    EXPECT_EQ(list.GetEffects().size(), GetEffectListEntries().size());
    EXPECT_EQ(engine.FindShaderRes("fullFX_Brightness"), list.GetEffects().back().get());
}

TEST(ShaderResList, EveryListedEffectHasItsFileAndOnlyThePlaceholderHasNone)
{
    // The effect files ship in the source tree's "fx" folder.
    int placeholders = 0;
    for (const EffectListEntry& entry : GetEffectListEntries()) {
        ShaderRes shader(entry.name, entry.file);
        if (shader.IsPlaceholder()) {
            ++placeholders;
            continue;
        }
        std::string path = std::string(QUENHOLT_SOURCE_DIR) + "/" + entry.file;
        std::replace(path.begin(), path.end(), '\\', '/');
        EXPECT_TRUE(std::filesystem::exists(path)) << path;
    }
    EXPECT_EQ(placeholders, 1);
}

TEST(ShaderResList, OnlyARealFileThatIsMissingIsReported)
{
    DebugCapture debug;
    ShaderRes empty("Empty", "fx\\.fx");
    EXPECT_FALSE(empty.Load());
    EXPECT_EQ(debug.Text(), "") << "the effect with no file is not a missing file";
    ShaderRes missing("Gone", "fx\\NoSuchEffect.fx");
    EXPECT_FALSE(missing.Load());
    EXPECT_EQ(debug.Text(), "Effect file not found: fx\\NoSuchEffect.fx\n");
    // A device in an effect file's place is there, and is not read.
    debug.Clear();
    ShaderRes device("Device", "/dev/null");
    EXPECT_FALSE(device.Load());
    EXPECT_EQ(debug.Text(), "Effect file is not a regular file: /dev/null\n");
}

TEST(ShaderResList, ReloadingLoadsLastFirstAndReportsEachFailureByName)
{
    DXRenderEngine engine;
    DebugCapture debug;
    {
        ShaderRes first("First", "fx\\NoSuchFirst.fx");
        ShaderRes empty("Empty", "fx\\.fx");
        ShaderRes last("Last", "fx\\NoSuchLast.fx");
        engine.ReportUnloadedShaderRes();
    }
    EXPECT_EQ(debug.Text(),
        "Effect file not found: fx\\NoSuchLast.fx\nShader non charge ... Last\n"
        "Shader non charge ... Empty\n"
        "Effect file not found: fx\\NoSuchFirst.fx\nShader non charge ... First\n");
}

TEST(ShaderResList, DefinesGoRightAfterTheVersionLine)
{
    EXPECT_EQ(InsertDefine("// note\n#version 330 core\nvoid main() {}\n", "#define VERTEX"),
        "// note\n#version 330 core\n#define VERTEX\nvoid main() {}\n");
    EXPECT_EQ(InsertDefine("void main() {}\n", "#define FRAGMENT"), "#define FRAGMENT\nvoid main() {}\n");
    EXPECT_EQ(InsertDefine("#version 330 core", "#define VERTEX"), "#version 330 core\n#define VERTEX\n");
}

} // namespace
