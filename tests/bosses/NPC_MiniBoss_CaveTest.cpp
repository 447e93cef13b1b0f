#include "bosses/NPC_MiniBoss_Cave.h"
#include "bosses/Projectile_MiniBoss_Cave.h"
#include "characters/Player.h"
#include "engine/platform/Random.h"

#include "tests/bosses/BossArena.h"
#include "tests/bosses/SoundsHeard.h"
#include "tests/ui/UITestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

// The cave mini-boss in an arena: the column of three lanterns made on the
// master's first update, its sinking and return as the player goes and
// comes, the beam of the lantern picked at random, the one life the three
// share and their death together.
namespace {

class MiniBossCave : public BossArena {
protected:
    // The column stands at tile 20 on the floor; the player starts exactly
    // 256 pixels west of its centre.
    static constexpr float kColumnCentre = 20 * kTile + 32.0f;
    void EnterCorridor()
    {
        Enter("place Zone_NPCSpawner_MiniBoss_Cave miniboss 20 2 2x2\n", 12);
        ThePlayer().SetMaxLife(20);
        ThePlayer().SetLife(20);
    }
    NPC_MiniBoss_Cave* Master()
    {
        for (NPC_MiniBoss_Cave* part : All<NPC_MiniBoss_Cave>())
            if (part->IsMaster())
                return part;
        return nullptr;
    }
    // Puts the player so that its centre is dx from the column's centre.
    void PlayerAt(float dx)
    {
        const float y = ThePlayer().GetPosition().y;
        ThePlayer().SetPosition(Point<float>(kColumnCentre + dx - ThePlayer().GetSize().x * 0.5f, y));
    }
    // Keeps the player where it was put while the world runs.
    void HoldPlayer(float dx, int passes)
    {
        for (int i = 0; i < passes; ++i) {
            PlayerAt(dx);
            Pass();
        }
    }
};

TEST_F(MiniBossCave, TheMasterBuildsAColumnOfThreeWithBeamsMadeOnce)
{
    EnterCorridor();
    HoldPlayer(-256.0f, 1);
    NPC_MiniBoss_Cave* master = Master();
    ASSERT_NE(master, nullptr);
    EXPECT_EQ(master->GetName(), "miniboss");
    EXPECT_EQ(master->GetLife(), 30);
    ASSERT_EQ(master->GetParts().size(), 2u);
    // Each lantern has a centre piece and 20 pieces each way, hidden.
    EXPECT_EQ(All<Projectile_MiniBoss_Cave>().size(), 3u * 41u);
    for (Projectile_MiniBoss_Cave* piece : All<Projectile_MiniBoss_Cave>())
        EXPECT_FALSE(piece->IsShowing());
    Pass();
    for (size_t i = 0; i < 2; ++i)
        EXPECT_EQ(master->GetParts()[i]->GetPosition(),
            master->GetPosition() + Point<float>(0.0f, 64.0f * static_cast<float>(i + 1)));
    // Its move target is the level's origin until it first moves: a master
    // placed within 8 pixels of the origin, the player near, is snapped
    // onto it at its first update.
    auto* nearOrigin = Boss::CreateAs<NPC_MiniBoss_Cave>("NPC_MiniBoss_Cave");
    ASSERT_NE(nearOrigin, nullptr);
    nearOrigin->SetPosition(Point<float>(5.0f, 3.0f));
    const float y = ThePlayer().GetPosition().y;
    ThePlayer().SetPosition(
        Point<float>(5.0f + (nearOrigin->GetSize().x - ThePlayer().GetSize().x) * 0.5f, y));
    Pass();
    EXPECT_EQ(nearOrigin->GetPosition(), Point<float>(0.0f, 0.0f));
}

TEST_F(MiniBossCave, APieceIsMadeWithItsBeamPictureButWaitsDisabledUnseenAndHarmless)
{
    EnterCorridor();
    auto* piece = dynamic_cast<Projectile_MiniBoss_Cave*>(Boss::Create("Projectile_MiniBoss_Cave", ""));
    ASSERT_NE(piece, nullptr);
    piece->SetEnabled(false);
    ASSERT_NE(piece->GetSpriteBeam(), nullptr);
    EXPECT_EQ(piece->GetCurrentGraphical(), piece->GetSpriteBeam());
    EXPECT_FALSE(piece->IsShowing());
    {
        ASSERT_EQ(g_RenderEngine, nullptr) << "the arena draws nothing by itself";
        uitest::RecordingEngine recording;
        recording.Clear();
        EXPECT_TRUE(piece->Draw(nullptr, Point<int>()));
        EXPECT_TRUE(recording.Draws().empty()) << "nothing at the level's origin";
        piece->SetEnabled(true);
        EXPECT_TRUE(piece->Draw(nullptr, Point<int>()));
        EXPECT_FALSE(recording.Draws().empty()) << "its picture, once used";
        piece->SetEnabled(false);
    }
    // Standing on it hurts nothing while it waits.
    piece->SetPosition(ThePlayer().GetPosition());
    const int life = ThePlayer().GetLife();
    Pass();
    EXPECT_EQ(ThePlayer().GetLife(), life);
}

TEST_F(MiniBossCave, ItSinksWhileThePlayerIsFarAndComesBackWhenNear)
{
    EnterCorridor();
    HoldPlayer(-256.0f, 1);
    NPC_MiniBoss_Cave* master = Master();
    const Point<float> home = master->GetHome();
    // Exactly 256 away: neither sinking nor attacking.
    HoldPlayer(256.0f, 5);
    EXPECT_EQ(home, Point<float>(20 * kTile, kFloor));
    EXPECT_EQ(master->GetState(), NPC_MiniBoss_Cave::kHome);
    EXPECT_EQ(master->GetPosition(), home);

    // Far: it sinks 224 pixels at 8.448 a frame and snaps onto its target.
    HoldPlayer(-300.0f, 1);
    EXPECT_EQ(master->GetState(), NPC_MiniBoss_Cave::kRaised);
    int frames = 1;
    while (master->GetSpeed() != 0.0f && frames < 60) {
        HoldPlayer(-300.0f, 1);
        ++frames;
    }
    EXPECT_EQ(frames, 26);
    EXPECT_EQ(master->GetPosition(), home + Point<float>(0.0f, -224.0f));
    EXPECT_EQ(master->GetParts()[1]->GetPosition(), home + Point<float>(0.0f, -224.0f + 128.0f));

    // Near again: back up to its home.
    HoldPlayer(100.0f, 1);
    EXPECT_EQ(master->GetState(), NPC_MiniBoss_Cave::kHome);
    HoldPlayer(100.0f, 26);
    EXPECT_EQ(master->GetPosition(), home);
}

TEST_F(MiniBossCave, ThePickedLanternLightsUpAndFiresABeamThatHurtsForOneAnimation)
{
    EnterCorridor();
    HoldPlayer(-256.0f, 1);
    NPC_MiniBoss_Cave* master = Master();
    NPC_MiniBoss_Cave* middle = master->GetParts()[0];
    SoundsHeard sounds;
    {
        // A draw of one half picks index 1: the lowest of the two parts.
        platform::ScopedRandomValues draw({0x80000000u});
        HoldPlayer(200.0f, 1);
    }
    EXPECT_EQ(master->GetState(), NPC_MiniBoss_Cave::kAttacking);
    EXPECT_TRUE(middle->IsLit());
    EXPECT_FALSE(master->IsLit());
    EXPECT_TRUE(sounds.Heard("NPC_Miniboss_Cave_Attack"));
    const int lit = PassUntil([&] { return middle->BeamCentre()->IsShowing(); }, 100);
    EXPECT_GT(lit, 5);
    EXPECT_EQ(middle->BeamCentre()->GetPosition(), middle->GetPosition());
    EXPECT_EQ(middle->BeamPiece(true, 3)->GetPosition(), middle->GetPosition() - Point<float>(256.0f, 0.0f));
    EXPECT_EQ(
        middle->BeamPiece(false, 19)->GetPosition(), middle->GetPosition() + Point<float>(1280.0f, 0.0f));
    EXPECT_FALSE(master->BeamCentre()->IsShowing());

    // The player in the beam's way loses 2 life.
    Player& player = ThePlayer();
    player.SetPosition(middle->BeamPiece(false, 4)->GetPosition());
    const int before = player.GetLife();
    Pass();
    EXPECT_EQ(player.GetLife(), before - 2);

    // The beam vanishes after its animation; the column rests again once
    // every lantern has finished.
    EXPECT_GT(PassUntil([&] { return !middle->BeamCentre()->IsShowing(); }, 100), 0);
    EXPECT_FALSE(middle->BeamPiece(true, 0)->IsShowing());
    PlayerAt(-300.0f);
    EXPECT_GT(PassUntil([&] { return master->GetState() != NPC_MiniBoss_Cave::kAttacking; }, 200), 0);
}

TEST_F(MiniBossCave, TheThreeShareOneLifeOneHitPerLanternPerFrameAndDieTogether)
{
    EnterCorridor();
    HoldPlayer(-256.0f, 1);
    NPC_MiniBoss_Cave* master = Master();
    NPC_MiniBoss_Cave* low = master->GetParts()[0];
    NPC_MiniBoss_Cave* high = master->GetParts()[1];
    Player* attacker = &ThePlayer();

    // Within one frame the first hit counts, wherever it lands: each
    // lantern's hit reaches the master, whose own gate lets one through.
    low->ApplyDamage(attacker, 3);
    EXPECT_TRUE(high->WasHit()) << "a hit that counts flags every lantern";
    low->ApplyDamage(attacker, 3);
    high->ApplyDamage(attacker, 2);
    master->ApplyDamage(attacker, 1);
    EXPECT_EQ(master->GetLife(), 27) << "one blow over the column counts once";
    Pass();
    master->ApplyDamage(attacker, 2);
    high->ApplyDamage(attacker, 2);
    EXPECT_EQ(master->GetLife(), 25);
    Pass();
    low->ApplyDamage(attacker, 0);
    EXPECT_EQ(master->GetLife(), 25);
    EXPECT_TRUE(low->WasHit());
    low->ApplyDamage(nullptr, 5);
    EXPECT_EQ(master->GetLife(), 25);

    // Enabled and disabled each by its own name, as a script sends to
    // every character of a name: the master's command leaves its lanterns
    // as they are.
    const auto sendAll = [](const std::string& name, const std::string& command) {
        for (CharacterObject* lantern : Boss::FindAll(name))
            ASSERT_TRUE(lantern->HandleScriptCommand(command, ""));
    };
    sendAll("miniboss", "disable");
    Pass();
    EXPECT_TRUE(low->IsEnabled());
    sendAll("NPC_MiniBoss_Cave", "disable");
    Pass();
    EXPECT_FALSE(low->IsEnabled());
    EXPECT_EQ(high->GetCurrentGraphical(), nullptr);
    sendAll("miniboss", "enable");
    sendAll("NPC_MiniBoss_Cave", "enable");
    Pass();
    EXPECT_TRUE(high->IsEnabled());

    MessageCounter* gone = Await("miniboss_State_DIE");
    Pass();
    master->ApplyDamage(attacker, 25);
    EXPECT_TRUE(master->IsExploding());
    EXPECT_TRUE(low->IsExploding());
    EXPECT_TRUE(high->IsExploding());
    EXPECT_EQ(gone->Count(), 0);
    EXPECT_GT(PassUntil([&] { return All<NPC_MiniBoss_Cave>().empty(); }, 300), 0);
    Pass();
    EXPECT_EQ(gone->Count(), 1);
    EXPECT_EQ(All<Projectile_MiniBoss_Cave>().size(), 3u * 41u) << "the beam pieces stay idle";
}

} // namespace
