#include "engine/platform/Window.h"

#include "engine/platform/DebugOutput.h"
#include "engine/platform/InputBridge.h"
#include "engine/platform/LoadedModules.h"
#include "engine/platform/X11Window.h"

#include <SDL.h>

namespace platform {

int PrintScreenScancode()
{
    return SDL_SCANCODE_PRINTSCREEN;
}

int DisplayCount()
{
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
        return 1;
    const int count = SDL_GetNumVideoDisplays();
    return count > 0 ? count : 1;
}

std::unique_ptr<Window> Window::Create(const std::string& title, int x, int y, int clientWidth,
    int clientHeight, bool onTop, bool desktopFullScreen)
{
    std::unique_ptr<Window> window(new Window());
    // The game decides itself what a close means; SDL must not turn signals
    // into a quit on its own schedule.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    window->modulesBeforeVideo_ = LoadedModules();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER) != 0) {
        DebugOutput(std::string("SDL video start failed: ") + SDL_GetError() + "\n");
        return nullptr;
    }
    window->subsystem_.reset(window.get());

    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);

    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE;
    if (onTop)
        flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    if (desktopFullScreen)
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    window->window_.reset(SDL_CreateWindow(title.c_str(), x, y, clientWidth, clientHeight, flags));
    if (!window->window_) {
        DebugOutput(std::string("SDL window creation failed: ") + SDL_GetError() + "\n");
        return nullptr;
    }
    // Still hidden: the window manager reads the window's kind when it is
    // first shown.
    MakeTopLevelWindow(window->window_.get());
    SDL_StartTextInput();
    return window;
}

// The members close their handles in reverse order.
Window::~Window() = default;

void Window::SubsystemQuit::operator()(Window*) const
{
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER);
}

void Window::WindowDestroy::operator()(SDL_Window* window) const
{
    SDL_DestroyWindow(window);
}

void Window::ContextDelete::operator()(void* context) const
{
    SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context));
}

bool Window::CreateGLContext()
{
    if (context_)
        return true;
    context_.reset(SDL_GL_CreateContext(window_.get()));
    if (!context_) {
        DebugOutput(std::string("GL context creation failed: ") + SDL_GetError() + "\n");
        return false;
    }
    SDL_GL_MakeCurrent(window_.get(), static_cast<SDL_GLContext>(context_.get()));
    KeepModulesLoadedSince(modulesBeforeVideo_);
    return true;
}

void Window::SwapBuffers()
{
    SDL_GL_SwapWindow(window_.get());
}

void Window::SetSwapInterval(bool vsync)
{
    SDL_GL_SetSwapInterval(vsync ? 1 : 0);
}

void Window::Show()
{
    SDL_ShowWindow(window_.get());
}

void Window::Hide()
{
    SDL_HideWindow(window_.get());
}

void Window::Minimize()
{
    SDL_MinimizeWindow(window_.get());
}

void Window::Restore()
{
    SDL_RestoreWindow(window_.get());
    SDL_ShowWindow(window_.get());
}

void Window::Raise()
{
    SDL_RaiseWindow(window_.get());
}

void Window::SetCursorVisible(bool visible)
{
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

bool Window::SetDesktopFullScreen(bool fullScreen)
{
    const bool set
        = SDL_SetWindowFullscreen(window_.get(), fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) == 0;
    // Asked for and not granted (no window manager): the window covers the
    // screen itself, as a window made full screen at the start does.
    if (set && fullScreen) {
        int screenWidth = 0, screenHeight = 0;
        GetScreenSize(screenWidth, screenHeight);
        CoverScreenWithoutWindowManager(window_.get(), screenWidth, screenHeight);
    }
    return set;
}

bool Window::IsFullScreen() const
{
    return (SDL_GetWindowFlags(window_.get()) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
}

void Window::SetBordered(bool bordered)
{
    SDL_SetWindowBordered(window_.get(), bordered ? SDL_TRUE : SDL_FALSE);
}

void Window::GetPosition(int& x, int& y) const
{
    SDL_GetWindowPosition(window_.get(), &x, &y);
}

void Window::GetClientSize(int& w, int& h) const
{
    SDL_GetWindowSize(window_.get(), &w, &h);
}

void Window::GetDrawableSize(int& w, int& h) const
{
    SDL_GL_GetDrawableSize(window_.get(), &w, &h);
    // Asked for full screen, SDL reports the desktop's size whether or not
    // it was granted; without a window manager the X window keeps the size
    // it was made with. The picture must fit the window there really is.
    if (IsFullScreen()) {
        int realWidth = 0, realHeight = 0;
        if (GetX11WindowSize(window_.get(), realWidth, realHeight)) {
            w = realWidth;
            h = realHeight;
        }
    }
}

void Window::GetOuterSize(int& w, int& h) const
{
    GetClientSize(w, h);
    int top = 0, left = 0, bottom = 0, right = 0;
    if (SDL_GetWindowBordersSize(window_.get(), &top, &left, &bottom, &right) == 0) {
        w += left + right;
        h += top + bottom;
    }
}

int Window::GetTopDecoration() const
{
    int top = 0, left = 0, bottom = 0, right = 0;
    return SDL_GetWindowBordersSize(window_.get(), &top, &left, &bottom, &right) == 0 ? top : 0;
}

bool Window::MoveClient(int x, int y, int clientWidth, int clientHeight)
{
    SDL_SetWindowSize(window_.get(), clientWidth, clientHeight);
    SDL_SetWindowPosition(window_.get(), x, y);
    int w = 0, h = 0;
    SDL_GetWindowSize(window_.get(), &w, &h);
    return w == clientWidth && h == clientHeight;
}

void Window::SetMinimumClientSize(int w, int h)
{
    SDL_SetWindowMinimumSize(window_.get(), w, h);
}

void Window::GetMinimumClientSize(int& w, int& h) const
{
    SDL_GetWindowMinimumSize(window_.get(), &w, &h);
}

void Window::ReleaseThreadData()
{
    SDL_TLSCleanup();
}

void Window::PostQuit()
{
    quitPosted_ = true;
}

void Window::GetScreenSize(int& w, int& h)
{
    // Asked before any window exists (a full-screen window is made at this
    // size), the video subsystem is started for the question alone.
    const bool started = SDL_WasInit(SDL_INIT_VIDEO) == 0 && SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
        w = mode.w;
        h = mode.h;
    } else {
        w = 1024;
        h = 768;
    }
    if (started)
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

int Window::PadSlot(int instanceId) const
{
    for (int i = 0; i < 4; ++i)
        if (pads_[i].IsOpen() && pads_[i].GetInstanceId() == instanceId)
            return i;
    return -1;
}

void Window::OpenPad(int deviceIndex, InputBridge* input)
{
    if (PadSlot(SDL_JoystickGetDeviceInstanceID(deviceIndex)) >= 0)
        return; // already open
    for (int i = 0; i < 4; ++i) {
        if (pads_[i].IsOpen())
            continue;
        if (!pads_[i].Open(deviceIndex))
            return;
        if (input) {
            InputEvent event;
            event.type = InputEvent::Type::PadAdded;
            event.pad = i;
            event.text = pads_[i].GetName();
            input->Push(event);
            input->SetPadName(i, event.text);
        }
        return;
    }
}

void Window::ClosePad(int instanceId, InputBridge* input)
{
    const int slot = PadSlot(instanceId);
    if (slot < 0)
        return;
    pads_[slot].Close();
    if (input) {
        InputEvent event;
        event.type = InputEvent::Type::PadRemoved;
        event.pad = slot;
        input->Push(event);
    }
}

bool Window::PollMessage(WindowMessage& message, InputBridge* input)
{
    message = WindowMessage {};
    if (quitPosted_) {
        quitPosted_ = false;
        message.type = WindowMessage::Type::Quit;
        return true;
    }
    if (input && input->TakeCloseRequest()) {
        message.type = WindowMessage::Type::Close;
        return true;
    }
    SDL_Event e;
    if (!SDL_PollEvent(&e))
        return false;

    auto push = [input](InputEvent event) {
        if (input)
            input->Push(std::move(event));
    };
    switch (e.type) {
    case SDL_QUIT:
        message.type = WindowMessage::Type::Close;
        break;
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_CLOSE)
            message.type = WindowMessage::Type::Close;
        else if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
            message.type = WindowMessage::Type::Resized;
        break;
    case SDL_KEYDOWN: {
        InputEvent event;
        event.type = InputEvent::Type::KeyDown;
        event.code = e.key.keysym.scancode;
        event.repeat = e.key.repeat != 0;
        push(event);
        const SDL_Keymod mod = static_cast<SDL_Keymod>(e.key.keysym.mod);
        const bool paste = (e.key.keysym.sym == SDLK_v && (mod & KMOD_CTRL))
            || (e.key.keysym.sym == SDLK_INSERT && (mod & KMOD_SHIFT));
        if (paste && input && !e.key.repeat) {
            // The clipboard belongs to the video thread: read it here.
            InputEvent pasted;
            pasted.type = InputEvent::Type::Paste;
            if (char* text = SDL_GetClipboardText()) {
                pasted.text = text;
                SDL_free(text);
            }
            push(pasted);
        }
        break;
    }
    case SDL_KEYUP: {
        InputEvent event;
        event.type = InputEvent::Type::KeyUp;
        event.code = e.key.keysym.scancode;
        push(event);
        message.type = WindowMessage::Type::KeyUp;
        message.key = e.key.keysym.scancode;
        break;
    }
    case SDL_TEXTINPUT: {
        InputEvent event;
        event.type = InputEvent::Type::Text;
        event.text = e.text.text;
        push(event);
        break;
    }
    case SDL_JOYDEVICEADDED:
        OpenPad(e.jdevice.which, input);
        break;
    case SDL_JOYDEVICEREMOVED:
        ClosePad(e.jdevice.which, input);
        break;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
    case SDL_JOYAXISMOTION:
    case SDL_JOYHATMOTION:
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERAXISMOTION:
        // Pads the window has not opened send nothing.
        if (input)
            for (int i = 0; i < 4; ++i)
                if (pads_[i].Translate(e, i, *input))
                    break;
        break;
    default:
        break;
    }
    return true;
}

} // namespace platform
