#include "tools/run/RunCoverage.h"
#include "engine/app/ConsoleCommand.h"
#include "engine/sound/SoundEvent.h"

#include <gtest/gtest.h>

// The run's coverage count: what the game notes while a counter is
// installed, and the report of what was never reached.
namespace {

TEST(RunCoverage, CountsWhileInstalledAndPutsTheOneBeforeBack)
{
    EXPECT_EQ(Installed<UsageObserver>::Get(), nullptr);
    NoteUse("sound event", "Menu_Select"); // nobody listening: nothing happens
    {
        RunCoverage outer;
        NoteUse("sound event", "Menu_Select");
        {
            RunCoverage inner;
            EXPECT_EQ(Installed<UsageObserver>::Get(), &inner);
            NoteUse("sound event", "Menu_Select");
            EXPECT_EQ(inner.Count("sound event", "Menu_Select"), 1);
        }
        EXPECT_EQ(Installed<UsageObserver>::Get(), &outer);
        NoteUse("sound event", "Menu_Select");
        EXPECT_EQ(outer.Count("sound event", "Menu_Select"), 2);
        EXPECT_EQ(outer.Count("sound event", "Menu_Back"), 0);
        EXPECT_EQ(outer.Count("console command", "Menu_Select"), 0) << "families are kept apart";
    }
    EXPECT_EQ(Installed<UsageObserver>::Get(), nullptr);
}

TEST(RunCoverage, TheEngineNotesTheCommandsItRunsAndTheSoundsItPlays)
{
    RunCoverage coverage;
    ConsoleCommandTable table;
    table.RegisterCommand([](const std::string&) { return true; }, "god", "", {"bool"}, {});
    table.RegisterCommand(nullptr, "nothing", "", {}, {});
    EXPECT_TRUE(table.ExecuteCommand("god 1"));
    EXPECT_TRUE(table.ExecuteCommand("god 0"));
    EXPECT_FALSE(table.ExecuteCommand("nothing"));
    EXPECT_FALSE(table.ExecuteCommand("unknown 1"));
    EXPECT_EQ(coverage.Count("console command", "god"), 2);
    EXPECT_EQ(coverage.Count("console command", "nothing"), 0) << "a record without a handler never runs";
    EXPECT_EQ(coverage.Count("console command", "unknown"), 0);

    SoundEvent event("Door_Open", false, 1);
    event.Play(); // no voices: nothing is heard, but the game asked for it
    EXPECT_EQ(coverage.Count("sound event", "Door_Open"), 1);
}

TEST(RunCoverage, TheReportNamesWhatWasNeverReachedAndGivesTheExemptTheirReason)
{
    RunCoverage coverage;
    coverage.Used("menu page", "0");
    coverage.Used("menu page", "2");
    coverage.Used("sound event", "Menu_Select");
    coverage.Used("sound event", "NPC_Boss_Cave_Roar");
    const std::vector<CoverageFamily> families = {
        {"menu pages", "menu page", {"0", "1", "2"}, {}},
        {"pickup kinds", "pickup kind", {"11", "13"}, {{"11", "not placed"}}},
        {"sound events", "sound event", {"Menu_Select", "Menu_Back", "NPC_Boss_Cave_Roar"}, {},
            SoundEventFamily},
    };
    std::vector<std::string> untouched;
    const std::string report = coverage.Report(families, untouched);
    EXPECT_EQ(untouched,
        (std::vector<std::string> {"menu pages: 1", "pickup kinds: 13", "sound events: Menu_Back"}));
    EXPECT_EQ(report,
        "menu pages: 2 of 3 reached, 1 never reached\n"
        "  never reached: 1\n"
        "pickup kinds: 0 of 2 reached, 1 exempt, 1 never reached\n"
        "  never reached: 13\n"
        "  exempt: 11 (not placed)\n"
        "sound events: 2 of 3 reached, 1 never reached\n"
        "  Menu: 1 of 2\n"
        "  Bosses: 1 of 1\n"
        "  never reached: Menu_Back\n");

    coverage.Used("pickup kind", "11");
    untouched.clear();
    EXPECT_NE(coverage.Report(families, untouched).find("pickup kinds: 1 of 2 reached, 1 never reached"),
        std::string::npos)
        << "an exempt member reached counts as reached";
}

TEST(RunCoverage, SoundEventsFallIntoTheirFamilies)
{
    const std::pair<const char*, const char*> table[] = {
        {"Menu_Dialogue_Quick", "Menu"},
        {"Player_Jump", "Player"},
        {"World_LavaToIce", "World"},
        {"Crossbow3_Idle", "Crossbow"},
        {"NPC_Generic_IceGhost", "Generic enemy"},
        {"Door_Close", "Doors"},
        {"NPC_Miniboss_Boat_Attack", "Mini-bosses"},
        {"NPC_Boss_Killed", "Bosses"},
        {"NPC_Boss2_Garden_Attack", "Bosses"},
        {"Script_User_09", "Script"},
        {"Script_User_InWorld_03", "Script, positional"},
        {"NPC_FloatingSkull_Idle", "Enemy attacks"},
        {"Something_Else", "Other"},
    };
    for (const auto& [event, family] : table)
        EXPECT_EQ(SoundEventFamily(event), family) << event;
}

} // namespace
