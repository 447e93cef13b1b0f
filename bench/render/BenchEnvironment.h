#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

// The environment of a program the drawing benchmark starts: the caller's,
// except that the display, the home, the temporary folder and every XDG
// folder are the benchmark's own, whatever the caller exported. On a
// desktop the game and the floor program then open their windows on the
// benchmark's X server (where xdotool finds them), and the game's user
// folder, saves and settings lie in the benchmark's scratch folder, never
// in the user's.
class BenchEnvironment {
public:
    // `parent` is the caller's environment (environ); the folders named lie
    // under `scratch` (home/, tmp/ and documents/), which the caller makes.
    BenchEnvironment(char** parent, const std::string& display, const std::filesystem::path& scratch)
    {
        for (char** entry = parent; entry != nullptr && *entry != nullptr; ++entry)
            if (!Replaced(*entry))
                entries.emplace_back(*entry);
        Set("DISPLAY", display);
        Set("HOME", (scratch / "home").string());
        Set("TMPDIR", (scratch / "tmp").string());
        Set("XDG_DOCUMENTS_DIR", (scratch / "documents").string());
    }

    // Sets `name` to `value`, in place of any value it had.
    void Set(const std::string& name, const std::string& value)
    {
        std::erase_if(entries, [&](const std::string& entry) { return entry.rfind(name + "=", 0) == 0; });
        entries.push_back(name + "=" + value);
    }

    // The value of `name`, or nullptr.
    const char* Get(const std::string& name) const
    {
        for (const std::string& entry : entries)
            if (entry.rfind(name + "=", 0) == 0)
                return entry.c_str() + name.size() + 1;
        return nullptr;
    }

    // The entries as posix_spawn takes them, ended by nullptr; valid while
    // this environment lives and is not changed.
    std::vector<char*> Pointers()
    {
        std::vector<char*> pointers;
        for (std::string& entry : entries)
            pointers.push_back(entry.data());
        pointers.push_back(nullptr);
        return pointers;
    }

private:
    // The caller's variables that the benchmark gives its own values, or
    // none: the display (X11's, Wayland's and the X authority of the
    // caller's display), the home, the temporary folder and the XDG folders.
    static bool Replaced(const std::string& entry)
    {
        const std::string name = entry.substr(0, entry.find('='));
        return name == "DISPLAY" || name == "WAYLAND_DISPLAY" || name == "XAUTHORITY" || name == "HOME"
            || name == "TMPDIR" || name.rfind("XDG_", 0) == 0;
    }

    std::vector<std::string> entries;
};
