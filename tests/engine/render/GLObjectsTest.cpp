#include "engine/platform/LoadedModules.h"
#include "engine/platform/Window.h"
#include "engine/render/GLNames.h"
#include "engine/render/GLProgram.h"
#include "engine/render/GLRenderTarget.h"
#include "engine/render/QuadBatch.h"

#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const char* kVertex = R"(#version 330 core
layout(location = 0) in vec2 aPosition;
void main() { gl_Position = vec4(aPosition, 0.0, 1.0); }
)";
constexpr const char* kFragment = R"(#version 330 core
uniform vec4 uTint;
out vec4 colour;
void main() { colour = uTint; }
)";

// A hidden window whose GL context is current on the test's thread.
class GLObjects : public testing::Test {
protected:
    void SetUp() override
    {
        window = platform::Window::Create("gl objects", 0, 0, 64, 64, false, false);
        ASSERT_TRUE(window && window->CreateGLContext()) << "no GL context";
    }
    std::unique_ptr<platform::Window> window;
};

} // namespace

// The driver keeps blocks that only its own globals reach: unloaded when SDL
// video quits, it would leave them to the leak check as leaks of a module
// no suppression can name.
TEST_F(GLObjects, TheModulesOfTheContextStayLoadedAfterTheWindowGoes)
{
    const std::vector<std::string> withWindow = platform::LoadedModules();
    window.reset();
    const std::vector<std::string> after = platform::LoadedModules();
    for (const std::string& module : withWindow)
        EXPECT_TRUE(std::find(after.begin(), after.end(), module) != after.end()) << module;
}

TEST_F(GLObjects, ProgramsBuildOrReportTheFailingStageAndDeleteTheirName)
{
    std::string log;
    GLProgram program = GLProgram::Build(kVertex, kFragment, &log);
    ASSERT_TRUE(program.IsValid()) << log;
    EXPECT_GE(program.GetUniformLocation("uTint"), 0);
    EXPECT_EQ(program.GetUniformLocation("uNotDeclared"), -1);
    const GLuint name = program.GetName();
    EXPECT_TRUE(glIsProgram(name));

    GLProgram moved = std::move(program);
    EXPECT_FALSE(program.IsValid());
    EXPECT_EQ(moved.GetName(), name);
    moved = GLProgram();
    EXPECT_FALSE(glIsProgram(name));

    struct Broken {
        const char* vertex;
        const char* fragment;
        const char* stage;
    };
    for (const Broken& broken :
        {Broken {"#version 330 core\nvoid main() { nonsense; }\n", kFragment, "vertex"},
            Broken {kVertex, "#version 330 core\nvoid main() { nonsense; }\n", "fragment"},
            // Compiles, but the vertex stage writes what the fragment
            // stage reads under another type: the link fails.
            Broken {"#version 330 core\nout vec2 v;\nvoid main() { v = vec2(0); gl_Position = vec4(0); }\n",
                "#version 330 core\nin vec3 v;\nout vec4 c;\nvoid main() { c = vec4(v, 1); }\n", "link"}}) {
        log.clear();
        EXPECT_FALSE(GLProgram::Build(broken.vertex, broken.fragment, &log).IsValid()) << broken.stage;
        EXPECT_EQ(log.rfind(broken.stage, 0), 0u) << log;
    }
}

TEST_F(GLObjects, NamedVertexInputsAreBoundInTheOrderGiven)
{
    // Declared in the opposite order to the bindings asked for, so the
    // linker's own choice would differ from the requested one.
    const char* vertex = R"(#version 330 core
in vec4 inColor;
in vec2 inTexCoord;
in vec3 inPosition;
out vec4 tint;
void main() { tint = inColor + vec4(inTexCoord, 0, 0); gl_Position = vec4(inPosition, 1.0); }
)";
    const char* fragment = "#version 330 core\nin vec4 tint;\nout vec4 c;\nvoid main() { c = tint; }\n";
    std::string log;
    GLProgram program = GLProgram::Build(vertex, fragment, &log, {"inPosition", "inTexCoord", "inColor"});
    ASSERT_TRUE(program.IsValid()) << log;
    EXPECT_EQ(glGetAttribLocation(program.GetName(), "inPosition"), 0);
    EXPECT_EQ(glGetAttribLocation(program.GetName(), "inTexCoord"), 1);
    EXPECT_EQ(glGetAttribLocation(program.GetName(), "inColor"), 2);
}

TEST_F(GLObjects, NamesAreDeletedWithTheirOwnerAndReleasedOnesAreNot)
{
    GLuint buffer = 0;
    GLuint vertexArray = 0;
    {
        GLBuffer ownedBuffer = GLBuffer::Generate();
        GLVertexArray ownedArray = GLVertexArray::Generate();
        ASSERT_TRUE(ownedBuffer && ownedArray);
        buffer = ownedBuffer.Get();
        vertexArray = ownedArray.Get();
        glBindBuffer(GL_ARRAY_BUFFER, buffer); // a buffer exists once bound
        glBindVertexArray(vertexArray);
        EXPECT_TRUE(glIsBuffer(buffer));
        EXPECT_TRUE(glIsVertexArray(vertexArray));
        glBindVertexArray(0);
    }
    EXPECT_FALSE(glIsBuffer(buffer));
    EXPECT_FALSE(glIsVertexArray(vertexArray));

    GLTextureName texture = GLTextureName::Generate();
    const GLuint kept = texture.Release();
    glBindTexture(GL_TEXTURE_2D, kept);
    EXPECT_FALSE(texture);
    texture.Reset();
    EXPECT_TRUE(glIsTexture(kept));
    glDeleteTextures(1, &kept);
}

TEST_F(GLObjects, RenderTargetsHavePowerOfTwoStorageAndDieWithTheirNames)
{
    std::unique_ptr<GLRenderTarget> target = GLRenderTarget::Create(300, 100);
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target->GetTextureWidth(), 512);
    EXPECT_EQ(target->GetTextureHeight(), 128);
    const GLuint texture = target->GetTexture();
    const GLuint framebuffer = target->GetFramebuffer();
    EXPECT_TRUE(glIsTexture(texture));
    EXPECT_TRUE(glIsFramebuffer(framebuffer));
    // Making a target leaves the caller's framebuffer bound.
    GLint bound = -1;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    EXPECT_EQ(bound, 0);
    target.reset();
    EXPECT_FALSE(glIsTexture(texture));
    EXPECT_FALSE(glIsFramebuffer(framebuffer));
}

TEST(GLObjectsWithoutContext, NothingIsMadeWhereNoContextIsCurrent)
{
    EXPECT_FALSE(GLBuffer::Generate());
    EXPECT_EQ(GLRenderTarget::Create(8, 8), nullptr);
    EXPECT_EQ(QuadBatch::Create(), nullptr);
    std::string log;
    EXPECT_FALSE(GLProgram::Build(kVertex, kFragment, &log).IsValid());
    EXPECT_FALSE(log.empty());
}

TEST(QuadGeometry, CornersUvsMirrorAndTurnFollowTheSpec)
{
    QuadSpec spec;
    spec.targetWidth = 512;
    spec.targetHeight = 448;
    spec.x = 10.0f;
    spec.y = 20.0f;
    spec.textureWidth = 24; // storage 32 x 16
    spec.textureHeight = 10;
    spec.source = {8, 2, 8, 4};
    spec.colour = 0x80FF0000u;
    spec.depth = 3.0f;

    std::array<QuadVertex, 4> v = MakeQuad(spec);
    // Top-left corner at (10, 20) in picture pixels: (-246, 204) centred, y up.
    EXPECT_FLOAT_EQ(v[0].x, -246.0f);
    EXPECT_FLOAT_EQ(v[0].y, 204.0f);
    EXPECT_FLOAT_EQ(v[2].x, -238.0f);
    EXPECT_FLOAT_EQ(v[2].y, 200.0f);
    EXPECT_FLOAT_EQ(v[0].u, 8.0f / 32.0f);
    EXPECT_FLOAT_EQ(v[1].u, 16.0f / 32.0f);
    EXPECT_FLOAT_EQ(v[0].v, 2.0f / 16.0f);
    EXPECT_FLOAT_EQ(v[3].v, 6.0f / 16.0f);
    EXPECT_FLOAT_EQ(v[1].r, 1.0f);
    EXPECT_NEAR(v[1].a, 128.0f / 255.0f, 1e-6f);
    EXPECT_FLOAT_EQ(v[3].z, 3.0f);

    // Mirrored: the source's own edges swap, the positions stay.
    spec.mirror = true;
    const std::array<QuadVertex, 4> mirrored = MakeQuad(spec);
    EXPECT_FLOAT_EQ(mirrored[0].u, v[1].u);
    EXPECT_FLOAT_EQ(mirrored[1].u, v[0].u);
    EXPECT_FLOAT_EQ(mirrored[0].x, v[0].x);

    // A quarter turn about the centre: the centre stays, and the top-left
    // corner goes to the top-right (clockwise on screen).
    spec.mirror = false;
    spec.source = {0, 0, 8, 8};
    spec.rotationPoint = Point<int>(4, 4);
    spec.rotationDegrees = 90.0f;
    v = MakeQuad(spec);
    const float centreX = (v[0].x + v[2].x) * 0.5f;
    const float centreY = (v[0].y + v[2].y) * 0.5f;
    EXPECT_NEAR(centreX, 10.0f + 4.0f - 256.0f, 1e-4f);
    EXPECT_NEAR(centreY, 224.0f - 24.0f, 1e-4f);
    EXPECT_NEAR(v[0].x, -238.0f, 1e-4f); // right edge of the unturned quad
    EXPECT_NEAR(v[0].y, 204.0f, 1e-4f);  // still the top
}
