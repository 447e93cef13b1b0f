#pragma once

#include <utility>

// Owners of single GL names: a buffer, a vertex array, a framebuffer, a bare
// texture. Each generates its name on the thread with the current context and
// deletes it with the object: framebuffers released elsewhere go to the
// render thread's next orphan sweep, the others went with their context.
// Move-only; an empty owner holds 0.
namespace gl_names {
unsigned int GenBuffer();
void DeleteBuffer(unsigned int name);
unsigned int GenVertexArray();
void DeleteVertexArray(unsigned int name);
unsigned int GenFramebuffer();
void DeleteFramebuffer(unsigned int name);
unsigned int GenTexture();
void DeleteTexture(unsigned int name);
} // namespace gl_names

template <unsigned int (*Gen)(), void (*Delete)(unsigned int)> class GLName {
public:
    GLName() = default;
    ~GLName() { Reset(); }
    GLName(GLName&& other) noexcept
        : name(std::exchange(other.name, 0))
    {
    }
    GLName& operator=(GLName&& other) noexcept
    {
        if (this != &other) {
            Reset();
            name = std::exchange(other.name, 0);
        }
        return *this;
    }
    GLName(const GLName&) = delete;
    GLName& operator=(const GLName&) = delete;

    // A new name of this kind (0 without a current context).
    static GLName Generate()
    {
        GLName created;
        created.name = Gen();
        return created;
    }

    // Takes over a name made elsewhere.
    static GLName Adopt(unsigned int existing)
    {
        GLName adopted;
        adopted.name = existing;
        return adopted;
    }

    unsigned int Get() const { return name; }
    explicit operator bool() const { return name != 0; }
    // Gives the name up to the caller, who deletes it.
    unsigned int Release() { return std::exchange(name, 0); }
    void Reset()
    {
        if (name)
            Delete(name);
        name = 0;
    }

private:
    unsigned int name = 0;
};

using GLBuffer = GLName<gl_names::GenBuffer, gl_names::DeleteBuffer>;
using GLVertexArray = GLName<gl_names::GenVertexArray, gl_names::DeleteVertexArray>;
using GLFramebuffer = GLName<gl_names::GenFramebuffer, gl_names::DeleteFramebuffer>;
using GLTextureName = GLName<gl_names::GenTexture, gl_names::DeleteTexture>;
