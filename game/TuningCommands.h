#pragma once

#include <string>

// Handlers of the console commands that tune the player, the enemies, the
// camera, the interface layout, the data folders and the game's maxima. Each
// takes the argument text behind the command name, splits it with
// SplitCommandLine and returns whether it had the tokens it needs; with too
// few it changes nothing. Each number is read whole and within its field's
// range (ArgumentNumbers); a refused one changes nothing, is said as
// "command: expected ..., found ..." and fails the command. A bool token is
// false only when it is exactly "0". The values go to the tuning statics of the
// classes that read them, and some into the live player or camera at once.
// "setplayerspeed", "setplayerstraff", "setplayercrossbow" and "setpath" also
// return false for a keyword they do not know (nothing is stored), so that a
// command file names the line; a value they store is no failure to report.
bool CmdSetPlayerSpeed(std::string arguments);
bool CmdSetPlayerWaterSlow(std::string arguments);
bool CmdSetCameraSpeed(std::string arguments);
bool CmdSetPlayerMovingStage(std::string arguments);
bool CmdSetPlayerHighFall(std::string arguments);
bool CmdEnablePlayerArmors(std::string arguments);
bool CmdSetPlayerAttackRank(std::string arguments);
bool CmdPlayerArmorAddReplaceForUse(std::string arguments);
bool CmdPlayerArmorSetReplaceForUseZone(std::string arguments);
bool CmdPlayerArmorIceFrozenPropagationTimerDelay(std::string arguments);
bool CmdSetNpcValue(std::string arguments);
bool CmdSetPlayerHitTimer(std::string arguments);
bool CmdSetPlayerStraff(std::string arguments);
bool CmdSetPlayerCrossbow(std::string arguments);
bool CmdSetUiPos(std::string arguments);
bool CmdSetUiRect(std::string arguments);
bool CmdSetUiDialogueCharacterObject(std::string arguments);
bool CmdSetUiDialogueSpeed(std::string arguments);
bool CmdSetMaxAdvScore(std::string arguments);
bool CmdAddParticleSystemInNpc(std::string arguments);
bool CmdSetMainMusicPath(std::string arguments);
bool CmdSetMaxValueForAchievement(std::string arguments);
bool CmdSetPath(std::string arguments);
bool CmdSetDefaultSpawner(std::string arguments);