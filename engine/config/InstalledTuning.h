#pragma once

// The tuning values of one part of the game that are in force: those of the
// running game, which installs its own copy while it exists, or the defaults
// of T when no game runs (a test's own objects, the tools). Readers only
// read; the game's console commands write the game's copy. So a new game
// starts from the defaults, and nothing one game (or test) sets outlives it.
template <class T> class InstalledTuning {
public:
    static const T& Current() { return installed != nullptr ? *installed : Defaults(); }
    static void Install(const T* values) { installed = values; }
    // Removes the values only while they are the installed ones: a game that
    // ends never removes another game's.
    static void Uninstall(const T* values)
    {
        if (installed == values)
            installed = nullptr;
    }

private:
    static const T& Defaults()
    {
        static const T defaults {};
        return defaults;
    }
    static inline const T* installed = nullptr;
};
