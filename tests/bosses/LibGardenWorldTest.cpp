#include "bosses/NPC_Boss2_Bibli.h"
#include "bosses/NPC_Boss2_Garden.h"
#include "bosses/NPC_Boss_Bibli.h"
#include "bosses/NPC_MiniBoss_Bibli.h"
#include "script/NPC_Script.h"
#include "script/ScriptVar.h"

#include "tests/bosses/BossArena.h"

#include <gtest/gtest.h>

// The world's library and garden arenas as the game loads them: each fight's boss
// stands under the name its arena script commands, with what it needs
// around it, and a fight already won finds its boss disabled.
namespace {

class LibraryWorld : public BossArena {
protected:
    void Load(const std::string& level)
    {
        ASSERT_TRUE(game.ChangeLevel(level)) << debug.Text();
        Passes(3);
    }
    void TearDown() override
    {
        NPC_Boss2_Garden::SpawnPlaces().clear();
        NPC_Boss2_Garden::SkullGroups().clear();
        for (const char* name : {"done_l01", "done_l02", "done_l03", "done_g01", "done_g02", "done_g03"})
            if (Game::FindSaveVar(name) != nullptr)
                game.DeleteSaveVar(name);
        BossArena::TearDown();
    }
};

TEST_F(LibraryWorld, EachArenaHoldsItsBossUnderTheNameItsScriptUsesAndAWonFightFindsItDisabled)
{
    const struct {
        const char* level;
        const char* boss;
        const char* done;
        const char* versionedName;
    } arenas[] = {
        {"bibli_01.lvl", "miniboss_bibli", "done_l01", "NPC_MiniBoss_BibliV0"},
        {"bibli_02.lvl", "boss_bibli", "done_l02", "NPC_Boss_BibliV0"},
        {"bibli_03.lvl", "bibli2", "done_l03", "NPC_Boss2_BibliV0"},
        {"garden_01.lvl", "miniboss_garden", "done_g01", "NPC_MiniBoss_GardenV0"},
        {"garden_02.lvl", "boss_garden", "done_g02", "NPC_Boss_GardenV0"},
        {"garden_03.lvl", "boss_garden2", "done_g03", "NPC_Boss2_GardenV0"},
    };
    for (const auto& a : arenas) {
        SCOPED_TRACE(a.level);
        Load(a.level);
        CharacterObject* boss = Named(a.boss);
        ASSERT_NE(boss, nullptr);
        EXPECT_EQ(boss->GetVersionedClassName(), a.versionedName);
        EXPECT_TRUE(boss->IsEnabled());
        EXPECT_NE(Named("arena_" + std::string(a.done).substr(5)), nullptr);
        ScriptVar* done = Game::FindSaveVar(a.done);
        if (done == nullptr)
            done = game.CreateSaveVar(a.done);
        ASSERT_NE(done, nullptr);
        done->SetValue("1");
        Load(a.level);
        boss = Named(a.boss);
        ASSERT_NE(boss, nullptr);
        EXPECT_FALSE(boss->IsEnabled()) << "the arena's start-up disables a beaten boss";
    }
}

TEST_F(LibraryWorld, TheOrchardsGhostFindsItsFourPlacesAndLaysItsLavaOutOfView)
{
    Load("garden_03.lvl");
    ASSERT_NE(Named("boss_garden2"), nullptr);
    EXPECT_EQ(NPC_Boss2_Garden::SpawnPlaces().size(), 4u);
    CharacterObject* mark = Named("lava_max");
    ASSERT_NE(mark, nullptr);
    // The row waits below the pit's floor, and "hide" sends it lower still.
    EXPECT_EQ(CountOf("Projectile_Boss2_Bibli_LavaV0"), 32);
    EXPECT_LT(mark->GetPosition().y - 416.0f + 32.0f, 32.0f);
}

TEST_F(LibraryWorld, TheVaultsGuardianAreasAreTheFourMarkersAndItsLavaRisesIntoTheHall)
{
    Load("bibli_03.lvl");
    auto* body = NamedAs<NPC_Boss2_Bibli>("bibli2");
    ASSERT_NE(body, nullptr);
    for (const char* marker : {"guardian_step1", "guardian_step2", "guardian_step3", "guardian_step4"})
        EXPECT_NE(NamedAs<NPC_Script>(marker), nullptr) << marker;
    // The lava floor rests below the level and rises to 13 tiles above it.
    const float rest = body->GetPosition().y - 864.0f;
    EXPECT_LE(rest + 32.0f, 0.0f);
    EXPECT_GE(rest + 416.0f + 32.0f, 13 * 32.0f);
}

} // namespace
