#pragma once

#include <filesystem>

// The folders of one run of a test or benchmark program. The program makes
// a folder of its own under the caller's temporary folder and points TMPDIR
// (and so std::filesystem::temp_directory_path), HOME and, through HOME,
// every XDG folder into it (the caller's XDG variables are dropped); unless
// asked to keep it (the X11 suites, which xvfb-run gives an X server of
// their own), it also drops the caller's display and sets the headless
// video driver. Whatever the caller exported, no run reaches the user's
// saves, settings or screen. The folder goes, with whatever is left in it,
// when the sandbox does; the folder of a run that was killed first (a
// time-out) goes with the next run's start.
//
// A death test's child started anew (GoogleTest's "threadsafe" style)
// inherits its parent's folders and leaves them to the parent: a sandbox
// made with `inherit` changes nothing.
class RunSandbox {
public:
    enum class Display { Drop, Keep };

    RunSandbox(bool inherit, Display display);
    ~RunSandbox();
    RunSandbox(const RunSandbox&) = delete;
    RunSandbox& operator=(const RunSandbox&) = delete;

    // The run's temporary folder (TMPDIR); empty for an inherited sandbox.
    const std::filesystem::path& TemporaryFolder() const { return temporary; }

private:
    std::filesystem::path root;
    std::filesystem::path temporary;
};
