#include "engine/sound/SoundEventsManager.h"

#include "engine/platform/DebugOutput.h"
#include "engine/serial/LineReaders.h"
#include "engine/serial/ReaderContext.h"
#include "engine/sound/SoundEvent.h"

#include <algorithm>
#include <iterator>

namespace {

struct EventEntry {
    const char* name;
    bool positional;
    int voicesPerVariation;
};

// Every event the game knows, in registration order.
constexpr EventEntry kEventTable[] = {
    {"Menu_Select", false, 4},
    {"Menu_Back", false, 4},
    {"Menu_Validate", false, 4},
    {"Menu_Dialogue", false, 4},
    {"Menu_Dialogue_Quick", false, 4},
    {"Player_Attack_Near", false, 8},
    {"Player_Attack_Near_Touch", false, 8},
    {"Player_Attack_Near_PhantomIgnore", false, 8},
    {"Player_Move", false, 2},
    {"Player_Jump", false, 4},
    {"Player_HitByEnemy", false, 2},
    {"Player_TouchGround", false, 4},
    {"Player_TouchGroundHeavy", false, 4},
    {"Player_TransformLigthning", false, 2},
    {"Player_TransformSpider", false, 10},
    {"Player_TransformChangeArmor", false, 4},
    {"Player_UseAOE_Fire", false, 4},
    {"Player_UseAOE_Ice", false, 4},
    {"Player_Enterwater", false, 4},
    {"Player_Leavewater", false, 4},
    {"Player_HeartBeat", false, 4},
    {"Player_GetPickupGeneric", false, 2},
    {"Player_GetPickupMap", false, 2},
    {"Player_GetDrop", false, 8},
    {"Player_LowHP", false, 2},
    {"Player_UseAOE2_Fire", false, 4},
    {"Player_UseAOE2_Ice", false, 4},
    {"Player_Attack_Near3", false, 8},
    {"Player_Attack_Near4", false, 8},
    {"Player_DoubleJump", false, 2},
    {"Player_Die", false, 1},
    {"Crossbow_Idle", true, 1},
    {"Crossbow_Break", true, 1},
    {"Crossbow2_Idle", true, 1},
    {"Crossbow3_Idle", true, 1},
    {"NPC_Generic_HitByPlayer", false, 4},
    {"NPC_Generic_Killed", false, 4},
    {"NPC_Generic_ThrowProjectile", false, 8},
    {"NPC_Generic_IceGhost", false, 8},
    {"NPC_LonelyHead_Proj", true, 1},
    {"NPC_Thrower_Attack", true, 1},
    {"NPC_SkullThrower_Attack", true, 1},
    {"NPC_BoatWorm_Attack", true, 1},
    {"NPC_LocatedClaw_Attack", true, 1},
    {"NPC_FireLauncher_Fire", true, 1},
    {"NPC_BibliGhost_Attack", true, 2},
    {"NPC_SeaHorse_Attack", true, 1},
    {"NPC_ChainedSkull_Attack", true, 1},
    {"NPC_ChainedSkull_Fire", true, 1},
    {"NPC_KillingMechanism_Appears", true, 1},
    {"NPC_KillingMechanism_Disappears", true, 1},
    {"NPC_Miniboss_Boat_Attack", true, 2},
    {"NPC_Miniboss_Cave_Attack", false, 2},
    {"NPC_Miniboss_Snow_Proj", true, 1},
    {"NPC_Miniboss_Bibli_Move", true, 1},
    {"NPC_Miniboss_Garden_Move", true, 1},
    {"NPC_Boss_Killed", false, 2},
    {"NPC_FloatingSkull_Idle", true, 2},
    {"NPC_Boss_Boat_Scream", false, 2},
    {"NPC_Boss_Boat_LaunchFire", false, 2},
    {"NPC_Boss_Boat_HitGround", false, 4},
    {"NPC_Boss_Boat_HitPlayerGround", false, 4},
    {"NPC_Boss_Boat_Preraring", false, 2},
    {"NPC_Boss_Cave_Insects", false, 2},
    {"NPC_Boss_Cave_KillInsect", false, 2},
    {"NPC_Boss_Cave_Plant_Die", false, 2},
    {"NPC_Boss_Snow_Projectile", false, 2},
    {"NPC_Boss_Snow_SnowImpact", false, 2},
    {"NPC_Boss_Snow_LandOn", false, 2},
    {"NPC_Boss_Snow_OneBodySnowKilled", false, 2},
    {"NPC_Boss_Snow_OneBodyWoodKilled", false, 2},
    {"NPC_Boss_Bibli_Appear", true, 2},
    {"NPC_Boss_Bibli_Disappear", true, 2},
    {"NPC_Boss_Bibli_HeadKilled", false, 2},
    {"NPC_Boss_Bibli_Dague", true, 2},
    {"NPC_Boss_Underwater_Projectile", false, 4},
    {"NPC_Boss_Underwater_EyeKilled", false, 3},
    {"NPC_Boss_Underwater_Mode2", false, 2},
    {"NPC_Boss_Garden_Move", false, 2},
    {"NPC_Boss_Garden_Proje", false, 2},
    {"NPC_Boss_Garden_Proje2", false, 8},
    {"NPC_Boss_Garden_Change", false, 2},
    {"NPC_Boss_Boat2_Scream", false, 2},
    {"NPC_Boss_Boat2_Attack1", false, 4},
    {"NPC_Boss_Boat2_Proj", false, 1},
    {"NPC_Boss_Boat2_Die", false, 1},
    {"NPC_Boss_Cave2_PlantApear", false, 1},
    {"NPC_Boss_Cave2_PlantDie", false, 2},
    {"NPC_Boss_Cave2_ProjSmall", false, 1},
    {"NPC_Boss_Cave2_NewEye", false, 8},
    {"NPC_Boss_Cave2_EyeMoveFirst", false, 1},
    {"NPC_Boss_Cave2_EyeMove", false, 1},
    {"NPC_Boss_Cave2_ProjBig", false, 1},
    {"NPC_Boss_Snow2_Scream", false, 1},
    {"NPC_Boss_Snow2_jump", false, 2},
    {"NPC_Boss_Snow2_AttackIce", false, 1},
    {"NPC_Boss_Snow2_Shield", false, 1},
    {"NPC_Boss_Snow2_ScreamEnemy", false, 2},
    {"NPC_Boss_Bibli2_Slime1", false, 2},
    {"NPC_Boss_Bibli2_Slime2", false, 2},
    {"NPC_Boss_Bibli2_Proj", true, 2},
    {"NPC_Boss_Bibli2_StepBroken", false, 2},
    {"NPC_Boss_Under2_Proj", true, 4},
    {"NPC_Boss_Under2_Open", true, 4},
    {"NPC_Boss_Under2_Attack", true, 4},
    {"NPC_Boss_Under2_Destroy", false, 4},
    {"NPC_Boss_Garden2_Appears", false, 2},
    {"NPC_Boss_Garden2_Disapear", false, 2},
    {"NPC_Boss_Garden2_Proj", false, 2},
    {"NPC_Boss_Garden2_Fire", false, 2},
    {"NPC_Boss_Final2_CellTouch", false, 8},
    {"NPC_Boss_Final2_CellDie", false, 4},
    {"NPC_Boss_Final2_BigStone", true, 1},
    {"NPC_Boss_Final2_SmallStone", true, 1},
    {"NPC_Boss_Final2_Spit", false, 4},
    {"NPC_Boss_Final2_SpitSplash", false, 4},
    {"NPC_Boss_Final2_SpikesPlacement", false, 4},
    {"NPC_Boss_Final2_SpikeAttack", false, 4},
    {"NPC_Boss_Final2_SpikeExplod", false, 4},
    {"NPC_Boss_Final2_TailAttack", false, 4},
    {"NPC_Boss_Final_Appears", false, 1},
    {"NPC_Boss_Final_ProjMove", true, 1},
    {"NPC_Boss_Final_ProjActive", false, 1},
    {"NPC_Boss_Final_SkullsAppear", false, 2},
    {"Door_Open", false, 1},
    {"Door_Close", true, 1},
    {"World_WaterToIce", true, 4},
    {"World_IceToWater", true, 4},
    {"World_LavaToIce", true, 4},
    {"Player_ArmorAvailable", false, 2},
    {"Script_User_00", false, 4},
    {"Script_User_01", false, 4},
    {"Script_User_02", false, 4},
    {"Script_User_03", false, 4},
    {"Script_User_04", false, 4},
    {"Script_User_05", false, 4},
    {"Script_User_06", false, 4},
    {"Script_User_07", false, 4},
    {"Script_User_08", false, 4},
    {"Script_User_09", false, 4},
    {"Script_User_InWorld_00", true, 4},
    {"Script_User_InWorld_01", true, 4},
    {"Script_User_InWorld_02", true, 4},
    {"Script_User_InWorld_03", true, 4},
    {"Script_User_InWorld_04", true, 4},
    {"Script_User_InWorld_05", true, 4},
    {"Script_User_InWorld_06", true, 4},
    {"Script_User_InWorld_07", true, 4},
    {"Script_User_InWorld_08", true, 4},
    {"Script_User_InWorld_09", true, 4},
    {"Player_FireFlies_HaveTarget", false, 2},
    {"NPC_Boss_Bibli2_Book", false, 8},
};

} // namespace

SoundEventsManager::SoundEventsManager()
{
    for (const EventEntry& entry : kEventTable)
        registeredEvents.push_back(
            std::make_unique<SoundEvent>(entry.name, entry.positional, entry.voicesPerVariation));
}

SoundEventsManager::~SoundEventsManager() = default;

SoundEvent* SoundEventsManager::FindEvent(const std::string& name)
{
    for (const auto& event : registeredEvents)
        if (event->GetName() == name)
            return event.get();
    return nullptr;
}

SoundEvent* SoundEventsManager::CopyEventForObject(const std::string& name)
{
    const SoundEvent* registered = FindEvent(name);
    if (registered == nullptr)
        return nullptr;
    auto copy
        = std::make_unique<SoundEvent>(name, registered->IsPositional(), registered->GetVoicesPerVariation());
    copy->CopyFrom(*registered);
    liveCopies.push_back(std::move(copy));
    return liveCopies.back().get();
}

bool SoundEventsManager::ReleaseEvent(SoundEvent** event)
{
    if (event == nullptr || *event == nullptr)
        return false;
    // From the newest: the copies released most often are the short-lived
    // characters' (shots, flames), made last, so neither the search nor the
    // erase walks the copies of thousands of older characters.
    const auto found = std::find_if(
        liveCopies.rbegin(), liveCopies.rend(), [event](const auto& copy) { return copy.get() == *event; });
    if (found == liveCopies.rend())
        return false;
    detached.erase(std::remove(detached.begin(), detached.end(), *event), detached.end());
    liveCopies.erase(std::next(found).base());
    *event = nullptr;
    return true;
}

bool SoundEventsManager::Detach(SoundEvent* event)
{
    const bool live = event != nullptr
        && std::any_of(
            liveCopies.begin(), liveCopies.end(), [event](const auto& copy) { return copy.get() == event; });
    if (!live)
        return false;
    if (std::find(detached.begin(), detached.end(), event) == detached.end())
        detached.push_back(event);
    return true;
}

void SoundEventsManager::UpdateDetached()
{
    // Copied first: releasing an event takes it off the list.
    const std::vector<SoundEvent*> current = detached;
    for (SoundEvent* event : current) {
        event->UpdatePositional();
        if (!event->IsPlaying()) {
            SoundEvent* released = event;
            ReleaseEvent(&released);
        }
    }
}

void SoundEventsManager::PauseAll()
{
    for (const auto& copy : liveCopies)
        copy->SetPaused(true);
}

void SoundEventsManager::ResumeAll()
{
    for (const auto& copy : liveCopies)
        copy->SetPaused(false);
}

void SoundEventsManager::StopAll()
{
    for (const auto& copy : liveCopies)
        copy->Stop();
}

bool SoundEventsManager::WasStartedThisFrame(const std::string& soundName) const
{
    return std::find(startedSounds.begin(), startedSounds.end(), soundName) != startedSounds.end();
}

bool SoundEventsManager::Serialize(std::ostream& os)
{
    if (IsSkipSerialize())
        return true;
    WriteLine(os, GetVersionedClassName());
    WriteLine(os, 0);
    WriteLine(os, static_cast<int32_t>(registeredEvents.size()));
    for (const auto& event : registeredEvents)
        event->Serialize(os);
    return static_cast<bool>(os);
}

bool SoundEventsManager::UnSerialize(std::istream& is)
{
    // Every record is read before any is applied: a damaged record anywhere
    // changes no event.
    int32_t reserved = 0;
    int32_t count = 0;
    if (!ReadClassLine(is, GetVersionedClassName()) || !ReadIntLine(is, reserved) || !ReadIntLine(is, count))
        return false;
    // A negative count reads as no record.
    std::vector<std::unique_ptr<SoundEvent>> records;
    for (int32_t i = 0; i < count; ++i) {
        auto record = std::make_unique<SoundEvent>("", false, 1);
        if (!record->UnSerialize(is)) {
            platform::DebugOutput("SoundEventsManager: damaged record of sound event " + std::to_string(i + 1)
                + ", no sound event changed\n");
            return false;
        }
        records.push_back(std::move(record));
    }
    for (const auto& record : records) {
        SoundEvent* registered = FindEvent(record->GetName());
        if (registered == nullptr) {
            platform::DebugOutput(
                "SoundEventsManager: unknown sound event \"" + record->GetName() + "\" ignored\n");
            continue;
        }
        record->SetPositional(registered->IsPositional());
        record->SetVoicesPerVariation(registered->GetVoicesPerVariation());
        registered->CopyFrom(*record);
    }
    return true;
}
