#pragma once

#include <atomic>

// The one object the game installs behind an interface while it exists (its
// sound, render, character or player access): empty before the game object
// is built and after it is destroyed. Both the game's and the render thread
// may read it, so the pointer is atomic.
template <class Interface> class Installed {
public:
    static Interface* Get() { return pointer.load(); }
    // Installs the object (not owned); null removes it.
    static void Set(Interface* object) { pointer.store(object); }

private:
    static inline std::atomic<Interface*> pointer {nullptr};
};
