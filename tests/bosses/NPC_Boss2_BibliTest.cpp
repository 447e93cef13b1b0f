#include "bosses/NPC_Boss2_Bibli.h"
#include "bosses/Projectile_Boss2_Bibli_Guardian.h"
#include "bosses/Projectile_Boss2_Bibli_LaserBeam.h"
#include "bosses/Projectile_Boss2_Bibli_Lava.h"

#include "tests/bosses/LibGardenArena.h"

#include <gtest/gtest.h>

// The Sealed Vault: the four pieces and their lives, the lava floor, the
// beams and bursts on their timings, the guardian steps with their shields,
// the order in which the pieces fall, and the whole arena.
namespace {

const ArenaKit kVault {"l03", "bibli2", "bibli2_State_DIE", "NPC_Boss2_Bibli_GraphicalIdle_Part1", 12,
    "1 Cinematic_ArmorL Cinematic_ArmorR"};

class Boss2Bibli : public LibGardenArena {
protected:
    NPC_Boss2_Bibli* Enter()
    {
        BossArena::Enter(KitText(kVault) + "place Zone_NPCSpawner_Boss2_Bibli bibli2 12 3\n"
            + "trigger guardian_step1 1 6 3x3 {\n:OnStartup\n}\n"
            + "trigger guardian_step2 28 6 3x3 {\n:OnStartup\n}\n"
            + "trigger guardian_step3 1 10 3x3 {\n:OnStartup\n}\n"
            + "trigger guardian_step3 28 10 3x3 {\n:OnStartup\n}\n"
            + "trigger guardian_step4 14 10 3x3 {\n:OnStartup\n}\n");
        Pass();
        return NamedAs<NPC_Boss2_Bibli>("bibli2");
    }
    NPC_Boss2_Bibli* Part(int role)
    {
        for (NPC_Boss2_Bibli* piece : All<NPC_Boss2_Bibli>())
            if (piece->GetState() == role && piece->GetName() != "NPC_Boss2_Bibli_Part")
                return piece;
        return nullptr;
    }
    std::vector<Projectile_Boss2_Bibli_Guardian*> Guardians()
    {
        std::vector<Projectile_Boss2_Bibli_Guardian*> found;
        for (auto* g : All<Projectile_Boss2_Bibli_Guardian>())
            if (g->GetName() == "Projectile_Boss2_Bibli_Guardian" && !g->IsDead())
                found.push_back(g);
        return found;
    }
    Projectile_Boss2_Bibli_Guardian* Shield()
    {
        return NamedAs<Projectile_Boss2_Bibli_Guardian>("Projectile_Boss2_Bibli_Shield");
    }
    // Kills every guardian and lets the shield fade out and go.
    void ClearGuardians()
    {
        for (auto* g : Guardians())
            g->ApplyDamage(&ThePlayer(), 5);
        ASSERT_NE(PassUntil([&] { return Shield() == nullptr && Guardians().empty(); }, 80), -1);
    }
    // Strikes a piece to death and lets the pass remove it.
    void Destroy(NPC_Boss2_Bibli* live)
    {
        const Watched piece(live);
        ClearGuardians();
        ASSERT_TRUE(piece->IsHitByBox(Rect<int>(-2000, 4000, 4000, -2000), false));
        Strike(piece, 40);
        EXPECT_TRUE(piece->IsDead());
        Pass();
        EXPECT_FALSE(Live(piece));
    }
};

TEST_F(Boss2Bibli, TheBodyMakesItsThreePartsAndTheTopPartLaysTheLavaFloor)
{
    NPC_Boss2_Bibli* body = Enter();
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body->GetState(), NPC_Boss2_Bibli::kBody);
    EXPECT_EQ(body->GetLife(), 30);
    EXPECT_EQ(body->GetLivingParts(), 4);
    const Point<float> at = body->GetPosition();
    for (int role = NPC_Boss2_Bibli::kLeft; role <= NPC_Boss2_Bibli::kTop; ++role) {
        NPC_Boss2_Bibli* part = Part(role);
        ASSERT_NE(part, nullptr) << role;
        EXPECT_EQ(part->GetName(), "NPC_Boss2_Bibli");
        EXPECT_EQ(part->GetOwner(), body);
        EXPECT_EQ(part->GetLife(), 40);
        EXPECT_EQ(part->GetPosition(), at);
        ASSERT_NE(part->GetCurrentGraphical(), nullptr);
    }
    // A picture chosen in an update is restarted on its first frame, which
    // that update's step only holds.
    for (NPC_Boss2_Bibli* piece : All<NPC_Boss2_Bibli>())
        EXPECT_EQ(piece->GetCurrentGraphical()->GetAnimatedInstance(0)->GetTime(), 0.0) << piece->GetState();
    EXPECT_EQ(Part(NPC_Boss2_Bibli::kLeft)->GetDirection(), Point<float>(-1.0f, 0.0f));
    EXPECT_EQ(Part(NPC_Boss2_Bibli::kRight)->GetDirection(), Point<float>(1.0f, 0.0f));
    // 32 tiles, 32 apart, from 96 left of the top part, 864 below it.
    std::vector<Projectile_Boss2_Bibli_Lava*> tiles = All<Projectile_Boss2_Bibli_Lava>();
    ASSERT_EQ(tiles.size(), 32u);
    EXPECT_EQ(tiles.front()->GetPosition(), at + Point<float>(-96.0f, -864.0f));
    EXPECT_EQ(tiles.back()->GetPosition(), at + Point<float>(896.0f, -864.0f));
    EXPECT_EQ(tiles.front()->GetState(), Projectile_Boss2_Bibli_Lava::kResting);
    EXPECT_EQ(tiles.front()->GetOwner(), nullptr);
    // A tile ignores "disable" and "hide" while resting high.
    EXPECT_FALSE(tiles.front()->HandleScriptCommand("disable", ""));
    EXPECT_FALSE(tiles.front()->HandleScriptCommand("hide", ""));
    EXPECT_TRUE(tiles.front()->IsEnabled());
}

TEST_F(Boss2Bibli, StartedItsPiecesFireBeamsBurstsDropsAndRaiseTheFloorOnTheirTimings)
{
    NPC_Boss2_Bibli* body = Enter();
    ASSERT_NE(body, nullptr);
    Passes(100);
    EXPECT_EQ(CountOf("Projectile_Boss2_Bibli_LaserBeamV0"), 0) << "no attack before start";
    ASSERT_TRUE(Send("bibli2", "Start", ""));
    for (int role = NPC_Boss2_Bibli::kLeft; role <= NPC_Boss2_Bibli::kTop; ++role)
        EXPECT_FALSE(Part(role)->IsWaitingForStart());
    EXPECT_FALSE(Send("bibli2", "start", "")) << "a second start goes to the base";
    // The first beam (the right part's) 240 frames after start, the left's
    // 240 later; the body's first burst at 270; the top part's drop at 600
    // and the floor's rise 47 frames after it.
    int beams[2] = {-1, -1}, burst = -1, drop = -1, rise = -1;
    Projectile_Boss2_Bibli_Lava* tile = All<Projectile_Boss2_Bibli_Lava>().front();
    for (int frame = 1; frame <= 660; ++frame) {
        Pass();
        for (auto* beam : All<Projectile_Boss2_Bibli_LaserBeam>()) {
            const int side = beam->GetOwner() == Part(NPC_Boss2_Bibli::kRight) ? 0 : 1;
            if (beams[side] < 0)
                beams[side] = frame;
        }
        for (auto* lava : All<Projectile_Boss2_Bibli_Lava>()) {
            if (burst < 0 && lava->GetCurrentGraphical() == lava->GetSpriteExplosion())
                burst = frame;
            if (drop < 0 && lava->GetCurrentGraphical() == lava->GetSpriteCascade())
                drop = frame;
        }
        if (rise < 0 && tile->GetState() == Projectile_Boss2_Bibli_Lava::kMoving)
            rise = frame;
    }
    EXPECT_EQ(beams[0], 240);
    EXPECT_EQ(beams[1], 480);
    EXPECT_EQ(burst, 270);
    EXPECT_EQ(drop, 600);
    EXPECT_EQ(rise, 647);
    // The right beam starts 448 right of the part and 160 up.
    // The floor rises 416 pixels, rests 60 frames and sinks back.
    EXPECT_EQ(tile->GetLowPoint().y, tile->GetHighPoint().y + 416.0f);
    ASSERT_NE(
        PassUntil([&] { return tile->GetState() == Projectile_Boss2_Bibli_Lava::kRestingLow; }, 400), -1);
    Passes(60);
    EXPECT_EQ(tile->GetState(), Projectile_Boss2_Bibli_Lava::kMoving);
    EXPECT_LT(tile->GetDirection().y, 0.0f);
}

TEST_F(Boss2Bibli, TheGuardiansShieldThePiecesAndThePiecesFallTopFirstEachStartingAFurtherStep)
{
    NPC_Boss2_Bibli* body = Enter();
    ASSERT_NE(body, nullptr);
    ASSERT_TRUE(Send("bibli2", "start", ""));
    Pass();
    // Step 5: a guardian at every "guardian_step1" marker at once.
    EXPECT_EQ(body->GetGuardianStep(), 5);
    ASSERT_EQ(Guardians().size(), 1u);
    EXPECT_EQ(Guardians().front()->GetLife(), 5);
    // It flies to its area's middle and then roams: the shield rises.
    ASSERT_NE(PassUntil([&] { return Shield() != nullptr; }, 200), -1);
    ASSERT_NE(PassUntil([&] { return body->IsShielded(); }, 40), -1);
    NPC_Boss2_Bibli* top = Part(NPC_Boss2_Bibli::kTop);
    NPC_Boss2_Bibli* left = Part(NPC_Boss2_Bibli::kLeft);
    NPC_Boss2_Bibli* right = Part(NPC_Boss2_Bibli::kRight);
    EXPECT_TRUE(top->IsShielded());
    EXPECT_FALSE(top->IsHitByBox(Rect<int>(-2000, 4000, 4000, -2000), false));
    // The shield keeps out the blows but not an area hit.
    top->ReceiveHit(&ThePlayer(), 1, 3.0f);
    EXPECT_EQ(top->GetLife(), 37);
    // While the top part stands the sides and the body refuse every hit.
    ClearGuardians();
    for (NPC_Boss2_Bibli* refused : {left, right, body}) {
        EXPECT_FALSE(refused->IsHitByBox(Rect<int>(-2000, 4000, 4000, -2000), false));
        const int before = refused->GetLife();
        Strike(refused, 5);
        EXPECT_EQ(refused->GetLife(), before);
    }

    const struct {
        int role;
        int step;
        const char* shield;
    } falls[] = {
        {NPC_Boss2_Bibli::kTop, 4, "Projectile_Boss2_Bibli_ShieldStep1"},
        {NPC_Boss2_Bibli::kRight, 3, "Projectile_Boss2_Bibli_ShieldStep2Right"},
        {NPC_Boss2_Bibli::kLeft, 1, "Projectile_Boss2_Bibli_ShieldStepLast"},
    };
    int living = 4;
    for (const auto& f : falls) {
        SCOPED_TRACE(f.role);
        Destroy(Part(f.role));
        EXPECT_EQ(body->GetLivingParts(), --living);
        EXPECT_EQ(body->GetGuardianStep(), f.step);
        ASSERT_FALSE(Guardians().empty());
        ASSERT_NE(PassUntil([&] { return Shield() != nullptr; }, 200), -1);
        ASSERT_NE(Shield()->GetSpriteShield(), nullptr);
        EXPECT_EQ(Shield()->GetSpriteShield()->GetName(), f.shield);
        if (f.role == NPC_Boss2_Bibli::kRight) {
            EXPECT_EQ(left->GetCurrentGraphical()->GetName(), "NPC_Boss2_Bibli_GraphicalIdle_Part2_Alt");
        }
    }
    // Alone, the body can be hurt; its lethal hit explodes it with the slow
    // motion and takes its lava and guardians along.
    ClearGuardians();
    EXPECT_TRUE(body->IsHitByBox(Rect<int>(-2000, 4000, 4000, -2000), false));
    Strike(body, 30);
    EXPECT_TRUE(body->IsExploding());
    EXPECT_GT(game.slowMotionBudget, 0);
}

TEST_F(Boss2Bibli, TheArenaRunsFromTheWalkInToTheRewardAndAReloadFindsTheFightDone)
{
    NPC_Boss2_Bibli* body = Enter();
    ASSERT_NE(body, nullptr);
    WalkIn(kVault);
    EXPECT_FALSE(body->IsWaitingForStart()) << "the arena sent start";
    // The pieces hang out of reach of the blade: their blows are dealt
    // directly, with the player as the attacker.
    for (int role : {NPC_Boss2_Bibli::kTop, NPC_Boss2_Bibli::kLeft, NPC_Boss2_Bibli::kRight})
        Destroy(Part(role));
    ClearGuardians();
    Strike(body, 30);
    FinishAndReload(kVault, [&] { return Named("bibli2"); });
}

} // namespace
