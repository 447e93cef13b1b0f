#pragma once

#include <string>

// The five folders the loaders prefix to file names. All start empty; the game
// object and the console commands "setpath" and "setuserpath" set them. Paths
// are used by plain concatenation, so a non-empty path ends with a separator;
// the setters store what they are given unchanged.

// Tried before the name of an image.
std::string GetBasePath();
void SetBasePath(std::string path);

// Saves, "UserConfig.cfg", crash reports, screenshots and "init_vars.txt".
std::string GetUserPath();
void SetUserPath(std::string path);

// Prefixes the "dialogues_" folders.
std::string GetDialogPath();
void SetDialogPath(std::string path);

// Prefixes sound files.
std::string GetSoundPath();
void SetSoundPath(std::string path);

// Prefixes music files.
std::string GetMusicPath();
void SetMusicPath(std::string path);
