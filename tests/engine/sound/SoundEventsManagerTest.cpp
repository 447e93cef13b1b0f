#include "engine/sound/SoundEventsManager.h"

#include "engine/sound/DXSoundEngine.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundEvent.h"
#include "tests/engine/sound/SoundTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <sstream>

using namespace soundtest;

namespace {

std::string EventRecord(const std::string& name, const std::vector<std::string>& sounds,
    const std::string& inner, const std::string& outer)
{
    std::string text = "SoundEventV0\r\n" + name + "\r\n" + std::to_string(sounds.size()) + "\r\n";
    for (const std::string& sound : sounds)
        text += sound == "NULL" ? "NULL\r\n" : "SoundV0Ptr\r\n" + sound + "\r\n";
    return text + inner + "\r\n" + outer + "\r\n";
}

std::string ManagerRecord(int count, const std::string& records)
{
    return "SoundEventsManagerV0\r\n0\r\n" + std::to_string(count) + "\r\n" + records;
}

TEST(SoundEventsManagerTableTest, HoldsTheGamesEvents)
{
    SoundEventsManager manager;
    const auto& events = manager.GetRegisteredEvents();
    ASSERT_EQ(events.size(), 152u);
    EXPECT_EQ(
        std::count_if(events.begin(), events.end(), [](const auto& e) { return e->IsPositional(); }), 45);
    std::set<std::string> names;
    for (const auto& event : events)
        names.insert(event->GetName());
    EXPECT_EQ(names.size(), 152u);
    const SoundEvent* spider = manager.FindEvent("Player_TransformSpider");
    ASSERT_NE(spider, nullptr);
    EXPECT_EQ(spider->GetVoicesPerVariation(), 10);
    EXPECT_EQ(manager.FindEvent("player_transformspider"), nullptr); // names match exactly
}

class SoundEventsManagerTest : public testing::Test {
protected:
    void SetUp() override
    {
        game.manager = &manager;
        for (const char* name : {"menu_select", "door_close", "door_close_2"}) {
            sounds.push_back(MakeFakeSound(name));
            game.sounds[name] = sounds.back().get();
        }
    }

    FakeGame game;
    SoundEventsManager manager;
    std::vector<std::unique_ptr<Sound>> sounds;
};

TEST_F(SoundEventsManagerTest, RecordFillsVariationsAndRadiiAndIgnoresUnknownEvents)
{
    std::stringstream text(ManagerRecord(4,
        EventRecord("Menu_Select", {"menu_select"}, "96", "640")
            + EventRecord("No_Such_Event", {"menu_select"}, "1", "2")
            + EventRecord("Door_Close", {"door_close"}, "10", "20")
            + EventRecord("Door_Close", {"door_close_2", "NULL"}, "50", "300")));
    ASSERT_TRUE(manager.UnSerialize(text));
    const SoundEvent* select = manager.FindEvent("Menu_Select");
    ASSERT_EQ(select->GetVariations().size(), 1u);
    EXPECT_EQ(select->GetVariations()[0], game.sounds["menu_select"]);
    EXPECT_FLOAT_EQ(select->GetInnerRadius(), 96.0f);
    EXPECT_FLOAT_EQ(select->GetOuterRadius(), 640.0f);
    EXPECT_EQ(manager.FindEvent("No_Such_Event"), nullptr);
    EXPECT_EQ(manager.GetRegisteredEvents().size(), 152u);

    // The last record of a name wins; flag and voices stay the table's.
    const SoundEvent* close = manager.FindEvent("Door_Close");
    ASSERT_EQ(close->GetVariations().size(), 2u);
    EXPECT_EQ(close->GetVariations()[0], game.sounds["door_close_2"]);
    EXPECT_EQ(close->GetVariations()[1], nullptr);
    EXPECT_FLOAT_EQ(close->GetOuterRadius(), 300.0f);
    EXPECT_TRUE(close->IsPositional());
    EXPECT_EQ(close->GetVoicesPerVariation(), 1);

    // Written back and read into a fresh manager, the record gives the same events.
    std::stringstream written;
    ASSERT_TRUE(manager.Serialize(written));
    SoundEventsManager reread;
    ASSERT_TRUE(reread.UnSerialize(written));
    EXPECT_EQ(reread.FindEvent("Door_Close")->GetVariations(), close->GetVariations());
    EXPECT_FLOAT_EQ(reread.FindEvent("Menu_Select")->GetOuterRadius(), 640.0f);
    EXPECT_FLOAT_EQ(reread.FindEvent("Player_Die")->GetOuterRadius(), 400.0f);

    // Class lines are read and not compared; a negative count reads as none.
    std::stringstream lenient("SoundEventsManagerV1\r\n0\r\n2\r\nSoundEventV7\r\nPlayer_Die\r\n1\r\n"
                              "SoundV1Ptr\r\nmenu_select\r\n10\r\n20\r\n"
                              "SoundEventV0\r\nPlayer_Jump\r\n-1\r\n50\r\n500\r\n");
    ASSERT_TRUE(manager.UnSerialize(lenient));
    EXPECT_EQ(
        manager.FindEvent("Player_Die")->GetVariations(), std::vector<Sound*> {game.sounds["menu_select"]});
    EXPECT_TRUE(manager.FindEvent("Player_Jump")->GetVariations().empty());
    EXPECT_FLOAT_EQ(manager.FindEvent("Player_Jump")->GetInnerRadius(), 50.0f);
    std::stringstream none(ManagerRecord(-1, ""));
    EXPECT_TRUE(manager.UnSerialize(none));
}

TEST_F(SoundEventsManagerTest, DamagedRecordFailsClearlyAndChangesNoEvent)
{
    // Counts that are no numbers, or far larger than what follows, fail
    // without being trusted.
    const std::string damaged[] = {
        "",
        "SoundEventsManagerV0\r\n0\r\nmany\r\n",
        ManagerRecord(2000000000, EventRecord("Menu_Select", {"menu_select"}, "1", "2")),
        ManagerRecord(1, "SoundEventV0\r\nMenu_Select\r\nmany\r\n"),
        ManagerRecord(1, "SoundEventV0\r\nMenu_Select\r\n2000000000\r\nNULL\r\n"),
    };
    for (const std::string& record : damaged) {
        std::stringstream text(record);
        EXPECT_FALSE(SoundEventsManager().UnSerialize(text)) << record;
    }

    std::stringstream badMiddle(ManagerRecord(3,
        EventRecord("Menu_Select", {"menu_select"}, "96", "640")
            + EventRecord("Door_Close", {"door_close"}, "ten", "20")
            + EventRecord("Door_Open", {"door_close"}, "1", "2")));
    const float outerBefore = manager.FindEvent("Menu_Select")->GetOuterRadius();
    EXPECT_FALSE(manager.UnSerialize(badMiddle));
    // The good record before the damaged one is not applied either.
    EXPECT_FLOAT_EQ(manager.FindEvent("Menu_Select")->GetOuterRadius(), outerBefore);
    EXPECT_NE(outerBefore, 640.0f);
    EXPECT_TRUE(manager.FindEvent("Door_Close")->GetVariations().empty());
    EXPECT_FLOAT_EQ(manager.FindEvent("Door_Close")->GetInnerRadius(), 100.0f);
    EXPECT_TRUE(manager.FindEvent("Door_Open")->GetVariations().empty());
}

TEST_F(SoundEventsManagerTest, ObjectsGetTheirOwnCopiesAndReleaseThem)
{
    std::stringstream text(ManagerRecord(1, EventRecord("Door_Close", {"door_close"}, "50", "300")));
    ASSERT_TRUE(manager.UnSerialize(text));
    EXPECT_EQ(manager.CopyEventForObject("No_Such_Event"), nullptr);

    SoundEvent* copy = manager.CopyEventForObject("Door_Close");
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, manager.FindEvent("Door_Close"));
    EXPECT_TRUE(copy->IsPositional());
    EXPECT_FLOAT_EQ(copy->GetOuterRadius(), 300.0f);
    copy->CreateVoices();
    EXPECT_EQ(copy->GetVoices().size(), 1u);
    EXPECT_TRUE(manager.FindEvent("Door_Close")->GetVoices().empty());
    EXPECT_EQ(manager.GetLiveCopyCount(), 1u);

    SoundEvent* registered = manager.FindEvent("Door_Close");
    EXPECT_FALSE(manager.ReleaseEvent(&registered)); // the table's own event stays
    EXPECT_FALSE(manager.ReleaseEvent(nullptr));
    EXPECT_TRUE(manager.ReleaseEvent(&copy));
    EXPECT_EQ(copy, nullptr);
    EXPECT_FALSE(manager.ReleaseEvent(&copy));
    EXPECT_EQ(manager.GetLiveCopyCount(), 0u);
}

// The manager and events on the real engine, mixed on the loopback device.
class SoundEventsOnEngineTest : public LoopbackTest {
protected:
    void SetUp() override
    {
        LoopbackTest::SetUp();
        WriteFile(folder + "hum.wav", MakeWav(MakeTones({{440.0, 0.25}}, 0.25)));
        hum = LoadSound("hum", "hum.wav", true);
        ASSERT_NE(hum->GetRessource(), nullptr);
        game.sounds["hum"] = hum.get();
        std::stringstream text(ManagerRecord(2,
            EventRecord("Player_HeartBeat", {"hum"}, "96", "640")
                + EventRecord("Script_User_InWorld_01", {"hum"}, "96", "640")));
        ASSERT_TRUE(manager.UnSerialize(text));
    }

    void TearDown() override
    {
        // Copies (and their voices) go before the sound they play.
        for (SoundEvent* copy : copies)
            manager.ReleaseEvent(&copy);
    }

    SoundEvent* Copy(const std::string& name)
    {
        SoundEvent* copy = manager.CopyEventForObject(name);
        copy->CreateVoices();
        copies.push_back(copy);
        return copy;
    }

    double Amplitude() { return SettledAmplitude(440.0); }

    std::unique_ptr<Sound> hum;
    std::vector<SoundEvent*> copies;
};

TEST_F(SoundEventsOnEngineTest, PauseAllAndResumeAllContinueTheVoices)
{
    SoundEvent* heart = Copy("Player_HeartBeat");
    heart->Play();
    EXPECT_TRUE(manager.WasStartedThisFrame("hum"));
    EXPECT_GT(Amplitude(), 0.05);
    manager.PauseAll();
    EXPECT_LT(Amplitude(), 0.001);
    EXPECT_NE(heart->GetPlayingVoiceIndex(), -1); // a paused voice is kept
    manager.ResumeAll();
    EXPECT_GT(Amplitude(), 0.05);
    manager.StopAll();
    EXPECT_LT(Amplitude(), 0.001);
    EXPECT_EQ(heart->GetPlayingVoiceIndex(), -1);
    EXPECT_FALSE(heart->IsPlaying());
    manager.ResumeAll(); // a stopped voice does not come back
    EXPECT_LT(Amplitude(), 0.001);
}

TEST_F(SoundEventsOnEngineTest, EventAndLayerVolumesMultiply)
{
    SoundEvent* ambience = Copy("Script_User_InWorld_01");
    ambience->SetPosition(0.0f, 0.0f);
    game.hasPlayer = true;
    ambience->Play();
    ambience->UpdatePositional();
    const double full = Amplitude();
    ASSERT_GT(full, 0.05);

    // Half volume from the distance, half from the configured sound volume;
    // the music volume leaves sounds alone.
    game.playerX = std::sqrt((640.0f * 640.0f + 96.0f * 96.0f) / 2.0f);
    ambience->UpdatePositional();
    game.config.SetSoundVolume(5);
    game.config.SetMusicVolume(0);
    engine.ApplyVolumes();
    EXPECT_NEAR(Amplitude() / full, 0.25, 0.02);
}

} // namespace
