#include "bosses/NPC_Boss2_Bibli.h"
#include "bosses/NPC_Boss_Bibli.h"
#include "bosses/NPC_MiniBoss_Bibli.h"
#include "script/NPC_Script.h"
#include "script/ScriptVar.h"

#include "tests/bosses/BossArena.h"

#include <gtest/gtest.h>

// The world's library arenas as the game loads them: each fight's boss
// stands under the name its arena script commands, with what it needs
// around it, and a fight already won finds its boss disabled.
namespace {

class LibraryWorld : public BossArena {
protected:
    void Load(const std::string& level)
    {
        ASSERT_TRUE(game.ChangeLevel(level)) << output;
        Passes(3);
    }
    void TearDown() override
    {
        for (const char* name : {"done_l01", "done_l02", "done_l03"})
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
