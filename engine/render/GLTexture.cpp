#include "engine/render/GLTexture.h"

#include "engine/platform/DebugOutput.h"
#include "engine/render/D3DDevice.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include <cstring>
#include <mutex>
#include <utility>
#include <vector>

namespace {

// GL names released on threads without a context, waiting for the render
// thread. GL objects can only be deleted where their context is current.
struct OrphanNames {
    std::mutex mutex;
    std::vector<GLuint> textures;
    std::vector<GLuint> framebuffers;
};

OrphanNames& Orphans()
{
    static OrphanNames orphans;
    return orphans;
}

// Keeps the caller's texture binding across our own binds.
class BindingGuard {
public:
    BindingGuard()
    {
        GLint current = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &current);
        previous = GLuint(current);
    }
    ~BindingGuard() { glBindTexture(GL_TEXTURE_2D, previous); }
    BindingGuard(const BindingGuard&) = delete;
    BindingGuard& operator=(const BindingGuard&) = delete;

private:
    GLuint previous = 0;
};

} // namespace

bool GLTexture::HasCurrentContext()
{
    return SDL_GL_GetCurrentContext() != nullptr;
}

GLTexture::GLTexture(PixelImage picture)
    : width(picture.GetWidth())
    , height(picture.GetHeight())
    , textureWidth(picture.IsEmpty() ? 0 : int(NextPowerOfTwo(uint32_t(width))))
    , textureHeight(picture.IsEmpty() ? 0 : int(NextPowerOfTwo(uint32_t(height))))
    , pending(std::move(picture))
{
}

GLTexture::GLTexture(EncodedPng png)
    : width(png.width)
    , height(png.height)
    , textureWidth(png.IsEmpty() ? 0 : int(NextPowerOfTwo(uint32_t(width))))
    , textureHeight(png.IsEmpty() ? 0 : int(NextPowerOfTwo(uint32_t(height))))
    , encoded(std::move(png))
{
    if (encoded.IsEmpty())
        width = height = 0;
}

GLTexture::GLTexture(int width, int height)
    : GLTexture(PixelImage(width, height))
{
}

GLTexture::~GLTexture()
{
    Destroy();
}

GLTexture::GLTexture(GLTexture&& other) noexcept
    : name(std::exchange(other.name, 0))
    , width(std::exchange(other.width, 0))
    , height(std::exchange(other.height, 0))
    , textureWidth(std::exchange(other.textureWidth, 0))
    , textureHeight(std::exchange(other.textureHeight, 0))
    , pending(std::exchange(other.pending, PixelImage()))
    , encoded(std::exchange(other.encoded, EncodedPng()))
    , content(std::move(other.content))
    , mapContent(other.mapContent)
    , keyOutWhite(other.keyOutWhite)
{
}

GLTexture& GLTexture::operator=(GLTexture&& other) noexcept
{
    if (this != &other) {
        Destroy();
        name = std::exchange(other.name, 0);
        width = std::exchange(other.width, 0);
        height = std::exchange(other.height, 0);
        textureWidth = std::exchange(other.textureWidth, 0);
        textureHeight = std::exchange(other.textureHeight, 0);
        pending = std::exchange(other.pending, PixelImage());
        encoded = std::exchange(other.encoded, EncodedPng());
        content = std::move(other.content);
        mapContent = other.mapContent;
        keyOutWhite = other.keyOutWhite;
    }
    return *this;
}

void GLTexture::Destroy()
{
    if (name == 0)
        return;
    if (HasCurrentContext()) {
        glDeleteTextures(1, &name);
    } else {
        std::lock_guard lock(Orphans().mutex);
        Orphans().textures.push_back(name);
    }
    name = 0;
}

void GLTexture::DeleteFramebuffer(unsigned int framebuffer)
{
    if (framebuffer == 0)
        return;
    if (HasCurrentContext()) {
        glDeleteFramebuffers(1, &framebuffer);
        return;
    }
    std::lock_guard lock(Orphans().mutex);
    Orphans().framebuffers.push_back(framebuffer);
}

void GLTexture::DeleteOrphans()
{
    std::vector<GLuint> textures;
    std::vector<GLuint> framebuffers;
    {
        std::lock_guard lock(Orphans().mutex);
        textures.swap(Orphans().textures);
        framebuffers.swap(Orphans().framebuffers);
    }
    // The framebuffers first: they may still have the textures attached.
    if (!framebuffers.empty())
        glDeleteFramebuffers(GLsizei(framebuffers.size()), framebuffers.data());
    if (!textures.empty())
        glDeleteTextures(GLsizei(textures.size()), textures.data());
}

void GLTexture::MapContent()
{
    mapContent = true;
    content = pending.IsEmpty() ? nullptr : std::make_unique<ContentMap>(pending);
}

bool GLTexture::Decode()
{
    if (!IsDecoded()) {
        PixelImage picture;
        // The size was promised by the header: a picture that decodes to
        // another (it cannot, short of a decoder fault) is refused too.
        if (picture.LoadFromPng(encoded) && picture.GetWidth() == width && picture.GetHeight() == height) {
            if (keyOutWhite)
                picture.ApplyColorKey(0x00FFFFFFu);
            pending = std::move(picture);
            if (mapContent)
                MapContent();
        } else {
            width = height = textureWidth = textureHeight = 0;
        }
        encoded = EncodedPng();
    }
    return name != 0 || !pending.IsEmpty();
}

bool GLTexture::Upload()
{
    if (name != 0)
        return true;
    if (!IsValid() || !HasCurrentContext() || !Decode())
        return false;

    // The picture goes into the top-left corner of zeroed power-of-two storage,
    // so that filtering at its edges never reads undefined texels. A picture
    // that fills its storage goes up as it is, without a second copy.
    const bool fills = textureWidth == width && textureHeight == height;
    const size_t storageRow = size_t(textureWidth) * 4;
    std::vector<uint8_t> storage(fills ? 0 : storageRow * size_t(textureHeight), 0);
    const size_t pictureRow = size_t(width) * 4;
    for (int y = 0; !fills && y < height; ++y)
        std::memcpy(storage.data() + storageRow * size_t(y),
            pending.GetPixels().data() + pictureRow * size_t(y), pictureRow);

    // Errors left by earlier calls must not be taken for ours (bounded: a
    // lost context may keep reporting).
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) { }
    BindingGuard guard;
    glGenTextures(1, &name);
    if (name == 0) {
        platform::DebugOutput("GLTexture: glGenTextures failed\n");
        return false;
    }
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, textureWidth, textureHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE,
        fills ? pending.GetPixels().data() : storage.data());
    if (glGetError() != GL_NO_ERROR) {
        platform::DebugOutput("GLTexture: texture upload failed\n");
        glDeleteTextures(1, &name);
        name = 0;
        return false;
    }
    pending = PixelImage();
    return true;
}

unsigned int GLTexture::GetName()
{
    Upload();
    return name;
}

void GLTexture::SetLinearFilter(bool linear)
{
    if (name == 0)
        return;
    BindingGuard guard;
    const GLint filter = linear ? GL_LINEAR : GL_NEAREST;
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
}

PixelImage GLTexture::Download()
{
    if (name == 0 || !HasCurrentContext())
        return PixelImage();
    std::vector<uint8_t> storage(size_t(textureWidth) * size_t(textureHeight) * 4);
    {
        BindingGuard guard;
        glBindTexture(GL_TEXTURE_2D, name);
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, storage.data());
    }
    PixelImage picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.SetPixel(
                x, y, ArgbFromRgba(storage.data() + (size_t(y) * size_t(textureWidth) + size_t(x)) * 4));
    return picture;
}
