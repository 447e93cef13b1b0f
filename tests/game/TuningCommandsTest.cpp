#include "game/TuningCommands.h"
#include "characters/CharacterObject.h"
#include "characters/EventParticleSystem.h"
#include "characters/LocalParticleSystem.h"
#include "characters/Player.h"
#include "enemies/NPC_Thrower.h"
#include "engine/config/GamePaths.h"
#include "engine/serial/FileUtils.h"
#include "game/Game.h"
#include "game/GameCommands.h"
#include "scene/ArmorReplacement.h"
#include "tests/engine/platform/DebugCapture.h"
#include "ui/UI_Frame.h"
#include "ui/UI_Frame_Dialogue.h"

#include "scene/GraphicalObject.h"
#include "scene/Level.h"
#include "scene/SpacialInstance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>

// Each case sets the tuning values of its own game, which go with it.
namespace {

class TuningCommandsTest : public testing::Test {
protected:
    void SetUp() override
    {
        auto made = std::make_unique<Player>("Player");
        player = made.get();
        game.SetPlayer(std::move(made));
    }

    bool Run(const std::string& line) { return game.console.ExecuteCommand(line); }

    Game game;
    Player* player = nullptr;
};

// Each line sets one value; the same line without its last token must then
// leave that value as it is.
TEST_F(TuningCommandsTest, EachValueIsSetAndLeftAloneWhenATokenIsMissing)
{
    const PlayerTuning& P = game.tuning.player;
    const NpcTuning& N = game.tuning.npc;
    const UITuning& U = game.tuning.ui;
    const struct {
        const char* line;
        std::function<double()> read;
        double expected;
    } cases[] = {
        {"setplayerspeed walk 31", [&] { return P.walkSpeed; }, 31},
        {"setplayerspeed jumph 32", [&] { return P.jumpSpeedH; }, 32},
        {"setplayerspeed climb 11.5", [&] { return P.climbSpeed; }, 11.5},
        {"setplayerwaterslow 0.5", [&] { return P.waterSlowRatio; }, 0.5},
        {"setcameraspeed 5.5", [&] { return game.tuning.camera.travelSpeed; }, 5.5},
        {"setplayerhighfall freezetime 21", [&] { return P.highFallFreezeTime; }, 21},
        {"setplayerhighfall height_threshold 120.5", [&] { return P.highFallHeightThreshold; }, 120.5},
        {"setplayerhittimer 6", [&] { return P.hitTimer; }, 6},
        {"setplayerstraff delay 12", [&] { return P.straffDelay; }, 12},
        {"setplayerstraff speed 2.5", [&] { return P.straffSpeed; }, 2.5},
        {"setplayerstraff duration 14", [&] { return P.straffDuration; }, 14},
        {"setplayercrossbow delay 33", [&] { return P.crossbowDelay; }, 33},
        {"setplayercrossbow speed 12.5", [&] { return P.crossbowSpeed; }, 12.5},
        {"playerarmorsetreplaceforusezone ice 12 14", [&] { return P.iceReplaceZoneHeight; }, 14},
        {"playerarmoricefrozenpropagationtimerdelay 9", [&] { return P.iceFrozenPropagationDelay; }, 9},
        {"setnpcvalue floatingskull maxlife 5", [&] { return N.floatingSkullMaxLife; }, 5},
        {"setnpcvalue crouchskull maxlife 6", [&] { return N.crouchSkullMaxLife; }, 6},
        {"setnpcvalue crouchskull idlewait 7", [&] { return N.crouchSkullIdleWait; }, 7},
        {"setnpcvalue crouchskull speed 4.5", [&] { return N.crouchSkullSpeed; }, 4.5},
        {"setnpcvalue crouchskull_boat maxlife 8", [&] { return N.crouchSkullBoatMaxLife; }, 8},
        {"setnpcvalue crouchskull_boat idlewait 9", [&] { return N.crouchSkullBoatIdleWait; }, 9},
        {"setnpcvalue crouchskull_boat speed 3.5", [&] { return N.crouchSkullBoatSpeed; }, 3.5},
        {"setnpcvalue crouchskull_boat speed_follow 7.5", [&] { return N.crouchSkullBoatSpeedFollow; }, 7.5},
        {"setnpcvalue thrower maxlife 4", [&] { return N.throwerMaxLife; }, 4},
        {"setnpcvalue thrower frametimer_before_throwing 3",
            [&] { return N.throwerFrameTimerBeforeThrowing; }, 3},
        {"setnpcvalue thrower frametimer_between_throwing 11",
            [&] { return N.throwerFrameTimerBetweenThrowing; }, 11},
        {"setnpcvalue thrower triggerzone 100 60", [&] { return N.throwerTriggerZone.y0; }, 60},
        {"setnpcvalue thrower projectile_base_direction 3.5 1.5",
            [&] { return NPC_Thrower::GetProjectileBaseDirection().y; }, 1.5},
        {"setnpcvalue thrower projectile_speed 1.5", [&] { return NPC_Thrower::GetProjectileSpeed(); }, 1.5},
        {"setnpcvalue thrower projectile_attenuation 0.25 0.75",
            [&] { return NPC_Thrower::GetProjectileAttenuation().y; }, 0.75},
        {"setnpcvalue boatworm wait 41", [&] { return N.boatWormWait; }, 41},
        {"setnpcvalue boatworm maxlife 3", [&] { return N.boatWormMaxLife; }, 3},
        {"setnpcvalue boatworm triggerzone 200 150", [&] { return N.boatWormTriggerZone.y0; }, 150},
        {"setnpcvalue boatworm projectile_speed 6", [&] { return N.boatWormProjectileSpeed; }, 6},
        {"setnpcvalue firediamond unfrozedelay 4", [&] { return N.fireDiamondUnfrozeDelay; }, 4},
        {"setnpcvalue jellyfish speed 4.25", [&] { return N.jellyFishSpeed; }, 4.25},
        {"setnpcvalue jellyfish slowpercent 0.5", [&] { return N.jellyFishSlowPercent; }, 0.5},
        {"setnpcvalue jellyfish slowlimit 0.25", [&] { return N.jellyFishSlowLimit; }, 0.25},
        {"setnpcvalue lonely_head impulse_right_right -2.5 3.5",
            [&] { return N.lonelyHeadImpulseRightRight.y; }, 3.5},
        {"setnpcvalue lonely_head impulse_right_mid -0.5 2.5", [&] { return N.lonelyHeadImpulseRightMid.y; },
            2.5},
        {"setuipos dialogue_portrait1 3 4", [&] { return U.dialoguePortrait1.y; }, 4},
        {"setuipos dialogue_portrait2 5 6", [&] { return U.dialoguePortrait2.y; }, 6},
        {"setuipos dialogue_letter_size 10 11", [&] { return U.dialogueLetterSize.y; }, 11},
        {"setuipos player_lifes_xpos 151", [&] { return U.playerLifesXPos; }, 151},
        {"setuipos player_lifes_xdelta 65", [&] { return U.playerLifesXDelta; }, 65},
        {"setuipos player_minimap_center_xpos 225", [&] { return U.playerMinimapCenterXPos; }, 225},
        {"setuipos player_scythe_center_xpos 281", [&] { return U.playerScytheCenterXPos; }, 281},
        {"setuipos player_powers_xpos 316", [&] { return U.playerPowersXPos; }, 316},
        {"setuipos player_powers_xdelta 66", [&] { return U.playerPowersXDelta; }, 66},
        {"setuipos menu_spacing_y 9", [&] { return U.menuSpacingY; }, 9},
        {"setuipos menu_options_marge 121", [&] { return U.menuOptionsMarge; }, 121},
        {"setuipos menu_play_marge 101", [&] { return U.menuPlayMarge; }, 101},
        {"setuirect dialogue_text_frame 11 12 301 101", [&] { return U.dialogueTextFrame[3]; }, 101},
        {"setui_dialoguespeed base_speed 6", [&] { return U.dialogueBaseSpeed; }, 6},
        {"setmaxadvscore 120", [&] { return game.maxAdvanceScore; }, 120},
        {"setmaxvalueforachievement Portal 3",
            [&] { return game.GetAchievements().FindByName("Portal")->GetTarget(); }, 3},
        {"setplayerattackrank 3", [&] { return player->GetAttackRank(); }, 3},
        // An integer field truncates; an achievement's target is at least 1
        // and its name is matched with its case.
        {"setplayerhittimer 4.9", [&] { return P.hitTimer; }, 4},
        {"setplayerhittimer -0.5", [&] { return P.hitTimer; }, 0},
        {"setmaxvalueforachievement Invincible 0",
            [&] { return game.GetAchievements().FindByName("Invincible")->GetTarget(); }, 1},
        {"setmaxvalueforachievement \"Scythe of Death\" 12",
            [&] { return game.GetAchievements().FindByName("Scythe of Death")->GetTarget(); }, 12},
    };
    for (const auto& c : cases) {
        const std::string line = c.line;
        SCOPED_TRACE(line);
        EXPECT_TRUE(Run(line));
        EXPECT_DOUBLE_EQ(c.read(), c.expected);
        Run(line.substr(0, line.rfind(' ')));
        EXPECT_DOUBLE_EQ(c.read(), c.expected);
    }
}

TEST_F(TuningCommandsTest, SpeedsReachBothTheGameAndThePlayer)
{
    EXPECT_TRUE(Run("setplayerspeed walk 30"));
    EXPECT_EQ(game.tuning.player.walkSpeed, 30.0f);
    EXPECT_EQ(game.tuning.player.jumpSpeedH, 30.0f);
    EXPECT_EQ(player->walkSpeed, 30.0f);
    EXPECT_EQ(player->jumpSpeedH, 30.0f);
    EXPECT_TRUE(Run("setplayerspeed  climb 12"));
    EXPECT_EQ(player->climbSpeed, 12.0f);

    EXPECT_TRUE(Run("setcameraspeed 4.5"));
    EXPECT_EQ(game.GetCamera().GetSpeed(), 4.5f);
}

TEST_F(TuningCommandsTest, MovingStagesParseTheirFlagAsNotZero)
{
    EXPECT_TRUE(Run("setplayermovingstage fall1 21.5 false -1.0"));
    const size_t fall1 = static_cast<size_t>(PlayerStage::Fall1);
    EXPECT_EQ(game.tuning.player.stages[fall1].SpeedEnd, 21.5f);
    EXPECT_TRUE(game.tuning.player.stages[fall1].ConstantSpeed);
    EXPECT_EQ(game.tuning.player.stages[fall1].TimeDuration, -1.0);
    EXPECT_TRUE(player->stages[fall1].ConstantSpeed);

    EXPECT_TRUE(Run("setplayermovingstage spiderjump0 9 0 70"));
    const size_t spider = static_cast<size_t>(PlayerStage::SpiderJump0);
    EXPECT_FALSE(game.tuning.player.stages[spider].ConstantSpeed);
    EXPECT_EQ(player->stages[spider].TimeDuration, 70.0);
}

// A line that names nothing the command sets, lacks a value, or has a number
// not read whole, finite and within its field's range, stores nothing and
// fails; the console says why, beginning with the command's name (`said`,
// empty where a line too short for its command fails silently).
TEST_F(TuningCommandsTest, ARefusedLineStoresNothingFailsAndSaysWhy)
{
    const PlayerTuning& P = game.tuning.player;
    const NpcTuning& N = game.tuning.npc;
    const size_t spider = static_cast<size_t>(PlayerStage::SpiderJump0);
    const auto nothing = [] { return 0.0; };
    const auto triggerZone = N.throwerTriggerZone;
    const struct {
        const char* line;
        std::function<double()> read;
        const char* said;
    } cases[] = {
        {"setnpcvalue nosuchfamily maxlife 5", nothing, "setnpcvalue: no family \"nosuchfamily\""},
        {"setnpcvalue thrower nosuchkey 5", nothing,
            "setnpcvalue: no value \"nosuchkey\" for thrower; nothing set\n"},
        {"setnpcvalue thrower triggerzone 5", [&] { return N.throwerTriggerZone.x1; },
            "setnpcvalue: \"triggerzone\" needs two values; nothing set\n"},
        {"setnpcvalue thrower", [&] { return N.throwerTriggerZone.x1; }, ""},
        {"setuipos nosuch 1 2", nothing, "setuipos: no element \"nosuch\"; nothing set\n"},
        {"setuirect foo 1 2 3 4", [&] { return game.tuning.ui.dialogueTextFrame[0]; },
            "setuirect: no element \"foo\"; nothing set\n"},
        {"setplayermovingstage foo 1 1 1", nothing, "setplayermovingstage: no stage \"foo\"; nothing set\n"},
        {"setui_dialoguespeed foo 3", [&] { return game.tuning.ui.dialogueBaseSpeed; },
            "setui_dialoguespeed: no value \"foo\"; nothing set\n"},
        {"addparticlesysteminnpc NPC_X ev nosuch", nothing, "addparticlesysteminnpc: no event \"NPC_X\""},
        {"setuipos dialogue_portrait1 8", [&] { return game.tuning.ui.dialoguePortrait1.x; },
            "setuipos: \"dialogue_portrait1\" needs two values"},
        {"setplayerhighfall nosuch 3", nothing, "setplayerhighfall: no value \"nosuch\""},
        {"playerarmorsetreplaceforusezone fire 10 10", [&] { return P.iceReplaceZoneWidth; },
            "playerarmorsetreplaceforusezone: no armor \"fire\""},
        {"playerarmoraddreplaceforuse fire A B",
            [] {
                return double(ArmorReplacement::IceList().size() + ArmorReplacement::IceLavaList().size());
            },
            "playerarmoraddreplaceforuse: no list \"fire\""},
        {"setplayerspeed run 99", [&] { return P.walkSpeed; },
            "setplayerspeed: no speed \"run\" (walk, jumph or climb); nothing set\n"},
        {"setplayerstraff pause 3", [&] { return P.straffDelay; },
            "setplayerstraff: no value \"pause\" (delay, speed or duration); nothing set\n"},
        {"setplayercrossbow range 3", [&] { return P.crossbowDelay; },
            "setplayercrossbow: no value \"range\" (delay or speed); nothing set\n"},
        {"setpath maps /tmp/", [&] { return double(game.mapPath.size()); },
            "setpath: no path \"maps\" (map, base, music, sound or dialog); nothing set\n"},
        {"setplayermovingstage spiderjump0 1 1", [&] { return P.stages[spider].SpeedEnd; }, ""},
        {"setplayerspeed walk infx", [&] { return P.walkSpeed; },
            "setplayerspeed: expected a number from 0 to 1000, found \"infx\""},
        {"setplayerspeed walk -infx", [&] { return P.walkSpeed; },
            "setplayerspeed: expected a number from -1000000 to 1000000, found \"-infx\""},
        {"setplayerspeed climb \" 1e30x\"", [&] { return P.climbSpeed; }, "found \" 1e30x\""},
        {"setplayerhighfall freezetime \"\t2147483648x\"", [&] { return P.highFallFreezeTime; },
            "found \"\\x092147483648x\""},
        {"setplayerstraff delay 2x", [&] { return P.straffDelay; }, "found \"2x\""},
        {"setplayercrossbow delay 2.5", [&] { return P.crossbowDelay; },
            "expected an integer from 0 to 100000"},
        {"setnpcvalue crouchskull_boat speed infx", [&] { return N.crouchSkullBoatSpeed; }, "found \"infx\""},
        {"setnpcvalue thrower projectile_speed nanx", [&] { return N.throwerProjectileSpeed; },
            "found \"nanx\""},
        {"setnpcvalue boatworm projectile_speed infx", [&] { return N.boatWormProjectileSpeed; },
            "found \"infx\""},
        {"setnpcvalue thrower projectile_attenuation -1000000 1000000",
            [&] { return N.throwerProjectileAttenuation.y; },
            "setnpcvalue: expected a number from -10 to 10, found \"-1000000\""},
        // One value of a pair refused: neither is stored.
        {"setnpcvalue thrower projectile_attenuation 0.25 11",
            [&] { return N.throwerProjectileAttenuation.x; }, "found \"11\""},
        {"setnpcvalue thrower maxlife 0", [&] { return N.throwerMaxLife; }, "from 1 to 10000"},
        {"setuirect dialogue_text_frame 1 2 3 99999", [&] { return game.tuning.ui.dialogueTextFrame[0]; },
            "setuirect: expected an integer from -8192 to 8192, found \"99999\""},
        // An achievement's name is matched with its case.
        {"setmaxvalueforachievement invincible 40",
            [&] { return game.GetAchievements().FindByName("Invincible")->GetTarget(); },
            "setmaxvalueforachievement: no achievement \"invincible\"; nothing set"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const double before = c.read();
        DebugCapture debug;
        EXPECT_FALSE(Run(c.line));
        const std::string said = debug.Text();
        EXPECT_EQ(c.read(), before);
        const std::string line = c.line;
        if (*c.said != '\0') {
            EXPECT_EQ(said.rfind(line.substr(0, line.find(' ')) + ": ", 0), 0u) << said;
        }
        EXPECT_NE(said.find(c.said), std::string::npos) << said;
    }
    EXPECT_EQ(N.throwerTriggerZone, triggerZone);
    // Nothing refused was stored, so a save holds only finite values.
    EXPECT_TRUE(std::isfinite(P.walkSpeed) && std::isfinite(N.boatWormProjectileSpeed));
}

TEST_F(TuningCommandsTest, PairsNeedBothValuesAndFramesMoveOnlyWhenPresent)
{
    Run("setnpcvalue thrower triggerzone 100 60");
    EXPECT_FALSE(Run("setnpcvalue thrower"));
    Run("setnpcvalue thrower triggerzone 300");
    EXPECT_EQ(game.tuning.npc.throwerTriggerZone.x1, 100);
    EXPECT_EQ(game.tuning.npc.throwerTriggerZone.y0, 60);
    EXPECT_EQ(game.tuning.npc.throwerTriggerZone.x0, 0);
    EXPECT_EQ(game.tuning.npc.throwerTriggerZone.y1, 0);

    auto* dialogue = new UI_Frame("Dialogue");
    auto* hud = new UI_Frame("Hud");
    game.sceneObjects.push_back(dialogue); // the library owns the frames
    game.sceneObjects.push_back(hud);
    game.uiFrames.push_back(std::make_unique<SpacialInstance<GraphicalObject, float>>(dialogue, 0.0f, 0.0f));
    game.uiFrames.push_back(std::make_unique<SpacialInstance<GraphicalObject, float>>(hud, 0.0f, 0.0f));
    Run("setuipos dialogue_frame 7 8");
    Run("setuipos dialogue_frame 70");
    EXPECT_EQ(dialogue->GetPosition(), Point<float>(7.0f, 8.0f));
    Run("setuipos player_frame 20");
    EXPECT_EQ(hud->GetPosition(), Point<float>(20.0f, 0.0f));
}

TEST_F(TuningCommandsTest, PlayerOnlyCommandsDoNothingWithoutAPlayer)
{
    game.SetPlayer(nullptr);
    DebugCapture debug;
    EXPECT_FALSE(Run("setplayerwaterslow 0.75")) << "nothing is stored";
    EXPECT_EQ(game.tuning.player.waterSlowRatio, 0.65f);
    EXPECT_FALSE(Run("enableplayerarmors"));
    EXPECT_EQ(debug.Text(),
        "setplayerwaterslow: no player yet; nothing set\nenableplayerarmors: no player yet; nothing set\n");
    EXPECT_TRUE(Run("setplayerattackrank 2"));
    EXPECT_TRUE(Run("setplayerspeed walk 25"));
    EXPECT_EQ(game.tuning.player.walkSpeed, 25.0f);
}

// With no game running (a command file read before it, a tool) a command
// that sets a value of the game has nowhere to store it: it fails and says
// so.
TEST(TuningCommandsWithoutAGame, StoreNothingAndFail)
{
    ASSERT_EQ(Game::GetInstance(), nullptr);
    const std::pair<bool (*)(std::string), const char*> cases[] = {
        {CmdSetPlayerSpeed, "setplayerspeed walk 3"},
        {CmdSetPlayerWaterSlow, "setplayerwaterslow 0.5"},
        {CmdSetCameraSpeed, "setcameraspeed 4"},
        {CmdSetPlayerMovingStage, "setplayermovingstage fall1 2 0 -1"},
        {CmdSetPlayerHighFall, "setplayerhighfall freezetime 2"},
        {CmdSetPlayerHitTimer, "setplayerhittimer 4"},
        {CmdSetPlayerStraff, "setplayerstraff delay 2"},
        {CmdSetPlayerCrossbow, "setplayercrossbow delay 3"},
        {CmdPlayerArmorSetReplaceForUseZone, "playerarmorsetreplaceforusezone ice 12 14"},
        {CmdPlayerArmorIceFrozenPropagationTimerDelay, "playerarmoricefrozenpropagationtimerdelay 9"},
        {CmdSetNpcValue, "setnpcvalue thrower maxlife 4"},
        {CmdSetUiPos, "setuipos menu_spacing_y 9"},
        {CmdSetUiRect, "setuirect dialogue_text_frame 1 2 3 4"},
        {CmdSetUiDialogueSpeed, "setui_dialoguespeed base_speed 6"},
        {CmdSetMaxAdvScore, "setmaxadvscore 5"},
        {CmdSetMainMusicPath, "setmainmusicpath title.ogg"},
        {CmdSetMaxValueForAchievement, "setmaxvalueforachievement Portal 3"},
        {CmdSetPath, "setpath map levels"},
        {CmdSetDefaultSpawner, "setdefaultspawner Spawn_A"},
        {CmdUsePlayerStart, "useplayerstart 0"},
        {CmdSetFirstMap, "setfirstmap cemetery_02.lvl"},
        {CmdChangeSaveSlot, "changesaveslot 1"},
        {CmdDebug, "debug on"},
        {CmdGod, "god 1"},
        {CmdLogPlayer, "logplayer 1"},
        {CmdScaleMethod, "scalemethod 1"},
        {CmdKeepRatio, "keepratio 0"},
        {CmdAddMusicInfo, "addmusicinfo title.ogg 0.5 1"},
    };
    for (const auto& [handler, line] : cases) {
        const std::string text = line;
        SCOPED_TRACE(text);
        DebugCapture debug;
        EXPECT_FALSE(handler(text.substr(text.find(' ') + 1)));
        EXPECT_NE(debug.Text().find(text.substr(0, text.find(' ')) + ": no game is running; nothing set"),
            std::string::npos)
            << debug.Text();
    }
}

TEST_F(TuningCommandsTest, ArmorsAreEnabledOnThePlayer)
{
    EXPECT_TRUE(Run("enableplayerarmors"));
    EXPECT_EQ(player->armorFlag, 1);
    EXPECT_EQ(player->armorFlagByte, 1);
}

TEST_F(TuningCommandsTest, NamesAndLinksGoWhereTheirReadersLook)
{
    const size_t ice = ArmorReplacement::IceList().size();
    const size_t lava = ArmorReplacement::IceLavaList().size();
    Run("playerarmoraddreplaceforuse ice Water Ice");
    Run("playerarmoraddreplaceforuse icelava Lava Rock");
    Run("playerarmoraddreplaceforuse fire Lava");
    ASSERT_EQ(ArmorReplacement::IceList().size(), ice + 1);
    EXPECT_EQ(ArmorReplacement::IceList().back().GetReplacementName(), "Ice");
    ASSERT_EQ(ArmorReplacement::IceLavaList().size(), lava + 1);
    EXPECT_EQ(ArmorReplacement::IceLavaList().back().GetObjectName(), "Lava");

    Run("setdefaultspawner Spawn_A");
    Run("setmainmusicpath \"music\\title theme.ogg\"");
    EXPECT_EQ(game.defaultSpawner, "Spawn_A");
    EXPECT_EQ(game.mainMusicPath, "music\\title theme.ogg");

    Run("setpath map \\levels\\");
    EXPECT_EQ(game.mapPath, GetProgramFolder() + "\\levels\\");
    Run("setpath map data/levels/");
    EXPECT_EQ(game.mapPath, "data/levels/");

    // A portrait link goes into the dialogue box, once its object and the
    // box exist.
    GraphicalObject portrait("Portrait_Ombrix");
    auto* box = new UI_Frame_Dialogue("UI_Dialogue_Frame");
    Run("setui_dialoguecharacterobject ombrix Portrait_Ombrix");
    game.nameMap["Portrait_Ombrix"] = &portrait;
    game.uiFrames.push_back(std::make_unique<Level::Instance>(box, 0.0f, 0.0f));
    game.uiFrames.back()->SetOwned(true);
    Run("setui_dialoguecharacterobject ombrix Portrait_Ombrix");
    game.nameMap.clear();
    EXPECT_EQ(box->GetLinkedNames(), (std::vector<std::string> {"ombrix"}));
    EXPECT_EQ(box->GetLinkedObjects(), (std::vector<GraphicalObject*> {&portrait}));
    game.uiFrames.clear();

    // Words: event, character class, system of the game library. A system
    // the library lacks or a class the factory does not make links nothing.
    auto* sparks = new LocalParticleSystem();
    sparks->SetName("Sparks");
    game.localParticleSystems.push_back(sparks);
    Run("addparticlesysteminnpc OnExplose NPC_Door Missing");
    Run("addparticlesysteminnpc OnExplose NPC_Nobody Sparks");
    EXPECT_TRUE(CharacterObject("NPC_Door").GetOnExploseEffects().empty());
    Run("addparticlesysteminnpc OnExplose NPC_Door Sparks");
    CharacterObject door("NPC_Door");
    ASSERT_EQ(door.GetOnExploseEffects().size(), 1u);
    EXPECT_EQ(door.GetOnExploseEffects()[0]->GetName(), "Sparks");
    EXPECT_TRUE(CharacterObject("NPC_Nobody").GetOnExploseEffects().empty());
    EventParticleSystem::ClearLinks();
}

} // namespace
