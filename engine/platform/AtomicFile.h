#pragma once

#include <string>
#include <string_view>

namespace platform {

// Replaces the file at `path` with `bytes` so that a crash or a kill at any
// moment leaves either the old file or the new one, whole: the bytes go to
// the process's own temporary file, TemporaryNameFor(path) (made afresh: a
// stale one is removed first and a link there is never followed), are
// flushed to the disk, and the temporary file is then renamed over `path`
// (the folder is flushed too, so the rename survives a power cut). Two games
// saving into one folder so both save, each file whole, the last one kept.
// True when the new file is in place; on failure the old file is untouched,
// the temporary file removed and, when `reason` is given, the system's reason
// stored in it ("No space left on device"). A save that succeeds removes the
// temporary files of `path` left by games that no longer run.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes, std::string* reason = nullptr);

// `path` + "." + this process's number + ".tmp".
std::string TemporaryNameFor(const std::string& path);

} // namespace platform
