#include "engine/render/Screenshot.h"
#include "game/Game.h"
#include "game/TuningCommands.h"
#include "script/Script.h"
#include "tests/engine/platform/DebugCapture.h"

#include <gtest/gtest.h>

#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct ExpectedCommand {
    std::string name;
    std::string help;
    std::vector<std::string> grammar;
    std::vector<std::string> defaults;
};

// The console commands as the game documents them, in registration order.
const std::vector<ExpectedCommand> kConsoleCommands = {
    {"setplayerspeed", "Set the player speed (walk & jump)", {"list{walk,jumph,climb}", "float float float"},
        {"walk 20.0", "jumph 20.0", "climb 10.0"}},
    {"setplayerwaterslow", "Set the slow ratio when player is touch water", {"float"}, {"0.8"}},
    {"setcameraspeed", "Set the camera speed (traveling)", {"float"}, {"setcameraspeed 3.2"}},
    {"setplayermovingstage", "Set the player stage values\n Parameters : SpeedEnd ConstantSpeed TimeDuration",
        {"list{jump0,jump1,endjump,fall0,fall1,spiderjump0,spiderjump1,spiderendjump,spiderfall0,"
         "spiderfall1}",
            "float", "bool", "float"},
        {"setplayermovingstage jump0 24.0 true 80.0", "setplayermovingstage jump1 12.5 false 80.0",
            "setplayermovingstage endjump 0.0 false 150.0", "setplayermovingstage fall0 15.5 false 84.0",
            "setplayermovingstage fall1 20.5 true -1.0", "setplayermovingstage spiderjump0 12.0 true 80.0",
            "setplayermovingstage spiderjump1 6.0 false 80.0",
            "setplayermovingstage spiderendjump 0.0 false 150.0",
            "setplayermovingstage spiderfall0 7.0 false 168.0",
            "setplayermovingstage spiderfall1 15.0 true -1.0"}},
    {"changelevel", "Ask to change the current level", {"string", "string"}, {}},
    {"setplayerhighfall", "Set the player high fall values",
        {"list{freezetime,height_threshold}", "int float"},
        {"setplayerhighfall freezetime 15", "setplayerhighfall height_threshold 100"}},
    {"enableplayerarmors", "Enable all player armors", {}, {}},
    {"setplayerattackrank", "Set the player attack level", {"int"}, {"4"}},
    {"playerarmoraddreplaceforuse", "Add an object replace for a specific armor",
        {"list{ice,fire}", "string", "string"}, {}},
    {"playerarmorsetreplaceforusezone", "Set zone for the replace specific armor",
        {"list{ice}", "int", "int"}, {}},
    {"playerarmoricefrozenpropagationtimerdelay", "Set the frame delay during freeze effect of ice armor",
        {"float"}, {"8"}},
    {"setnpcvalue", "Set the parameter value for a NPC factory",
        {"list{floatingskull,thrower,boatworm,firediamond,crouchskull}",
            "list{maxlife} "
            "list{maxlife,frametimer_before_throwing,frametimer_between_throwing,triggerzone,projectile_base_"
            "direction,projectile_speed,projectile_attenuation} "
            "list{wait,maxlife,triggerzone,projectile_speed} list{unfrozedelay} list{maxlife,idlewait,speed}",
            "int custom{int,int,int,int,float,float,float} custom{int,int,int,float} int "
            "custom{int,float,int}",
            "_ custom{_,_,_,int,float,_,float} custom{_,_,int,_} _ _"},
        {"floatingskull maxlife 2", "thrower maxlife 2", "thrower frametimer_before_throwing 2",
            "thrower frametimer_between_throwing 10", "thrower triggerzone 128 128",
            "thrower projectile_base_direction 4.0 2.0", "thrower projectile_speed 1.0",
            "thrower projectile_attenuation 0.0 0.5", "boatworm wait 40", "boatworm maxlife 2",
            "boatworm triggerzone 256 256", "boatworm projectile_speed 5", "firediamond unfrozedelay 2",
            "crouchskull maxlife 2", "crouchskull speed 4", "crouchskull idlewait 5",
            "crouchskull_boat maxlife 2", "crouchskull_boat speed 4", "crouchskull_boat speed_follow 6.80",
            "crouchskull_boat idlewait 5"}},
    {"useplayerstart", "Set if player use map start point or QHEdit saved position", {"bool"}, {"1"}},
    {"setplayerhittimer", "Set timer used for hit", {"float"}, {"4"}},
    {"minimap", "Use command of minimap", {"list{notify_all,discover_all}"}, {}},
    {"setplayerstraff", "Set player straff properties", {"list{delay,speed,duration}", "int float int"},
        {"delay 10", "speed 2.0", "duration 10"}},
    {"setplayercrossbow", "Set player crossbow properties", {"list{delay,speed}", "int float"},
        {"delay 30", "speed 10.0"}},
    {"setuipos", "Set an UI element position/size",
        {"list{dialogue_frame,dialogue_portrait1,dialogue_portrait2,dialogue_letter_size,player_frame,player_"
         "lifes_xpos,player_minimap_center_xpos,player_scythe_center_xpos,player_powers_xpos}",
            "int", "int"},
        {}},
    {"setuirect", "Set an UI element box position", {"list{dialogue_text_frame}", "int", "int", "int", "int"},
        {}},
    {"setui_dialoguecharacterobject",
        "Add a link between a character name portrait and an graphical object in dialogue",
        {"string", "string"}, {}},
    {"setui_dialoguespeed", "Set the dialogue speed", {"list{base_speed}", "int"}, {"base_speed 5"}},
    {"setmaxadvscore", "Set the max value of advance game score", {"int"}, {"100"}},
    {"addparticlesysteminnpc", "Link a PS to a Character", {"string", "string", "string"}, {}},
    {"setmainmusicpath", "Set music in startupmenu", {"string"}, {}},
    {"setmaxvalueforachievement", "Set max value of a specific achivement", {"string"}, {}},
    {"addmusicinfo", "Add settings for a music", {"string"}, {}},
    {"setuserpath", "Change the path for saved files", {}, {}},
    {"setfirstmap", "Set the first map", {"string"}, {}},
    {"setpath", "Set a path", {"list{map}", "string"}, {"map \\"}},
    {"setdefaultspawner", "Set the default spawner", {"string"}, {}},
    {"resizewindow", "Resize the gamewindow", {"int", "int"}, {}},
    {"exit", "Exit the game", {}, {}},
    {"god", "Make you the ultimate one", {}, {}},
    {"setframedelay", "Change duration of a frame", {}, {}},
    {"logplayer", "Use Log Player", {}, {}},
    {"screenshotaddcomments", "Open and Add a text file on screenshot", {}, {}},
    {"resetsteamachievements", "Reset Steam stats", {}, {}},
    {"showargs", "Show thaaaa argument list", {}, {}},
    {"debug", "Enable debug", {"bool"}, {}},
    {"drawrect", "Enable/disable the rect drawing in debug mode",
        {"list{player_attackzone,npc_hitzone}", "bool"}, {}},
    {"keepratio", "Enable/disable aspect ratio", {"bool"}, {}},
    {"scalemethod", "Select the up/down scale method", {"int"}, {}},
    {"reloadshaders", "Reload Shaders Ressources", {}, {}},
    {"save", "Save current game", {}, {}},
    {"load", "Load current game", {}, {}},
    {"changesaveslot", "Change current save slot", {"int"}, {}},
};

TEST(GameCommandTable, HoldsTheFortySixConsoleCommandsVerbatimAndInOrder)
{
    Game game;
    const std::vector<ConsoleCommand>& commands = game.console.GetCommands();
    ASSERT_EQ(commands.size(), kConsoleCommands.size());
    for (size_t i = 0; i < commands.size(); ++i) {
        SCOPED_TRACE(kConsoleCommands[i].name);
        EXPECT_EQ(commands[i].name, kConsoleCommands[i].name);
        EXPECT_EQ(commands[i].help, kConsoleCommands[i].help);
        EXPECT_EQ(commands[i].grammar, kConsoleCommands[i].grammar);
        EXPECT_EQ(commands[i].defaults, kConsoleCommands[i].defaults);
        EXPECT_TRUE(commands[i].handler);
    }
    // The two texts that are easy to get wrong.
    EXPECT_EQ(
        commands[3].help, "Set the player stage values\n Parameters : SpeedEnd ConstantSpeed TimeDuration");
    EXPECT_EQ(commands[28].defaults, std::vector<std::string> {"map \\"});
}

TEST(GameCommandTable, HoldsTheFiftyTwoScriptCommandsLowerCasedAndInOrder)
{
    const std::vector<std::string> names = {"event_showdebugmessage", "event_waittimer",
        "event_startdialogue_fromfile", "pausegameplay", "ignoreinputs", "enableminimap",
        "incrementgamescore", "sendmessageto", "event_changecameratargettoplayer",
        "event_changecameratargettolocator", "asktochangelevel", "event_waitmessage", "event_shakecamera",
        "addfullscreenparticles", "addlocalparticles", "setgraphical", "changegraphicalonlayer",
        "event_waitendofanimation", "refreshgraphicalcollision", "event_changenpctargettolocator",
        "setlayervisible", "playmusic", "stopmusic", "changenpcrenderafterplayer", "addsecretzone",
        "removesecretzone", "useparticlesystem", "poppickupintrigger", "changefadetimer", "changefadetoblack",
        "enablewaterdisto", "changestoryhintposition", "savegame", "preloadgraphical", "preparesoundevents",
        "playsoundevent", "stopsoundevent", "addlayerincinematic", "event_runpickupcinematic", "showending",
        "endgame", "forcetohideui", "changeachievementcurrentvalue", "incrementachievementcurrentvalue",
        "forcemusictorestartattime", "setplayerfulllife", "createvar", "setvar", "ifvar", "(", ")", "else"};
    {
        Game game;
        const std::vector<ScriptCommand>& commands = Script::GetCommands();
        ASSERT_EQ(commands.size(), names.size());
        for (size_t i = 0; i < names.size(); ++i) {
            EXPECT_EQ(commands[i].name, names[i]);
            EXPECT_FALSE(commands[i].help.empty());
            EXPECT_TRUE(commands[i].grammar.empty());
            EXPECT_TRUE(commands[i].defaults.empty());
            ASSERT_TRUE(commands[i].handler);
            // Every command refuses to run without a script.
            EXPECT_FALSE(commands[i].handler(nullptr, " a b c d e f g h i j k l m n")) << names[i];
        }
        EXPECT_EQ(commands[0].help, "Show a message if debug mode is on");
        EXPECT_EQ(commands[25].help, "Remove trigger that has been dynamicaly used for secret zone");
        EXPECT_EQ(commands[51].help, "Else");
    }
    // A second game registers them afresh rather than twice.
    Game again;
    EXPECT_EQ(Script::GetCommands().size(), names.size());
}

// Runs a command file against a fresh game and collects the debug output.
class CommandFileTest : public testing::Test {
protected:
    void SetUp() override { game.tuning = GameTuning {}; }

    // What the run wrote to the debug output.
    std::string Run(const std::string& text)
    {
        DebugCapture debug;
        std::istringstream stream(text);
        EXPECT_TRUE(game.RunCommandFile(stream, "init_vars.txt"));
        return debug.Text();
    }

    Game game;
};

TEST_F(CommandFileTest, RunsLinesWithWindowsOrUnixEndsAndALastLineWithoutEnd)
{
    const char* files[] = {
        "setplayercrossbow delay 12\r\nsetplayerstraff delay 7\r\nsetnpcvalue thrower maxlife 9\r\n",
        "setplayercrossbow delay 12\nsetplayerstraff delay 7\nsetnpcvalue thrower maxlife 9\n",
        "setplayercrossbow delay 12\nsetplayerstraff delay 7\r\nsetnpcvalue thrower maxlife 9",
    };
    for (const char* file : files) {
        SetUp();
        const std::string output = Run(file);
        EXPECT_EQ(game.tuning.player.crossbowDelay, 12) << file;
        EXPECT_EQ(game.tuning.player.straffDelay, 7) << file;
        EXPECT_EQ(game.tuning.npc.throwerMaxLife, 9) << file;
        EXPECT_EQ(output, "") << file;
    }
}

TEST_F(CommandFileTest, CommentsBlankLinesAndIndentedLinesRunNothingAndReportNothing)
{
    const std::string output = Run("// setplayercrossbow delay 1\n\n   \n setplayercrossbow delay 2\r\n\r\n");
    EXPECT_EQ(game.tuning.player.crossbowDelay, 30);
    EXPECT_EQ(output, "");
}

TEST_F(CommandFileTest, ReportsEachBadLineWithFileAndLineAndRunsEveryGoodOne)
{
    std::string file = "setplayercrossbow delay 12\r\n";        // 1
    file += "setplayrspeed walk 3\r\n";                         // 2: unknown command
    file += "setplayerstraff delay\r\n";                        // 3: missing argument
    file += std::string(5000, 'x') + "\r\n";                    // 4: over-long
    file += "setplayerstraff delay 7\r\n";                      // 5
    file += std::string("\x01\x02\x00\xFF garbage", 12) + "\n"; // 6: binary
    file += "setnpcvalue thrower maxlife 9";                    // 7
    const std::string output = Run(file);

    EXPECT_EQ(game.tuning.player.crossbowDelay, 12);
    EXPECT_EQ(game.tuning.player.straffDelay, 7);
    EXPECT_EQ(game.tuning.npc.throwerMaxLife, 9);
    EXPECT_NE(output.find("init_vars.txt:2: expected a command, found \"setplayrspeed\""), std::string::npos)
        << output;
    EXPECT_NE(
        output.find("init_vars.txt:3: \"setplayerstraff\" expected list{delay,speed,duration} int float "
                    "int, found \"delay\""),
        std::string::npos)
        << output;
    EXPECT_NE(output.find("init_vars.txt:4: expected a command line of at most"), std::string::npos)
        << output;
    EXPECT_NE(output.find("init_vars.txt:6: expected a command line, found binary data"), std::string::npos)
        << output;
    for (const char* good : {"init_vars.txt:1:", "init_vars.txt:5:", "init_vars.txt:7:"})
        EXPECT_EQ(output.find(good), std::string::npos) << good;
    // The over-long line is not echoed whole into the output.
    EXPECT_LT(output.size(), 1000u);
}

// The water ratio, stored only once a player exists, fails without one. A
// refused line says its command's reason once, at its place, with no
// grammar line after it; a line whose command did its work says nothing,
// a debug switch (which answers false, set or not) included: in a settings
// file, on the command line and at the console.
TEST_F(CommandFileTest, ALineThatDidItsWorkSaysNothingAndARefusedOneItsReasonOnce)
{
    const struct {
        const char* line;
        const char* said;
    } cases[] = {
        {"setplayercrossbow delay 12", ""},
        {"setplayercrossbow range 4",
            "\"setplayercrossbow\" no value \"range\" (delay or speed); nothing set"},
        {"setplayerstraff delay 7", ""},
        {"setplayerstraff dash 2",
            "\"setplayerstraff\" no value \"dash\" (delay, speed or duration); nothing set"},
        {"setplayerspeed run 99", "\"setplayerspeed\" no speed \"run\" (walk, jumph or climb); nothing set"},
        {"setpath maps \\levels",
            "\"setpath\" no path \"maps\" (map, base, music, sound or dialog); nothing set"},
        {"setplayerwaterslow 0.5", "\"setplayerwaterslow\" no player yet; nothing set"},
        {"drawrect player_attackzone 1", ""},
        {"drawrect npc_hitzone 1", ""},
        {"screenshotaddcomments 1", ""},
        {"drawrect enemy_zone 1",
            "\"drawrect\" expected list{player_attackzone,npc_hitzone} bool, found \"enemy_zone 1\""},
        {"screenshotaddcomments", "\"screenshotaddcomments\" expected the arguments it takes, found \"\""},
    };
    const int comments = g_ScreenshotAddComments;
    std::string file;
    std::string expected;
    for (size_t i = 0; i < std::size(cases); ++i) {
        file += std::string(cases[i].line) + "\r\n";
        if (*cases[i].said != '\0')
            expected += "init_vars.txt:" + std::to_string(i + 1) + ": " + cases[i].said + "\n";
    }
    EXPECT_EQ(Run(file), expected);
    EXPECT_TRUE(game.drawPlayerAttackZone && game.drawNpcHitZone);
    EXPECT_EQ(g_ScreenshotAddComments, 1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const bool said = *c.said != '\0';
        {
            DebugCapture debug;
            EXPECT_EQ(game.RunReportedCommand(c.line, "Command line: "), !said);
            EXPECT_EQ(debug.Text(), said ? "Command line: " + std::string(c.said) + "\n" : "");
        }
        if (!said) {
            DebugCapture debug;
            game.console.ExecuteCommand(c.line);
            EXPECT_EQ(debug.Text(), "");
        }
    }
    g_ScreenshotAddComments = comments;
}

// Numbers that atof and a conversion to int cannot take are refused before
// the command runs, at their file and line; the value stays as it was.
TEST_F(CommandFileTest, RefusesNumbersThatAreNotFiniteOrOutOfRangeAtTheirLine)
{
    struct Case {
        const char* line;
        const char* found;
    };
    const Case cases[] = {
        {"setplayerhittimer nan", "nan"},
        {"setplayerspeed walk 1e30", "1e30"},
        {"setplayermovingstage jump0 inf true 80.0", "inf"},
        {"setcameraspeed -1000001", "-1000001"},
        {"setplayercrossbow delay 99999999999", "99999999999"},
        {"setplayercrossbow delay 1e400x", "1e400x"},
    };
    std::string file;
    for (const Case& c : cases)
        file += std::string(c.line) + "\r\n";
    const std::string output = Run(file);
    for (size_t i = 0; i < std::size(cases); ++i) {
        const std::string line = cases[i].line;
        const std::string expected = "init_vars.txt:" + std::to_string(i + 1) + ": \""
            + line.substr(0, line.find(' ')) + "\" expected a number from -1000000 to 1000000, found \""
            + cases[i].found + "\"";
        EXPECT_NE(output.find(expected), std::string::npos) << expected << "\n" << output;
    }
    // The refused line changes nothing; in range, lines still run.
    const int score = game.maxAdvanceScore;
    const std::string refused = Run("setmaxadvscore 1e30\n");
    EXPECT_EQ(game.maxAdvanceScore, score);
    EXPECT_NE(refused.find("init_vars.txt:1: \"setmaxadvscore\" expected a number"), std::string::npos)
        << refused;
    const std::string named = Run("setmaxadvscore Infos_auto\nsetmaxadvscore 1000000\n");
    EXPECT_EQ(game.maxAdvanceScore, 1000000);
    // A name passes the file's check; the command reads no number from it
    // (atoi once read 0) and says so at its line.
    EXPECT_NE(named.find("init_vars.txt:1: \"setmaxadvscore\" expected an integer from 0 to 1000000, found "
                         "\"Infos_auto\""),
        std::string::npos)
        << named;
    EXPECT_EQ(named.find("init_vars.txt:2:"), std::string::npos) << named;

    // A command that checks its own arguments says what it expected, at its
    // line: a number out of its range is no number of the wrong type, and a
    // command without a grammar still takes arguments.
    const std::string own = Run("changesaveslot 3\nsetframedelay\nsetuserpath\nsetuserpath saves\n"
                                "setuserpath /home/u//saves\nsetuserpath \"/home/u//my saves\" // old\n");
    for (const char* said :
        {"init_vars.txt:1: \"changesaveslot\" expected an integer from 0 to 2, found \"3\"",
            "init_vars.txt:2: \"setframedelay\" expected a frame's duration in milliseconds, found nothing",
            "init_vars.txt:3: \"setuserpath\" expected a folder, found nothing",
            "init_vars.txt:4: \"setuserpath\" \"saves\" is a relative path",
            "init_vars.txt:5: \"setuserpath\" expected a folder, found /home/u//saves, which holds \"//\", "
            "where a "
            "comment begins: no folder is used",
            "init_vars.txt:6: \"setuserpath\" expected a folder, found \"/home/u//my saves\", which holds"})
        EXPECT_NE(own.find(said), std::string::npos) << said << "\n" << own;
    for (const char* wrong : {"expected int,", "expected no argument"})
        EXPECT_EQ(own.find(wrong), std::string::npos) << wrong << "\n" << own;
}

} // namespace
