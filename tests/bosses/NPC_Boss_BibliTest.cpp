#include "bosses/NPC_Boss_Bibli.h"
#include "bosses/Projectile_Boss_Bibli.h"
#include "engine/platform/Random.h"
#include "engine/render/RenderPoolCommand.h"
#include "scene/AnimatedSprite.h"
#include "script/BackgroundEvent.h"

#include "tests/bosses/LibGardenArena.h"
#include "tests/ui/UITestSupport.h"

#include <gtest/gtest.h>

// The Hall of Whispers: the ghost's fades and its timings, its carousel of
// daggers and their throws, the knock-back and the life bands, the ice
// armour's reveal, and the whole arena from the walk in to the reload.
namespace {

const ArenaKit kHall {"l02", "boss_bibli", "boss_bibli_State_DIE", "NPC_Boss_Bibli_GraphicalIdle1", 24, "3"};

class BossBibli : public LibGardenArena {
protected:
    NPC_Boss_Bibli* Enter()
    {
        BossArena::Enter(KitText(kHall) + "place Zone_NPCSpawner_Boss_Bibli boss_bibli 13 3\n");
        Pass();
        return NamedAs<NPC_Boss_Bibli>("boss_bibli");
    }
    // Frames until the ghost is in the state (-1 past the limit).
    int FramesUntilState(NPC_Boss_Bibli* boss, int state, int limit = 400)
    {
        for (int frame = 1; frame <= limit; ++frame) {
            Pass();
            if (boss->GetState() == state)
                return frame;
        }
        return -1;
    }
    // Starts the ghost and runs it through its first hiding, until its two
    // daggers circle it; the boss and the daggers go to the out-parameters.
    void StartUntilTheDaggersCircle(
        NPC_Boss_Bibli*& boss, std::vector<Watched<Projectile_Boss_Bibli>>& daggers)
    {
        boss = Enter();
        ASSERT_NE(boss, nullptr);
        ASSERT_TRUE(Send("boss_bibli", "start", ""));
        ASSERT_NE(FramesUntilState(boss, NPC_Boss_Bibli::kVisible), -1);
        ASSERT_NE(FramesUntilState(boss, NPC_Boss_Bibli::kHidden), -1);
        ASSERT_NE(FramesUntilState(boss, NPC_Boss_Bibli::kVisible), -1);
        Pass();
        daggers = WatchAll<Projectile_Boss_Bibli>();
        ASSERT_EQ(daggers.size(), 2u);
    }
};

TEST_F(BossBibli, StartedItFadesInStandsStillDriftsThenHidesAndComesBackOnItsTimings)
{
    NPC_Boss_Bibli* boss = Enter();
    ASSERT_NE(boss, nullptr);
    EXPECT_EQ(boss->GetLife(), 60);
    EXPECT_EQ(boss->GetState(), NPC_Boss_Bibli::kWaiting);
    EXPECT_EQ(boss->GetCurrentGraphical(), nullptr);
    Passes(20);
    EXPECT_EQ(boss->GetState(), NPC_Boss_Bibli::kWaiting);
    ASSERT_TRUE(Send("boss_bibli", "START", ""));
    EXPECT_FALSE(Send("boss_bibli", "start", "")) << "a second start goes to the base";
    // Hidden for one frame, then a 30-frame fade-in.
    EXPECT_EQ(FramesUntilState(boss, NPC_Boss_Bibli::kAppearing), 1);
    EXPECT_EQ(FramesUntilState(boss, NPC_Boss_Bibli::kVisible), 31);
    // The first appearance: 90 still frames, then 150 of drifting; no dagger.
    const Point<float> still = boss->GetPosition();
    Passes(89);
    EXPECT_EQ(boss->GetPosition(), still);
    EXPECT_EQ(FramesUntilState(boss, NPC_Boss_Bibli::kVanishing), 1 + 150);
    EXPECT_NE(boss->GetPosition(), still);
    EXPECT_EQ(CountOf("Projectile_Boss_BibliV0"), 0);
    // 30 frames of fading, 150 hidden, and it fades in again.
    // (The fade starts in the frame that begins the vanishing.)
    EXPECT_EQ(FramesUntilState(boss, NPC_Boss_Bibli::kHidden), 30);
    EXPECT_EQ(FramesUntilState(boss, NPC_Boss_Bibli::kAppearing), 149);
    EXPECT_EQ(FramesUntilState(boss, NPC_Boss_Bibli::kVisible), 31);
    // Now a carousel of band + 1 daggers: two at full life.
    Pass();
    EXPECT_EQ(CountOf("Projectile_Boss_BibliV0"), 2);
    EXPECT_EQ(boss->GetCarouselSize(), 2u);
    // Disabled it stands frozen, its picture kept.
    GraphicalObject* shown = boss->GetCurrentGraphical();
    ASSERT_NE(shown, nullptr);
    const Point<float> at = boss->GetPosition();
    ASSERT_TRUE(Send("boss_bibli", "disable", ""));
    Passes(2);
    EXPECT_EQ(boss->GetCurrentGraphical(), shown);
    EXPECT_EQ(boss->GetPosition(), at);
    EXPECT_EQ(boss->GetState(), NPC_Boss_Bibli::kVisible);
}

TEST_F(BossBibli, ItIsRecordedWithTheDrawFactorThreeUnlessExplodingAndTheFactorIsOneAgainAfter)
{
    NPC_Boss_Bibli* boss = Enter();
    ASSERT_NE(boss, nullptr);
    ASSERT_TRUE(Send("boss_bibli", "start", ""));
    ASSERT_NE(FramesUntilState(boss, NPC_Boss_Bibli::kVisible), -1);
    ASSERT_EQ(g_RenderEngine, nullptr) << "the arena draws nothing by itself";
    uitest::RecordingEngine recording;
    // The factor each recorded draw carried, and the engine's after the draw.
    const auto factors = [&] {
        recording.Clear();
        boss->Draw(nullptr, Point<int>());
        std::vector<float> seen;
        for (const RenderPoolCommand& command : recording.pool.GetFillCommands())
            seen.push_back(command.GetDrawFactor());
        EXPECT_FLOAT_EQ(recording.engine.GetDrawFactor(), 1.0f);
        return seen;
    };
    const std::vector<float> visible = factors();
    ASSERT_FALSE(visible.empty());
    EXPECT_EQ(visible, std::vector<float>(visible.size(), 3.0f));
    boss->Explode(false);
    const std::vector<float> exploding = factors();
    EXPECT_EQ(exploding, std::vector<float>(exploding.size(), 1.0f));
}

TEST_F(BossBibli, TheDaggersCircleAndAreThrownOneByOneFromTheFrontThenTheGhostVanishes)
{
    NPC_Boss_Bibli* boss = nullptr;
    std::vector<Watched<Projectile_Boss_Bibli>> daggers;
    ASSERT_NO_FATAL_FAILURE(StartUntilTheDaggersCircle(boss, daggers));
    // Evenly spaced on the turn, a hundredth of a turn each frame.
    const float first = daggers[0]->GetOrbit();
    Pass();
    EXPECT_NEAR(daggers[0]->GetOrbit(), std::fmod(first + 0.01f, 1.0f), 1e-4f);
    // The visible time of 60 frames ends with the first throw; the second
    // follows 60 frames later once a dagger is in front.
    int thrownAt[2] = {-1, -1};
    int steppedPictures = 0;
    for (int frame = 1; frame <= 400 && thrownAt[1] < 0; ++frame) {
        Pass();
        // The world's look has 2 frames of 100 ms; a dagger never steps it.
        for (const auto& dagger : daggers)
            if (Live(dagger) && dagger->GetCurrentGraphical() != nullptr
                && dagger->GetCurrentGraphical()->GetAnimationFrame() != 0)
                ++steppedPictures;
        for (int i = 0; i < 2; ++i)
            if (thrownAt[i] < 0 && Live(daggers[i])
                && daggers[i]->GetState() != Projectile_Boss_Bibli::kOnCarousel) {
                thrownAt[i] = frame;
                // Its spot lies 224 to 288 pixels above the ghost, from 32
                // left of it to 192 right.
                const Point<int> spot = daggers[i]->GetTarget() - boss->GetPosition().ToInt();
                EXPECT_GE(spot.y, 224);
                EXPECT_LT(spot.y, 288);
                EXPECT_GE(spot.x, -32);
                EXPECT_LT(spot.x, 192);
            }
    }
    ASSERT_GT(thrownAt[0], 0);
    ASSERT_GT(thrownAt[1], 0);
    EXPECT_EQ(steppedPictures, 0);
    EXPECT_GE(std::abs(thrownAt[1] - thrownAt[0]), 60);
    // Both thrown: the ghost vanishes 30 frames after the last throw, and
    // every dagger ends within its flight.
    EXPECT_NE(FramesUntilState(boss, NPC_Boss_Bibli::kVanishing, 40), -1);
    Passes(200);
    EXPECT_EQ(CountOf("Projectile_Boss_BibliV0"), 0);
}

TEST_F(BossBibli, ADaggerHurtsOnlyThroughASpriteInstanceAndFliesOnInTheUpdateItsGhostDies)
{
    NPC_Boss_Bibli* boss = nullptr;
    std::vector<Watched<Projectile_Boss_Bibli>> daggers;
    ASSERT_NO_FATAL_FAILURE(StartUntilTheDaggersCircle(boss, daggers));
    // The one that comes first to the front takes its look.
    ASSERT_GE(PassUntil([&] { return daggers[1]->GetCurrentGraphical() != nullptr; }, 50), 0);
    Projectile_Boss_Bibli* dagger = daggers[1];
    GraphicalObject* look = dagger->GetCurrentGraphical();
    ASSERT_NE(look, nullptr);
    ASSERT_GE(look->GetSpriteInstanceCount(), 1) << "the world's dagger look has a sprite instance";
    // Its blade over the player's first hurt box.
    const Rect<int> hurt = ThePlayer().GetHurtBoxes().front();
    const Point<float> onPlayer = ThePlayer().GetPosition()
        + Point<float>((hurt.x0 + hurt.x1) * 0.5f - 16.0f, (hurt.y0 + hurt.y1) * 0.5f - 32.0f);
    dagger->SetPosition(onPlayer);
    EXPECT_TRUE(dagger->HitsPlayer());
    // The same picture drawn by its animation alone: no blade, no hit.
    GraphicalObject animatedOnly("dagger_animated_only");
    animatedOnly.SetSize(32, 64, true);
    AnimatedSprite* animation = look->GetAnimatedInstance(0)->GetPrototype();
    animatedOnly.AddAnimatedInstance(animation, 0, 0);
    animatedOnly.AddGenericSpriteIndex(animation, 0);
    dagger->SetCurrentGraphical(&animatedOnly);
    EXPECT_FALSE(dagger->HitsPlayer());
    dagger->SetCurrentGraphical(look);

    // Thrown, it flies on in the update that finds its ghost without life,
    // and marks itself dead.
    dagger->Throw(0, 0);
    Pass();
    const Point<float> before = dagger->GetPosition();
    boss->SetLife(0);
    Pass();
    ASSERT_TRUE(Live(daggers[1]));
    EXPECT_TRUE(dagger->IsDead());
    EXPECT_NE(dagger->GetPosition(), before);
}

TEST_F(BossBibli, HitsKnockItBackHarderAcrossALifeBandAndTheIceRevealsItWhileHidden)
{
    NPC_Boss_Bibli* boss = Enter();
    ASSERT_NE(boss, nullptr);
    ASSERT_TRUE(Send("boss_bibli", "start", ""));
    // Fading in: hits change nothing.
    ASSERT_EQ(FramesUntilState(boss, NPC_Boss_Bibli::kAppearing), 1);
    Strike(boss, 5);
    EXPECT_EQ(boss->GetLife(), 60);
    ASSERT_NE(FramesUntilState(boss, NPC_Boss_Bibli::kVisible), -1);
    // Bands of 10: 60 to 51 is band 1.
    const struct {
        int damage;
        int life;
        int band;
        int recoil;
        float speed;
        bool shake;
    } hits[] = {
        {3, 57, 1, 2, 10.0f, false},
        {7, 50, 2, 4, 12.5f, true},
        {1, 49, 2, 2, 10.0f, false},
        {39, 10, 6, 4, 12.5f, true},
    };
    for (const auto& h : hits) {
        SCOPED_TRACE(h.life);
        for (BackgroundEvent* shake = BackgroundEvent::FindByTypeName("BGEvent_ShakeCamera");
             shake != nullptr; shake = BackgroundEvent::FindByTypeName("BGEvent_ShakeCamera"))
            Pass();
        Strike(boss, h.damage);
        EXPECT_EQ(boss->GetLife(), h.life);
        EXPECT_EQ(boss->GetLifePhase(), h.band);
        EXPECT_EQ(boss->GetRecoil(), h.recoil);
        EXPECT_FLOAT_EQ(boss->GetSpeedValue(), h.speed);
        EXPECT_EQ(BackgroundEvent::FindByTypeName("BGEvent_ShakeCamera") != nullptr, h.shake);
        // Away from the player, who stands left of it.
        EXPECT_GT(boss->GetDirection().x, 0.0f);
    }
    // Hidden, the ice armour's area hit reveals it for 60 frames; its hidden
    // time runs on meanwhile.
    ASSERT_NE(FramesUntilState(boss, NPC_Boss_Bibli::kHidden, 800), -1);
    const int hiddenLeft = boss->GetHiddenTimer();
    boss->ReceiveHit(&ThePlayer(), 2, 1.0f);
    EXPECT_EQ(boss->GetState(), NPC_Boss_Bibli::kRevealed);
    EXPECT_EQ(boss->GetLife(), 9);
    Passes(30);
    EXPECT_EQ(boss->GetState(), NPC_Boss_Bibli::kRevealed);
    EXPECT_EQ(boss->GetHiddenTimer(), hiddenLeft - 30);
    EXPECT_NE(FramesUntilState(boss, NPC_Boss_Bibli::kHidden, 31), -1);
    // A fire area hit does not reveal it.
    boss->ReceiveHit(&ThePlayer(), 1, 1.0f);
    EXPECT_EQ(boss->GetState(), NPC_Boss_Bibli::kHidden);
}

TEST_F(BossBibli, TheArenaRunsFromTheWalkInToTheRewardAndAReloadFindsTheFightDone)
{
    NPC_Boss_Bibli* boss = Enter();
    ASSERT_NE(boss, nullptr);
    WalkIn(kHall);
    EXPECT_NE(boss->GetState(), NPC_Boss_Bibli::kWaiting) << "the arena sent start";
    // The ghost fades and flies: its blows are dealt directly, with the
    // player as the attacker, once it can be hit.
    ASSERT_NE(FramesUntilState(boss, NPC_Boss_Bibli::kVisible), -1);
    MessageCounter* died = Await("boss_bibli_State_DIE");
    Strike(boss, 59);
    EXPECT_EQ(boss->GetLifePhase(), 6);
    Strike(boss, 1);
    EXPECT_TRUE(boss->IsExploding());
    EXPECT_EQ(died->Count(), 0) << "never in the frame of the hit";
    ASSERT_NE(PassUntil([&] { return died->Count() == 1; }, 300), -1);
    FinishAndReload(kHall, [&] { return Named("boss_bibli"); });
}

} // namespace
