#pragma once

#include <string>

// Handlers of the console commands that act on the running game: level
// changes and the first map, the minimap, saving and loading, the user
// folder, the window and display settings, music settings, debug output and
// the developer's switches. Each takes the argument text behind the command
// name and splits it with SplitCommandLine; with too few tokens it changes
// nothing. A bool token is false only when it is exactly "0"; numbers read
// whole and within their range. Every handler copes with a missing game,
// level or player; one that has nowhere to store its value without a game
// fails then.
bool CmdUsePlayerStart(std::string arguments);
bool CmdSetFirstMap(std::string arguments);
bool CmdMinimap(std::string arguments);
bool CmdSave(std::string arguments);
bool CmdLoad(std::string arguments);
bool CmdChangeSaveSlot(std::string arguments);
bool CmdSetFrameDelay(std::string arguments);
bool CmdDebug(std::string arguments);
bool CmdDrawRect(std::string arguments);
bool CmdGod(std::string arguments);
bool CmdLogPlayer(std::string arguments);
bool CmdShowArgs(std::string arguments);
bool CmdScaleMethod(std::string arguments);
bool CmdKeepRatio(std::string arguments);
bool CmdResizeWindow(std::string arguments);
bool CmdReloadShaders(std::string arguments);
bool CmdScreenshotAddComments(std::string arguments);
bool CmdAddMusicInfo(std::string arguments);
bool CmdSetUserPath(std::string arguments);
bool CmdResetSteamAchievements(std::string arguments);

// A command that stores a value in the game, run with no game running: it
// refuses it with "no game is running; nothing set" (RefuseCommand: a
// command file's runner names it with the file and the line).
bool RefuseWithoutGame(const std::string& command);

// The user folder that "setuserpath" makes of its argument: "<PERSONAL>"
// becomes the documents folder + "My Games/Quenholt/", or, when that cannot
// be made, the data folder's "Quenholt/" ($XDG_DATA_HOME or ~/.local/share);
// any other path is used as given, with a trailing '/'. The folder and its
// "Screenshots" folder are created when missing. `folder` is empty when no
// folder could be made (the game then saves nothing); `problem` says what
// could not be used and where the files go instead.
struct UserFolderChoice {
    std::string folder;
    std::string problem;
};
UserFolderChoice ChooseUserFolder(const std::string& path);

// Why a path given for the user folder is refused: a relative path (it would
// be taken from the data folder) or one inside the data folder (the working
// folder). Empty when it is not; "<PERSONAL>" never is.
std::string RefusedUserFolder(const std::string& path);

// The path "setuserpath" takes from its argument text: its first token
// (SplitCommandLine), so a path with blanks is quoted; empty without one.
// `note` says what was used when the text means less than it seems: words
// behind the path (an unquoted path with blanks), or a path cut at "//",
// where a comment begins.
struct UserPathArgument {
    std::string path;
    std::string note;
};
UserPathArgument ReadUserPathArgument(const std::string& arguments);

// Sets the user path to the folder chosen, backslashes read as slashes; a refused path leaves it as it
// was, said in the log. A problem is said in the log when
// the user path changes (a settings file run again stays quiet), and with
// `onScreen` (the start-up) always, in a message box as well. Returns the
// folder set.
std::string SetUserFolder(const std::string& given, bool onScreen = false);
