#include "game/TuningCommands.h"

#include "scene/SpacialInstance.h"

#include "characters/CharacterObject.h"
#include "characters/ParticleLinkCommand.h"
#include "characters/Player.h"
#include "characters/PlayerModifier.h"
#include "characters/PlayerTuning.h"
#include "enemies/NpcTuning.h"
#include "engine/app/ConsoleCommand.h"
#include "engine/app/NumberArguments.h"
#include "engine/app/SplitCommandLine.h"
#include "engine/config/GamePaths.h"
#include "engine/serial/FileUtils.h"
#include "game/Game.h"
#include "game/GameCommands.h"
#include "scene/ArmorReplacement.h"
#include "script/BGEvent_DialogueManager.h"
#include "ui/UITuning.h"
#include "ui/UI_Frame.h"

#include <algorithm>
#include <vector>

namespace {

using Tokens = std::vector<std::string>;

// The range of each kind of tuning field: wide enough for any sensible
// tuning, narrow enough that positions, timers and sums stay far from
// overflowing however long a level is played.
struct IntRange {
    int32_t minimum;
    int32_t maximum;
};
struct FloatRange {
    float minimum;
    float maximum;
};
constexpr IntRange kFrames {0, 100000}; // timers and delays, in frames
constexpr IntRange kLife {1, 10000};
constexpr IntRange kZone {0, 65536};      // trigger and replacement areas, in pixels
constexpr IntRange kScreen {-8192, 8192}; // interface positions and sizes
constexpr IntRange kRank {0, 16};
constexpr IntRange kCount {0, 1000000};
constexpr FloatRange kSpeed {0.0f, 1000.0f};        // pixels per step
constexpr FloatRange kStageTime {-1.0f, 100000.0f}; // -1: the stage lasts until it ends
constexpr FloatRange kRatio {0.0f, 1.0f};
constexpr FloatRange kHeight {0.0f, 65536.0f};
constexpr FloatRange kImpulse {-100.0f, 100.0f};   // directions and impulses per step
constexpr FloatRange kAttenuation {-10.0f, 10.0f}; // subtracted from a direction each step

// Reads one argument within its range; a refusal is kept in `numbers` and
// the value is 0 (the handler stores nothing then).
int32_t ToInt(ArgumentNumbers& numbers, const std::string& token, IntRange range)
{
    int32_t value = 0;
    numbers.Int(token, range.minimum, range.maximum, value);
    return value;
}

float ToFloat(ArgumentNumbers& numbers, const std::string& token, FloatRange range)
{
    float value = 0.0f;
    numbers.Float(token, range.minimum, range.maximum, value);
    return value;
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
            return RefuseCommand(command, "no " + what + " \"" + name + "\"" + where + "; nothing set");
        return RefuseCommand(command, "\"" + name + "\" needs two values; nothing set");
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
        return RefuseWithoutGame("setplayerspeed");
    const bool walk = tokens[0] == "walk" || tokens[0] == "jumph";
    if (!walk && tokens[0] != "climb")
        return RefuseCommand(
            "setplayerspeed", "no speed \"" + tokens[0] + "\" (walk, jumph or climb); nothing set");
    ArgumentNumbers numbers;
    const float value = ToFloat(numbers, tokens[1], kSpeed);
    if (!numbers.Ok())
        return numbers.Refuse("setplayerspeed");
    if (walk) {
        tuning->player.walkSpeed = value;
        tuning->player.jumpSpeedH = value;
    } else {
        tuning->player.climbSpeed = value;
    }
    RefreshPlayerSpeeds(true);
    return true;
}

bool CmdSetPlayerWaterSlow(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.empty())
        return false;
    GameTuning* tuning = RunningTuning();
    if (tuning == nullptr)
        return RefuseWithoutGame("setplayerwaterslow");
    ArgumentNumbers numbers;
    const float ratio = ToFloat(numbers, tokens[0], kRatio);
    if (!numbers.Ok())
        return numbers.Refuse("setplayerwaterslow");
    // Stored only once a player exists: before it the ratio stays as it is
    // and the command fails.
    if (CurrentPlayer() == nullptr)
        return RefuseCommand("setplayerwaterslow", "no player yet; nothing set");
    tuning->player.waterSlowRatio = ratio;
    return true;
}

bool CmdSetCameraSpeed(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.empty())
        return false;
    GameTuning* tuning = RunningTuning();
    if (tuning == nullptr)
        return RefuseWithoutGame("setcameraspeed");
    ArgumentNumbers numbers;
    const float speed = ToFloat(numbers, tokens[0], kSpeed);
    if (!numbers.Ok())
        return numbers.Refuse("setcameraspeed");
    tuning->camera.travelSpeed = speed;
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
        return RefuseWithoutGame("setplayermovingstage");
    ArgumentNumbers numbers;
    const PlayerMovingStage stage {
        ToFloat(numbers, tokens[1], kSpeed), ToBool(tokens[2]), ToFloat(numbers, tokens[3], kStageTime)};
    if (!numbers.Ok())
        return numbers.Refuse("setplayermovingstage");
    bool stored = false;
    for (size_t i = 0; i < kPlayerStageNames.size(); ++i) {
        if (tokens[0] != kPlayerStageNames[i])
            continue;
        tuning->player.stages[i] = stage;
        if (Player* player = CurrentPlayer())
            player->stages[i] = stage;
        stored = true;
    }
    if (!stored)
        return RefuseCommand("setplayermovingstage", "no stage \"" + tokens[0] + "\"; nothing set");
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
        return RefuseWithoutGame("setplayerhighfall");
    ArgumentNumbers numbers;
    PlayerTuning player = tuning->player;
    if (tokens[0] == "freezetime")
        player.highFallFreezeTime = ToInt(numbers, tokens[1], kFrames);
    else if (tokens[0] == "height_threshold")
        player.highFallHeightThreshold = ToFloat(numbers, tokens[1], kHeight);
    else
        return RefuseCommand("setplayerhighfall",
            "no value \"" + tokens[0] + "\" (freezetime or height_threshold); nothing set");
    if (!numbers.Ok())
        return numbers.Refuse("setplayerhighfall");
    tuning->player = player;
    return true;
}

bool CmdSetPlayerHitTimer(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.empty())
        return false;
    GameTuning* tuning = RunningTuning();
    if (tuning == nullptr)
        return RefuseWithoutGame("setplayerhittimer");
    ArgumentNumbers numbers;
    // A fraction of a frame is dropped: -0.5 gives 0.
    const float frames = ToFloat(numbers, tokens[0], {-1.0f, 100000.0f});
    if (!numbers.Ok())
        return numbers.Refuse("setplayerhittimer");
    tuning->player.hitTimer = std::max(0, static_cast<int>(frames));
    return true;
}

bool CmdSetPlayerStraff(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.size() < 2)
        return false;
    GameTuning* tuning = RunningTuning();
    if (tuning == nullptr)
        return RefuseWithoutGame("setplayerstraff");
    ArgumentNumbers numbers;
    PlayerTuning player = tuning->player;
    if (tokens[0] == "delay")
        player.straffDelay = ToInt(numbers, tokens[1], kFrames);
    else if (tokens[0] == "speed")
        player.straffSpeed = ToFloat(numbers, tokens[1], kSpeed);
    else if (tokens[0] == "duration")
        player.straffDuration = ToInt(numbers, tokens[1], kFrames);
    else
        return RefuseCommand(
            "setplayerstraff", "no value \"" + tokens[0] + "\" (delay, speed or duration); nothing set");
    if (!numbers.Ok())
        return numbers.Refuse("setplayerstraff");
    tuning->player = player;
    return true;
}

bool CmdSetPlayerCrossbow(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.size() < 2)
        return false;
    GameTuning* tuning = RunningTuning();
    if (tuning == nullptr)
        return RefuseWithoutGame("setplayercrossbow");
    ArgumentNumbers numbers;
    PlayerTuning player = tuning->player;
    if (tokens[0] == "delay")
        player.crossbowDelay = ToInt(numbers, tokens[1], kFrames);
    else if (tokens[0] == "speed")
        player.crossbowSpeed = ToFloat(numbers, tokens[1], kSpeed);
    else
        return RefuseCommand(
            "setplayercrossbow", "no value \"" + tokens[0] + "\" (delay or speed); nothing set");
    if (!numbers.Ok())
        return numbers.Refuse("setplayercrossbow");
    tuning->player = player;
    return true;
}

bool CmdSetPlayerAttackRank(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.empty())
        return false;
    ArgumentNumbers numbers;
    const int32_t rank = ToInt(numbers, tokens[0], kRank);
    if (!numbers.Ok())
        return numbers.Refuse("setplayerattackrank");
    if (Player* player = CurrentPlayer())
        player->SetAttackRank(rank);
    return true;
}

bool CmdEnablePlayerArmors(std::string)
{
    Player* player = CurrentPlayer();
    if (player == nullptr)
        return RefuseCommand("enableplayerarmors", "no player yet; nothing set");
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
    else if (tokens[0] == "icelava")
        ArmorReplacement::Append(ArmorReplacement::IceLavaList(), ArmorReplacement(tokens[1], tokens[2]));
    else
        return RefuseCommand("playerarmoraddreplaceforuse",
            "no list \"" + tokens[0] + "\" (\"ice\" or \"icelava\"); nothing added");
    return true;
}

bool CmdPlayerArmorSetReplaceForUseZone(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.size() < 3)
        return false;
    // Only the ice armor has a zone size a command sets.
    if (tokens[0] != "ice")
        return RefuseCommand(
            "playerarmorsetreplaceforusezone", "no armor \"" + tokens[0] + "\" (\"ice\"); nothing set");
    GameTuning* tuning = RunningTuning();
    if (tuning == nullptr)
        return RefuseWithoutGame("playerarmorsetreplaceforusezone");
    ArgumentNumbers numbers;
    const int32_t width = ToInt(numbers, tokens[1], kZone);
    const int32_t height = ToInt(numbers, tokens[2], kZone);
    if (!numbers.Ok())
        return numbers.Refuse("playerarmorsetreplaceforusezone");
    tuning->player.iceReplaceZoneWidth = width;
    tuning->player.iceReplaceZoneHeight = height;
    return true;
}

bool CmdPlayerArmorIceFrozenPropagationTimerDelay(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.empty())
        return false;
    GameTuning* tuning = RunningTuning();
    if (tuning == nullptr)
        return RefuseWithoutGame("playerarmoricefrozenpropagationtimerdelay");
    ArgumentNumbers numbers;
    const int32_t delay = ToInt(numbers, tokens[0], kFrames);
    if (!numbers.Ok())
        return numbers.Refuse("playerarmoricefrozenpropagationtimerdelay");
    tuning->player.iceFrozenPropagationDelay = delay;
    return true;
}

bool CmdSetNpcValue(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.size() < 3)
        return false;
    GameTuning* tuning = RunningTuning();
    if (tuning == nullptr)
        return RefuseWithoutGame("setnpcvalue");
    const std::string& family = tokens[0];
    const std::string& key = tokens[1];
    const std::string& value = tokens[2];
    const bool pair = tokens.size() >= 4;
    const std::string& second = pair ? tokens[3] : value;
    // Read into a copy, stored only when every number was in range.
    ArgumentNumbers numbers;
    NpcTuning npc = tuning->npc;
    auto toInt
        = [&numbers](const std::string& token, IntRange range) { return ToInt(numbers, token, range); };
    auto toFloat
        = [&numbers](const std::string& token, FloatRange range) { return ToFloat(numbers, token, range); };
    // The pairs read their two values in order, so the first refused is said.
    auto toPoint = [&](FloatRange range) {
        const float x = toFloat(value, range);
        return Point<float>(x, toFloat(second, range));
    };
    auto toZone = [&]() {
        const int32_t width = toInt(value, kZone);
        return Rect<int>(0, toInt(second, kZone), width, 0);
    };
    NamedValue named {key, pair};
    if (family == "floatingskull") {
        named.Set("maxlife", false, [&] { npc.floatingSkullMaxLife = toInt(value, kLife); });
    } else if (family == "crouchskull") {
        named.Set("maxlife", false, [&] { npc.crouchSkullMaxLife = toInt(value, kLife); });
        named.Set("idlewait", false, [&] { npc.crouchSkullIdleWait = toInt(value, kFrames); });
        named.Set("speed", false, [&] { npc.crouchSkullSpeed = toFloat(value, kSpeed); });
    } else if (family == "crouchskull_boat") {
        named.Set("maxlife", false, [&] { npc.crouchSkullBoatMaxLife = toInt(value, kLife); });
        named.Set("idlewait", false, [&] { npc.crouchSkullBoatIdleWait = toInt(value, kFrames); });
        named.Set("speed", false, [&] { npc.crouchSkullBoatSpeed = toFloat(value, kSpeed); });
        named.Set("speed_follow", false, [&] { npc.crouchSkullBoatSpeedFollow = toFloat(value, kSpeed); });
    } else if (family == "thrower") {
        named.Set("maxlife", false, [&] { npc.throwerMaxLife = toInt(value, kLife); });
        named.Set("frametimer_before_throwing", false,
            [&] { npc.throwerFrameTimerBeforeThrowing = toInt(value, kFrames); });
        named.Set("frametimer_between_throwing", false,
            [&] { npc.throwerFrameTimerBetweenThrowing = toInt(value, kFrames); });
        named.Set("triggerzone", true, [&] { npc.throwerTriggerZone = toZone(); });
        named.Set("projectile_base_direction", true,
            [&] { npc.throwerProjectileBaseDirection = toPoint(kImpulse); });
        named.Set("projectile_speed", false, [&] { npc.throwerProjectileSpeed = toFloat(value, kSpeed); });
        named.Set("projectile_attenuation", true,
            [&] { npc.throwerProjectileAttenuation = toPoint(kAttenuation); });
    } else if (family == "boatworm") {
        named.Set("wait", false, [&] { npc.boatWormWait = toInt(value, kFrames); });
        named.Set("maxlife", false, [&] { npc.boatWormMaxLife = toInt(value, kLife); });
        named.Set("triggerzone", true, [&] { npc.boatWormTriggerZone = toZone(); });
        named.Set("projectile_speed", false, [&] { npc.boatWormProjectileSpeed = toFloat(value, kSpeed); });
    } else if (family == "firediamond") {
        named.Set("unfrozedelay", false, [&] { npc.fireDiamondUnfrozeDelay = toInt(value, kFrames); });
    } else if (family == "jellyfish") {
        named.Set("speed", false, [&] { npc.jellyFishSpeed = toFloat(value, kSpeed); });
        named.Set("slowpercent", false, [&] { npc.jellyFishSlowPercent = toFloat(value, kRatio); });
        named.Set("slowlimit", false, [&] { npc.jellyFishSlowLimit = toFloat(value, kRatio); });
    } else if (family == "lonely_head") {
        named.Set("impulse_right_right", true, [&] { npc.lonelyHeadImpulseRightRight = toPoint(kImpulse); });
        named.Set("impulse_right_mid", true, [&] { npc.lonelyHeadImpulseRightMid = toPoint(kImpulse); });
    } else {
        return RefuseCommand("setnpcvalue",
            "no family \"" + family
                + "\" (floatingskull, crouchskull, crouchskull_boat, thrower, boatworm, firediamond, "
                  "jellyfish "
                  "or lonely_head); nothing set");
    }
    if (!named.Outcome("setnpcvalue", "value", " for " + family))
        return false;
    if (!numbers.Ok())
        return numbers.Refuse("setnpcvalue");
    tuning->npc = npc;
    return true;
}

bool CmdSetUiPos(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.size() < 2)
        return false;
    GameTuning* tuning = RunningTuning();
    if (tuning == nullptr)
        return RefuseWithoutGame("setuipos");
    const std::string& element = tokens[0];
    ArgumentNumbers numbers;
    const int x = ToInt(numbers, tokens[1], kScreen);
    const bool hasY = tokens.size() >= 3;
    const int y = hasY ? ToInt(numbers, tokens[2], kScreen) : 0;
    if (!numbers.Ok())
        return numbers.Refuse("setuipos");
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
        return RefuseWithoutGame("setuirect");
    if (tokens[0] != "dialogue_text_frame")
        return RefuseCommand("setuirect", "no element \"" + tokens[0] + "\"; nothing set");
    ArgumentNumbers numbers;
    int32_t rect[4] = {};
    for (size_t i = 0; i < 4; ++i)
        rect[i] = ToInt(numbers, tokens[i + 1], kScreen);
    if (!numbers.Ok())
        return numbers.Refuse("setuirect");
    std::copy(rect, rect + 4, tuning->ui.dialogueTextFrame);
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
        return RefuseWithoutGame("setui_dialoguespeed");
    if (tokens[0] != "base_speed")
        return RefuseCommand("setui_dialoguespeed", "no value \"" + tokens[0] + "\"; nothing set");
    ArgumentNumbers numbers;
    const int32_t speed = ToInt(numbers, tokens[1], kFrames);
    if (!numbers.Ok())
        return numbers.Refuse("setui_dialoguespeed");
    tuning->ui.dialogueBaseSpeed = speed;
    return true;
}

bool CmdSetMaxAdvScore(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.empty())
        return false;
    ArgumentNumbers numbers;
    const int32_t score = ToInt(numbers, tokens[0], kCount);
    if (!numbers.Ok())
        return numbers.Refuse("setmaxadvscore");
    Game* game = Game::GetInstance();
    if (game == nullptr)
        return RefuseWithoutGame("setmaxadvscore");
    game->maxAdvanceScore = score;
    return true;
}

bool CmdAddParticleSystemInNpc(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.size() < 3)
        return false;
    // Words: event, character class, particle system. A link not made is
    // said and fails the command.
    return AddParticleSystemInNpc(tokens);
}

bool CmdSetMainMusicPath(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.empty())
        return false;
    Game* game = Game::GetInstance();
    if (game == nullptr)
        return RefuseWithoutGame("setmainmusicpath");
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
        return RefuseWithoutGame("setmaxvalueforachievement");
    ArgumentNumbers numbers;
    const int32_t target = ToInt(numbers, tokens[1], kCount);
    if (!numbers.Ok())
        return numbers.Refuse("setmaxvalueforachievement");
    Achievement* achievement = game->GetAchievements().FindByName(tokens[0]);
    if (achievement == nullptr)
        return RefuseCommand(
            "setmaxvalueforachievement", "no achievement \"" + tokens[0] + "\"; nothing set");
    achievement->SetTarget(std::max(1, target));
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
        Game* game = Game::GetInstance();
        if (game == nullptr)
            return RefuseWithoutGame("setpath");
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
        return RefuseCommand(
            "setpath", "no path \"" + tokens[0] + "\" (map, base, music, sound or dialog); nothing set");
    }
    return true;
}

bool CmdSetDefaultSpawner(std::string arguments)
{
    const Tokens tokens = SplitCommandLine(std::move(arguments));
    if (tokens.empty())
        return false;
    Game* game = Game::GetInstance();
    if (game == nullptr)
        return RefuseWithoutGame("setdefaultspawner");
    game->defaultSpawner = tokens[0];
    return true;
}
