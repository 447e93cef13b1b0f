#include "engine/render/EffectProgram.h"

#include "engine/render/D3DDevice.h"
#include "engine/render/GLTexture.h"

#include <epoxy/gl.h>

#include <cstddef>
#include <utility>

std::string InsertDefine(const std::string& source, const std::string& define)
{
    const size_t version = source.find("#version");
    if (version == std::string::npos)
        return define + "\n" + source;
    const size_t lineEnd = source.find('\n', version);
    if (lineEnd == std::string::npos)
        return source + "\n" + define + "\n";
    return source.substr(0, lineEnd + 1) + define + "\n" + source.substr(lineEnd + 1);
}

std::unique_ptr<GLEffectProgram> GLEffectProgram::Build(const std::string& source, std::string& errors)
{
    if (!GLTexture::HasCurrentContext()) {
        errors = "no GL context";
        return nullptr;
    }
    FlushQuads();
    GLProgram program = GLProgram::Build(InsertDefine(source, "#define VERTEX"),
        InsertDefine(source, "#define FRAGMENT"), &errors, {"inPosition", "inTexCoord", "inColor"});
    if (!program.IsValid())
        return nullptr;

    std::unique_ptr<GLEffectProgram> result(new GLEffectProgram());
    result->program = std::move(program);
    result->vertexArray = GLVertexArray::Generate();
    result->vertexBuffer = GLBuffer::Generate();
    glBindVertexArray(result->vertexArray.Get());
    glBindBuffer(GL_ARRAY_BUFFER, result->vertexBuffer.Get());
    glBufferData(GL_ARRAY_BUFFER, sizeof(EffectVertex) * 4, nullptr, GL_DYNAMIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(EffectVertex), reinterpret_cast<void*>(0));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(
        1, 2, GL_FLOAT, GL_FALSE, sizeof(EffectVertex), reinterpret_cast<void*>(offsetof(EffectVertex, u)));
    glEnableVertexAttribArray(2);
    // The ARGB word lies in memory as B, G, R, A: GL_BGRA hands it to the
    // effect as (red, green, blue, alpha).
    glVertexAttribPointer(2, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(EffectVertex),
        reinterpret_cast<void*>(offsetof(EffectVertex, colour)));
    glBindVertexArray(0);
    return result;
}

int GLEffectProgram::Use(const std::string& name)
{
    FlushQuads();
    program.Use();
    return program.GetUniformLocation(name.c_str());
}

bool GLEffectProgram::HasParameter(const std::string& name) const
{
    return program.GetUniformLocation(name.c_str()) >= 0;
}

void GLEffectProgram::SetMatrix(const std::string& name, const std::array<float, 16>& value)
{
    const int location = Use(name);
    if (location >= 0)
        glUniformMatrix4fv(location, 1, GL_FALSE, value.data());
}

void GLEffectProgram::SetTexture(const std::string& name, uint32_t texture)
{
    const int location = Use(name);
    if (location < 0)
        return;
    GLint unit = 0;
    if (name == "g_MeshTexture2")
        unit = 1;
    else if (name != "g_MeshTexture")
        unit = nextUnit < 8 ? nextUnit++ : 7;
    glUniform1i(location, unit);
    glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
    glBindTexture(GL_TEXTURE_2D, texture);
    glActiveTexture(GL_TEXTURE0);
}

void GLEffectProgram::SetInt2(const std::string& name, int x, int y)
{
    const int location = Use(name);
    if (location >= 0)
        glUniform2i(location, x, y);
}

void GLEffectProgram::SetFloat(const std::string& name, float value)
{
    const int location = Use(name);
    if (location >= 0)
        glUniform1f(location, value);
}

void GLEffectProgram::SetFloat2(const std::string& name, float x, float y)
{
    const int location = Use(name);
    if (location >= 0)
        glUniform2f(location, x, y);
}

void GLEffectProgram::SetFloat4(const std::string& name, float x, float y, float z, float w)
{
    const int location = Use(name);
    if (location >= 0)
        glUniform4f(location, x, y, z, w);
}

bool GLEffectProgram::Begin()
{
    FlushQuads();
    program.Use();
    glBindVertexArray(vertexArray.Get());
    return true;
}

void GLEffectProgram::End()
{
    glBindVertexArray(0);
    glUseProgram(0);
}

void GLEffectProgram::DrawQuad(const EffectQuadVertices& vertices)
{
    glBindVertexArray(vertexArray.Get());
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer.Get());
    glBufferSubData(GL_ARRAY_BUFFER, 0, sizeof(EffectVertex) * 4, vertices.data());
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
}
