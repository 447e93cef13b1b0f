#include "zones/NPCSpawner.h"
#include "characters/CharacterObject.h"
#include "game/Game.h"
#include "scene/GameplayObject.h"
#include "scene/Level.h"
#include "zones/ZoneInstance.h"
#include "zones/Zone_NPCSpawner_Boss_Cave.h"
#include "zones/Zone_NPCSpawner_FloatingSkull.h"
#include "zones/Zone_NPCSpawner_JellyFish.h"

#include "engine/platform/Random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Kind {
    const char* key;
    Point<int> size;
    // The character classes one default placement makes.
    std::vector<std::string> made;
};

// The garden skull comes with its helmet and its 148 chain links in play;
// its two columns of 41 beams wait disabled until they are fired.
std::vector<std::string> GardenSkullAndParts()
{
    std::vector<std::string> made = {"NPC_Boss_Garden", "NPC_Boss_Garden"};
    made.insert(made.end(), 148, "Projectile_Boss_Garden_String");
    return made;
}

const Kind kKinds[] = {
    {"Zone_NPCSpawner_Door", {32, 96}, {"NPC_Door"}},
    {"Zone_NPCSpawner_FireDiamond", {64, 64}, {"NPC_FireDiamond"}},
    {"Zone_NPCSpawner_Thrower", {32, 32}, {"NPC_Thrower"}},
    {"Zone_NPCSpawner_BoatWorm", {64, 64}, {"NPC_BoatWorm"}},
    {"Zone_NPCSPawner_FloatingSkull", {32, 32}, {"NPC_FloatingSkull"}},
    {"Zone_NPCSpawner_CrouchSkull", {32, 32}, {"NPC_CrouchSkull"}},
    {"Zone_NPCSpawner_CrouchSkull_Boat", {32, 32}, {"NPC_CrouchSkull_Boat"}},
    {"Zone_NPCSpawner_CrouchSkull_Ghost", {32, 32}, {"NPC_CrouchSkull_Ghost"}},
    {"Zone_NPCSpawner_CrouchSkull_Strong", {32, 32}, {"NPC_CrouchSkull_Strong"}},
    {"Zone_NPCSpawner_DreamCatcher", {64, 160}, {"NPC_DreamCatcher"}},
    {"Zone_NPCSpawner_BoatPlant", {64, 96}, {"NPC_BoatPlant"}},
    {"Zone_NPCSpawner_Located_Claw", {32, 32}, {"NPC_Located_Claw"}},
    {"Zone_NPCSpawner_Lonely_Head", {32, 32}, {"NPC_Lonely_Head"}},
    {"Zone_NPCSpawner_Seahorse", {32, 32}, {"NPC_Seahorse"}},
    {"Zone_NPCSpawner_Fire_Launcher", {32, 32}, {"NPC_Fire_Launcher"}},
    {"Zone_NPCSpawner_Dead_Fish", {32, 32}, {"NPC_Dead_Fish"}},
    {"Zone_NPCSpawner_JellyFish", {32, 32}, {"NPC_JellyFish"}},
    {"Zone_NPCSpawner_MiniBoss_Bibli", {32, 32}, {"NPC_MiniBoss_Bibli"}},
    {"Zone_NPCSpawner_MiniBoss_FloatingSkull", {32, 32}, {"NPC_MiniBoss_FloatingSkull"}},
    {"Zone_NPCSpawner_MiniBoss_Boat", {32, 32}, {"NPC_MiniBoss_Boat"}},
    {"Zone_NPCSpawner_MiniBoss_Cave", {32, 32}, {"NPC_MiniBoss_Cave"}},
    {"Zone_NPCSpawner_MiniBoss_Snow", {32, 32}, {"NPC_MiniBoss_Snow"}},
    {"Zone_NPCSpawner_MiniBoss_Garden", {32, 32}, {"NPC_MiniBoss_Garden"}},
    {"Zone_NPCSpawner_MiniBoss_Underwater", {32, 32}, {"NPC_MiniBoss_Underwater"}},
    {"Zone_NPCSpawner_Bibli_Ghost", {32, 32}, {"NPC_Bibli_Ghost"}},
    {"Zone_NPCSpawner_Garden_Plant", {32, 64}, {"NPC_Garden_Plant"}},
    {"Zone_NPCSpawner_Boss_Snow", {32, 32}, {"NPC_Boss_Snow"}},
    {"Zone_NPCSpawner_Boss_Garden", {32, 32}, GardenSkullAndParts()},
    {"Zone_NPCSpawner_Boss_Underwater", {32, 32}, {"NPC_Boss_Underwater"}},
    {"Zone_NPCSpawner_Boss_Bibli", {32, 32}, {"NPC_Boss_Bibli"}},
    {"Zone_NPCSpawner_Boss_Cave", {288, 288}, {"NPC_Boss_Cave"}},
    {"Zone_NPCSpawner_Boss_Final", {32, 32}, {"NPC_Boss_Final"}},
    {"Zone_NPCSpawner_Boss_Ultimate", {32, 32}, {"NPC_Boss_Ultimate"}},
    // The boat boss makes its two explosion doubles first (its 20 planks wait
    // disabled in its pool).
    {"Zone_NPCSpawner_Boss_Boat", {544, 416}, {"CharacterObject", "CharacterObject", "NPC_Boss_Boat"}},
    {"Zone_NPCSpawner_Boss2_Bibli", {32, 32}, {"NPC_Boss2_Bibli"}},
    // The second boat boss's spawner gives it its 60 spheres.
    {"Zone_NPCSpawner_Boss2_Boat", {32, 32},
        [] {
            std::vector<std::string> made(1, "NPC_Boss2_Boat");
            made.insert(made.end(), 60, "Projectile_Boss2_Boat");
            return made;
        }()},
    {"Zone_NPCSpawner_Boss2_Cave", {32, 32}, {"NPC_Boss2_Cave"}},
    {"Zone_NPCSpawner_Boss2_Garden", {32, 32}, {"NPC_Boss2_Garden"}},
    {"Zone_NPCSpawner_Boss2_Snow", {32, 32}, {"NPC_Boss2_Snow"}},
    {"Zone_NPCSpawner_Boss2_Underwater", {32, 32}, {"NPC_Boss2_Underwater"}},
    {"Zone_NPCSpawner_Killing_Mechanism", {96, 160},
        {"Projectile_Killing_Mechanism", "NPC_Killing_Mechanism"}},
    {"Zone_NPCSpawner_Chained_Skull", {96, 96}, {"NPC_Chained_Skull"}},
};

class NPCSpawnerZones : public ::testing::Test {
protected:
    // The placement data of the key's spawner type, made by the library's factory.
    std::unique_ptr<ZoneInstance> Make(const std::string& key)
    {
        auto* type = dynamic_cast<GameplayObject*>(game.CreateSceneObjectByClass(key, key, "(game play)"));
        EXPECT_NE(type, nullptr) << key;
        if (type == nullptr)
            return nullptr;
        std::unique_ptr<SceneObjectInstance> instance(type->CreateInstance());
        auto* zone = dynamic_cast<ZoneInstance*>(instance.get());
        EXPECT_NE(zone, nullptr) << key;
        if (zone != nullptr)
            instance.release();
        return std::unique_ptr<ZoneInstance>(zone);
    }
    // The characters a spawn brought, leaving out the projectiles that a boss
    // makes once in its constructor and keeps disabled in its pool.
    std::vector<CharacterObject*> Spawned() const
    {
        std::vector<CharacterObject*> spawned;
        for (size_t i = 0; i < game.GetCharacterCount(); ++i) {
            CharacterObject* character = game.GetCharacter(i);
            if (character->GetVersionedClassName().rfind("Projectile_", 0) != 0 || character->IsEnabled())
                spawned.push_back(character);
        }
        return spawned;
    }
    std::vector<std::string> Made() const
    {
        std::vector<std::string> types;
        for (CharacterObject* character : Spawned()) {
            const std::string versioned = character->GetVersionedClassName();
            types.push_back(versioned.substr(0, versioned.size() - 2));
        }
        return types;
    }
    // The first spawned character of the spawner key's boss class.
    CharacterObject* BossOf(const std::string& key) const
    {
        const std::string boss = "NPC_" + key.substr(std::string("Zone_NPCSpawner_").size()) + "V0";
        const std::vector<CharacterObject*> made = Spawned();
        const auto it = std::find_if(
            made.begin(), made.end(), [&](CharacterObject* c) { return c->GetVersionedClassName() == boss; });
        return it != made.end() ? *it : nullptr;
    }
    void ClearCharacters()
    {
        while (game.GetCharacterCount() > 0)
            game.DeleteCharacter(game.GetCharacter(0));
    }

    Game game;
    Level level {"spawn_test"};
};

TEST_F(NPCSpawnerZones, EveryKeyMakesItsCharactersOncePerLoadWithItsDefaultSize)
{
    ASSERT_EQ(std::size(kKinds), 42u);
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.key);
        ClearCharacters();
        std::unique_ptr<ZoneInstance> instance = Make(kind.key);
        ASSERT_NE(instance, nullptr);
        EXPECT_EQ(instance->GetSize(), kind.size);
        EXPECT_TRUE(instance->IsPending());
        instance->Spawn(64, 128, &level);
        EXPECT_FALSE(instance->IsPending());
        EXPECT_EQ(Made(), kind.made);
        instance->Spawn(64, 128, &level);
        EXPECT_EQ(Spawned().size(), kind.made.size());
        // A fresh load spawns again.
        std::unique_ptr<ZoneInstance> reloaded = Make(kind.key);
        reloaded->Spawn(64, 128, &level);
        EXPECT_EQ(Spawned().size(), 2 * kind.made.size());
    }
}

TEST_F(NPCSpawnerZones, TheRectanglesStandAtThePlacementWithoutTheOffset)
{
    const NPCSpawner::Rects r = NPCSpawner::MakeRects(100, 50, Point<int>(64, 32));
    EXPECT_EQ(r.R, Rect<int>(100, 82, 164, 50));
    EXPECT_EQ(r.Rc, Rect<int>(100, 81, 164, 50));
    EXPECT_EQ(r.Rb, Rect<int>(77, 81, 178, 50));
    EXPECT_EQ(r.Rm, Rect<int>(100, 210, 164, 50));
}

TEST_F(NPCSpawnerZones, NamesAndOffsetsFollowThePlacement)
{
    // Unnamed: the class name; named: the placement's; the offset moves it.
    auto thrower = Make("Zone_NPCSpawner_Thrower");
    thrower->Spawn(10, 20, &level);
    auto door = Make("Zone_NPCSpawner_Door");
    door->SetName("gate_door");
    door->SetOffset(Point<int>(16, 0));
    door->Spawn(10, 20, &level);
    ASSERT_EQ(game.GetCharacterCount(), 2u);
    EXPECT_EQ(game.GetCharacter(0)->GetName(), "NPC_Thrower");
    EXPECT_EQ(game.GetCharacter(0)->GetPosition(), Point<float>(10.0f, 20.0f));
    EXPECT_EQ(game.GetCharacter(1)->GetName(), "gate_door");
    EXPECT_EQ(game.GetCharacter(1)->GetPosition(), Point<float>(26.0f, 20.0f));

    // Unnamed boss placements: most leave the class name, three take the
    // placement's empty name, and one always keeps its class name.
    const struct {
        const char* key;
        const char* name;
    } unnamed[] = {
        {"Zone_NPCSpawner_Boss_Final", "NPC_Boss_Final"},
        {"Zone_NPCSpawner_Boss_Boat", "NPC_Boss_Boat"},
        {"Zone_NPCSpawner_Boss2_Boat", "NPC_Boss2_Boat"},
        {"Zone_NPCSpawner_Boss2_Bibli", ""},
        {"Zone_NPCSpawner_Boss2_Garden", ""},
        {"Zone_NPCSpawner_Boss2_Snow", ""},
    };
    for (const auto& u : unnamed) {
        ClearCharacters();
        Make(u.key)->Spawn(0, 0, &level);
        CharacterObject* boss = BossOf(u.key);
        ASSERT_NE(boss, nullptr) << u.key;
        EXPECT_EQ(boss->GetName(), u.name) << u.key;
    }
    // A named boss placement: the boss is made under its class name, so its
    // death sound is a boss's, and then takes the placement's name.
    for (const char* key : {"Zone_NPCSpawner_Boss_Bibli", "Zone_NPCSpawner_Boss_Garden",
             "Zone_NPCSpawner_Boss_Snow", "Zone_NPCSpawner_Boss_Underwater", "Zone_NPCSpawner_Boss_Cave",
             "Zone_NPCSpawner_MiniBoss_Boat", "Zone_NPCSpawner_MiniBoss_Cave",
             "Zone_NPCSpawner_MiniBoss_Snow", "Zone_NPCSpawner_MiniBoss_FloatingSkull"}) {
        ClearCharacters();
        auto placement = Make(key);
        placement->SetName("lair");
        placement->Spawn(0, 0, &level);
        CharacterObject* boss = BossOf(key);
        ASSERT_NE(boss, nullptr) << key;
        if (std::string(key) != "Zone_NPCSpawner_Boss_Cave") {
            EXPECT_EQ(boss->GetName(), "lair") << key;
        }
        ASSERT_GE(boss->GetSoundNames().size(), 2u) << key;
        EXPECT_EQ(boss->GetSoundNames()[1], "NPC_Boss_Killed") << key;
    }
    ClearCharacters();
    auto underwater = Make("Zone_NPCSpawner_Boss2_Underwater");
    underwater->SetName("ignored");
    underwater->Spawn(0, 0, &level);
    ASSERT_EQ(Spawned().size(), 1u);
    EXPECT_EQ(Spawned()[0]->GetName(), "NPC_Boss2_Underwater");
}

TEST_F(NPCSpawnerZones, SkullAndJellyfishCountsAndKinds)
{
    struct Case {
        int count;
        int kind;
        std::vector<std::string> made;
    };
    const Case cases[] = {
        {3, 2, {"NPC_ThrowerSkull", "NPC_ThrowerSkull", "NPC_ThrowerSkull"}},
        {2, 1, {"NPC_FloatingSkull", "NPC_FloatingSkull"}}, {3, 3, {}}, {0, 0, {}},
        {-4, 0, {}}, // a damaged count is 0
    };
    for (const Case& c : cases) {
        ClearCharacters();
        Zone_NPCSpawner_FloatingSkull::Instance skulls;
        skulls.SpawnCount.value = c.count;
        skulls.SkullKind.value = c.kind;
        skulls.Spawn(0, 0, &level);
        EXPECT_EQ(Made(), c.made) << c.count << " of kind " << c.kind;
        EXPECT_FALSE(skulls.IsPending());
    }
    ClearCharacters();
    Zone_NPCSpawner_JellyFish::Instance jellyfish;
    jellyfish.SpawnCount.value = 3;
    jellyfish.SetSize(Point<int>(65, 33));
    jellyfish.SetOffset(Point<int>(1, 2));
    {
        // Per jellyfish: its start delay, then the two draws of its first
        // point, to which it jumps from the centre of R (100, 233, 165, 200).
        const platform::ScopedRandomValues draws({0, 0, 0, 0, 0, 0, 0, 10, 5});
        jellyfish.Spawn(100, 200, &level);
    }
    ASSERT_EQ(game.GetCharacterCount(), 3u);
    EXPECT_EQ(game.GetCharacter(0)->GetPosition(), Point<float>(100.0f, 200.0f));
    EXPECT_EQ(game.GetCharacter(2)->GetPosition(), Point<float>(110.0f, 205.0f));
}

TEST_F(NPCSpawnerZones, CaveHeadsAndTheirManagerNumberThemselvesInAnyOrder)
{
    const int roles[] = {0, 2, 1, 0, 1};
    for (int role : roles) {
        Zone_NPCSpawner_Boss_Cave::Instance head;
        head.HeadRole.value = role;
        head.Spawn(0, 0, &level);
    }
    std::vector<std::string> names;
    for (size_t i = 0; i < game.GetCharacterCount(); ++i)
        names.push_back(game.GetCharacter(i)->GetName());
    EXPECT_EQ(names,
        (std::vector<std::string> {"NPC_Boss_Cave__HEAD1", "NPC_Boss_Cave__HEADS_MANAGER",
            "NPC_Boss_Cave__HEAD2", "NPC_Boss_Cave__HEAD3", "NPC_Boss_Cave__HEAD(UNKNOW)"}));
    // Heads spawned before and after the manager all end as its own.
    CharacterObject* manager = game.GetCharacter(1);
    for (size_t head : {0u, 2u, 3u, 4u})
        EXPECT_EQ(game.GetCharacter(head)->GetOwner(), manager) << head;
    EXPECT_EQ(manager->GetLife(), 3);
    EXPECT_EQ(game.GetCharacter(0)->GetDirection(), Point<float>(1.0f, 1.0f));
    EXPECT_EQ(game.GetCharacter(2)->GetDirection(), Point<float>(-1.0f, 1.0f));
}

TEST_F(NPCSpawnerZones, TheUltimateBossPlaysItsCellsWhereTheirMarkersStandAndItsBody)
{
    for (const char* marker : {"cell_etape_1", "cell_etape_2", "cell_etape_2"}) {
        CharacterObject* placeHolder = game.CreateCharacterByClass(marker, "NPC_Script", nullptr);
        placeHolder->SetPosition(Point<float>(static_cast<float>(game.GetCharacterCount()) * 100.0f, 7.0f));
    }
    Make("Zone_NPCSpawner_Boss_Ultimate")->Spawn(5, 6, &level);
    ASSERT_EQ(game.GetCharacterCount(), 7u);
    struct Role {
        std::string name;
        int state;
        Point<float> at;
    };
    const Role roles[] = {{"cell_etape_1", 0, {100.0f, 7.0f}}, {"cell_etape_2", 4, {200.0f, 7.0f}},
        {"cell_etape_2", 4, {300.0f, 7.0f}}, {"NPC_Boss_Ultimate", 8, {5.0f, 6.0f}}};
    for (size_t i = 0; i < 4; ++i) {
        CharacterObject* boss = game.GetCharacter(3 + i);
        EXPECT_EQ(boss->GetName(), roles[i].name) << i;
        EXPECT_EQ(boss->GetState(), roles[i].state) << i;
        EXPECT_EQ(boss->GetPosition(), roles[i].at) << i;
    }
}

} // namespace
