#pragma once

#include <string>
#include <string_view>

namespace platform {

// Replaces the file at `path` with `bytes` so that a crash or a kill at any
// moment leaves either the old file or the new one, whole: the bytes go to
// `path` + ".tmp" (made afresh: a stale one is removed first and a link there
// is never followed), are flushed to the disk, and the temporary file is then
// renamed over `path` (the folder is flushed too, so the rename survives a
// power cut). True when the new file is in place; on failure the old file is
// untouched, the temporary file removed and, when `reason` is given, the
// system's reason stored in it ("No space left on device").
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes, std::string* reason = nullptr);

} // namespace platform
