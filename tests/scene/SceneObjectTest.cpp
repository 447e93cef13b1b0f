#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "engine/sound/SoundEvent.h"
#include "engine/sound/SoundEventsManager.h"
#include "scene/CameraBlocker.h"
#include "scene/GameplayObject.h"
#include "scene/Level.h"
#include "scene/SceneObject.h"
#include "scene/SceneObjectHandle.h"
#include "tests/engine/sound/SoundTestSupport.h"
#include "tests/scene/RecordText.h"
#include "tests/scene/SceneHost.h"

namespace {

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
struct SoundEventsOnly : soundtest::FakeGame {
    SoundEventsOnly() { manager = &events; }
    SoundEventsManager events;
};

} // namespace

TEST(SceneObjectRecord, RoundTripsByteForByte)
{
    SceneObject object("Lamp");
    object.SetCategory("(Effect)");
    object.SetColor(Color(10, 20, 30, 40));
    const std::string written = Write(object);
    EXPECT_EQ(written,
        "SceneObjectV0\r\nLamp\r\n(Effect)\r\n_SceneObject_updatetag_1.0_\r\n10\r\n20\r\n30\r\n40\r\n");

    std::istringstream in(Body(written) + "after\r\n");
    SceneObject read("");
    ASSERT_TRUE(read.UnSerialize(in));
    EXPECT_EQ(Write(read), written);
    EXPECT_EQ(NextLine(in), "after");
}

TEST(SceneObjectRecord, OlderLayoutChoosesColourByKindAndRereadsTheNextLine)
{
    struct {
        std::unique_ptr<SceneObject> object;
        const char* record; // name and category, without colour
        Color colour;
        bool cut = false; // the record is the last of the file
    } cases[] = {
        {std::make_unique<GameplayObject>(""), "Zone Teleport\r\n(game play)\r\n", Color(250, 250, 0, 255)},
        {std::make_unique<GameplayObject>(""), "Zone Save\n(game play)\n", Color(50, 200, 250, 255)},
        {std::make_unique<CameraBlocker>(""), "Blocker\n(game play)\n", Color(50, 100, 205, 255)},
        {std::make_unique<SceneObject>(""), "Armor Ice Fire\n(Player)\n", Color(250, 50, 100, 255)},
        {std::make_unique<SceneObject>(""), "Armor Ice\n(Player)\n", Color(50, 100, 250, 255)},
        {std::make_unique<SceneObject>(""), "Ice Crawler\n(NPC)\n", Color::White()},
        // Cut right after the category, no line follows: the colour lines
        // are read and none is there, so the colour is not the kind's.
        {std::make_unique<GameplayObject>(""), "Zone Teleport\r\n(game play)\r\n", Color::White(), true},
    };
    for (const auto& c : cases) {
        std::istringstream in(std::string(c.record) + (c.cut ? "" : "77\n"));
        EXPECT_TRUE(c.object->SceneObject::UnSerialize(in)) << c.record;
        EXPECT_EQ(c.object->GetColor(), c.colour) << c.record;
        EXPECT_EQ(NextLine(in), c.cut ? "" : "77") << c.record;
    }
}

TEST(SceneObjectRecord, AColourThatDoesNotReadEndsTheRecordWhichStillReads)
{
    SceneObject empty("x");
    std::istringstream nothing("");
    EXPECT_FALSE(empty.UnSerialize(nothing));

    // Reading stops at the colour line that does not parse: the name, the
    // category and the channels before it are taken, the lines after it stay.
    SceneObject lamp("Kept");
    lamp.SetColor(Color(1, 2, 3, 4));
    std::istringstream in("Name\n(Default)\n_SceneObject_updatetag_1.0_\n10\nabc\n30\n40\n");
    EXPECT_TRUE(lamp.UnSerialize(in));
    EXPECT_EQ(lamp.GetName(), "Name");
    EXPECT_EQ(lamp.GetColor(), Color(10, 2, 3, 4));
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

TEST(SceneObjectHandle, UnheldHandlesGoWithTheirObjectTheLevelReleaseOrTheShutDown)
{
    const size_t before = SceneObjectHandle::Registry().size();
    {
        SceneObject object("Crate");
        object.GetHandle();
    }
    EXPECT_EQ(SceneObjectHandle::Registry().size(), before);

    // The level release keeps a handle of a gone object while it is held.
    auto* chest = new SceneObject("Chest");
    SceneObjectHandle* held = chest->GetHandle();
    held->AddRef();
    delete chest;
    SceneObjectHandle::PurgeReleased();
    EXPECT_EQ(held->GetTarget(), nullptr); // the address sanitizer catches a freed handle
    held->Release();
    EXPECT_EQ(SceneObjectHandle::Registry().size(), before);

    // The shut-down frees the handles of live objects too; such an object
    // then neither reaches its freed handle nor leaves one behind.
    auto survivor = std::make_unique<SceneObject>("Survivor");
    survivor->GetHandle();
    SceneObjectHandle::ReleaseAll();
    EXPECT_TRUE(SceneObjectHandle::Registry().empty());
    survivor.reset(); // the address sanitizer catches a write to the freed handle
    EXPECT_TRUE(SceneObjectHandle::Registry().empty());
}

TEST(SceneObjectSounds, OwnCopiesFollowTheDeclaredNames)
{
    // Without a sound-events manager nothing is made, and nothing plays.
    Speaker quiet("Quiet");
    quiet.LoadSounds();
    EXPECT_EQ(quiet.GetSoundEventCount(), 0);
    EXPECT_FALSE(quiet.PlaySoundAt(0));

    SoundEventsOnly game;
    {
        Speaker speaker("Speaker");
        speaker.Init();
        ASSERT_EQ(speaker.GetSoundEventCount(), 3);
        EXPECT_NE(speaker.GetSoundEvent(0), nullptr);
        EXPECT_EQ(speaker.GetSoundEvent(1), nullptr);
        EXPECT_EQ(speaker.GetSoundEvent(3), nullptr);
        EXPECT_EQ(game.events.GetLiveCopyCount(), 2u);

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
        EXPECT_EQ(game.events.GetLiveCopyCount(), 2u);
    }
    // The destructor gives its copies back.
    EXPECT_EQ(game.events.GetLiveCopyCount(), 0u);
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
    EXPECT_EQ(game.events.GetLiveCopyCount(), 0u);

    launcher.LoadSounds();
    launcher.ReleaseSounds(nullptr);
    EXPECT_EQ(launcher.GetSoundEventCount(), 0);
    EXPECT_EQ(game.events.GetLiveCopyCount(), 2u); // still the manager's
}

TEST(SceneObjectReference, ResolvesThroughTheLevelThenTheGameLibrary)
{
    SceneHost game;
    GraphicalObject lamp("Lamp");
    SceneObject sound("Ambience");
    game.sceneObjects = {&lamp, &sound};
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
