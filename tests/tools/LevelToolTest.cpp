#include "tools/world/ArtRecipe.h"
#include "tools/world/LevelChecks.h"
#include "tools/world/LevelDescription.h"
#include "tools/world/LevelHudBand.h"
#include "tools/world/LevelModel.h"
#include "tools/world/WorldText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

// A sound one-screen level: floor two tiles thick, walls at both sides, a
// platform, a start, an exit on the left edge and the hub's teleport. Cases
// below break it line by line.
std::string Level(const std::string& extra = "", const std::string& bottomRow = std::string(16, '#'),
    const std::string& name = "Test_TP_01.lvl", const std::string& topRow = "#..............#")
{
    std::string text = "level " + name
        + "\nscreens 1 1\ncell 5 5\npalette cemetery\nscript PlayMusic title.ogg 1\ntiles\n";
    text += topRow + "\n"; // line 7
    for (int row = 1; row < 9; ++row)
        text += "#..............#\n";
    text += "...............#\n"; // line 16: the exit's rows are open on the west
    text += "......====.....#\n"; // line 17
    text += "...............#\n";
    text += "################\n";                             // line 19
    text += bottomRow + "\n";                                 // line 20
    text += "place Point_PlayerStart start 8 2 name=start\n"; // line 21
    text += "place Zone_LoadMap out 0 2 1x3 level=Other.lvl start=from_test\n";
    text += "place Zone_Teleport tp 12 2 2x2\n";
    return text + extra;
}

const std::set<std::string> kKnown = {"Point_PlayerStart", "Zone_LoadMap", "Zone_Teleport", "Zone_Save",
    "Point_MinimapLocation", "Zone_TriggerZone", "Deco_Grave_A", "Zone_NPCSpawner_Chained_Skull",
    "Zone_PickupObject", "Zone_NPCSpawner_Door", "Zone_NPCSpawner_Killing_Mechanism", "ZoneHolder"};

std::vector<std::string> FaultsOf(const std::string& text)
{
    try {
        return CheckLevel(LevelDescription::Parse(text, "t.lvd"), kKnown);
    } catch (const WorldError& e) {
        return {e.what()};
    }
}

TEST(LevelToolTest, TheSoundDescriptionPasses)
{
    EXPECT_EQ(FaultsOf(Level()), std::vector<std::string>());
    // A side may stay open where an exit takes the player on.
    EXPECT_EQ(FaultsOf(Level("place Zone_LoadMap up 15 11 1x3 level=Other.lvl start=from_test\n",
                  std::string(16, '#'), "Test_TP_01.lvl", "#...............")),
        std::vector<std::string>());
    // Two chained skulls share one name: each is the other's partner.
    const std::string pair = "place Zone_NPCSpawner_Chained_Skull chain 3 2 1x1\n"
                             "place Zone_NPCSpawner_Chained_Skull chain 6 2 1x1\n";
    EXPECT_EQ(FaultsOf(Level(pair)), std::vector<std::string>());
    // Markers a boss finds by name share it: triggers of one name.
    const std::string markers = "trigger m 3 2 2x1 {\n:OnStartup\n}\ntrigger m 6 2 2x1 {\n:OnStartup\n}\n";
    EXPECT_EQ(FaultsOf(Level(markers)), std::vector<std::string>());
    // A name shared by a marker and something else is still a clash.
    const std::vector<std::string> clash = FaultsOf(Level(markers + "place Zone_Save m 9 2 1x3 dir=Right\n"));
    ASSERT_EQ(clash.size(), 2u);
    EXPECT_NE(clash[0].find("the name \"m\" is already used on line 24"), std::string::npos) << clash[0];
    // Killing mechanisms of one name form a group, of two or more.
    const std::string group = "place Zone_NPCSpawner_Killing_Mechanism press 3 2 1x1\n"
                              "place Zone_NPCSpawner_Killing_Mechanism press 6 2 1x1\n"
                              "place Zone_NPCSpawner_Killing_Mechanism press 11 2 1x1\n";
    EXPECT_EQ(FaultsOf(Level(group)), std::vector<std::string>());
    // Markers without a script share one too.
    const std::string emptyMarkers = "trigger cell 3 2 1x1 {\n}\ntrigger cell 6 2 1x1 {\n}\n";
    EXPECT_EQ(FaultsOf(Level(emptyMarkers)), std::vector<std::string>());
    // Holders share their name: a boss finds its spawn places by it.
    const std::string places = "place ZoneHolder spawnzone 3 4\nplace ZoneHolder spawnzone 5 4\n"
                               "place ZoneHolder spawnzone 7 4\n";
    EXPECT_EQ(FaultsOf(Level(places)), std::vector<std::string>());
    // A save a tile clear of an enemy's zone; a dialogue read with play
    // paused where enemies are, and one without where only a door stands.
    const std::string clear = "place Zone_NPCSpawner_Chained_Skull c 10 2 3x1\n"
                              "place Zone_Save s 3 2 1x3 dir=Right\n"
                              "trigger t 8 2 2x2 {\n:OnEnterOnce\nPauseGameplay 1\n"
                              "waitEvent_StartDialogue_FromFile a.txt 0\nPauseGameplay 0\n}\n";
    EXPECT_EQ(FaultsOf(Level(clear)), std::vector<std::string>());
    const std::string door = "place Zone_NPCSpawner_Door d 10 2 1x3\n"
                             "trigger t 8 2 2x2 {\n:OnEnter\nwaitEvent_StartDialogue_FromFile a.txt 0\n}\n";
    EXPECT_EQ(FaultsOf(Level(door)), std::vector<std::string>());
}

TEST(LevelToolTest, EachBrokenDescriptionIsRefusedNamingItsLine)
{
    const std::string trigger = "trigger t 3 2 2x2 {\n:OnEnterOnce\nDisplayMessage \"TL;DR\"\n}\n";
    const struct {
        std::string text;
        const char* message;
    } cases[] = {
        {Level("place Point_PlayerStart near 2 2 name=from_x\n"),
            "t.lvd:24: start point \"from_x\" is closer than 3 tiles to exit \"out\""},
        {Level("", "####....########"), "t.lvd:20: gap without a floor at tile column 4"},
        // The sides are closed up to the top row, but where an exit leads on.
        {Level("", std::string(16, '#'), "Test_TP_01.lvl", "...............#"),
            "t.lvd:7: open side at tile row 13 of the west edge"},
        {Level("", std::string(16, '#'), "Test_TP_01.lvl", "#..............="),
            "t.lvd:7: open side at tile row 13 of the east edge"},
        {Level("place Zone_Mystery m 4 2\n"), "t.lvd:24: unknown object \"Zone_Mystery\""},
        {Level(trigger), "t.lvd:26: a script line may not hold \";\""},
        {Level("script Print a;b\n"), "t.lvd:24: a script line may not hold \";\""},
        {Level("place Zone_Save s 4 2 1x3 dir=right\n"), "t.lvd:24: a save faces \"Right\" exactly"},
        {Level("place Point_PlayerStart s2 5 2 name=[SAVE]\n"),
            "t.lvd:24: the start name \"[SAVE]\" is reserved"},
        {Level("place Point_PlayerStart air 5 6 name=from_air\n"),
            "t.lvd:24: start point \"from_air\" does not stand"},
        {Level("place Zone_LoadMap mid 7 6 1x3 level=Other.lvl start=from_test\n"),
            "t.lvd:24: exit \"mid\" must touch the level's edge"},
        {Level("place Zone_Teleport tp2 3 2 1x1\n"), "t.lvd:1: a hub has exactly one Zone_Teleport, found 2"},
        {Level("place Point_MinimapLocation m1 1 2\nplace Point_MinimapLocation m2 2 2\n"),
            "the level has 2 minimap markers"},
        {Level("place Deco_Grave_A start 3 2\n"), "t.lvd:24: the name \"start\" is already used on line 21"},
        {Level("place Zone_NPCSpawner_Chained_Skull c 3 2\nplace Zone_NPCSpawner_Chained_Skull c 5 2\n"
               "place Zone_NPCSpawner_Chained_Skull c 7 2\n"),
            "t.lvd:25: the name \"c\" is already used on line 24"},
        {Level("place Zone_NPCSpawner_Killing_Mechanism c 3 2\nplace Zone_NPCSpawner_Chained_Skull c 5 2\n"),
            "t.lvd:25: the name \"c\" is already used on line 24"},
        // A holder shares its name only with holders.
        {Level("place ZoneHolder start 3 4\n"), "t.lvd:24: the name \"start\" is already used on line 21"},
        {Level("place Zone_NPCSpawner_Chained_Skull start 3 2\n"),
            "t.lvd:24: the name \"start\" is already used on line 21"},
        {Level("place Zone_Save s 15 2 2x3 dir=Right\n"), "t.lvd:24: \"s\" reaches outside the level"},
        {Level("fog 1\n"), "t.lvd:24: unknown description word \"fog\""},
        {Level("place Zone_Save s 4 2 1x3 dir=Right dir=Right\n"), "t.lvd:24: option \"dir\" is given twice"},
        {Level("trigger t 3 2 2x2 {\n:OnEnter\n"), "t.lvd:24: the trigger's script has no closing"},
        {Level("", "######x#########"), "t.lvd:20: unknown tile character 'x'"},
        {Level("", "#######"), "t.lvd:20: expected a tile row of 16 characters, found 7"},
        {Level("", std::string(16, '#'), "Test_TP_01"), "t.lvd:1: the level name must end with \".lvl\""},
        {"level a.lvl\nscreens 1 1\ntiles\n....\n", "t.lvd:4: expected a tile row of 16 characters"},
        {"level a.lvl\nscreens 0 1\n", "t.lvd:2: screens must be 1 to 16"},
        // The tile rows are read for the screens given first: no resizing after.
        {Level("screens 4 4\n"), "t.lvd:24: \"screens\" must come before \"tiles\""},
        {Level("tiles\n" + std::string(16, '.') + "\n"),
            "t.lvd:24: the description has a second \"tiles\" block"},
        // Options the payload of the type does not have, or of the wrong form.
        {Level("place Zone_Save s 4 2 1x3 dir=Right colour=red\n"),
            "t.lvd:24: expected an option of Zone_Save (dir=), found \"colour=red\""},
        {Level("place Zone_PickupObject p 4 2 kind=40\n"),
            "t.lvd:24: expected a pickup kind from 0 to 28 for kind=, found \"40\""},
        {Level("place Point_PlayerStart s2 5 2 2x2 name=from_s2\n"),
            "t.lvd:24: expected no size for a point (it is a position), found \"2x2\""},
        {Level("place Zone_NPCSpawner_Door d 4 2 DoorKind=left\n"),
            "t.lvd:24: expected a whole number for DoorKind=, found \"left\""},
        {Level("prop \"Scene Layer 00\" Deco_Grave_A 3 2 dir=Right\n"),
            "t.lvd:24: expected no option for Deco_Grave_A, found \"dir=Right\""},
        // A trigger runs only the sections of the events it hears.
        {Level("trigger t 3 2 2x2 {\nDisplayMessage hi\n}\n"), "t.lvd:24: trigger \"t\" has no label"},
        {Level("trigger t 3 2 2x2 {\n:OnTouch\nDisplayMessage hi\n}\n"),
            "t.lvd:25: expected a trigger label (:OnEnter, :OnEnterOnce, :OnLeave, :OnLeaveOnce, :OnStartup, "
            ":OnHit), found \":OnTouch\""},
        {Level("place Zone_Save s 99999 2 1x3 dir=Right\n"),
            "t.lvd:24: expected a position from -4096 to 4096, found 99999"},
        {Level("place Zone_Save s 4 2 5000x3 dir=Right\n"),
            "t.lvd:24: expected a size of at most 4096 tiles"},
        // A save brings the player back two tiles wide: a tile clear of a
        // roaming enemy's zone; a start point brings him outside of it.
        {Level("place Zone_NPCSpawner_Chained_Skull c 5 2 3x1\nplace Zone_Save s 3 2 1x3 dir=Right\n"),
            "t.lvd:25: save \"s\" brings the player back within a tile of the zone of \"c\" (line 24)"},
        {Level("place Zone_NPCSpawner_Chained_Skull j 3 3 3x2\nplace Point_PlayerStart p 4 2 name=from_x\n"),
            "t.lvd:25: start point \"from_x\" brings the player into the zone of \"j\" (line 24)"},
        // Where enemies are, a dialogue to read runs with play paused, and
        // play is given back.
        {Level("place Zone_NPCSpawner_Chained_Skull c 3 6\ntrigger t 8 2 2x2 {\n:OnEnterOnce\n"
               "waitEvent_StartDialogue_FromFile a.txt 0\n}\n"),
            "t.lvd:27: a dialogue the player must read while enemies are about"},
        {Level("place Zone_NPCSpawner_Chained_Skull c 3 6\ntrigger t 8 2 2x2 {\n:OnEnter\nPauseGameplay 1\n"
               "waitEvent_StartDialogue_FromFile a.txt 0\n:OnLeave\nPauseGameplay 0\n}\n"),
            "t.lvd:27: play is paused here and never resumed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::vector<std::string> faults = FaultsOf(c.text);
        const bool found = std::any_of(faults.begin(), faults.end(),
            [&](const std::string& f) { return f.find(c.message) != std::string::npos; });
        EXPECT_TRUE(found) << "expected \"" << c.message << "\"; got:\n"
                           << (faults.empty() ? std::string("nothing") : faults.front());
    }
}

// The sound level with one of its rows (line 8 is row 12, line 15 row 5)
// written anew.
std::string WithRow(int line, const std::string& row)
{
    std::string text = Level();
    return text.replace(text.find("tiles\n") + 6 + 17 * (line - 7), row.size(), row);
}

TEST(LevelToolTest, WhatPlayNeedsToSeeUnderTheHudsBandIsRefusedNamingItsLine)
{
    // One screen high, the camera cannot rise: the band hides its top two
    // rows. A player standing on a floor shows whole below them, a pickup,
    // an exit or a fight's target at least in part.
    const struct {
        std::string text;
        const char* fault; // null: sound
    } cases[] = {
        {WithRow(12, "#.....====.....#"), nullptr}, // his head in row 11
        {WithRow(11, "#.....====.....#"),
            "t.lvd:11: a player standing on the floor of row 9 (columns 6-9) is under the HUD's band"},
        {WithRow(10, "#.....====.....#"), "t.lvd:10: a player standing on the floor of row 10 (columns 6-9)"},
        {WithRow(10, "#.....TTTT.....#"), nullptr}, // a ceiling, no floor
        {Level("place Zone_PickupObject p 4 11 kind=5\n"), nullptr},
        {Level("place Zone_PickupObject p 4 12 kind=5\n"), "t.lvd:24: pickup \"p\" at tile (4, 12) is under"},
        {Level("place Zone_LoadMap up 15 11 1x3 level=Other.lvl start=from_test\n"), nullptr},
        {Level("place Zone_LoadMap up 15 12 1x2 level=Other.lvl start=from_test\n"),
            "t.lvd:24: exit \"up\" at tile (15, 12) is under"},
        {Level("trigger maw 6 12 2x2 {\n}\n"), "t.lvd:24: target \"maw\" at tile (6, 12) is under"},
        {Level("place ZoneHolder spot 6 12\n"), "t.lvd:24: target \"spot\""},
        {Level("place ZoneHolder spot 6 11\n"), nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::vector<std::string> faults = FaultsOf(c.text);
        ASSERT_EQ(faults.size(), c.fault == nullptr ? 0u : 1u) << (faults.empty() ? "" : faults[0]);
        for (const std::string& fault : faults) {
            EXPECT_EQ(fault.rfind(c.fault, 0), 0u) << fault;
            EXPECT_NE(fault.find("below the HUD's band (the view's top 64 px) at some camera position"),
                std::string::npos);
        }
    }
}

// The band is the HUD's frame, drawn at the view's top left. Two screens
// high with a platform at row 10, the camera rises over it with a player who
// climbs onto the platform, but not past a blocker that holds its top at the
// lower screen's; without a band the whole view shows him.
TEST(LevelToolTest, TheBandIsTheHudsFrameAndTheCameraRisesOverItUnlessABlockerHoldsItDown)
{
    const std::string data = std::string(QUENHOLT_SOURCE_DIR) + "/data";
    ArtBook book;
    book.ReadFile(data + "/art/ui_hud.txt");
    const ArtObject* frame = book.Find("UI_Player_Frame");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->height, LevelHudBand::kHeight);
    EXPECT_NE(
        ReadWholeFile(data + "/init_vars.txt").find("\nsetuipos player_frame 0 0\n"), std::string::npos);
    std::string text = "level tall.lvl\nscreens 1 2\ncell 5 5\npalette cemetery\ntiles\n";
    for (int y = 27; y >= 0; --y)
        text += y <= 1 ? std::string(16, '#') + "\n" : y == 10 ? "#.....====.....#\n" : "#..............#\n";
    EXPECT_EQ(LevelHudBand::CheckClearOfBand(LevelDescription::Parse(text, "tall.lvd")),
        std::vector<std::string>());
    text += "place CameraBlocker_Top lid 8 13\n";
    const LevelDescription held = LevelDescription::Parse(text, "tall.lvd");
    EXPECT_EQ(LevelHudBand::CheckClearOfBand(held, 0), std::vector<std::string>());
    const std::vector<std::string> faults = LevelHudBand::CheckClearOfBand(held);
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_EQ(faults[0].rfind("tall.lvd:23: a player standing on the floor of row 10 (columns 6-9)", 0), 0u)
        << faults[0];
}

TEST(LevelToolTest, WorldRulesTieExitsToStartPointsAndKeepCellsApart)
{
    // Build "Other.lvl" from the sound level, with its own cell and arrival.
    std::string otherText
        = Level("place Point_PlayerStart arrive 10 2 name=from_test\n", std::string(16, '#'), "Other.lvl");
    otherText.replace(otherText.find("cell 5 5"), 8, "cell 6 5");
    otherText.replace(otherText.find("level=Other.lvl"), 15, "level=Test_TP_01.lvl");
    otherText.replace(otherText.find("start=from_test"), 15, "start=start");
    const LevelDescription test = LevelDescription::Parse(Level(), "test.lvd");
    const LevelDescription good = LevelDescription::Parse(otherText, "other.lvd");
    EXPECT_EQ(CheckWorld({test, good}), std::vector<std::string>());

    std::string noArrival = otherText;
    noArrival.replace(noArrival.find("name=from_test"), 14, "name=from_else");
    std::vector<std::string> faults = CheckWorld({test, LevelDescription::Parse(noArrival, "other.lvd")});
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_EQ(faults[0],
        "test.lvd:22: exit \"out\" arrives at start point \"from_test\", which Other.lvl does not have");

    faults = CheckWorld({test});
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_NE(faults[0].find("leads to \"Other.lvl\", which the world does not describe"), std::string::npos);

    std::string sameCell = otherText;
    sameCell.replace(sameCell.find("cell 6 5"), 8, "cell 5 5");
    faults = CheckWorld({test, LevelDescription::Parse(sameCell, "other.lvd")});
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_NE(faults[0].find("other.lvd:1: reference cell 5 5 is also the cell of Test_TP_01.lvl"),
        std::string::npos);
}

TEST(LevelToolTest, ModelHasTheStandardLayersInFileOrderWithTheirDrawingRules)
{
    LevelDescription d = LevelDescription::Parse(Level("prop \"FG_Secret\" Deco_Grave_A 3 2\n"), "t.lvd");
    const LevelModel model = BuildLevelModel(d);
    EXPECT_EQ(model.fileName, "test_tp_01.lvl");
    const struct {
        const char* name;
        int list;
        float sx, sy;
        bool draw;
    } expected[] = {{"BG_Sky", 0, 0, 0, true}, {"BG_Clouds", 0, 0, 0, true}, {"BG_Far", 0, 0.25f, 0.5f, true},
        {"BG_Near", 0, 0.5f, 0.75f, true}, {"Scene Layer 00", 2, 1, 1, true}, {"Collisions", 2, 1, 1, false},
        {"Scene Layer 01", 2, 1, 1, true}, {"FG_Near", 1, 1.25f, 1, true}, {"FG_Water", 1, 1, 1, true},
        {"FG_Secret", 1, 1, 1, true}};
    ASSERT_EQ(model.layers.size(), std::size(expected));
    for (size_t i = 0; i < model.layers.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(model.layers[i].name, expected[i].name);
        EXPECT_EQ(model.layers[i].list, expected[i].list);
        EXPECT_EQ(model.layers[i].scrollX, expected[i].sx);
        EXPECT_EQ(model.layers[i].scrollY, expected[i].sy);
        EXPECT_EQ(model.layers[i].drawPlacedInstances, expected[i].draw);
    }
    // Without anything placed in it there is no secret cover.
    EXPECT_EQ(BuildLevelModel(LevelDescription::Parse(Level(), "t.lvd")).FindLayer("FG_Secret"), nullptr);
}

TEST(LevelToolTest, TheSkyStandsStillWhileItsCloudsDriftAndIndoorBackdropsHaveNone)
{
    const struct {
        const char* backdrop; // "" for the palette's own
        const char* sky;
        bool clouds;
    } cases[] = {{"", "BG_Cem_Sky", true}, {"backdrop Crypt\n", "BG_Crypt_Sky", false},
        {"backdrop Heart\n", "BG_Heart_Sky", false}, {"backdrop Bibli\n", "BG_Bibli_Sky", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sky);
        const LevelModel model = BuildLevelModel(LevelDescription::Parse(Level(c.backdrop), "t.lvd"));
        // One picture of the sky, so one moon, and it does not move.
        const ModelLayer& sky = *model.FindLayer("BG_Sky");
        EXPECT_EQ(sky.autoScrollSpeed, 0.0f);
        ASSERT_EQ(sky.instances.size(), 1u);
        EXPECT_EQ(sky.instances[0].object, c.sky);
        const ModelLayer* clouds = model.FindLayer("BG_Clouds");
        ASSERT_EQ(clouds != nullptr, c.clouds);
        if (clouds != nullptr) {
            // The drifting layer wraps at its width: whole cloud pictures only.
            EXPECT_GT(clouds->autoScrollSpeed, 0.0f);
            ASSERT_EQ(clouds->instances.size(), 1u);
            EXPECT_EQ(clouds->instances[0].w, 1024);
        }
    }
    try {
        BuildLevelModel(LevelDescription::Parse(Level("backdrop Moon\n"), "t.lvd"));
        ADD_FAILURE() << "an unknown backdrop was accepted";
    } catch (const WorldError& e) {
        // The description's last line, after the three placements of Level().
        EXPECT_NE(std::string(e.what()).find("t.lvd:24: unknown backdrop \"Moon\""), std::string::npos)
            << e.what();
    }
}

TEST(LevelToolTest, ASaveZoneOnTheGroundStandsOnItsStoneAndOneInTheAirHasNone)
{
    // On the floor (row 1 is solid), on the one-way ledge of row 3, and
    // in the air.
    const LevelModel model = BuildLevelModel(LevelDescription::Parse(
        Level("place Zone_Save s1 3 2 1x3 dir=Right\nplace Zone_Save s2 7 4 1x3 dir=Right\n"
              "place Zone_Save s3 12 6 1x3 dir=Right\n"),
        "t.lvd"));
    std::vector<std::pair<int, int>> stones;
    for (const ModelInstance& i : model.FindLayer("Scene Layer 00")->instances)
        if (i.object == "Deco_SaveStone")
            stones.emplace_back(i.x, i.y);
    EXPECT_EQ(stones, (std::vector<std::pair<int, int>> {{3 * 32, 2 * 32}, {7 * 32, 4 * 32}}));
}

TEST(LevelToolTest, TilesBecomeBlocksArtWaterClimbZonesBlockersAndTheMarker)
{
    // Two screens wide, one high; a pool, a ladder of three and a low ledge.
    std::string text = "level W.lvl\nscreens 2 1\ncell 3 3\npalette cemetery\ntiles\n";
    for (int row = 0; row < 9; ++row)
        text += std::string(32, '.') + "\n";
    text += ".........H......................\n";
    text += ".........H......................\n";
    text += ".........H..........._..........\n";
    text += "####~~~~########################\n";
    text += "################################\n";
    text += "place Point_PlayerStart start 12 2 name=start\n";
    const LevelModel model = BuildLevelModel(LevelDescription::Parse(text, "w.lvd"));
    auto count = [&](const char* layer, const std::string& object) {
        const ModelLayer* l = model.FindLayer(layer);
        return std::count_if(l->instances.begin(), l->instances.end(),
            [&](const ModelInstance& i) { return i.object == object; });
    };
    EXPECT_EQ(count("Collisions", "Coll_cube_32"), 32 + 28);
    EXPECT_EQ(count("Collisions", "Coll_rectangle_32_24"), 1);
    EXPECT_EQ(count("FG_Water", "Water_Tile"), 4);
    EXPECT_EQ(count("Collisions", "Climb_Zone"), 1);
    EXPECT_EQ(count("Scene Layer 00", "Tile_Cem_TopRight"), 1); // left of the pool
    EXPECT_EQ(count("Scene Layer 00", "Tile_Cem_TopLeft"), 1);  // right of it
    EXPECT_EQ(count("Collisions", "CameraBlocker_Top"), 2);
    EXPECT_EQ(count("Collisions", "CameraBlocker_Bottom"), 2);
    EXPECT_EQ(count("Collisions", "CameraBlocker_Left"), 1);
    EXPECT_EQ(count("Collisions", "CameraBlocker_Right"), 1);
    EXPECT_EQ(count("Collisions", "Point_MinimapLocation"), 1);

    const ModelLayer& collisions = *model.FindLayer("Collisions");
    const auto ladder = std::find_if(collisions.instances.begin(), collisions.instances.end(),
        [](const ModelInstance& i) { return i.object == "Climb_Zone"; });
    EXPECT_EQ(ladder->x, 9 * 32);
    EXPECT_EQ(ladder->y, 2 * 32);
    EXPECT_EQ(ladder->h, 3 * 32);
    // The near layer scrolls at half speed across a 1024-px level: 768 px shown.
    EXPECT_EQ(count("BG_Near", "BG_Cem_Near"), 1);
    EXPECT_EQ(count("BG_Far", "BG_Cem_Far"), 1);
}

} // namespace
