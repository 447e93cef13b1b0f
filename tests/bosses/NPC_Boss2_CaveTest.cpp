#include "bosses/NPC_Boss2_Cave.h"
#include "bosses/Projectile_Boss2_Cave.h"
#include "characters/Player.h"
#include "enemies/NPC_FloatingSkull.h"

#include "tests/bosses/BossArena.h"
#include "tests/bosses/SoundsHeard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

// The cave's great eye in an arena: its colour cycle and what each colour
// throws, the plants raised over the player and their columns, frost and
// shattering along a column, its two life bars and its death.
namespace {

constexpr const char* kShotSmall = "Projectile_Boss2_Cave_3";
constexpr const char* kShotBig = "Projectile_Boss2_Cave_4";

class Boss2Cave : public BossArena {
protected:
    // The eye east; three markers under the sky over the player's start.
    void EnterPit()
    {
        Enter("place Zone_NPCSpawner_Boss2_Cave boss_cave2 22 2 6x6\n"
              "trigger  attack_green 1 11 2x1 {\n}\n"
              "trigger  attack_green 2 11 2x1 {\n}\n"
              "trigger  attack_green 3 11 2x1 {\n}\n");
        boss = Watched(NamedAs<NPC_Boss2_Cave>("boss_cave2"));
        ASSERT_NE(boss, nullptr);
        // The red beam hurts and knocks back: the player stays unhurt.
        game.godMode = true;
    }
    int Occupied()
    {
        int count = 0;
        for (CharacterObject* marker : game.FindCharactersByName("attack_green", nullptr, false))
            count += marker->IsEnabled() ? 1 : 0;
        return count;
    }
    int Named(const std::string& name, bool live = true)
    {
        return static_cast<int>(game.FindCharactersByName(name, nullptr, live).size());
    }
    // Passes until the eye is in the state; how many it took.
    int UntilState(int state, int limit = 400)
    {
        return PassUntil([&] { return boss->GetState() == state; }, limit);
    }
    // The same, with the player held under the markers: the red beam
    // knocks the player back, and the plants rise over where it stands.
    int UntilStateUnderTheMarkers(int state, int limit = 400)
    {
        spot = ThePlayer().GetPosition();
        return PassUntil(
            [&] {
                ThePlayer().SetPosition(spot);
                return boss->GetState() == state;
            },
            limit);
    }
    void PassUnderTheMarkers()
    {
        ThePlayer().SetPosition(spot);
        Pass();
    }
    Point<float> spot;
    // The plant at the top of a column raised on a marker.
    Projectile_Boss2_Cave* RaisedPlant()
    {
        for (size_t i = 0; i < boss->Plants().Size(); ++i) {
            Projectile_Boss2_Cave* plant = boss->Plants().Get(i);
            if (plant != nullptr && plant->IsEnabled() && plant->GetOwner() != nullptr)
                return plant;
        }
        return nullptr;
    }
    int ColumnLength(Projectile_Boss2_Cave* top)
    {
        int length = 0;
        for (Projectile_Boss2_Cave* p = top; p != nullptr && length < 100; p = p->GetAbove())
            ++length;
        return length;
    }

    Watched<NPC_Boss2_Cave> boss;
};

TEST_F(Boss2Cave, ClosedUntilStartThenBlueCallsAnEyeAndRedFiresForNinetyFrames)
{
    EnterPit();
    Pass();
    EXPECT_EQ(boss->Plants().Size(), 480u);
    EXPECT_EQ(boss->Plants().InPlay(), 0);
    EXPECT_EQ(Occupied(), 0);
    EXPECT_EQ(boss->GetLife(), 90);
    Passes(100);
    EXPECT_EQ(boss->GetState(), NPC_Boss2_Cave::kClosed);
    EXPECT_EQ(Named(NPC_Boss2_Cave::kEyeName), 0);

    // Each step of the cycle is heard as it comes.
    SoundsHeard sounds;
    EXPECT_TRUE(Send("boss_cave2", "START"));
    EXPECT_EQ(boss->GetState(), NPC_Boss2_Cave::kOpening);
    EXPECT_TRUE(sounds.Heard("NPC_Boss_Cave2_EyeMoveFirst"));
    EXPECT_FALSE(sounds.Heard("NPC_Boss_Cave2_NewEye"));
    ASSERT_GT(UntilState(NPC_Boss2_Cave::kBlue), 0);
    EXPECT_TRUE(sounds.Heard("NPC_Boss_Cave2_NewEye"));
    EXPECT_FALSE(sounds.Heard("NPC_Boss_Cave2_ProjSmall"));
    ASSERT_EQ(Named(NPC_Boss2_Cave::kEyeName), 1);
    auto* eye = dynamic_cast<NPC_FloatingSkull*>(Boss::Find(NPC_Boss2_Cave::kEyeName));
    ASSERT_NE(eye, nullptr);
    EXPECT_EQ(eye->GetKind(), 2);
    EXPECT_EQ(eye->GetLife(), 10);

    ASSERT_GT(UntilState(NPC_Boss2_Cave::kRed), 0);
    EXPECT_TRUE(sounds.Heard("NPC_Boss_Cave2_ProjSmall"));
    CharacterObject* shot = Boss::Find(kShotSmall);
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(shot, boss->GetShot());
    EXPECT_EQ(shot->GetPosition(), boss->GetPosition() + Point<float>(-672.0f, 76.0f));
    EXPECT_NE(shot->GetCurrentGraphical(), nullptr);
    // The red beam's look loops: the red state ends on its 90 frames.
    EXPECT_EQ(UntilState(NPC_Boss2_Cave::kGreen), 90);
    EXPECT_TRUE(shot->IsDead());
    EXPECT_EQ(boss->GetShot(), nullptr);
}

TEST_F(Boss2Cave, APlantNeverRaisedAlreadyNamesItsSoundsWithHitZeroAndDeathOne)
{
    EnterPit();
    Pass();
    ASSERT_GT(boss->Plants().Size(), 0u);
    Projectile_Boss2_Cave* plant = boss->Plants().Get(boss->Plants().Size() - 1);
    ASSERT_NE(plant, nullptr);
    EXPECT_FALSE(plant->IsEnabled());
    EXPECT_EQ(plant->GetSoundNames(),
        (std::vector<std::string> {
            "NPC_Generic_HitByPlayer", "NPC_Boss_Cave2_PlantDie", "NPC_Boss_Cave2_PlantApear"}));
    EXPECT_EQ(plant->GetHitSoundIndex(), 0);
    EXPECT_EQ(plant->GetDeathSoundIndex(), 1);
}

TEST_F(Boss2Cave, GreenRaisesThreePlantsThirtyFramesApartAndColumnsGrowToSixteen)
{
    EnterPit();
    Pass();
    Send("boss_cave2", "start");
    SoundsHeard sounds;
    ASSERT_GT(UntilStateUnderTheMarkers(NPC_Boss2_Cave::kGreen), 0);
    // The first on the first green frame, then 30 and 60 frames later; a
    // plant raised for the first time is heard rising.
    EXPECT_EQ(Occupied(), 1);
    EXPECT_TRUE(sounds.Heard("NPC_Boss_Cave2_PlantApear"));
    std::vector<int> raisedAt;
    for (int frame = 1; frame <= 70; ++frame) {
        const int before = Occupied();
        PassUnderTheMarkers();
        if (Occupied() > before)
            raisedAt.push_back(frame);
    }
    EXPECT_EQ(raisedAt, (std::vector<int> {30, 60}));
    Projectile_Boss2_Cave* top = RaisedPlant();
    ASSERT_NE(top, nullptr);
    EXPECT_GT(ColumnLength(top), 1);
    EXPECT_GT(PassUntil([&] { return ColumnLength(top) == 16; }, 600), 0);
    Passes(60);
    EXPECT_EQ(ColumnLength(top), 16);
    // Each plant hangs 32 pixels under the one before.
    EXPECT_EQ(top->GetAbove()->GetPosition(), top->GetPosition() + Point<float>(0.0f, -32.0f));
    // Only frozen plants can be struck.
    const Rect<int> everywhere(-100000, 100000, 100000, -100000);
    EXPECT_FALSE(top->IsHitByBox(everywhere, false));
    EXPECT_TRUE(top->IsHitByBox(everywhere, true));
}

// The blow that shatters a frozen column: the player's, or damage that comes
// without an attacker. Only the hit flag depends on the attacker.
struct Shatter {
    const char* name;
    bool attacker;
};
void PrintTo(const Shatter& shatter, std::ostream* os)
{
    *os << shatter.name;
}

class Boss2CaveShatter : public Boss2Cave, public testing::WithParamInterface<Shatter> { };

TEST_P(Boss2CaveShatter, IceFreezesAColumnFromTheNeighbourAndABlowShattersItBackIntoThePool)
{
    EnterPit();
    Pass();
    Send("boss_cave2", "start");
    ASSERT_GT(UntilStateUnderTheMarkers(NPC_Boss2_Cave::kGreen), 0);
    Projectile_Boss2_Cave* top = RaisedPlant();
    ASSERT_NE(top, nullptr);
    ASSERT_GT(PassUntil([&] { return ColumnLength(top) >= 4; }, 300), 0);

    // A lone neighbourless hit does nothing; the ice hit freezes the plant
    // next to the one it touched, never itself, and the frost spreads.
    Player* player = &ThePlayer();
    top->ReceiveHit(player, 1, 1.0f);
    EXPECT_EQ(top->GetState(), Projectile_Boss2_Cave::kGrowing);
    top->ReceiveHit(player, 2, 1.0f);
    EXPECT_EQ(top->GetState(), Projectile_Boss2_Cave::kGrowing);
    EXPECT_EQ(top->GetPowerHit(), 2) << "ice shards at its death";
    int freezing = 0;
    for (Projectile_Boss2_Cave* p = top->GetAbove(); p != nullptr; p = p->GetAbove())
        freezing += p->GetState() == Projectile_Boss2_Cave::kFreezing ? 1 : 0;
    EXPECT_EQ(freezing, 1);
    // A second ice hit while one freezes does nothing more.
    top->ReceiveHit(player, 2, 1.0f);
    EXPECT_GT(PassUntil(
                  [&] {
                      for (Projectile_Boss2_Cave* p = top; p != nullptr; p = p->GetAbove())
                          if (p->GetState() != Projectile_Boss2_Cave::kFrozen)
                              return false;
                      return true;
                  },
                  400),
        0);
    std::vector<Projectile_Boss2_Cave*> column;
    for (Projectile_Boss2_Cave* p = top; p != nullptr; p = p->GetAbove())
        column.push_back(p);
    CharacterObject* marker = top->GetOwner();
    ASSERT_NE(marker, nullptr);

    // A blow on a frozen plant shatters the column from the plant next to
    // it, heard; every plant goes back to the pool and the marker is freed
    // (the eye may take it again at once).
    SoundsHeard sounds;
    top->ReceiveHit(GetParam().attacker ? player : nullptr, 1, 1.0f);
    EXPECT_EQ(top->WasHit(), GetParam().attacker);
    EXPECT_TRUE(sounds.Heard("NPC_Boss_Cave2_PlantDie"));
    EXPECT_EQ(
        std::count_if(column.begin(), column.end(),
            [](Projectile_Boss2_Cave* p) { return p->GetState() == Projectile_Boss2_Cave::kShattering; }),
        1);
    EXPECT_EQ(top->GetState(), Projectile_Boss2_Cave::kFrozen) << "the plant next to the one struck";
    EXPECT_GT(PassUntil(
                  [&] {
                      for (Projectile_Boss2_Cave* p : column)
                          if (p->IsEnabled() && p->GetState() != Projectile_Boss2_Cave::kGrowing)
                              return false;
                      return true;
                  },
                  400),
        0);
    EXPECT_EQ(top->GetOwner(), nullptr);
    // Reused, the plant keeps the death effect of its ice hit.
    top->ResetToStart();
    EXPECT_EQ(top->GetPowerHit(), 2);
}

INSTANTIATE_TEST_SUITE_P(Blows, Boss2CaveShatter,
    testing::Values(Shatter {"FromThePlayer", true}, Shatter {"WithoutAnAttacker", false}),
    [](const testing::TestParamInfo<Shatter>& info) { return std::string(info.param.name); });

TEST_F(Boss2Cave, TwoLifeBarsTheSecondCycleAndTheDeathThatEndsEveryPlantAndEye)
{
    EnterPit();
    Pass();
    Send("boss_cave2", "start");
    ASSERT_GT(UntilState(NPC_Boss2_Cave::kBlue), 0);
    MessageCounter* dead = Await("boss_cave2_State_DIE");

    // A hit from anything but the player calls up one more eye.
    const int eyes = Named(NPC_Boss2_Cave::kEyeName);
    CharacterObject* other = Boss::Find(NPC_Boss2_Cave::kEyeName);
    boss->ApplyDamage(other, 1);
    EXPECT_EQ(Named(NPC_Boss2_Cave::kEyeName), eyes + 1);
    Strike(boss, 88);
    EXPECT_EQ(boss->GetLife(), 1);
    EXPECT_EQ(Named(NPC_Boss2_Cave::kEyeName), eyes + 1);
    Strike(boss, 5);
    EXPECT_EQ(boss->GetLife(), 60);
    EXPECT_EQ(boss->GetState(), NPC_Boss2_Cave::kSecondCycle);
    EXPECT_FALSE(boss->IsExploding());

    // The second cycle: a plant and an eye at each closing, the big beam at
    // each opening, the eye heard moving.
    const int before = Named(NPC_Boss2_Cave::kEyeName);
    SoundsHeard sounds;
    ASSERT_GT(PassUntil([&] { return Boss::Find(kShotBig) != nullptr; }, 300), 0);
    EXPECT_TRUE(sounds.Heard("NPC_Boss_Cave2_EyeMove"));
    EXPECT_TRUE(sounds.Heard("NPC_Boss_Cave2_ProjBig"));
    EXPECT_EQ(Named(NPC_Boss2_Cave::kEyeName), before + 1);
    EXPECT_EQ(Occupied(), 1);
    EXPECT_EQ(Boss::Find(kShotBig)->GetPosition(), boss->GetPosition() + Point<float>(-672.0f, -24.0f));
    EXPECT_TRUE(boss->IsBigShotFired());

    Strike(boss, 60);
    EXPECT_TRUE(boss->IsExploding());
    EXPECT_EQ(game.slowMotionSteps, 15);
    EXPECT_GT(PassUntil([&] { return Named(NPC_Boss2_Cave::kEyeName, false) == 0; }, 5), 0);
    EXPECT_EQ(game.FindCharactersByName("Projectile_Boss2_Cave", nullptr, false).size(), 0u);
    EXPECT_EQ(dead->Count(), 0);
    EXPECT_GT(PassUntil([&] { return !Live(boss); }, 400), 0);
    Pass();
    EXPECT_EQ(dead->Count(), 1);
}

} // namespace
