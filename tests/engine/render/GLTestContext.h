#pragma once

#include <SDL.h>

#include <string>

// A hidden window with a current GL 3.3 core context for the tests of the gl
// label (SDL_VIDEODRIVER=offscreen gives one through EGL on Mesa).
class GLTestContext
{
public:
    GLTestContext()
    {
        // Video and the GL library stay loaded for the whole test process:
        // unloading the driver would turn its own leaks into anonymous ones
        // that the leak suppressions cannot name.
        static const bool videoReady = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0 && SDL_GL_LoadLibrary(nullptr) == 0;
        if (!videoReady)
        {
            error = SDL_GetError();
            return;
        }
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
        window = SDL_CreateWindow("gl test", 0, 0, 64, 64, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        if (!window)
        {
            error = SDL_GetError();
            return;
        }
        context = SDL_GL_CreateContext(window);
        if (!context)
            error = SDL_GetError();
    }
    ~GLTestContext()
    {
        if (context)
        {
            SDL_GL_MakeCurrent(window, nullptr);
            SDL_GL_DeleteContext(context);
        }
        if (window)
            SDL_DestroyWindow(window);
    }
    GLTestContext(const GLTestContext&) = delete;
    GLTestContext& operator=(const GLTestContext&) = delete;

    bool IsReady() const { return context != nullptr; }
    const std::string& GetError() const { return error; }

private:
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    std::string error;
};
