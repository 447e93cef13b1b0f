#include "engine/platform/DebugOutput.h"
#include "fuzz/FuzzTarget.h"
#include "tools/world/LevelChecks.h"
#include "tools/world/LevelDescription.h"
#include "tools/world/LevelModel.h"
#include "tools/world/WorldText.h"

#include <set>
#include <string>

// A level description (data/levels/*.lvd) as the level tool takes it: read,
// checked against the world's rules (placements, options, scripts), then
// turned into the level's model with its layers, blocks and points. The tool
// prints its refusal; here it goes to the debug output.
QUENHOLT_FUZZ_TARGET(level_description, fuzz::Reports::FileName)
{
    static const std::set<std::string> kKnown = {"Point_PlayerStart", "Point_MinimapLocation", "Zone_LoadMap",
        "Zone_Save", "Zone_Teleport", "Zone_PickupObject", "Zone_TriggerZone", "Zone_NPCSpawner_Door",
        "Zone_NPCSPawner_FloatingSkull", "Climb_Zone", "ZoneHolder", "Deco_Grave_A"};
    try {
        const LevelDescription description = LevelDescription::Parse(input.Text(), input.name);
        const std::vector<std::string> faults = CheckLevel(description, kKnown);
        const LevelModel model = BuildLevelModel(description);
        for (const std::string& fault : faults)
            platform::DebugOutput(fault + "\n");
        return faults.empty() && !model.layers.empty();
    } catch (const WorldError& error) {
        platform::DebugOutput(std::string(error.what()) + "\n");
        return false;
    }
}
