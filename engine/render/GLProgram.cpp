#include "engine/render/GLProgram.h"

#include "engine/render/GLTexture.h"

#include <epoxy/gl.h>

#include <utility>

namespace {

// A compiled shader stage, deleted once linked into the program.
class ShaderStage {
public:
    ShaderStage(GLenum kind, const std::string& source, const char* stage, std::string* log)
    {
        name = glCreateShader(kind);
        const char* text = source.c_str();
        glShaderSource(name, 1, &text, nullptr);
        glCompileShader(name);
        GLint ok = 0;
        glGetShaderiv(name, GL_COMPILE_STATUS, &ok);
        if (ok)
            return;
        if (log) {
            char message[1024] = {};
            glGetShaderInfoLog(name, sizeof(message), nullptr, message);
            *log = std::string(stage) + ": " + message;
        }
        glDeleteShader(name);
        name = 0;
    }
    ~ShaderStage()
    {
        if (name)
            glDeleteShader(name);
    }
    ShaderStage(const ShaderStage&) = delete;
    ShaderStage& operator=(const ShaderStage&) = delete;

    GLuint name = 0;
};

} // namespace

GLProgram::~GLProgram()
{
    Destroy();
}

GLProgram::GLProgram(GLProgram&& other) noexcept
    : name(std::exchange(other.name, 0))
{
}

GLProgram& GLProgram::operator=(GLProgram&& other) noexcept
{
    if (this != &other) {
        Destroy();
        name = std::exchange(other.name, 0);
    }
    return *this;
}

void GLProgram::Destroy()
{
    if (name && GLTexture::HasCurrentContext())
        glDeleteProgram(name);
    name = 0;
}

GLProgram GLProgram::Build(const std::string& vertexSource, const std::string& fragmentSource,
    std::string* log, std::initializer_list<const char*> attributes)
{
    if (!GLTexture::HasCurrentContext()) {
        if (log)
            *log = "no GL context";
        return GLProgram();
    }
    ShaderStage vertex(GL_VERTEX_SHADER, vertexSource, "vertex", log);
    if (!vertex.name)
        return GLProgram();
    ShaderStage fragment(GL_FRAGMENT_SHADER, fragmentSource, "fragment", log);
    if (!fragment.name)
        return GLProgram();
    GLProgram program(glCreateProgram());
    glAttachShader(program.name, vertex.name);
    glAttachShader(program.name, fragment.name);
    GLuint location = 0;
    for (const char* attribute : attributes)
        glBindAttribLocation(program.name, location++, attribute);
    glLinkProgram(program.name);
    glDetachShader(program.name, vertex.name);
    glDetachShader(program.name, fragment.name);
    GLint ok = 0;
    glGetProgramiv(program.name, GL_LINK_STATUS, &ok);
    if (!ok) {
        if (log) {
            char message[1024] = {};
            glGetProgramInfoLog(program.name, sizeof(message), nullptr, message);
            *log = std::string("link: ") + message;
        }
        return GLProgram();
    }
    return program;
}

int GLProgram::GetUniformLocation(const char* uniform) const
{
    return name ? glGetUniformLocation(name, uniform) : -1;
}

void GLProgram::Use() const
{
    glUseProgram(name);
}
