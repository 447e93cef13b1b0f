#include "game/TuningCommands.h"

#include "scene/SpacialInstance.h"

#include "characters/CharacterObject.h"
#include "characters/ParticleLinkCommand.h"
#include "characters/Player.h"
#include "characters/PlayerModifier.h"
#include "characters/PlayerTuning.h"
#include "enemies/NpcTuning.h"
#include "engine/app/SplitCommandLine.h"
#include "engine/config/GamePaths.h"
#include "engine/platform/DebugOutput.h"
#include "engine/serial/FileUtils.h"
#include "game/Game.h"
#include "scene/ArmorReplacement.h"
#include "script/BGEvent_DialogueManager.h"
#include "ui/UITuning.h"
#include "ui/UI_Frame.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

using Tokens = std::vector<std::string>;

int ToInt(const std::string& token)
{
    return std::atoi(token.c_str());
}

float ToFloat(const std::string& token)
{
    return static_cast<float>(std::atof(token.c_str()));
}

bool ToBool(const std::string& token)
{
    return token != "0";
}

// The values the commands set: the running game's. Without a game a command
// changes nothing.
GameTuning* RunningTuning()
{
    Game* game = Game::GetInstance();
    return game != nullptr ? &game->tuning : nullptr;
}

Player* CurrentPlayer()
{
    Game* game = Game::GetInstance();
    return game != nullptr ? game->GetPlayer() : nullptr;
}

void RefreshPlayerSpeeds(bool withClimb)
{
    if (Player* player = CurrentPlayer()) {
        player->walkSpeed = PlayerTuning::Current().walkSpeed;
        player->jumpSpeedH = PlayerTuning::Current().jumpSpeedH;
        if (withClimb)
            player->climbSpeed = PlayerTuning::Current().climbSpeed;
    }
}

// The frame at that place of the game's UI frame list, or null.
UI_Frame* UiFrame(size_t index)
{
    Game* game = Game::GetInstance();
    if (game == nullptr || index >= game->uiFrames.size() || !game->uiFrames[index])
        return nullptr;
    return dynamic_cast<UI_Frame*>(game->uiFrames[index]->GetPrototype());
}

// Says why a command set nothing, in the console, and fails it.
bool Refuse(const std::string& why)
{
    platform::DebugOutput(why + "\n");
    return false;
}

// What a command that sets one value of a list of named ones found: the
// name, and whether it had the values it needs.
struct NamedValue {
    const std::string& name;
    bool hasPair;
    bool known = false;
    bool stored = false;

    // Stores through `store` when the name is `wanted`; `needsPair` asks
    // for a second value.
    template <typename Store> void Set(const char* wanted, bool needsPair, Store store)
    {
        if (name != wanted)
            return;
        known = true;
        if (needsPair && !hasPair)
            return;
        store();
        stored = true;
    }
    // True when a value was stored; otherwise says why: "<command>: no
    // <what> "<name>"<where>" or "<command>: "<name>" needs two values".
    bool Outcome(const std::string& command, const std::string& what, const std::string& where) const
    {
        if (stored)
            return true;
        if (!known)
            return Refuse(command + ": no " + what + " \"" + name + "\"" + where + "; nothing set");
        return Refuse(command + ": \"" + name + "\" needs two values; nothing set");
    }
};

} // namespace

bool CmdSetPlayerSpeed(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.size() < 2)
        return false;
    GameTuning* tuning = RunningTuning();
    if (tuning == nullptr)
        return true;
    const float value = ToFloat(tokens[1]);
    bool stored = false;
    if (tokens[0] == "walk" || tokens[0] == "jumph") {
        tuning->player.walkSpeed = value;
        tuning->player.jumpSpeedH = value;
        stored = true;
    }
    if (tokens[0] == "climb") {
        tuning->player.climbSpeed = value;
        stored = true;
    }
    RefreshPlayerSpeeds(true);
    return stored;
}

bool CmdSetPlayerWaterSlow(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.empty())
        return false;
    GameTuning* tuning = RunningTuning();
    if (tuning == nullptr)
        return true;
    // The player reads the ratio from the tuning when it is slowed, so the
    // settings file sets it before any player exists.
    tuning->player.waterSlowRatio = ToFloat(tokens[0]);
    return true;
}

bool CmdSetCameraSpeed(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.empty())
        return false;
    GameTuning* tuning = RunningTuning();
    if (tuning == nullptr)
        return true;
    tuning->camera.travelSpeed = ToFloat(tokens[0]);
    if (Game* game = Game::GetInstance())
        game->GetCamera().SetSpeed(tuning->camera.travelSpeed);
    return true;
}

bool CmdSetPlayerMovingStage(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.size() < 4)
        return false;
    GameTuning* tuning = RunningTuning();
    if (tuning == nullptr)
        return true;
    const PlayerMovingStage stage {ToFloat(tokens[1]), ToBool(tokens[2]), std::atof(tokens[3].c_str())};
    for (size_t i = 0; i < kPlayerStageNames.size(); ++i) {
        if (tokens[0] != kPlayerStageNames[i])
            continue;
        tuning->player.stages[i] = stage;
        if (Player* player = CurrentPlayer())
            player->stages[i] = stage;
    }
    RefreshPlayerSpeeds(false);
    return true;
}

bool CmdSetPlayerHighFall(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.size() < 2)
        return false;
    GameTuning* tuning = RunningTuning();
    if (tuning == nullptr)
        return true;
    if (tokens[0] == "freezetime")
        tuning->player.highFallFreezeTime = ToInt(tokens[1]);
    else if (tokens[0] == "height_threshold")
        tuning->player.highFallHeightThreshold = ToFloat(tokens[1]);
    else
        return Refuse("setplayerhighfall: no value \"" + tokens[0]
            + "\" (freezetime or height_threshold); nothing set");
    return true;
}

bool CmdSetPlayerHitTimer(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.empty())
        return false;
    GameTuning* tuning = RunningTuning();
    if (tuning == nullptr)
        return true;
    tuning->player.hitTimer = static_cast<int>(ToFloat(tokens[0]));
    return true;
}

bool CmdSetPlayerStraff(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.size() < 2)
        return false;
    GameTuning* tuning = RunningTuning();
    if (tuning == nullptr)
        return true;
    if (tokens[0] == "delay")
        tuning->player.straffDelay = ToInt(tokens[1]);
    else if (tokens[0] == "speed")
        tuning->player.straffSpeed = ToFloat(tokens[1]);
    else if (tokens[0] == "duration")
        tuning->player.straffDuration = ToInt(tokens[1]);
    else
        return false;
    return true;
}

bool CmdSetPlayerCrossbow(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.size() < 2)
        return false;
    GameTuning* tuning = RunningTuning();
    if (tuning == nullptr)
        return true;
    if (tokens[0] == "delay")
        tuning->player.crossbowDelay = ToInt(tokens[1]);
    else if (tokens[0] == "speed")
        tuning->player.crossbowSpeed = ToFloat(tokens[1]);
    else
        return false;
    return true;
}

bool CmdSetPlayerAttackRank(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.empty())
        return false;
    if (Player* player = CurrentPlayer())
        player->SetAttackRank(ToInt(tokens[0]));
    return true;
}

bool CmdEnablePlayerArmors(std::string)
{
    Player* player = CurrentPlayer();
    if (player == nullptr)
        return false;
    for (int i = 0; i < player->GetModifierCount(); ++i)
        player->EnableModifier(i);
    player->armorFlag = 1;
    player->armorFlagByte = 1;
    if (PlayerArmorCrossbow* crossbow = GetPlayerArmorCrossbow(player)) {
        crossbow->boltCapacity = 3;
        crossbow->boltsLeft = 3;
        player->GetArmorState().armorKeyDelay = 30;
    }
    return true;
}

bool CmdPlayerArmorAddReplaceForUse(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.size() < 3)
        return false;
    if (tokens[0] == "ice")
        ArmorReplacement::Append(ArmorReplacement::IceList(), ArmorReplacement(tokens[1], tokens[2]));
    if (tokens[0] == "icelava")
        ArmorReplacement::Append(ArmorReplacement::IceLavaList(), ArmorReplacement(tokens[1], tokens[2]));
    return true;
}

bool CmdPlayerArmorSetReplaceForUseZone(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.size() < 3)
        return false;
    GameTuning* tuning = RunningTuning();
    if (tuning == nullptr)
        return true;
    if (tokens[0] == "ice") {
        tuning->player.iceReplaceZoneWidth = ToInt(tokens[1]);
        tuning->player.iceReplaceZoneHeight = ToInt(tokens[2]);
    }
    return true;
}

bool CmdPlayerArmorIceFrozenPropagationTimerDelay(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.empty())
        return false;
    GameTuning* tuning = RunningTuning();
    if (tuning == nullptr)
        return true;
    tuning->player.iceFrozenPropagationDelay = ToInt(tokens[0]);
    return true;
}

bool CmdSetNpcValue(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.size() < 3)
        return false;
    GameTuning* tuning = RunningTuning();
    if (tuning == nullptr)
        return true;
    const std::string& family = tokens[0];
    const std::string& key = tokens[1];
    const std::string& value = tokens[2];
    const bool pair = tokens.size() >= 4;
    const std::string& second = pair ? tokens[3] : value;
    NamedValue named {key, pair};
    NpcTuning& npc = tuning->npc;
    if (family == "floatingskull") {
        named.Set("maxlife", false, [&] { npc.floatingSkullMaxLife = ToInt(value); });
    } else if (family == "crouchskull") {
        named.Set("maxlife", false, [&] { npc.crouchSkullMaxLife = ToInt(value); });
        named.Set("idlewait", false, [&] { npc.crouchSkullIdleWait = ToInt(value); });
        named.Set("speed", false, [&] { npc.crouchSkullSpeed = ToFloat(value); });
    } else if (family == "crouchskull_boat") {
        named.Set("maxlife", false, [&] { npc.crouchSkullBoatMaxLife = ToInt(value); });
        named.Set("idlewait", false, [&] { npc.crouchSkullBoatIdleWait = ToInt(value); });
        named.Set("speed", false, [&] { npc.crouchSkullBoatSpeed = ToFloat(value); });
        named.Set("speed_follow", false, [&] { npc.crouchSkullBoatSpeedFollow = ToFloat(value); });
    } else if (family == "thrower") {
        named.Set("maxlife", false, [&] { npc.throwerMaxLife = ToInt(value); });
        named.Set(
            "frametimer_before_throwing", false, [&] { npc.throwerFrameTimerBeforeThrowing = ToInt(value); });
        named.Set("frametimer_between_throwing", false,
            [&] { npc.throwerFrameTimerBetweenThrowing = ToInt(value); });
        named.Set("triggerzone", true,
            [&] { npc.throwerTriggerZone = Rect<int>(0, ToInt(second), ToInt(value), 0); });
        named.Set("projectile_base_direction", true,
            [&] { npc.throwerProjectileBaseDirection = Point<float>(ToFloat(value), ToFloat(second)); });
        named.Set("projectile_speed", false, [&] { npc.throwerProjectileSpeed = ToFloat(value); });
        named.Set("projectile_attenuation", true,
            [&] { npc.throwerProjectileAttenuation = Point<float>(ToFloat(value), ToFloat(second)); });
    } else if (family == "boatworm") {
        named.Set("wait", false, [&] { npc.boatWormWait = ToInt(value); });
        named.Set("maxlife", false, [&] { npc.boatWormMaxLife = ToInt(value); });
        named.Set("triggerzone", true,
            [&] { npc.boatWormTriggerZone = Rect<int>(0, ToInt(second), ToInt(value), 0); });
        named.Set("projectile_speed", false, [&] { npc.boatWormProjectileSpeed = ToFloat(value); });
    } else if (family == "firediamond") {
        named.Set("unfrozedelay", false, [&] { npc.fireDiamondUnfrozeDelay = ToInt(value); });
    } else if (family == "jellyfish") {
        named.Set("speed", false, [&] { npc.jellyFishSpeed = ToFloat(value); });
        named.Set("slowpercent", false, [&] { npc.jellyFishSlowPercent = ToFloat(value); });
        named.Set("slowlimit", false, [&] { npc.jellyFishSlowLimit = ToFloat(value); });
    } else if (family == "lonely_head") {
        named.Set("impulse_right_right", true,
            [&] { npc.lonelyHeadImpulseRightRight = Point<float>(ToFloat(value), ToFloat(second)); });
        named.Set("impulse_right_mid", true,
            [&] { npc.lonelyHeadImpulseRightMid = Point<float>(ToFloat(value), ToFloat(second)); });
    } else {
        return Refuse("setnpcvalue: no family \"" + family
            + "\" (floatingskull, crouchskull, crouchskull_boat, thrower, boatworm, firediamond, jellyfish "
              "or "
              "lonely_head); nothing set");
    }
    return named.Outcome("setnpcvalue", "value", " for " + family);
}

bool CmdSetUiPos(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.size() < 2)
        return false;
    GameTuning* tuning = RunningTuning();
    if (tuning == nullptr)
        return true;
    const std::string& element = tokens[0];
    const int x = ToInt(tokens[1]);
    const bool hasY = tokens.size() >= 3;
    const int y = hasY ? ToInt(tokens[2]) : 0;
    NamedValue named {element, hasY};
    UITuning& ui = tuning->ui;
    named.Set("dialogue_frame", true, [&] {
        if (UI_Frame* frame = UiFrame(0))
            frame->SetPosition(Point<float>(static_cast<float>(x), static_cast<float>(y)));
    });
    named.Set("player_frame", false, [&] {
        if (UI_Frame* frame = UiFrame(1))
            frame->SetPosition(Point<float>(static_cast<float>(x), static_cast<float>(y)));
    });
    named.Set("dialogue_portrait1", true, [&] { ui.dialoguePortrait1 = Point<int>(x, y); });
    named.Set("dialogue_portrait2", true, [&] { ui.dialoguePortrait2 = Point<int>(x, y); });
    named.Set("dialogue_letter_size", true, [&] { ui.dialogueLetterSize = Point<int>(x, y); });
    named.Set("player_lifes_xpos", false, [&] { ui.playerLifesXPos = x; });
    named.Set("player_lifes_xdelta", false, [&] { ui.playerLifesXDelta = x; });
    named.Set("player_minimap_center_xpos", false, [&] { ui.playerMinimapCenterXPos = x; });
    named.Set("player_scythe_center_xpos", false, [&] { ui.playerScytheCenterXPos = x; });
    named.Set("player_powers_xpos", false, [&] { ui.playerPowersXPos = x; });
    named.Set("player_powers_xdelta", false, [&] { ui.playerPowersXDelta = x; });
    named.Set("menu_spacing_y", false, [&] { ui.menuSpacingY = x; });
    named.Set("menu_options_marge", false, [&] { ui.menuOptionsMarge = x; });
    named.Set("menu_play_marge", false, [&] { ui.menuPlayMarge = x; });
    return named.Outcome("setuipos", "element", "");
}

bool CmdSetUiRect(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.size() < 5)
        return false;
    GameTuning* tuning = RunningTuning();
    if (tuning == nullptr)
        return true;
    if (tokens[0] == "dialogue_text_frame") {
        for (size_t i = 0; i < 4; ++i)
            tuning->ui.dialogueTextFrame[i] = ToInt(tokens[i + 1]);
    }
    return true;
}

bool CmdSetUiDialogueCharacterObject(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.size() < 2)
        return false;
    BGEvent_DialogueManager::LinkCharacterToGraphical(tokens[0], tokens[1]);
    return true;
}

bool CmdSetUiDialogueSpeed(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.size() < 2)
        return false;
    GameTuning* tuning = RunningTuning();
    if (tuning == nullptr)
        return true;
    if (tokens[0] == "base_speed")
        tuning->ui.dialogueBaseSpeed = ToInt(tokens[1]);
    return true;
}

bool CmdSetMaxAdvScore(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.empty())
        return false;
    if (Game* game = Game::GetInstance())
        game->maxAdvanceScore = ToInt(tokens[0]);
    return true;
}

bool CmdAddParticleSystemInNpc(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.size() < 3)
        return false;
    // Words: event, character class, particle system. A bad link is
    // reported and skipped; the command itself ran.
    AddParticleSystemInNpc(tokens);
    return true;
}

bool CmdSetMainMusicPath(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.empty())
        return false;
    if (Game* game = Game::GetInstance())
        game->mainMusicPath = tokens[0];
    return true;
}

bool CmdSetMaxValueForAchievement(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.size() < 2)
        return false;
    Game* game = Game::GetInstance();
    if (game == nullptr)
        return true;
    if (Achievement* achievement = game->GetAchievements().FindByName(tokens[0]))
        achievement->SetTarget(std::max(1, ToInt(tokens[1])));
    return true;
}

bool CmdSetPath(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.size() < 2)
        return false;
    std::string folder = tokens[1];
    if (folder.front() == '\\')
        folder = GetProgramFolder() + folder;
    if (tokens[0] == "map") {
        if (Game* game = Game::GetInstance())
            game->mapPath = folder;
    } else if (tokens[0] == "base") {
        SetBasePath(folder);
    } else if (tokens[0] == "music") {
        SetMusicPath(folder);
    } else if (tokens[0] == "sound") {
        SetSoundPath(folder);
    } else if (tokens[0] == "dialog") {
        SetDialogPath(folder);
    } else {
        return false;
    }
    return true;
}

bool CmdSetDefaultSpawner(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.empty())
        return false;
    if (Game* game = Game::GetInstance())
        game->defaultSpawner = tokens[0];
    return true;
}
