#include "enemies/NPC_Chained_Skull.h"
#include "enemies/NPC_CrouchSkull.h"
#include "enemies/NPC_CrouchSkull_Strong.h"
#include "enemies/NPC_FloatingSkull.h"
#include "enemies/NPC_Thrower.h"
#include "enemies/NPC_ThrowerSkull.h"
#include "enemies/NpcTuning.h"
#include "enemies/Projectile_Chained_Skull.h"
#include "enemies/Projectile_Fire_Launcher.h"
#include "enemies/Projectile_Thrower.h"
#include "engine/app/UsageObserver.h"
#include "engine/platform/Random.h"
#include "script/BGEvent_ShowText.h"
#include "script/BackgroundEvent.h"
#include "script/ScriptVar.h"

#include "tests/enemies/EnemyArena.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <utility>

// The cemetery's enemies in arenas built by the level tool, played by the
// game with the world's library: what their spawners make, their states and
// timings, their contact with the player, the blows that kill them, the item
// they drop and the message their death sends.
namespace {

// One enemy kind as its spawner places it, and where its body is found.
struct Kind {
    const char* versionedName;
    std::string placement;
    // Height above the floor at which a blow finds its body.
    float rise;
    // Blows of the scythe that kill it at attack ranks 1 to 4 (the scythe
    // deals 1, 1, 2, 3).
    int blows[4];
};

const std::vector<Kind>& Kinds()
{
    static const std::vector<Kind> kinds = {
        {"NPC_CrouchSkullV0", "place Zone_NPCSpawner_CrouchSkull crouch 8 2 8x1\n", 0.0f, {2, 2, 1, 1}},
        {"NPC_CrouchSkull_StrongV0", "place Zone_NPCSpawner_CrouchSkull_Strong strong 8 2 8x1\n", 0.0f,
            {3, 3, 2, 1}},
        {"NPC_FloatingSkullV0",
            "place Zone_NPCSPawner_FloatingSkull skull 8 4 6x3 SpawnCount=1 SkullKind=0\n", 20.0f,
            {2, 2, 1, 1}},
        {"NPC_ThrowerSkullV0", "place Zone_NPCSPawner_FloatingSkull skull 8 4 6x3 SpawnCount=1 SkullKind=2\n",
            20.0f, {4, 4, 2, 2}},
        {"NPC_ThrowerV0", "place Zone_NPCSpawner_Thrower thrower 12 2\n", 0.0f, {2, 2, 1, 1}},
        {"NPC_Chained_SkullV0", "place Zone_NPCSpawner_Chained_Skull chain 12 2 3x3\n", 0.0f, {4, 4, 2, 2}},
    };
    return kinds;
}

CharacterObject* FindKind(Game& game, const std::string& versionedName)
{
    for (size_t i = 0; i < game.GetCharacterCount(); ++i)
        if (game.GetCharacter(i)->GetVersionedClassName() == versionedName)
            return game.GetCharacter(i);
    return nullptr;
}

class EnemyWorld : public EnemyArena {
protected:
    // Two chained skulls placed one above the other, partners after a pass:
    // the upper one and the lower one (both null when there are not two).
    std::pair<NPC_Chained_Skull*, NPC_Chained_Skull*> EnterChainedPair()
    {
        Enter("place Zone_NPCSpawner_Chained_Skull chain 10 9 3x3\n"
              "place Zone_NPCSpawner_Chained_Skull chain 10 2 3x3\n");
        Pass();
        std::vector<NPC_Chained_Skull*> skulls = All<NPC_Chained_Skull>();
        EXPECT_EQ(skulls.size(), 2u);
        if (skulls.size() != 2u)
            return {};
        if (skulls[0]->GetPosition().y < skulls[1]->GetPosition().y)
            std::swap(skulls[0], skulls[1]);
        return {skulls[0], skulls[1]};
    }
};

TEST_F(EnemyWorld, EachSpawnerMakesItsEnemiesOncePerLoadAndAgainOnceAfterAReload)
{
    std::string all;
    for (const Kind& kind : Kinds())
        all += kind.placement;
    all += "place Zone_NPCSPawner_FloatingSkull pair 20 6 6x3 SpawnCount=2 SkullKind=0\n";
    all += "place Zone_NPCSpawner_Door gate 28 2 1x3 DoorKind=0 DoorSide=1\n";
    Enter(all);
    const std::pair<const char*, int> expected[]
        = {{"NPC_CrouchSkullV0", 1}, {"NPC_CrouchSkull_StrongV0", 1}, {"NPC_FloatingSkullV0", 3},
            {"NPC_ThrowerSkullV0", 1}, {"NPC_ThrowerV0", 1}, {"NPC_Chained_SkullV0", 1}, {"NPC_DoorV0", 1}};
    for (int load = 0; load < 2; ++load) {
        Passes(20);
        for (const auto& [name, count] : expected)
            EXPECT_EQ(CountOf(name), count) << name << ", load " << load;
        EXPECT_EQ(All<Projectile_Chained_Skull>().size() >= 1, true) << "the chained skull's mouth";
        Reload();
    }
}

// One kind per test: each kind at the four attack ranks, in a fresh arena.
class EnemyBlows : public EnemyArena, public testing::WithParamInterface<size_t> { };

TEST_P(EnemyBlows, DiesToTheExpectedBlowsAtAttackRanksOneToFour)
{
    const Kind& kind = Kinds()[GetParam()];
    // The throwers keep their shots: a player reeling from one would miss
    // a blow. A one-pixel trigger box never meets the player in front.
    game.tuning.npc.throwerTriggerZone = Rect<int>(0, 1, 1, 0);
    for (int rank = 1; rank <= 4; ++rank) {
        SCOPED_TRACE(std::string(kind.versionedName) + " rank " + std::to_string(rank));
        Enter(kind.placement);
        ASSERT_TRUE(game.console.ExecuteCommand("god 1"));
        Pass();
        CharacterObject* enemy = FindKind(game, kind.versionedName);
        ASSERT_NE(enemy, nullptr);
        EXPECT_EQ(BlowsToKill(enemy, rank, kind.rise), kind.blows[rank - 1]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    EnemyWorld, EnemyBlows, testing::Range<size_t>(0, 6), [](const testing::TestParamInfo<size_t>& info) {
        std::string name = Kinds()[info.param].versionedName;
        return name.substr(0, name.size() - 2);
    });

TEST_F(EnemyWorld, EachEnemyHurtsThePlayerItTouches)
{
    for (const Kind& kind : Kinds()) {
        SCOPED_TRACE(kind.versionedName);
        Enter(kind.placement);
        Pass();
        CharacterObject* enemy = FindKind(game, kind.versionedName);
        ASSERT_NE(enemy, nullptr);
        // The player keeps its life between levels: it starts each one whole.
        ThePlayer().SetLife(ThePlayer().GetMaxLife());
        const int life = ThePlayer().GetLife();
        bool hurt = false;
        for (int pass = 0; pass < 40 && !hurt; ++pass) {
            // Held against the player's body.
            enemy->SetPosition(ThePlayer().GetPosition() + Point<float>(16.0f, kind.rise));
            Pass();
            hurt = ThePlayer().GetLife() < life;
        }
        // The thrower's body has no attack box: its shot is what hurts.
        EXPECT_TRUE(hurt);
    }
}

TEST_F(EnemyWorld, TheThrowerWaitsForThePlayerThrowsTwoUpdatesLaterReloadsAndItsShotBurstsOnTheFloor)
{
    Enter("place Zone_NPCSpawner_Thrower thrower 12 2\n");
    auto* thrower = First<NPC_Thrower>();
    ASSERT_NE(thrower, nullptr);
    Passes(30);
    EXPECT_EQ(thrower->GetState(), NPC_Thrower::kIdle) << "the player stands outside the trigger";
    EXPECT_TRUE(All<Projectile_Thrower>().empty());

    // Into the trigger rectangle, left of the thrower (x 384).
    ThePlayer().SetPosition(Point<float>(330.0f, kFloor));
    Pass();
    ASSERT_EQ(thrower->GetState(), NPC_Thrower::kAttack);
    Pass();
    EXPECT_EQ(thrower->GetState(), NPC_Thrower::kAttack);
    EXPECT_TRUE(All<Projectile_Thrower>().empty());
    ThePlayer().SetPosition(Point<float>(2 * kTile, kFloor));
    Pass();
    EXPECT_EQ(thrower->GetState(), NPC_Thrower::kThrown);
    ASSERT_EQ(All<Projectile_Thrower>().size(), 1u);
    const Watched shot(All<Projectile_Thrower>().front());
    // From the attack's spawn point (centre 40, 56 of the frame), thrown
    // toward the player's side: to the left and up.
    // (placed with the burst look, 24 wide, then one step on its way).
    EXPECT_NEAR(shot->GetPosition().x, 384.0f + 40.0f - 12.0f, 5.0f);
    EXPECT_NEAR(shot->GetPosition().y, 64.0f + 56.0f, 5.0f);
    EXPECT_LT(shot->GetDirection().x, 0.0f);

    // The attack plays out, then the reload, then it waits again.
    int reload = -1, idle = -1;
    float lowest = shot->GetPosition().y;
    bool shotGone = false;
    for (int pass = 1; pass <= 120 && idle < 0; ++pass) {
        Pass();
        if (reload < 0 && thrower->GetState() == NPC_Thrower::kReload)
            reload = pass;
        if (reload > 0 && thrower->GetState() == NPC_Thrower::kIdle)
            idle = pass;
        if (!shotGone && Live(shot))
            lowest = std::min(lowest, shot->GetPosition().y);
        shotGone = shotGone || !Live(shot);
    }
    EXPECT_GT(reload, 0);
    EXPECT_GT(idle, reload);
    // The shot rose, fell and burst on the floor's boxes, then left.
    for (int pass = 0; pass < 120 && !shotGone; ++pass) {
        if (Live(shot))
            lowest = std::min(lowest, shot->GetPosition().y);
        Pass();
        shotGone = !Live(shot);
    }
    EXPECT_TRUE(shotGone);
    EXPECT_GE(lowest, kFloor - 16.0f) << "it stopped at the floor";
}

TEST_F(EnemyWorld, ACrouchingSkullWalksToASideStandsFiveUpdatesAndTurnsBack)
{
    Enter("place Zone_NPCSpawner_CrouchSkull crouch 20 2 4x1\n");
    auto* skull = First<NPC_CrouchSkull>();
    ASSERT_NE(skull, nullptr);
    EXPECT_EQ(skull->GetState(), NPC_CrouchSkull::kWalk);
    int still = 0;
    int turnedAfter = -1;
    float lastX = skull->GetPosition().x;
    for (int pass = 0; pass < 200 && turnedAfter < 0; ++pass) {
        Pass();
        const float x = skull->GetPosition().x;
        if (x == lastX)
            ++still;
        else if (still > 0 && x < lastX)
            turnedAfter = still;
        lastX = x;
    }
    // The update that reaches the side still moves; then five stand still
    // while the default idlewait of 5 counts down, and the next walks back.
    EXPECT_EQ(turnedAfter, 5);
    EXPECT_LE(skull->GetPosition().x + skull->GetSize().x, 24 * kTile + 8.0f) << "inside its zone";
}

// The placement's name ("crouch") names the skull and its death message.
TEST_F(EnemyWorld, ADyingEnemyDropsAnItemByTheRuleAndTellsTheScriptThatWaitsForItsName)
{
    Enter("place Zone_NPCSpawner_CrouchSkull crouch 8 2 8x1\n"
          "trigger watcher 1 2 1x1 {\n:OnStartup\nwaitEvent_WaitMessage crouch_State_DIE\n"
          "CreateVar save crouch_died 1\n}\n");
    ASSERT_TRUE(game.console.ExecuteCommand("god 1"));
    Pass();
    auto* skull = First<NPC_CrouchSkull>();
    ASSERT_NE(skull, nullptr);
    // A hurt player and a draw above 0.6: the drop.
    ThePlayer().SetLife(ThePlayer().GetMaxLife() - 1);
    const platform::ScopedRandomValues draws(std::vector<uint32_t>(64, 0xF0000000u));
    EXPECT_EQ(BlowsToKill(skull, 3), 1);
    EXPECT_NE(BackgroundEvent::FindByTypeName("BGEvent_HandleDropItem"), nullptr);
    Passes(3);
    ScriptVar* died = Game::FindSaveVar("crouch_died");
    ASSERT_NE(died, nullptr);
    EXPECT_EQ(died->GetValue(), "1");

    // At full life, without a crossbow, nothing drops.
    Enter("place Zone_NPCSpawner_CrouchSkull crouch 8 2 8x1\n");
    ASSERT_TRUE(game.console.ExecuteCommand("god 1"));
    Pass();
    ThePlayer().SetLife(ThePlayer().GetMaxLife());
    const platform::ScopedRandomValues high(std::vector<uint32_t>(64, 0xF0000000u));
    EXPECT_EQ(BlowsToKill(First<NPC_CrouchSkull>(), 3), 1);
    EXPECT_EQ(BackgroundEvent::FindByTypeName("BGEvent_HandleDropItem"), nullptr);
}

// Counts the chained skulls' fire as the sound manager plays it, installed
// for its lifetime.
class FireHeard : public UsageObserver {
public:
    FireHeard()
        : previous(Installed<UsageObserver>::Get())
    {
        Installed<UsageObserver>::Set(this);
    }
    ~FireHeard() override { Installed<UsageObserver>::Set(previous); }
    FireHeard(const FireHeard&) = delete;
    FireHeard& operator=(const FireHeard&) = delete;
    void Used(std::string_view family, std::string_view name) override
    {
        if (family == "sound event" && name == "NPC_ChainedSkull_Fire")
            ++count;
    }
    int count = 0;

private:
    UsageObserver* previous;
};

TEST_F(EnemyWorld, TheChainedSkullsMouthCyclesEightyUpdatesAndItsShotsBurstIntoFlamesAtThePartnersHeight)
{
    FireHeard fire;
    const auto [upper, lower] = EnterChainedPair();
    ASSERT_NE(upper, nullptr);
    EXPECT_EQ(upper->GetPartner(), lower);
    Projectile_Chained_Skull* mouth = upper->GetMouth();
    ASSERT_NE(mouth, nullptr);
    ASSERT_TRUE(mouth->IsMouth());

    // The first spit comes at the turn after 7 updates down; the next one 80
    // updates later.
    std::vector<int> spits;
    size_t shots = 0;
    int flames = 0;
    std::set<float> burstHeights;
    for (int pass = 1; pass <= 170; ++pass) {
        const size_t before = All<Projectile_Chained_Skull>().size();
        Pass();
        for (Projectile_Fire_Launcher* flame : All<Projectile_Fire_Launcher>()) {
            ++flames;
            burstHeights.insert(flame->GetPosition().y);
        }
        const size_t after = All<Projectile_Chained_Skull>().size();
        if (after > before && after > shots)
            spits.push_back(pass);
        shots = after;
    }
    ASSERT_GE(spits.size(), 2u);
    EXPECT_EQ(spits[1] - spits[0], 80);
    EXPECT_GT(flames, 0) << "the shots burst into flames";
    // No rule plays the chained skull's fire: the flames declare it, and the
    // bursts are silent.
    EXPECT_EQ(fire.count, 0);
    // The upper skull's shots burst at the lower one's height; the lower
    // one's start below the upper one and burst at once, at its height.
    EXPECT_EQ(burstHeights,
        (std::set<float> {static_cast<float>(static_cast<int>(lower->GetPosition().y)),
            static_cast<float>(static_cast<int>(upper->GetPosition().y))}));
}

// A shot still falling when its partner is killed and removed falls on
// without bursting: it no longer reads the freed partner.
TEST_F(EnemyWorld, AChainedSkullsShotOutlivesItsKilledPartnerAndFallsOnWithoutBursting)
{
    const auto [upper, lower] = EnterChainedPair();
    ASSERT_NE(upper, nullptr);
    const float lowerHeight = lower->GetPosition().y;
    // The upper skull's shot: it falls toward its partner, the lower one.
    Watched<Projectile_Chained_Skull> shot;
    for (int pass = 0; pass < 20 && shot == nullptr; ++pass) {
        Pass();
        for (Projectile_Chained_Skull* s : All<Projectile_Chained_Skull>())
            if (!s->IsMouth() && !s->IsDead() && s->GetPartner() == lower)
                shot = Watched(s);
    }
    ASSERT_NE(shot, nullptr);
    lower->ApplyDamage(&ThePlayer(), 10);
    Pass();
    ASSERT_EQ(All<NPC_Chained_Skull>(), std::vector<NPC_Chained_Skull*> {upper});
    EXPECT_EQ(upper->GetPartner(), nullptr);
    ASSERT_TRUE(Live(shot));
    EXPECT_EQ(shot->GetPartner(), nullptr);
    const size_t flames = All<Projectile_Fire_Launcher>().size();
    for (int pass = 0; pass < 40 && shot->GetPosition().y >= lowerHeight; ++pass)
        Pass();
    ASSERT_TRUE(Live(shot));
    EXPECT_LT(shot->GetPosition().y, lowerHeight) << "past the partner's height, unburst";
    EXPECT_LE(All<Projectile_Fire_Launcher>().size(), flames) << "no new burst";
}

TEST_F(EnemyWorld, KillingAChainedSkullRemovesItsMouthInTheSameFrame)
{
    // Four blows of 1 at rank 1, two of 3 at rank 4: the skull has 4 lives.
    const struct {
        int rank;
        int blows;
    } cases[] = {{1, 4}, {4, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE("rank " + std::to_string(c.rank));
        Enter("place Zone_NPCSpawner_Chained_Skull chain 8 2 3x3\n");
        ASSERT_TRUE(game.console.ExecuteCommand("god 1"));
        Pass();
        const Watched skull(First<NPC_Chained_Skull>());
        ASSERT_NE(skull, nullptr);
        const Watched mouth(skull->GetMouth());
        ASSERT_NE(mouth, nullptr);
        EXPECT_EQ(BlowsToKill(skull, c.rank), c.blows);
        Pass();
        EXPECT_FALSE(Live(skull));
        EXPECT_FALSE(Live(mouth));
        for (Projectile_Chained_Skull* left : All<Projectile_Chained_Skull>())
            EXPECT_FALSE(left->IsMouth());
    }
}

TEST_F(EnemyWorld, TheStrongSkullReleasesOneFloatingSkullFurtherFromThePlayerOnceHoweverLowItsLife)
{
    Enter("place Zone_NPCSpawner_CrouchSkull_Strong strong 8 2 8x1\n");
    ASSERT_TRUE(game.console.ExecuteCommand("god 1"));
    Pass();
    auto* strong = First<NPC_CrouchSkull_Strong>();
    ASSERT_NE(strong, nullptr);
    ThePlayer().SetPosition(Point<float>(2 * kTile, kFloor));
    strong->SetPosition(Point<float>(10 * kTile, kFloor));
    // A blow far larger than its life, then one more while it dies.
    strong->ApplyDamage(&ThePlayer(), 9);
    EXPECT_EQ(strong->GetLife(), -6);
    ASSERT_EQ(All<NPC_FloatingSkull>().size(), 1u);
    NPC_FloatingSkull* released = All<NPC_FloatingSkull>().front();
    EXPECT_EQ(released->GetPosition(), strong->GetPosition());
    EXPECT_EQ(released->GetDestination(), strong->GetPosition().ToInt() + Point<int>(64, 0));
    EXPECT_TRUE(released->IsInvulnerable());
    strong->ApplyDamage(&ThePlayer(), 1);
    EXPECT_EQ(All<NPC_FloatingSkull>().size(), 1u) << "released once";
}

TEST_F(EnemyWorld, TheThrowerSkullThrowsWhenThePlayerIsBelowItsBoxAndThenWaitsAHundredUpdates)
{
    Enter("place Zone_NPCSPawner_FloatingSkull skull 8 3 2x1 SpawnCount=1 SkullKind=2\n");
    ASSERT_TRUE(game.console.ExecuteCommand("god 1"));
    auto* skull = First<NPC_ThrowerSkull>();
    ASSERT_NE(skull, nullptr);
    std::vector<int> throws;
    for (int pass = 1; pass <= 260; ++pass) {
        // The player stands in the trigger box, just below the skull.
        ThePlayer().SetPosition(skull->GetPosition() + Point<float>(-12.0f, 0.0f));
        const size_t before = All<Projectile_Thrower>().size();
        Pass();
        if (All<Projectile_Thrower>().size() > before)
            throws.push_back(pass);
    }
    ASSERT_GE(throws.size(), 2u);
    EXPECT_GE(throws[1] - throws[0], NPC_ThrowerSkull::kThrowWait);
}

TEST_F(EnemyWorld, AFloatingSkullChasesAPlayerWithinItsTriggerDistanceAndWandersOtherwise)
{
    Enter("place Zone_NPCSPawner_FloatingSkull skull 24 4 4x3 SpawnCount=1 SkullKind=0\n");
    ASSERT_TRUE(game.console.ExecuteCommand("god 1"));
    auto* skull = First<NPC_FloatingSkull>();
    ASSERT_NE(skull, nullptr);
    Passes(10);
    EXPECT_EQ(skull->GetState(), NPC_FloatingSkull::kWander) << "the player is far away";
    ThePlayer().SetPosition(skull->GetPosition() + Point<float>(-150.0f, -40.0f));
    Pass();
    EXPECT_EQ(skull->GetState(), NPC_FloatingSkull::kChase);
    EXPECT_EQ(skull->GetDestination(), ThePlayer().GetCenter().ToInt());
}

// A ghost skull turns every blow aside until it is frozen; a blow that would
// have struck it shows why, one hint at a time.
TEST_F(EnemyWorld, AnUnfrozenGhostSkullTurnsBlowsAsideWithOneHintAtATimeAndAFrozenOneIsStruck)
{
    Enter("place Zone_NPCSPawner_FloatingSkull ghost 16 4 6x3 SpawnCount=1 SkullKind=1\n");
    Pass();
    auto* ghost = First<NPC_FloatingSkull>();
    ASSERT_NE(ghost, nullptr);
    ASSERT_EQ(ghost->GetKind(), 1);
    const auto hints = [] { return BackgroundEvent::FindAllByTypeName("BGEvent_ShowText"); };
    // A box over the whole skull where it floats now, or one far beside it.
    const auto box = [&](int dx) {
        const Point<int> at = ghost->GetPosition().ToInt() + Point<int>(dx, 0);
        return Rect<int>(at.x - 8, at.y + 200, at.x + 200, at.y - 8);
    };
    EXPECT_FALSE(ghost->IsHitByBox(box(1000), false));
    EXPECT_TRUE(hints().empty()) << "a blow that misses shows nothing";
    EXPECT_FALSE(ghost->IsHitByBox(box(0), false));
    ASSERT_EQ(hints().size(), 1u);
    const auto* hint = dynamic_cast<const BGEvent_ShowText*>(hints().front());
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->GetName(), "FloatingSkullGhostCanTouch");
    EXPECT_EQ(hint->GetText(), "You can't touch this NPC because is an unfreezed ghost");
    EXPECT_EQ(hint->GetCount(), 20);
    EXPECT_TRUE(hint->IsStarted());
    // The armor's area attack is turned aside too; the hint showing, no other.
    EXPECT_FALSE(ghost->IsHitByBox(box(0), true));
    EXPECT_EQ(hints().size(), 1u);
    // Once it has gone, the next blow shows it again.
    for (int pass = 0; pass < 40 && !hints().empty(); ++pass)
        Pass();
    EXPECT_TRUE(hints().empty());
    EXPECT_FALSE(ghost->IsHitByBox(box(0), false));
    EXPECT_EQ(hints().size(), 1u);
    // Frozen, it is struck as any skull, without a hint.
    ghost->Freeze();
    EXPECT_TRUE(ghost->IsHitByBox(box(0), false));
    EXPECT_EQ(hints().size(), 1u);
}

} // namespace
