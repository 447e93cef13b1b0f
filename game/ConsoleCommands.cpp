#include "game/Game.h"

#include "game/GameCommands.h"
#include "game/GameFlowCommands.h"
#include "game/TuningCommands.h"

#include <array>

namespace {

struct ConsoleCommandRecord {
    const char* name;
    bool (*handler)(std::string);
    const char* help;
    std::vector<std::string> grammar;
    std::vector<std::string> defaults;
};

// The console commands in their registration order.
const std::array<ConsoleCommandRecord, 46>& ConsoleCommandRecords()
{
    static const std::array<ConsoleCommandRecord, 46> records = {{
        {"setplayerspeed", CmdSetPlayerSpeed, "Set the player speed (walk & jump)",
            {"list{walk,jumph,climb}", "float float float"}, {"walk 20.0", "jumph 20.0", "climb 10.0"}},
        {"setplayerwaterslow", CmdSetPlayerWaterSlow, "Set the slow ratio when player is touch water",
            {"float"}, {"0.8"}},
        {"setcameraspeed", CmdSetCameraSpeed, "Set the camera speed (traveling)", {"float"},
            {"setcameraspeed 3.2"}},
        {"setplayermovingstage", CmdSetPlayerMovingStage,
            "Set the player stage values\n Parameters : SpeedEnd ConstantSpeed TimeDuration",
            {"list{jump0,jump1,endjump,fall0,fall1,spiderjump0,spiderjump1,spiderendjump,spiderfall0,"
             "spiderfall1}",
                "float", "bool", "float"},
            {"setplayermovingstage jump0 24.0 true 80.0", "setplayermovingstage jump1 12.5 false 80.0",
                "setplayermovingstage endjump 0.0 false 150.0", "setplayermovingstage fall0 15.5 false 84.0",
                "setplayermovingstage fall1 20.5 true -1.0",
                "setplayermovingstage spiderjump0 12.0 true 80.0",
                "setplayermovingstage spiderjump1 6.0 false 80.0",
                "setplayermovingstage spiderendjump 0.0 false 150.0",
                "setplayermovingstage spiderfall0 7.0 false 168.0",
                "setplayermovingstage spiderfall1 15.0 true -1.0"}},
        {"changelevel", CmdChangeLevel, "Ask to change the current level", {"string", "string"}, {}},
        {"setplayerhighfall", CmdSetPlayerHighFall, "Set the player high fall values",
            {"list{freezetime,height_threshold}", "int float"},
            {"setplayerhighfall freezetime 15", "setplayerhighfall height_threshold 100"}},
        {"enableplayerarmors", CmdEnablePlayerArmors, "Enable all player armors", {}, {}},
        {"setplayerattackrank", CmdSetPlayerAttackRank, "Set the player attack level", {"int"}, {"4"}},
        {"playerarmoraddreplaceforuse", CmdPlayerArmorAddReplaceForUse,
            "Add an object replace for a specific armor", {"list{ice,fire}", "string", "string"}, {}},
        {"playerarmorsetreplaceforusezone", CmdPlayerArmorSetReplaceForUseZone,
            "Set zone for the replace specific armor", {"list{ice}", "int", "int"}, {}},
        {"playerarmoricefrozenpropagationtimerdelay", CmdPlayerArmorIceFrozenPropagationTimerDelay,
            "Set the frame delay during freeze effect of ice armor", {"float"}, {"8"}},
        {"setnpcvalue", CmdSetNpcValue, "Set the parameter value for a NPC factory",
            {"list{floatingskull,thrower,boatworm,firediamond,crouchskull}",
                "list{maxlife} "
                "list{maxlife,frametimer_before_throwing,frametimer_between_throwing,triggerzone,projectile_"
                "base_direction,projectile_speed,projectile_attenuation} "
                "list{wait,maxlife,triggerzone,projectile_speed} list{unfrozedelay} "
                "list{maxlife,idlewait,speed}",
                "int custom{int,int,int,int,float,float,float} custom{int,int,int,float} int "
                "custom{int,float,int}",
                "_ custom{_,_,_,int,float,_,float} custom{_,_,int,_} _ _"},
            {"floatingskull maxlife 2", "thrower maxlife 2", "thrower frametimer_before_throwing 2",
                "thrower frametimer_between_throwing 10", "thrower triggerzone 128 128",
                "thrower projectile_base_direction 4.0 2.0", "thrower projectile_speed 1.0",
                "thrower projectile_attenuation 0.0 0.5", "boatworm wait 40", "boatworm maxlife 2",
                "boatworm triggerzone 256 256", "boatworm projectile_speed 5", "firediamond unfrozedelay 2",
                "crouchskull maxlife 2", "crouchskull speed 4", "crouchskull idlewait 5",
                "crouchskull_boat maxlife 2", "crouchskull_boat speed 4",
                "crouchskull_boat speed_follow 6.80", "crouchskull_boat idlewait 5"}},
        {"useplayerstart", CmdUsePlayerStart, "Set if player use map start point or QHEdit saved position",
            {"bool"}, {"1"}},
        {"setplayerhittimer", CmdSetPlayerHitTimer, "Set timer used for hit", {"float"}, {"4"}},
        {"minimap", CmdMinimap, "Use command of minimap", {"list{notify_all,discover_all}"}, {}},
        {"setplayerstraff", CmdSetPlayerStraff, "Set player straff properties",
            {"list{delay,speed,duration}", "int float int"}, {"delay 10", "speed 2.0", "duration 10"}},
        {"setplayercrossbow", CmdSetPlayerCrossbow, "Set player crossbow properties",
            {"list{delay,speed}", "int float"}, {"delay 30", "speed 10.0"}},
        {"setuipos", CmdSetUiPos, "Set an UI element position/size",
            {"list{dialogue_frame,dialogue_portrait1,dialogue_portrait2,dialogue_letter_size,player_frame,"
             "player_lifes_xpos,player_minimap_center_xpos,player_scythe_center_xpos,player_powers_xpos}",
                "int", "int"},
            {}},
        {"setuirect", CmdSetUiRect, "Set an UI element box position",
            {"list{dialogue_text_frame}", "int", "int", "int", "int"}, {}},
        {"setui_dialoguecharacterobject", CmdSetUiDialogueCharacterObject,
            "Add a link between a character name portrait and an graphical object in dialogue",
            {"string", "string"}, {}},
        {"setui_dialoguespeed", CmdSetUiDialogueSpeed, "Set the dialogue speed", {"list{base_speed}", "int"},
            {"base_speed 5"}},
        {"setmaxadvscore", CmdSetMaxAdvScore, "Set the max value of advance game score", {"int"}, {"100"}},
        {"addparticlesysteminnpc", CmdAddParticleSystemInNpc, "Link a PS to a Character",
            {"string", "string", "string"}, {}},
        {"setmainmusicpath", CmdSetMainMusicPath, "Set music in startupmenu", {"string"}, {}},
        {"setmaxvalueforachievement", CmdSetMaxValueForAchievement, "Set max value of a specific achivement",
            {"string"}, {}},
        {"addmusicinfo", CmdAddMusicInfo, "Add settings for a music", {"string"}, {}},
        {"setuserpath", CmdSetUserPath, "Change the path for saved files", {}, {}},
        {"setfirstmap", CmdSetFirstMap, "Set the first map", {"string"}, {}},
        {"setpath", CmdSetPath, "Set a path", {"list{map}", "string"}, {"map \\"}},
        {"setdefaultspawner", CmdSetDefaultSpawner, "Set the default spawner", {"string"}, {}},
        {"resizewindow", CmdResizeWindow, "Resize the gamewindow", {"int", "int"}, {}},
        {"exit", CmdExit, "Exit the game", {}, {}},
        {"god", CmdGod, "Make you the ultimate one", {}, {}},
        {"setframedelay", CmdSetFrameDelay, "Change duration of a frame", {}, {}},
        {"logplayer", CmdLogPlayer, "Use Log Player", {}, {}},
        {"screenshotaddcomments", CmdScreenshotAddComments, "Open and Add a text file on screenshot", {}, {}},
        {"resetsteamachievements", CmdResetSteamAchievements, "Reset Steam stats", {}, {}},
        {"showargs", CmdShowArgs, "Show thaaaa argument list", {}, {}},
        {"debug", CmdDebug, "Enable debug", {"bool"}, {}},
        {"drawrect", CmdDrawRect, "Enable/disable the rect drawing in debug mode",
            {"list{player_attackzone,npc_hitzone}", "bool"}, {}},
        {"keepratio", CmdKeepRatio, "Enable/disable aspect ratio", {"bool"}, {}},
        {"scalemethod", CmdScaleMethod, "Select the up/down scale method", {"int"}, {}},
        {"reloadshaders", CmdReloadShaders, "Reload Shaders Ressources", {}, {}},
        {"save", CmdSave, "Save current game", {}, {}},
        {"load", CmdLoad, "Load current game", {}, {}},
        {"changesaveslot", CmdChangeSaveSlot, "Change current save slot", {"int"}, {}},
    }};
    return records;
}

} // namespace

void Game::RegisterConsoleCommands(int first, int last)
{
    for (int i = first; i < last; ++i) {
        const ConsoleCommandRecord& record = ConsoleCommandRecords()[static_cast<size_t>(i)];
        console.RegisterCommand(record.handler, record.name, record.help, record.grammar, record.defaults);
    }
}
