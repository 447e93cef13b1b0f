#include "engine/app/UsageObserver.h"
#include "game/Game.h"

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
#include "engine/serial/TypeNames.h"
#include "script/NPC_Script.h"
#include <algorithm>
#include <array>

namespace {

// One class the factory makes: its key (the class name) and its constructor.
struct CharacterClass {
    const std::string* key;
    CharacterObject* (*create)(std::string name);
};

// In the order the keys are tested; the first equal key wins.
const std::array<CharacterClass, 82>& CharacterClasses()
{
    static const std::array<CharacterClass, 82> classes = {{
        {&TypeNames::CharacterObject,
            [](std::string name) -> CharacterObject* { return new CharacterObject(std::move(name)); }},
        {&TypeNames::Projectile_Boss_Underwater,
            [](std::string name) -> CharacterObject* {
                return new Projectile_Boss_Underwater(std::move(name));
            }},
        {&TypeNames::Projectile_Boss_Bibli,
            [](std::string name) -> CharacterObject* { return new Projectile_Boss_Bibli(std::move(name)); }},
        {&TypeNames::Projectile_Boss2_Garden,
            [](std::string name) -> CharacterObject* {
                return new Projectile_Boss2_Garden(std::move(name));
            }},
        {&TypeNames::Projectile_Boss2_Garden_Scyte,
            [](std::string name) -> CharacterObject* {
                return new Projectile_Boss2_Garden_Scyte(std::move(name));
            }},
        {&TypeNames::Projectile_Boss2_Bibli_Lava,
            [](std::string name) -> CharacterObject* {
                return new Projectile_Boss2_Bibli_Lava(std::move(name));
            }},
        {&TypeNames::Projectile_Boss2_Bibli_Guardian,
            [](std::string name) -> CharacterObject* {
                return new Projectile_Boss2_Bibli_Guardian(std::move(name));
            }},
        {&TypeNames::Projectile_Boss2_Bibli_LaserBeam,
            [](std::string name) -> CharacterObject* {
                return new Projectile_Boss2_Bibli_LaserBeam(std::move(name));
            }},
        {&TypeNames::Projectile_Boss2_Boat,
            [](std::string name) -> CharacterObject* { return new Projectile_Boss2_Boat(std::move(name)); }},
        {&TypeNames::Projectile_Boss2_Cave,
            [](std::string name) -> CharacterObject* { return new Projectile_Boss2_Cave(std::move(name)); }},
        {&TypeNames::Projectile_Boss_Final,
            [](std::string name) -> CharacterObject* { return new Projectile_Boss_Final(std::move(name)); }},
        {&TypeNames::Projectile_Boss_Ultimate,
            [](std::string name) -> CharacterObject* {
                return new Projectile_Boss_Ultimate(std::move(name));
            }},
        {&TypeNames::Projectile_Boss2_Underwater,
            [](std::string name) -> CharacterObject* {
                return new Projectile_Boss2_Underwater(std::move(name));
            }},
        {&TypeNames::NPC_Boss2_Snow_Enemy,
            [](std::string name) -> CharacterObject* { return new NPC_Boss2_Snow_Enemy(std::move(name)); }},
        {&TypeNames::Projectile_Boss_Boat,
            [](std::string name) -> CharacterObject* { return new Projectile_Boss_Boat(std::move(name)); }},
        {&TypeNames::Projectile_Boss_Cave,
            [](std::string name) -> CharacterObject* { return new Projectile_Boss_Cave(std::move(name)); }},
        {&TypeNames::Projectile_Chained_Skull,
            [](std::string name) -> CharacterObject* {
                return new Projectile_Chained_Skull(std::move(name));
            }},
        {&TypeNames::Projectile_Boss_Garden_Beam,
            [](std::string name) -> CharacterObject* {
                return new Projectile_Boss_Garden_Beam(std::move(name));
            }},
        {&TypeNames::Projectile_MiniBoss_Snow,
            [](std::string name) -> CharacterObject* {
                return new Projectile_MiniBoss_Snow(std::move(name));
            }},
        {&TypeNames::Projectile_MiniBoss_Cave,
            [](std::string name) -> CharacterObject* {
                return new Projectile_MiniBoss_Cave(std::move(name));
            }},
        {&TypeNames::Projectile_Boss_Garden_String,
            [](std::string name) -> CharacterObject* {
                return new Projectile_Boss_Garden_String(std::move(name));
            }},
        {&TypeNames::Projectile_Ins_Acid,
            [](std::string name) -> CharacterObject* { return new Projectile_Ins_Acid(std::move(name)); }},
        {&TypeNames::Projectile_Thrower,
            [](std::string name) -> CharacterObject* { return new Projectile_Thrower(std::move(name)); }},
        {&TypeNames::Projectile_BoatWorm,
            [](std::string name) -> CharacterObject* { return new Projectile_BoatWorm(std::move(name)); }},
        {&TypeNames::Projectile_SadSoul,
            [](std::string name) -> CharacterObject* { return new Projectile_SadSoul(std::move(name)); }},
        {&TypeNames::Projectile_Crossbow,
            [](std::string name) -> CharacterObject* { return new Projectile_Crossbow(std::move(name)); }},
        {&TypeNames::Projectile_Lonely_Head,
            [](std::string name) -> CharacterObject* { return new Projectile_Lonely_Head(std::move(name)); }},
        {&TypeNames::Projectile_Seahorse,
            [](std::string name) -> CharacterObject* { return new Projectile_Seahorse(std::move(name)); }},
        {&TypeNames::Projectile_Fire_Launcher,
            [](std::string name) -> CharacterObject* {
                return new Projectile_Fire_Launcher(std::move(name));
            }},
        {&TypeNames::Projectile_Dead_Fish_Spike,
            [](std::string name) -> CharacterObject* {
                return new Projectile_Dead_Fish_Spike(std::move(name));
            }},
        {&TypeNames::Projectile_Garden_Plant,
            [](std::string name) -> CharacterObject* {
                return new Projectile_Garden_Plant(std::move(name));
            }},
        {&TypeNames::Projectile_Killing_Mechanism,
            [](std::string name) -> CharacterObject* {
                return new Projectile_Killing_Mechanism(std::move(name));
            }},
        {&TypeNames::Projectile_Boss_Snow,
            [](std::string name) -> CharacterObject* { return new Projectile_Boss_Snow(std::move(name)); }},
        {&TypeNames::NPC_FloatingSkull,
            [](std::string name) -> CharacterObject* { return new NPC_FloatingSkull(std::move(name)); }},
        {&TypeNames::NPC_DreamCatcher,
            [](std::string name) -> CharacterObject* { return new NPC_DreamCatcher(std::move(name)); }},
        {&TypeNames::NPC_CrouchSkull,
            [](std::string name) -> CharacterObject* { return new NPC_CrouchSkull(std::move(name)); }},
        {&TypeNames::NPC_CrouchSkull_Boat,
            [](std::string name) -> CharacterObject* { return new NPC_CrouchSkull_Boat(std::move(name)); }},
        {&TypeNames::NPC_BoatPlant,
            [](std::string name) -> CharacterObject* { return new NPC_BoatPlant(std::move(name)); }},
        {&TypeNames::NPC_BoatIns,
            [](std::string name) -> CharacterObject* { return new NPC_BoatIns(std::move(name)); }},
        {&TypeNames::NPC_CrouchSkull_Ghost,
            [](std::string name) -> CharacterObject* { return new NPC_CrouchSkull_Ghost(std::move(name)); }},
        {&TypeNames::NPC_CrouchSkull_Strong,
            [](std::string name) -> CharacterObject* { return new NPC_CrouchSkull_Strong(std::move(name)); }},
        {&TypeNames::NPC_Door,
            [](std::string name) -> CharacterObject* { return new NPC_Door(std::move(name)); }},
        {&TypeNames::NPC_BoatWorm,
            [](std::string name) -> CharacterObject* { return new NPC_BoatWorm(std::move(name)); }},
        {&TypeNames::NPC_Thrower,
            [](std::string name) -> CharacterObject* { return new NPC_Thrower(std::move(name)); }},
        {&TypeNames::NPC_FireDiamond,
            [](std::string name) -> CharacterObject* { return new NPC_FireDiamond(std::move(name)); }},
        {&TypeNames::NPC_Located_Claw,
            [](std::string name) -> CharacterObject* { return new NPC_Located_Claw(std::move(name)); }},
        {&TypeNames::NPC_ThrowerSkull,
            [](std::string name) -> CharacterObject* { return new NPC_ThrowerSkull(std::move(name)); }},
        {&TypeNames::NPC_Lonely_Head,
            [](std::string name) -> CharacterObject* { return new NPC_Lonely_Head(std::move(name)); }},
        {&TypeNames::NPC_Seahorse,
            [](std::string name) -> CharacterObject* { return new NPC_Seahorse(std::move(name)); }},
        {&TypeNames::NPC_Fire_Launcher,
            [](std::string name) -> CharacterObject* { return new NPC_Fire_Launcher(std::move(name)); }},
        {&TypeNames::NPC_Dead_Fish,
            [](std::string name) -> CharacterObject* { return new NPC_Dead_Fish(std::move(name)); }},
        {&TypeNames::NPC_JellyFish,
            [](std::string name) -> CharacterObject* { return new NPC_JellyFish(std::move(name)); }},
        {&TypeNames::NPC_MiniBoss_Bibli,
            [](std::string name) -> CharacterObject* { return new NPC_MiniBoss_Bibli(std::move(name)); }},
        {&TypeNames::NPC_MiniBoss_FloatingSkull,
            [](std::string name) -> CharacterObject* {
                return new NPC_MiniBoss_FloatingSkull(std::move(name));
            }},
        {&TypeNames::NPC_MiniBoss_Boat,
            [](std::string name) -> CharacterObject* { return new NPC_MiniBoss_Boat(std::move(name)); }},
        {&TypeNames::NPC_MiniBoss_Cave,
            [](std::string name) -> CharacterObject* { return new NPC_MiniBoss_Cave(std::move(name)); }},
        {&TypeNames::NPC_MiniBoss_Garden,
            [](std::string name) -> CharacterObject* { return new NPC_MiniBoss_Garden(std::move(name)); }},
        {&TypeNames::NPC_MiniBoss_Snow,
            [](std::string name) -> CharacterObject* { return new NPC_MiniBoss_Snow(std::move(name)); }},
        {&TypeNames::NPC_MiniBoss_Underwater,
            [](std::string name) -> CharacterObject* {
                return new NPC_MiniBoss_Underwater(std::move(name));
            }},
        {&TypeNames::NPC_MiniBoss_Underwater_Arm,
            [](std::string name) -> CharacterObject* {
                return new NPC_MiniBoss_Underwater_Arm(std::move(name));
            }},
        {&TypeNames::Projectile_MiniBoss_Underwater,
            [](std::string name) -> CharacterObject* {
                return new Projectile_MiniBoss_Underwater(std::move(name));
            }},
        {&TypeNames::NPC_Bibli_Ghost,
            [](std::string name) -> CharacterObject* { return new NPC_Bibli_Ghost(std::move(name)); }},
        {&TypeNames::NPC_Garden_Plant,
            [](std::string name) -> CharacterObject* { return new NPC_Garden_Plant(std::move(name)); }},
        {&TypeNames::NPC_Killing_Mechanism,
            [](std::string name) -> CharacterObject* { return new NPC_Killing_Mechanism(std::move(name)); }},
        {&TypeNames::NPC_Chained_Skull,
            [](std::string name) -> CharacterObject* { return new NPC_Chained_Skull(std::move(name)); }},
        {&TypeNames::NPC_Boss_Snow,
            [](std::string name) -> CharacterObject* { return new NPC_Boss_Snow(std::move(name)); }},
        {&TypeNames::NPC_Boss_Garden,
            [](std::string name) -> CharacterObject* { return new NPC_Boss_Garden(std::move(name)); }},
        {&TypeNames::NPC_Boss_Underwater,
            [](std::string name) -> CharacterObject* { return new NPC_Boss_Underwater(std::move(name)); }},
        {&TypeNames::NPC_Boss_Bibli,
            [](std::string name) -> CharacterObject* { return new NPC_Boss_Bibli(std::move(name)); }},
        {&TypeNames::NPC_Boss_Cave,
            [](std::string name) -> CharacterObject* { return new NPC_Boss_Cave(std::move(name)); }},
        {&TypeNames::NPC_Boss_Final,
            [](std::string name) -> CharacterObject* { return new NPC_Boss_Final(std::move(name)); }},
        {&TypeNames::NPC_Boss_Ultimate,
            [](std::string name) -> CharacterObject* { return new NPC_Boss_Ultimate(std::move(name)); }},
        {&TypeNames::NPC_Boss_Boat,
            [](std::string name) -> CharacterObject* { return new NPC_Boss_Boat(std::move(name)); }},
        {&TypeNames::NPC_Boss2_Boat,
            [](std::string name) -> CharacterObject* { return new NPC_Boss2_Boat(std::move(name)); }},
        {&TypeNames::NPC_Boss2_Garden,
            [](std::string name) -> CharacterObject* { return new NPC_Boss2_Garden(std::move(name)); }},
        {&TypeNames::NPC_Boss2_Bibli,
            [](std::string name) -> CharacterObject* { return new NPC_Boss2_Bibli(std::move(name)); }},
        {&TypeNames::NPC_Boss2_Cave,
            [](std::string name) -> CharacterObject* { return new NPC_Boss2_Cave(std::move(name)); }},
        {&TypeNames::NPC_Boss2_Snow,
            [](std::string name) -> CharacterObject* { return new NPC_Boss2_Snow(std::move(name)); }},
        {&TypeNames::NPC_Boss2_Underwater,
            [](std::string name) -> CharacterObject* { return new NPC_Boss2_Underwater(std::move(name)); }},
        {&TypeNames::NPC_Script,
            [](std::string name) -> CharacterObject* { return new NPC_Script(std::move(name)); }},
        {&TypeNames::NPC_Boss_Snow_Arm,
            [](std::string name) -> CharacterObject* { return new NPC_Boss_Snow_Arm(std::move(name)); }},
        {&TypeNames::NPC_Boss_Underwater_Line,
            [](std::string name) -> CharacterObject* {
                return new NPC_Boss_Underwater_Line(std::move(name));
            }},
    }};
    return classes;
}

} // namespace

bool Game::IsCharacterClass(const std::string& classKey)
{
    for (const CharacterClass& entry : CharacterClasses()) {
        if (*entry.key == classKey)
            return true;
    }
    return false;
}

std::vector<std::string> Game::CharacterClassKeys()
{
    std::vector<std::string> keys;
    for (const CharacterClass& entry : CharacterClasses())
        keys.push_back(*entry.key);
    return keys;
}

std::vector<std::string> Game::ParticleLinkNames()
{
    std::vector<std::string> names = CharacterClassKeys();
    for (std::string& part : NPC_Boss2_Boat::PartNames())
        names.push_back(std::move(part));
    return names;
}

bool Game::IsParticleLinkName(const std::string& name)
{
    const std::vector<std::string> parts = NPC_Boss2_Boat::PartNames();
    return IsCharacterClass(name) || std::find(parts.begin(), parts.end(), name) != parts.end();
}

CharacterObject* Game::CreateCharacterByClass(std::string name, std::string classKey, CharacterObject* before)
{
    for (const CharacterClass& entry : CharacterClasses()) {
        if (*entry.key != classKey)
            continue;
        // A constructor may create characters of its own; they are appended
        // first, and this one follows once its constructor has returned.
        NoteUse("character class", classKey);
        CharacterObject* character = entry.create(std::move(name));
        liveCharacters.push_back(character);
        character->PostUnSerialize();
        character->SetSkipSerialize(true);
        if (before != nullptr)
            liveCharacters.MoveLastBefore(before);
        return character;
    }
    return nullptr;
}
