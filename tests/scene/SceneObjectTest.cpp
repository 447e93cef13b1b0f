#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "engine/sound/SoundEvent.h"
#include "engine/sound/SoundEventsManager.h"
#include "engine/sound/SoundGameAccess.h"
#include "game/Game.h"
#include "scene/CameraBlocker.h"
#include "scene/GameplayObject.h"
#include "scene/Level.h"
#include "scene/SceneObject.h"
#include "scene/SceneObjectHandle.h"

namespace {

std::string Body(const std::string& record)
{
    return record.substr(record.find("\r\n") + 2);
}

bool SameColour(const Color& colour, int r, int g, int b, int a)
{
    return colour.r == r && colour.g == g && colour.b == b && colour.a == a;
}

std::string NextLine(std::istream& is)
{
    std::string line;
    std::getline(is, line);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

// A scene object whose class declares three sound events, the middle one
// unknown to the sound-events manager.
class Speaker : public SceneObject {
public:
    explicit Speaker(std::string name)
        : SceneObject(std::move(name))
    {
    }
    void DeclareSounds() override
    {
        DeclareSound("Menu_Select");
        DeclareSound("No_Such_Event");
        DeclareSound("Door_Open");
    }
};

// Gives the sound classes a sound-events manager, as the game object does.
class SoundEventsOnly : public SoundGameAccess {
public:
    SoundEventsOnly() { SetSoundGameAccess(this); }
    ~SoundEventsOnly() override { SetSoundGameAccess(nullptr); }
    ISoundEngine* GetSoundEngine() override { return nullptr; }
    SoundEventsManager* GetSoundEventsManager() override { return &manager; }
    MusicLibrary* GetMusicLibrary() override { return nullptr; }
    Sound* FindSound(const std::string&) override { return nullptr; }
    bool GetPlayerBox(float&, float&, int&, int&) override { return false; }
    GameConfig* GetConfig() override { return nullptr; }

    SoundEventsManager manager;
};

} // namespace

TEST(SceneObjectRecord, RoundTripsByteForByte)
{
    SceneObject object("Lamp");
    object.SetCategory("(Effect)");
    object.SetColor(Color(10, 20, 30, 40));
    std::ostringstream written;
    ASSERT_TRUE(object.Serialize(written));
    EXPECT_EQ(written.str(), "SceneObjectV0\r\nLamp\r\n(Effect)\r\n_SceneObject_updatetag_1.0_\r\n10\r\n20\r\n30\r\n40\r\n");

    std::istringstream in(Body(written.str()) + "after\r\n");
    SceneObject read("");
    ASSERT_TRUE(read.UnSerialize(in));
    EXPECT_EQ(read.GetName(), "Lamp");
    EXPECT_TRUE(SameColour(read.GetColor(), 10, 20, 30, 40));
    EXPECT_EQ(NextLine(in), "after");
    std::ostringstream again;
    read.Serialize(again);
    EXPECT_EQ(again.str(), written.str());

    read.SetSkipSerialize(true);
    std::ostringstream skipped;
    EXPECT_TRUE(read.Serialize(skipped));
    EXPECT_TRUE(skipped.str().empty());
}

TEST(SceneObjectRecord, OlderLayoutChoosesColourByKindAndRereadsTheNextLine)
{
    {
        GameplayObject teleport("");
        std::istringstream in("Zone Teleport\r\n(game play)\r\n77\r\n");
        EXPECT_TRUE(teleport.SceneObject::UnSerialize(in));
        EXPECT_TRUE(SameColour(teleport.GetColor(), 250, 250, 0, 255));
        EXPECT_EQ(NextLine(in), "77");
    }
    {
        GameplayObject zone("");
        std::istringstream in("Zone Save\n(game play)\n");
        zone.SceneObject::UnSerialize(in);
        EXPECT_TRUE(SameColour(zone.GetColor(), 50, 200, 250, 255));
    }
    {
        CameraBlocker blocker("");
        std::istringstream in("Blocker\n(game play)\nnext\n");
        blocker.SceneObject::UnSerialize(in);
        EXPECT_TRUE(SameColour(blocker.GetColor(), 50, 100, 205, 255));
        EXPECT_EQ(NextLine(in), "next");
    }
    {
        SceneObject armor("");
        std::istringstream in("Armor Ice Fire\n(Player)\n");
        armor.UnSerialize(in);
        EXPECT_TRUE(SameColour(armor.GetColor(), 250, 50, 100, 255));
    }
    {
        SceneObject ice("");
        std::istringstream in("Armor Ice\n(Player)\n");
        ice.UnSerialize(in);
        EXPECT_TRUE(SameColour(ice.GetColor(), 50, 100, 250, 255));
    }
    {
        SceneObject enemy("");
        std::istringstream in("Ice Crawler\n(NPC)\n");
        enemy.UnSerialize(in);
        EXPECT_TRUE(SameColour(enemy.GetColor(), 255, 255, 255, 255));
    }
}

TEST(SceneObjectRecord, DamagedRecordsFailCleanly)
{
    SceneObject empty("x");
    std::istringstream nothing("");
    EXPECT_FALSE(empty.UnSerialize(nothing));

    // A colour line that does not parse stops the colour there; the name and
    // category were read, so the record still counts as read.
    SceneObject partial("");
    std::istringstream in("Lamp\n(Default)\n_SceneObject_updatetag_1.0_\n10\nbad\n30\n40\n");
    EXPECT_TRUE(partial.UnSerialize(in));
    EXPECT_TRUE(SameColour(partial.GetColor(), 10, 255, 255, 255));
    EXPECT_EQ(NextLine(in), "30");
}

TEST(SceneObjectHandle, TurnsNullWhenTheObjectIsDestroyed)
{
    SceneObjectHandle* handle = nullptr;
    const size_t before = SceneObjectHandle::Registry().size();
    {
        auto* object = new SceneObject("Door");
        handle = object->GetHandle();
        EXPECT_EQ(object->GetHandle(), handle);
        EXPECT_EQ(handle->GetTarget(), object);
        handle->AddRef();
        handle->AddRef();
        delete object;
    }
    // Holders still hold it: it stays registered and tells them the object is gone.
    ASSERT_EQ(SceneObjectHandle::Registry().size(), before + 1);
    EXPECT_EQ(handle->GetTarget(), nullptr);
    handle->Release();
    EXPECT_EQ(SceneObjectHandle::Registry().size(), before + 1);
    handle->Release(); // the last holder frees it
    EXPECT_EQ(SceneObjectHandle::Registry().size(), before);
}

TEST(SceneObjectHandle, UnheldHandlesGoWithTheirObjectOrWithTheLevelRelease)
{
    const size_t before = SceneObjectHandle::Registry().size();
    {
        SceneObject object("Crate");
        object.GetHandle();
    }
    EXPECT_EQ(SceneObjectHandle::Registry().size(), before);

    auto* object = new SceneObject("Chest");
    object->GetHandle()->AddRef();
    delete object;
    SceneObjectHandle::ReleaseOrphans();
    EXPECT_EQ(SceneObjectHandle::Registry().size(), before + 1); // still held
    SceneObjectHandle::Registry().back()->refCount = 0;
    SceneObjectHandle::ReleaseOrphans();
    EXPECT_EQ(SceneObjectHandle::Registry().size(), before);
}

TEST(SceneObjectSounds, OwnCopiesFollowTheDeclaredNames)
{
    SoundEventsOnly game;
    {
        Speaker speaker("Speaker");
        speaker.Init();
        ASSERT_EQ(speaker.GetSoundEventCount(), 3);
        EXPECT_NE(speaker.GetSoundEvent(0), nullptr);
        EXPECT_EQ(speaker.GetSoundEvent(1), nullptr);
        EXPECT_EQ(speaker.GetSoundEvent(3), nullptr);
        EXPECT_EQ(speaker.GetSoundEvent(-1), nullptr);
        EXPECT_EQ(game.manager.GetLiveCopyCount(), 2u);

        EXPECT_FALSE(speaker.PlaySoundAt(1));
        EXPECT_TRUE(speaker.PlaySound("Door_Open"));
        EXPECT_TRUE(speaker.GetSoundEvent(2)->IsPlaying());
        EXPECT_FALSE(speaker.GetSoundEvent(0)->IsPlaying());
        EXPECT_FALSE(speaker.PlaySound("No_Such_Event"));
        EXPECT_TRUE(speaker.StopSound("Door_Open"));
        EXPECT_FALSE(speaker.GetSoundEvent(2)->IsPlaying());

        // Loading again rebuilds the copies instead of adding to them.
        speaker.LoadSounds();
        EXPECT_EQ(speaker.GetSoundEventCount(), 3);
        EXPECT_EQ(game.manager.GetLiveCopyCount(), 2u);
    }
    // The destructor gives its copies back.
    EXPECT_EQ(game.manager.GetLiveCopyCount(), 0u);
}

TEST(SceneObjectSounds, ReleaseHandsEventsOverOrLeavesThemWithTheManager)
{
    SoundEventsOnly game;
    Speaker launcher("Launcher");
    launcher.LoadSounds();
    SceneObject projectile("Projectile");
    launcher.ReleaseSounds(&projectile);
    EXPECT_EQ(launcher.GetSoundEventCount(), 0);
    EXPECT_EQ(projectile.GetSoundEventCount(), 2);
    projectile.UnloadSounds(false);
    EXPECT_EQ(game.manager.GetLiveCopyCount(), 0u);

    launcher.LoadSounds();
    launcher.ReleaseSounds(nullptr);
    EXPECT_EQ(launcher.GetSoundEventCount(), 0);
    EXPECT_EQ(game.manager.GetLiveCopyCount(), 2u); // still the manager's
}

TEST(SceneObjectSounds, WithoutAManagerNothingIsCreated)
{
    Speaker speaker("Quiet");
    speaker.LoadSounds();
    EXPECT_EQ(speaker.GetSoundNames().size(), 3u);
    EXPECT_EQ(speaker.GetSoundEventCount(), 0);
    EXPECT_FALSE(speaker.PlaySoundAt(0));
}

TEST(SceneObjectReference, ResolvesThroughTheLevelThenTheGameLibrary)
{
    Game game;
    GraphicalObject lamp("Lamp");
    SceneObject sound("Ambience");
    game.sceneObjects = { &lamp, &sound };
    Level level("test.lvl");

    std::istringstream in("Lamp\r\nAmbience\r\nLamp\r\nNobody\r\n");
    EXPECT_EQ(SceneObject::UnSerializeReference(in, &level), &lamp);
    EXPECT_EQ(level.FindObjectByName("Lamp"), &lamp); // graphical objects join the level's list
    EXPECT_EQ(SceneObject::UnSerializeReference(in, &level), &sound);
    EXPECT_EQ(level.FindObjectByName("Ambience"), nullptr);
    game.sceneObjects.clear();
    EXPECT_EQ(SceneObject::UnSerializeReference(in, &level), &lamp); // found in the level now
    EXPECT_EQ(SceneObject::UnSerializeReference(in, nullptr), nullptr);
}
