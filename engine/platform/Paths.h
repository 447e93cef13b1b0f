#pragma once

#include <fstream>
#include <string>

namespace platform {

// Data files name paths with backslashes and in any letter case. Every open of
// a data path goes through ResolvePath: backslashes become '/', and when the
// exact name is missing each component is matched case-insensitively against
// what the folder holds. A path that cannot be matched comes back with its
// backslashes converted and nothing else changed, so the open then fails with
// the name the caller gave.
std::string ResolvePath(const std::string& path);

// True when `path` (links followed) names a regular file. A folder, a pipe
// or a device is no file the game reads: a pipe blocks the open until a
// writer comes, a device such as /dev/zero never ends.
bool IsRegularFile(const std::string& path);
// True when something that is not a regular file stands at `path`: the
// reader's refusal then says so rather than "cannot open".
bool IsNonRegularFile(const std::string& path);

// Opens `path` for reading when it is a regular file; otherwise the stream
// comes back closed, so the caller's "cannot be opened" names the path.
std::ifstream OpenRegularFile(const std::string& path, std::ios::openmode mode = std::ios::binary);

// Why the regular file at `path` cannot be opened for reading (the system's
// reason, "Permission denied"); empty when there is no regular file there
// (it is missing) or it opens.
std::string OpenFailureReason(const std::string& path);

// Folder of the running program (/proc/self/exe), case kept, no trailing '/'.
// Empty when the system cannot tell.
std::string GetExecutableFolder();

// The XDG documents folder: $XDG_DOCUMENTS_DIR, else $HOME/Documents, with a
// trailing '/'. Empty when neither variable is set.
std::string GetDocumentsFolder();

// The user folder: documents folder + "My Games/Quenholt/".
std::string GetUserFolder();

// The XDG data folder: $XDG_DATA_HOME, else $HOME/.local/share, with a
// trailing '/'. Empty when neither variable is set.
std::string GetDataHomeFolder();

// Where the user's files go when the documents folder cannot be made: the
// data folder + "Quenholt/"; empty without one.
std::string GetFallbackUserFolder();

// The path with every backslash turned into a slash, as the game's folders
// are made and opened.
std::string ToSlashes(std::string path);

// Whether a file name that data gives (a dialogue, a music track, a sound,
// a picture) names a file inside the folder it is looked for in: not empty,
// not absolute, no drive ("c:"), and no ".." among its parts (either slash
// separates them). Subfolders are allowed.
bool IsNameInsideFolder(const std::string& name);

// Creates a folder and its parents; true when it exists afterwards.
bool CreateDirectories(const std::string& path);

} // namespace platform
