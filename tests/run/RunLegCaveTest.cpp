#include "characters/Player.h"
#include "tools/run/RunLegs.h"

#include "tests/run/RunFixture.h"

// The cave flown by keys from the Well Head, as the cemetery leaves it (the
// scythe at rank 2, the double jump), to the Well Bottom again.
namespace {

using RunLegCave = RunFixture;

TEST_F(RunLegCave, DownTheWellThroughTheThreeFightsAndBackToTheWellBottom)
{
    Arrive("Cimetery_TP_02.lvl", "from_cemetery_02");
    ASSERT_TRUE(game.console.ExecuteCommand("setplayerattackrank 2"));
    game.GetPlayer()->EnableModifier(Player::kDoubleJump);
    Fly(RunCave);
    std::fprintf(stderr, "passes %d\n", pilot->Frame());
}

} // namespace
