#include "engine/render/DXGraphicalSurface.h"
#include "engine/serial/LineReaders.h"
#include "scene/Layer.h"
#include "scene/LayerParticles.h"
#include "scene/Level.h"
#include "scene/LevelScript.h"
#include "scene/PayloadFactory.h"
#include "scene/SceneCharacter.h"
#include "scene/ZoneInstance.h"
#include "tests/scene/SceneHost.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

// The scene model reaches the game only through what the game installs and
// registers: its scene access, the payload classes of the zones and the
// script runner. These tests stand in for all three.
namespace {

// A character that notes its name when drawn.
class MarkedCharacter : public SceneCharacter {
public:
    MarkedCharacter(std::string name, std::vector<std::string>* drawn)
        : SceneCharacter(std::move(name))
        , drawn(drawn)
    {
    }
    Point<float> GetPosition() const override { return {}; }
    Point<float> GetPreviousPosition() const override { return {}; }
    Point<int> GetSize() const override { return {}; }
    Point<float> GetCenter() const override { return {}; }
    int GetMoveState() const override { return 0; }
    float GetSpeedValue() const override { return 0.0f; }
    bool Draw(DXGraphicalSurface*, Point<int>) override
    {
        drawn->push_back(name);
        return name != "broken";
    }
    bool IsHidden() const override { return hidden; }
    bool IsDrawnFlagged() const override { return flagged; }
    bool IsDrawnInFront() const override { return front; }
    bool IsPlayerCharacter() const override { return false; }
    std::vector<CollisionShape<int>*>& GetCollisionShape() override { return shapes; }
    void SetLastContact(const CollisionBodyRecord*) override { }
    Point<float> GetCircleCentre() const override { return {}; }
    float GetContactRadius(int) const override { return 0.0f; }

    bool hidden = false;
    bool flagged = false;
    bool front = false;

private:
    std::vector<std::string>* drawn;
    std::vector<CollisionShape<int>*> shapes;
};

TEST(SceneAccess, LayersDrawTheGamesLiveCharactersInThreePasses)
{
    std::vector<std::string> drawn;
    MarkedCharacter plain("plain", &drawn), flagged("flagged", &drawn), front("front", &drawn);
    MarkedCharacter hidden("hidden", &drawn), broken("broken", &drawn);
    flagged.flagged = true;
    front.front = true;
    front.flagged = true;
    hidden.hidden = true;
    Layer layer("Scene", Level::kScene, nullptr, 512, 448, 32, 32);
    // Without a game there is nothing to draw.
    EXPECT_TRUE(layer.DrawCharacters(Point<int>()));
    EXPECT_TRUE(drawn.empty());

    SceneHost host;
    host.liveCharacters = {&plain, &hidden, &broken, &flagged, &front};
    const struct {
        bool (Layer::*pass)(Point<int>);
        std::vector<std::string> names;
        bool result;
    } passes[] = {
        {&Layer::DrawCharacters, {"plain", "broken"}, false},
        {&Layer::DrawCharactersFlagged, {"flagged"}, true},
        {&Layer::DrawFrontCharacters, {"front"}, true},
    };
    for (const auto& p : passes) {
        drawn.clear();
        EXPECT_EQ((layer.*p.pass)(Point<int>()), p.result);
        EXPECT_EQ(drawn, p.names);
    }

    // Drawn whole, a layer that draws the front characters draws them only
    // while the game has a player.
    Layer foreground(
        "Front", Level::kForeground, new DXGraphicalSurface(Point<int>(512, 448), true), 512, 448, 32, 32);
    foreground.SetDrawFrontCharacters(true);
    drawn.clear();
    foreground.Draw(Point<int>());
    EXPECT_TRUE(drawn.empty());
    host.player = &plain;
    foreground.Draw(Point<int>());
    EXPECT_EQ(drawn, (std::vector<std::string> {"front"}));
}

// A particle system that notes its updates and the scroll it was handed.
class NotedParticles : public LayerParticles {
public:
    explicit NotedParticles(bool follows)
        : follows(follows)
    {
    }
    bool Serialize(std::ostream&) override { return true; }
    bool UnSerialize(std::istream&) override { return true; }
    std::string GetVersionedClassName() override { return "NotedParticlesV0"; }
    void Update(double) override { origins.push_back(origin); }
    bool Draw(DXGraphicalSurface*, Point<int>) override { return true; }
    bool FollowsScroll() const override { return follows; }
    void SetScrollOrigin(Point<int> o) override { origin = o; }

    bool follows;
    Point<int> origin {-1, -1};
    std::vector<Point<int>> origins;
};

TEST(SceneAccess, ParticlesThatCoverTheScreenFollowTheLayersScrollOfTheGamesCamera)
{
    SceneHost host;
    host.cameraPosition = Point<float>(100.0f, 40.0f);
    Layer layer("Sky", Level::kScene, nullptr, 512, 448, 32, 32);
    layer.SetScrollFactor(0.5f, 0.25f);
    auto owned = std::make_unique<NotedParticles>(true);
    NotedParticles* follower = owned.get();
    layer.AddParticleSystem(std::move(owned));
    owned = std::make_unique<NotedParticles>(false);
    NotedParticles* still = owned.get();
    layer.AddParticleSystem(std::move(owned));

    layer.UpdateParticleSystems(1.0);
    host.cameraPosition = Point<float>(-30.0f, 8.0f);
    layer.UpdateParticleSystems(1.0);
    EXPECT_EQ(follower->origins, (std::vector<Point<int>> {{50, 10}, {-15, 2}}));
    EXPECT_EQ(still->origins, (std::vector<Point<int>> {{-1, -1}, {-1, -1}}));
    EXPECT_EQ(layer.GetParticleSystem(1), still);
    layer.DeleteParticleSystem(follower);
    EXPECT_EQ(layer.GetParticleSystemCount(), 1u);
    EXPECT_EQ(layer.GetParticleSystem(0), still);
}

class SavePoint : public ZoneInstance {
public:
    std::string GetVersionedClassName() override { return "Zone_Save::InstanceV0"; }
};

std::unique_ptr<SceneObjectInstance> MakeSavePoint()
{
    return std::make_unique<SavePoint>();
}

// Reads a payload record as a placed instance does: the key line, then the
// class's own fields.
std::unique_ptr<SceneObjectInstance> ReadPayload(const std::string& text)
{
    std::istringstream is(text);
    std::string key;
    ReadTextLine(is, key);
    return CreatePayloadByKey(key, is);
}

TEST(SceneAccess, PayloadKeysMakeOnlyTheClassRegisteredFromAbove)
{
    const PayloadCreator before = FindPayloadCreator("Zone_Save::InstanceV0");
    SavePoint written;
    written.SetSize(Point<int>(64, 48));
    std::ostringstream os;
    ASSERT_TRUE(written.Serialize(os));

    RegisterPayloadCreator("Zone_Save::InstanceV0", nullptr);
    EXPECT_TRUE(IsPayloadKey("Zone_Save::InstanceV0")) << "a key whose class is not registered stays a key";
    EXPECT_EQ(ReadPayload(os.str()), nullptr);

    EXPECT_TRUE(RegisterPayloadCreator("Zone_Save::InstanceV0", &MakeSavePoint));
    EXPECT_EQ(FindPayloadCreator("Zone_Save::InstanceV0"), &MakeSavePoint);
    std::unique_ptr<SceneObjectInstance> read = ReadPayload(os.str());
    ASSERT_NE(dynamic_cast<SavePoint*>(read.get()), nullptr);
    EXPECT_EQ(static_cast<SavePoint*>(read.get())->GetSize(), Point<int>(64, 48));
    EXPECT_EQ(ReadPayload("Zone_Save::InstanceV0\r\nbroken\r\n"), nullptr);

    EXPECT_FALSE(RegisterPayloadCreator("Zone_Unknown::InstanceV0", &MakeSavePoint));
    EXPECT_FALSE(IsPayloadKey("Zone_Unknown::InstanceV0"));
    EXPECT_EQ(FindPayloadCreator("Zone_Unknown::InstanceV0"), nullptr);
    RegisterPayloadCreator("Zone_Save::InstanceV0", before);
}

// A script that notes how the level starts and runs it.
class NotedScript : public LevelScript {
public:
    explicit NotedScript(std::string name)
        : LevelScript(std::move(name))
    {
        made.push_back(GetName());
    }
    void Start(const std::string& label, Instance* owner) override
    {
        starts.push_back(label);
        ownerLevel = owner != nullptr ? owner->GetLevel() : nullptr;
    }
    void Run() override { ++runs; }

    static inline std::vector<std::string> made;
    static inline std::vector<std::string> starts;
    static inline Level* ownerLevel = nullptr;
    static inline int runs = 0;
};

std::unique_ptr<LevelScript> MakeNotedScript(std::string name)
{
    return std::make_unique<NotedScript>(std::move(name));
}

TEST(SceneAccess, LevelsKeepTheirScriptTextAndRunItThroughTheInstalledRunner)
{
    const LevelScript::Maker before = LevelScript::SetMaker(nullptr);
    {
        // Without a runner the text is kept, split as a script splits it.
        Level plain("plain.lvl");
        ASSERT_NE(plain.GetScript(), nullptr);
        plain.GetScript()->SetText("music garden;wait 10\r\n");
        EXPECT_EQ(plain.GetScript()->GetLines(), (std::vector<std::string> {"music garden", "wait 10", ""}));
        EXPECT_EQ(plain.GetScript()->GetText(), "music garden\nwait 10\n");
        plain.StartScript();
    }
    NotedScript::made.clear();
    NotedScript::starts.clear();
    NotedScript::runs = 0;
    LevelScript::SetMaker(&MakeNotedScript);
    {
        Level level("garden.lvl");
        ASSERT_NE(dynamic_cast<NotedScript*>(level.GetScript()), nullptr);
        level.StartScript();
        EXPECT_EQ(NotedScript::made, std::vector<std::string> {"LevelScript"});
        EXPECT_EQ(NotedScript::starts, std::vector<std::string> {""});
        EXPECT_EQ(NotedScript::ownerLevel, &level);
        EXPECT_EQ(NotedScript::runs, 1);
        level.RunBackgroundEvents();
        EXPECT_EQ(NotedScript::runs, 2);
    }
    LevelScript::SetMaker(before);
}

} // namespace
