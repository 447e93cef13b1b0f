#pragma once

#include "engine/platform/GamePad.h"

#include <memory>
#include <string>
#include <vector>

struct SDL_Window;

namespace platform {

class InputBridge;

// A message of the window that the game's window procedure answers.
struct WindowMessage {
    enum class Type {
        None,    // an event that only fed the input bridge, or nothing
        Close,   // the user closed the window (or the system asked to quit)
        Resized, // the client area changed size
        KeyUp,   // a key was released; key holds its SDL scancode
        Quit,    // the quit message posted by the window procedure
    };
    Type type = Type::None;
    int key = 0;
};

// SDL scancode of the Print Screen key (window procedure and tests).
int PrintScreenScancode();

// Number of displays the options menu can choose from (1 when the video
// system is not running).
int DisplayCount();

// The game window with its GL context, on SDL2. Everything here runs on the
// thread that created the window (the render thread): SDL's video subsystem,
// the context and the event pump belong to it.
class Window {
public:
    // Starts SDL video and joysticks for this thread's use and creates the
    // window hidden, with the client size given (or covering the desktop;
    // created so, its GL surface has the desktop size from the start). Null on failure (the reason
    // goes to the debug output).
    static std::unique_ptr<Window> Create(const std::string& title, int x, int y, int clientWidth,
        int clientHeight, bool onTop, bool desktopFullScreen);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // GL 3.3 core context, made current on the calling thread.
    bool CreateGLContext();
    bool HasGLContext() const { return context_ != nullptr; }
    void SwapBuffers();
    void SetSwapInterval(bool vsync);

    void Show();
    void Hide();
    void Minimize();
    // Out of a minimised or maximised state, and shown.
    void Restore();
    // Brought to the front with the input focus.
    void Raise();
    void SetCursorVisible(bool visible);
    bool SetDesktopFullScreen(bool fullScreen);
    bool IsFullScreen() const;
    void SetBordered(bool bordered);

    void GetPosition(int& x, int& y) const;
    void GetClientSize(int& w, int& h) const;
    // The size of the GL surface the picture is shown in: the real window's,
    // also when full screen was asked for but not granted.
    void GetDrawableSize(int& w, int& h) const;
    // Outer size: client area plus the decorations the window manager reports.
    void GetOuterSize(int& w, int& h) const;
    // The height of the decorations above the client area (the title bar);
    // 0 without a window manager.
    int GetTopDecoration() const;
    bool MoveClient(int x, int y, int clientWidth, int clientHeight);
    void SetMinimumClientSize(int w, int h);
    void GetMinimumClientSize(int& w, int& h) const;

    // Takes one pending event. Input goes to the bridge (when given); a
    // message that the window procedure must see comes back in message (a
    // close asked for through the bridge comes back as Close). Returns false
    // when nothing was pending.
    bool PollMessage(WindowMessage& message, InputBridge* input);
    // Queues the quit message that a later PollMessage returns.
    void PostQuit();

    // Size of the primary screen (the desktop mode).
    static void GetScreenSize(int& w, int& h);
    // Frees what SDL keeps for the calling thread (its error text, the
    // current context): SDL frees it only for threads it made itself, so a
    // thread of ours that used a window calls this before it ends.
    static void ReleaseThreadData();

    SDL_Window* GetSDLWindow() const { return window_.get(); }

private:
    Window() = default;
    void OpenPad(int deviceIndex, InputBridge* input);
    void ClosePad(int instanceId, InputBridge* input);
    int PadSlot(int instanceId) const;

    // The SDL handles, each closed by its deleter; members go in reverse
    // order: the pads, the context, the window, then SDL video itself.
    struct SubsystemQuit {
        void operator()(Window*) const;
    };
    struct WindowDestroy {
        void operator()(SDL_Window* window) const;
    };
    struct ContextDelete {
        void operator()(void* context) const;
    };

    // Holds no resource of its own: quits SDL video and game controllers (started
    // by Create) when the window goes.
    std::unique_ptr<Window, SubsystemQuit> subsystem_;
    std::unique_ptr<SDL_Window, WindowDestroy> window_;
    std::unique_ptr<void, ContextDelete> context_;
    bool quitPosted_ = false;
    GamePad pads_[4];
    // The modules loaded before SDL video started: those loaded after it by
    // the time the GL context exists (EGL, the GL driver) stay loaded.
    std::vector<std::string> modulesBeforeVideo_;
};

} // namespace platform
