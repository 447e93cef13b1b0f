#include "engine/render/GLNames.h"

#include "engine/render/GLTexture.h"

#include <epoxy/gl.h>

namespace gl_names {

unsigned int GenBuffer()
{
    if (!GLTexture::HasCurrentContext())
        return 0;
    GLuint name = 0;
    glGenBuffers(1, &name);
    return name;
}

void DeleteBuffer(unsigned int name)
{
    if (GLTexture::HasCurrentContext())
        glDeleteBuffers(1, &name);
}

unsigned int GenVertexArray()
{
    if (!GLTexture::HasCurrentContext())
        return 0;
    GLuint name = 0;
    glGenVertexArrays(1, &name);
    return name;
}

void DeleteVertexArray(unsigned int name)
{
    if (GLTexture::HasCurrentContext())
        glDeleteVertexArrays(1, &name);
}

unsigned int GenFramebuffer()
{
    if (!GLTexture::HasCurrentContext())
        return 0;
    GLuint name = 0;
    glGenFramebuffers(1, &name);
    return name;
}

void DeleteFramebuffer(unsigned int name)
{
    GLTexture::DeleteFramebuffer(name);
}

unsigned int GenTexture()
{
    if (!GLTexture::HasCurrentContext())
        return 0;
    GLuint name = 0;
    glGenTextures(1, &name);
    return name;
}

void DeleteTexture(unsigned int name)
{
    if (GLTexture::HasCurrentContext())
        glDeleteTextures(1, &name);
}

} // namespace gl_names
