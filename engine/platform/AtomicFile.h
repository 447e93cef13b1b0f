#pragma once

#include <string>
#include <string_view>

namespace platform {

// Replaces the file at `path` with `bytes` so that a crash or a kill at any
// moment leaves either the old file or the new one, whole: the bytes go to a
// temporary file beside it, `path` + "." + 16 random hexadecimal digits +
// ".tmp", created exclusively (a name already taken is never reused, a link
// there never followed), are flushed to the disk, and the temporary file is
// then renamed over `path` (the folder is flushed too, so the rename survives
// a power cut). The random part, not the process number, keeps the name the
// game's own: two games saving into one folder, from two process namespaces
// or two machines sharing the folder, never touch each other's file, so both
// save, each file whole, the last one kept. True when the new file is in
// place; on failure the old file is untouched, the temporary file removed
// and, when `reason` is given, the system's reason stored in it ("No space
// left on device"). A save that succeeds removes the temporary files of
// `path` that are surely stale: untouched for kStaleTemporarySeconds, far
// longer than any write takes, so never one another game is writing.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes, std::string* reason = nullptr);

// How long a temporary file of a save stays untouched before a later save
// removes it as left by a killed game.
inline constexpr int kStaleTemporarySeconds = 15 * 60;

// True for the names ReplaceFileAtomically gives the temporary files of
// `path`: its name, ".", 16 lower-case hexadecimal digits, ".tmp" (the
// folder part of both is ignored).
bool IsTemporaryNameOf(const std::string& path, std::string_view name);

} // namespace platform
