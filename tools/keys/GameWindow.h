#pragma once

#include "tools/keys/Picture.h"

#include <string>
#include <sys/types.h>

struct _XDisplay;

// The game's window on the X server of DISPLAY, found by the process that
// owns it (_NET_WM_PID), as a player sees it: Grab copies its pixels, and
// Press / Release send keys through the server's test extension (XTest),
// as a keyboard would, to whichever window has the focus.
class GameWindow {
public:
    GameWindow();
    ~GameWindow();
    GameWindow(const GameWindow&) = delete;
    GameWindow& operator=(const GameWindow&) = delete;

    // False when DISPLAY does not open or has no test extension.
    bool Open(std::string& error);
    // Looks for a viewable window of process `pid`; true once found (and
    // given the focus).
    bool Find(pid_t pid);
    // The window's pixels now; empty when it cannot be read (gone).
    Picture Grab();
    // A key by its X name ("a", "d", "slash", "space", "Return").
    void Press(const std::string& key);
    void Release(const std::string& key);

private:
    unsigned long WindowOf(unsigned long window, unsigned long pidAtom, pid_t pid, int depth);
    void Send(const std::string& key, bool down);

    _XDisplay* display = nullptr;
    unsigned long window = 0;
};
