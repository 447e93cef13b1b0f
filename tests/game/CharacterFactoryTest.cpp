#include "bosses/NPC_Boss2_Bibli.h"
#include "bosses/NPC_Boss2_Boat.h"
#include "bosses/NPC_Boss2_Cave.h"
#include "bosses/NPC_Boss2_Garden.h"
#include "bosses/NPC_Boss2_Snow.h"
#include "bosses/NPC_Boss2_Snow_Enemy.h"
#include "bosses/NPC_Boss2_Underwater.h"
#include "bosses/NPC_Boss_Bibli.h"
#include "bosses/NPC_Boss_Boat.h"
#include "bosses/NPC_Boss_Cave.h"
#include "bosses/NPC_Boss_Final.h"
#include "bosses/NPC_Boss_Garden.h"
#include "bosses/NPC_Boss_Snow.h"
#include "bosses/NPC_Boss_Snow_Arm.h"
#include "bosses/NPC_Boss_Ultimate.h"
#include "bosses/NPC_Boss_Underwater.h"
#include "bosses/NPC_Boss_Underwater_Line.h"
#include "bosses/NPC_MiniBoss_Bibli.h"
#include "bosses/NPC_MiniBoss_Boat.h"
#include "bosses/NPC_MiniBoss_Cave.h"
#include "bosses/NPC_MiniBoss_FloatingSkull.h"
#include "bosses/NPC_MiniBoss_Garden.h"
#include "bosses/NPC_MiniBoss_Snow.h"
#include "bosses/NPC_MiniBoss_Underwater.h"
#include "bosses/NPC_MiniBoss_Underwater_Arm.h"
#include "bosses/Projectile_Boss2_Bibli_Guardian.h"
#include "bosses/Projectile_Boss2_Bibli_LaserBeam.h"
#include "bosses/Projectile_Boss2_Bibli_Lava.h"
#include "bosses/Projectile_Boss2_Boat.h"
#include "bosses/Projectile_Boss2_Cave.h"
#include "bosses/Projectile_Boss2_Garden.h"
#include "bosses/Projectile_Boss2_Garden_Scyte.h"
#include "bosses/Projectile_Boss2_Underwater.h"
#include "bosses/Projectile_Boss_Bibli.h"
#include "bosses/Projectile_Boss_Boat.h"
#include "bosses/Projectile_Boss_Cave.h"
#include "bosses/Projectile_Boss_Final.h"
#include "bosses/Projectile_Boss_Garden_Beam.h"
#include "bosses/Projectile_Boss_Garden_String.h"
#include "bosses/Projectile_Boss_Snow.h"
#include "bosses/Projectile_Boss_Ultimate.h"
#include "bosses/Projectile_Boss_Underwater.h"
#include "bosses/Projectile_MiniBoss_Cave.h"
#include "bosses/Projectile_MiniBoss_Snow.h"
#include "bosses/Projectile_MiniBoss_Underwater.h"
#include "characters/CharacterObject.h"
#include "characters/Projectile_Crossbow.h"
#include "enemies/NPC_Bibli_Ghost.h"
#include "enemies/NPC_BoatIns.h"
#include "enemies/NPC_BoatPlant.h"
#include "enemies/NPC_BoatWorm.h"
#include "enemies/NPC_Chained_Skull.h"
#include "enemies/NPC_CrouchSkull.h"
#include "enemies/NPC_CrouchSkull_Boat.h"
#include "enemies/NPC_CrouchSkull_Ghost.h"
#include "enemies/NPC_CrouchSkull_Strong.h"
#include "enemies/NPC_Dead_Fish.h"
#include "enemies/NPC_Door.h"
#include "enemies/NPC_DreamCatcher.h"
#include "enemies/NPC_FireDiamond.h"
#include "enemies/NPC_Fire_Launcher.h"
#include "enemies/NPC_FloatingSkull.h"
#include "enemies/NPC_Garden_Plant.h"
#include "enemies/NPC_JellyFish.h"
#include "enemies/NPC_Killing_Mechanism.h"
#include "enemies/NPC_Located_Claw.h"
#include "enemies/NPC_Lonely_Head.h"
#include "enemies/NPC_Seahorse.h"
#include "enemies/NPC_Thrower.h"
#include "enemies/NPC_ThrowerSkull.h"
#include "enemies/Projectile_BoatWorm.h"
#include "enemies/Projectile_Chained_Skull.h"
#include "enemies/Projectile_Dead_Fish_Spike.h"
#include "enemies/Projectile_Fire_Launcher.h"
#include "enemies/Projectile_Garden_Plant.h"
#include "enemies/Projectile_Ins_Acid.h"
#include "enemies/Projectile_Killing_Mechanism.h"
#include "enemies/Projectile_Lonely_Head.h"
#include "enemies/Projectile_SadSoul.h"
#include "enemies/Projectile_Seahorse.h"
#include "enemies/Projectile_Thrower.h"
#include "game/Game.h"
#include "script/NPC_Script.h"
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <typeinfo>

namespace {

struct CharacterKey {
    const char* key;
    const std::type_info* type;
};

// The factory's keys in their documented order, each the name of its class.
const CharacterKey kCharacterKeys[] = {
    {"CharacterObject", &typeid(CharacterObject)},
    {"Projectile_Boss_Underwater", &typeid(Projectile_Boss_Underwater)},
    {"Projectile_Boss_Bibli", &typeid(Projectile_Boss_Bibli)},
    {"Projectile_Boss2_Garden", &typeid(Projectile_Boss2_Garden)},
    {"Projectile_Boss2_Garden_Scyte", &typeid(Projectile_Boss2_Garden_Scyte)},
    {"Projectile_Boss2_Bibli_Lava", &typeid(Projectile_Boss2_Bibli_Lava)},
    {"Projectile_Boss2_Bibli_Guardian", &typeid(Projectile_Boss2_Bibli_Guardian)},
    {"Projectile_Boss2_Bibli_LaserBeam", &typeid(Projectile_Boss2_Bibli_LaserBeam)},
    {"Projectile_Boss2_Boat", &typeid(Projectile_Boss2_Boat)},
    {"Projectile_Boss2_Cave", &typeid(Projectile_Boss2_Cave)},
    {"Projectile_Boss_Final", &typeid(Projectile_Boss_Final)},
    {"Projectile_Boss_Ultimate", &typeid(Projectile_Boss_Ultimate)},
    {"Projectile_Boss2_Underwater", &typeid(Projectile_Boss2_Underwater)},
    {"NPC_Boss2_Snow_Enemy", &typeid(NPC_Boss2_Snow_Enemy)},
    {"Projectile_Boss_Boat", &typeid(Projectile_Boss_Boat)},
    {"Projectile_Boss_Cave", &typeid(Projectile_Boss_Cave)},
    {"Projectile_Chained_Skull", &typeid(Projectile_Chained_Skull)},
    {"Projectile_Boss_Garden_Beam", &typeid(Projectile_Boss_Garden_Beam)},
    {"Projectile_MiniBoss_Snow", &typeid(Projectile_MiniBoss_Snow)},
    {"Projectile_MiniBoss_Cave", &typeid(Projectile_MiniBoss_Cave)},
    {"Projectile_Boss_Garden_String", &typeid(Projectile_Boss_Garden_String)},
    {"Projectile_Ins_Acid", &typeid(Projectile_Ins_Acid)},
    {"Projectile_Thrower", &typeid(Projectile_Thrower)},
    {"Projectile_BoatWorm", &typeid(Projectile_BoatWorm)},
    {"Projectile_SadSoul", &typeid(Projectile_SadSoul)},
    {"Projectile_Crossbow", &typeid(Projectile_Crossbow)},
    {"Projectile_Lonely_Head", &typeid(Projectile_Lonely_Head)},
    {"Projectile_Seahorse", &typeid(Projectile_Seahorse)},
    {"Projectile_Fire_Launcher", &typeid(Projectile_Fire_Launcher)},
    {"Projectile_Dead_Fish_Spike", &typeid(Projectile_Dead_Fish_Spike)},
    {"Projectile_Garden_Plant", &typeid(Projectile_Garden_Plant)},
    {"Projectile_Killing_Mechanism", &typeid(Projectile_Killing_Mechanism)},
    {"Projectile_Boss_Snow", &typeid(Projectile_Boss_Snow)},
    {"NPC_FloatingSkull", &typeid(NPC_FloatingSkull)},
    {"NPC_DreamCatcher", &typeid(NPC_DreamCatcher)},
    {"NPC_CrouchSkull", &typeid(NPC_CrouchSkull)},
    {"NPC_CrouchSkull_Boat", &typeid(NPC_CrouchSkull_Boat)},
    {"NPC_BoatPlant", &typeid(NPC_BoatPlant)},
    {"NPC_BoatIns", &typeid(NPC_BoatIns)},
    {"NPC_CrouchSkull_Ghost", &typeid(NPC_CrouchSkull_Ghost)},
    {"NPC_CrouchSkull_Strong", &typeid(NPC_CrouchSkull_Strong)},
    {"NPC_Door", &typeid(NPC_Door)},
    {"NPC_BoatWorm", &typeid(NPC_BoatWorm)},
    {"NPC_Thrower", &typeid(NPC_Thrower)},
    {"NPC_FireDiamond", &typeid(NPC_FireDiamond)},
    {"NPC_Located_Claw", &typeid(NPC_Located_Claw)},
    {"NPC_ThrowerSkull", &typeid(NPC_ThrowerSkull)},
    {"NPC_Lonely_Head", &typeid(NPC_Lonely_Head)},
    {"NPC_Seahorse", &typeid(NPC_Seahorse)},
    {"NPC_Fire_Launcher", &typeid(NPC_Fire_Launcher)},
    {"NPC_Dead_Fish", &typeid(NPC_Dead_Fish)},
    {"NPC_JellyFish", &typeid(NPC_JellyFish)},
    {"NPC_MiniBoss_Bibli", &typeid(NPC_MiniBoss_Bibli)},
    {"NPC_MiniBoss_FloatingSkull", &typeid(NPC_MiniBoss_FloatingSkull)},
    {"NPC_MiniBoss_Boat", &typeid(NPC_MiniBoss_Boat)},
    {"NPC_MiniBoss_Cave", &typeid(NPC_MiniBoss_Cave)},
    {"NPC_MiniBoss_Garden", &typeid(NPC_MiniBoss_Garden)},
    {"NPC_MiniBoss_Snow", &typeid(NPC_MiniBoss_Snow)},
    {"NPC_MiniBoss_Underwater", &typeid(NPC_MiniBoss_Underwater)},
    {"NPC_MiniBoss_Underwater_Arm", &typeid(NPC_MiniBoss_Underwater_Arm)},
    {"Projectile_MiniBoss_Underwater", &typeid(Projectile_MiniBoss_Underwater)},
    {"NPC_Bibli_Ghost", &typeid(NPC_Bibli_Ghost)},
    {"NPC_Garden_Plant", &typeid(NPC_Garden_Plant)},
    {"NPC_Killing_Mechanism", &typeid(NPC_Killing_Mechanism)},
    {"NPC_Chained_Skull", &typeid(NPC_Chained_Skull)},
    {"NPC_Boss_Snow", &typeid(NPC_Boss_Snow)},
    {"NPC_Boss_Garden", &typeid(NPC_Boss_Garden)},
    {"NPC_Boss_Underwater", &typeid(NPC_Boss_Underwater)},
    {"NPC_Boss_Bibli", &typeid(NPC_Boss_Bibli)},
    {"NPC_Boss_Cave", &typeid(NPC_Boss_Cave)},
    {"NPC_Boss_Final", &typeid(NPC_Boss_Final)},
    {"NPC_Boss_Ultimate", &typeid(NPC_Boss_Ultimate)},
    {"NPC_Boss_Boat", &typeid(NPC_Boss_Boat)},
    {"NPC_Boss2_Boat", &typeid(NPC_Boss2_Boat)},
    {"NPC_Boss2_Garden", &typeid(NPC_Boss2_Garden)},
    {"NPC_Boss2_Bibli", &typeid(NPC_Boss2_Bibli)},
    {"NPC_Boss2_Cave", &typeid(NPC_Boss2_Cave)},
    {"NPC_Boss2_Snow", &typeid(NPC_Boss2_Snow)},
    {"NPC_Boss2_Underwater", &typeid(NPC_Boss2_Underwater)},
    {"NPC_Script", &typeid(NPC_Script)},
    {"NPC_Boss_Snow_Arm", &typeid(NPC_Boss_Snow_Arm)},
    {"NPC_Boss_Underwater_Line", &typeid(NPC_Boss_Underwater_Line)},
};

TEST(CharacterFactory, EveryKeyMakesItsClassWithTheGivenNameAtTheEnd)
{
    ASSERT_EQ(std::size(kCharacterKeys), 82u);
    Game game;
    for (const CharacterKey& entry : kCharacterKeys) {
        SCOPED_TRACE(entry.key);
        CharacterObject* character
            = game.CreateCharacterByClass(std::string(entry.key) + "_Named", entry.key, nullptr);
        ASSERT_NE(character, nullptr);
        EXPECT_EQ(typeid(*character), *entry.type);
        EXPECT_EQ(character->GetName(), std::string(entry.key) + "_Named");
        EXPECT_EQ(character->GetVersionedClassName(), std::string(entry.key) + "V0");
        EXPECT_TRUE(character->IsSkipSerialize());
        EXPECT_EQ(game.liveCharacters.back(), character);
    }
    // More made with them: the press makes its blade, the boat boss its two
    // explosion doubles and its 20 planks, an underwater arm its 41 beams.
    EXPECT_EQ(game.GetCharacterCount(), 83u + 2u + 20u + 41u);
}

TEST(CharacterFactory, UnknownOrWrongCaseKeysMakeNothing)
{
    Game game;
    for (const char* key : {"npc_floatingskull", "NPC_FLOATINGSKULL", "Projectile_Boss_Underwater_Eye",
             "Player", "GraphicalObject", "Climb_Zone", ""}) {
        EXPECT_EQ(game.CreateCharacterByClass("x", key, nullptr), nullptr) << key;
    }
    EXPECT_EQ(game.GetCharacterCount(), 0u);
}

TEST(CharacterFactory, BeforePlacesTheNewCharacterInFrontWhenListed)
{
    Game game;
    CharacterObject* a = game.CreateCharacterByClass("A", "CharacterObject", nullptr);
    CharacterObject* b = game.CreateCharacterByClass("B", "CharacterObject", nullptr);
    CharacterObject* c = game.CreateCharacterByClass("C", "CharacterObject", nullptr);

    CharacterObject* front = game.CreateCharacterByClass("Front", "NPC_Door", a);
    EXPECT_EQ(game.liveCharacters, (std::vector<CharacterObject*> {front, a, b, c}));
    CharacterObject* middle = game.CreateCharacterByClass("Middle", "NPC_Door", c);
    EXPECT_EQ(game.liveCharacters, (std::vector<CharacterObject*> {front, a, b, middle, c}));

    CharacterObject stranger("Stranger");
    CharacterObject* last = game.CreateCharacterByClass("Last", "NPC_Door", &stranger);
    EXPECT_EQ(game.liveCharacters.back(), last);
    EXPECT_EQ(game.GetCharacterCount(), 6u);
}

TEST(CharacterFactory, CreatedCharactersAreNeverWrittenAndSameNamesStayDistinct)
{
    Game game;
    CharacterObject* one = game.CreateCharacterByClass("Part", "NPC_Boss2_Boat", nullptr);
    CharacterObject* two = game.CreateCharacterByClass("Part", "NPC_Boss2_Boat", nullptr);
    EXPECT_NE(one, two);
    EXPECT_EQ(game.FindCharactersByName("Part", nullptr, false).size(), 2u);
    std::ostringstream os;
    one->Serialize(os);
    EXPECT_EQ(os.str(), "");
}

} // namespace
