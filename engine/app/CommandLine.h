#pragma once

#include <string>
#include <vector>

// What the program's command line asks for. Every token is tested
// lower-cased, and its value passed on as typed: the first token holding
// ".lvl" names the level to open, the first holding "gamelib.txt" the game
// library; a token longer than 3 characters that begins with "-" is an
// option. An option holding "fullscreen" or "ontop" sets that display flag;
// "-windowed" or "--windowed", whole, asks for a window; any other option,
// without its "-", is a console command to run at start-up, its name
// lower-cased and its arguments as typed. A token may be both a name and an
// option.
struct CommandLineOptions {
    std::string levelName;
    std::string gameLibName;
    std::vector<std::string> queuedCommands;
    bool fullScreen = false;
    bool onTop = false;
    // Start in a window when no configuration file says otherwise ("-windowed"
    // or "--windowed").
    bool windowed = false;
};

CommandLineOptions ReadCommandLineTokens(const std::vector<std::string>& tokens);
