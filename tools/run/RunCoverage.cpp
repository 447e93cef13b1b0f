#include "tools/run/RunCoverage.h"

#include "engine/render/EffectList.h"
#include "engine/sound/SoundEvent.h"
#include "engine/sound/SoundEventsManager.h"
#include "game/Game.h"
#include "script/Script.h"

#include <algorithm>
#include <set>

namespace {

bool StartsWith(const std::string& text, std::string_view prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool IsSpawnerKey(const std::string& key)
{
    return StartsWith(key, "Zone_NPCSpawner_") || StartsWith(key, "Zone_NPCSPawner_");
}

// The names of a table in order, each once.
std::vector<std::string> Distinct(const std::vector<std::string>& names)
{
    std::vector<std::string> distinct;
    std::set<std::string> seen;
    for (const std::string& name : names)
        if (seen.insert(name).second)
            distinct.push_back(name);
    return distinct;
}

} // namespace

RunCoverage::RunCoverage()
    : previous(Installed<UsageObserver>::Get())
{
    Installed<UsageObserver>::Set(this);
}

RunCoverage::~RunCoverage()
{
    Installed<UsageObserver>::Set(previous);
}

void RunCoverage::Used(std::string_view family, std::string_view name)
{
    std::lock_guard lock(mutex);
    auto names = counts.find(family);
    if (names == counts.end())
        names = counts.emplace(std::string(family), std::map<std::string, int, std::less<>> {}).first;
    auto count = names->second.find(name);
    if (count == names->second.end())
        names->second.emplace(std::string(name), 1);
    else
        ++count->second;
}

int RunCoverage::Count(std::string_view family, std::string_view name) const
{
    std::lock_guard lock(mutex);
    const auto names = counts.find(family);
    if (names == counts.end())
        return 0;
    const auto count = names->second.find(name);
    return count == names->second.end() ? 0 : count->second;
}

std::string RunCoverage::Report(
    const std::vector<CoverageFamily>& families, std::vector<std::string>& untouched) const
{
    std::string report;
    for (const CoverageFamily& family : families) {
        int reached = 0;
        std::vector<std::string> missing;
        std::vector<std::string> exempt;
        // Groups in the order they first appear, with their counts.
        std::vector<std::string> groups;
        std::map<std::string, std::pair<int, int>> groupCounts;
        for (const std::string& member : family.members) {
            const bool used = Count(family.counted, member) > 0;
            if (family.groupOf != nullptr) {
                const std::string group = family.groupOf(member);
                if (!groupCounts.contains(group))
                    groups.push_back(group);
                auto& [groupReached, groupSize] = groupCounts[group];
                groupReached += used ? 1 : 0;
                ++groupSize;
            }
            if (used)
                ++reached;
            else if (family.exempt.contains(member))
                exempt.push_back(member);
            else
                missing.push_back(member);
        }
        report += family.title + ": " + std::to_string(reached) + " of "
            + std::to_string(family.members.size()) + " reached";
        if (!exempt.empty())
            report += ", " + std::to_string(exempt.size()) + " exempt";
        report += missing.empty() ? "\n" : ", " + std::to_string(missing.size()) + " never reached\n";
        for (const std::string& group : groups)
            report += "  " + group + ": " + std::to_string(groupCounts[group].first) + " of "
                + std::to_string(groupCounts[group].second) + "\n";
        for (const std::string& member : missing) {
            report += "  never reached: " + member + "\n";
            untouched.push_back(family.title + ": " + member);
        }
        for (const std::string& member : exempt)
            report += "  exempt: " + member + " (" + family.exempt.at(member) + ")\n";
    }
    return report;
}

std::string SoundEventFamily(const std::string& event)
{
    static const std::vector<std::pair<std::string_view, std::string>> kFamilies = {
        {"Menu_", "Menu"},
        {"Player_", "Player"},
        {"World_", "World"},
        {"Crossbow", "Crossbow"},
        {"NPC_Generic_", "Generic enemy"},
        {"Door_", "Doors"},
        {"NPC_Miniboss_", "Mini-bosses"},
        {"NPC_MiniBoss_", "Mini-bosses"},
        {"NPC_Boss", "Bosses"},
        {"Script_User_InWorld_", "Script, positional"},
        {"Script_User_", "Script"},
        {"NPC_", "Enemy attacks"},
    };
    for (const auto& [prefix, family] : kFamilies)
        if (StartsWith(event, prefix))
            return family;
    return "Other";
}

std::vector<CoverageFamily> WorldCoverageFamilies(Game& game)
{
    const std::string frame = "an interface frame: made from the game library, never placed in a level";
    const std::string base = "the base class: no library record or level names a bare one";
    std::vector<CoverageFamily> families;

    CoverageFamily characters {"character classes", "character class", Game::CharacterClassKeys(), {}};
    characters.exempt["NPC_Boss_Snow_Arm"]
        = "built by the factory, but nothing places it (unreachable by design)";
    families.push_back(characters);

    CoverageFamily sceneObjects {"scene-object classes", "scene object class", {}, {}};
    CoverageFamily placed {"zone, point and scene-object types placed", "placed", {}, {}};
    CoverageFamily spawners {"spawner kinds", "placed", {}, {}};
    for (const std::string& key : Game::SceneObjectClassKeys()) {
        sceneObjects.members.push_back(key);
        if (IsSpawnerKey(key)) {
            spawners.members.push_back(key);
            continue;
        }
        placed.members.push_back(key);
        if (StartsWith(key, "UI_"))
            placed.exempt[key] = frame;
        else if (key == "SceneObject")
            placed.exempt[key] = sceneObjects.exempt[key] = base;
    }
    families.push_back(sceneObjects);
    families.push_back(placed);
    families.push_back(spawners);

    std::vector<std::string> consoleNames;
    for (const ConsoleCommand& command : game.console.GetCommands())
        if (command.handler)
            consoleNames.push_back(command.name);
    CoverageFamily console {"console commands", "console command", Distinct(consoleNames), {}};
    // The run plays by keys; its epilogue types every command the game
    // does not give itself at the developer's console: none is exempt.
    families.push_back(console);

    std::vector<std::string> scriptNames;
    for (const ScriptCommand& command : Script::GetCommands())
        if (command.handler)
            scriptNames.push_back(command.name);
    families.push_back({"script commands", "script command", Distinct(scriptNames), {}});

    CoverageFamily pickups {"pickup kinds", "pickup kind", {}, {}};
    for (int kind = 0; kind <= 28; ++kind)
        pickups.members.push_back(std::to_string(kind));
    pickups.exempt["11"] = "no graphic, no effect; not placed (the kind-13 dud stands for it)";
    for (int kind = 14; kind <= 19; ++kind)
        pickups.exempt[std::to_string(kind)] = "no graphic, no effect; the kind-13 dud stands for it";
    families.push_back(pickups);

    CoverageFamily pages {"menu pages", "menu page", {}, {}};
    for (int page = 0; page <= 5; ++page)
        pages.members.push_back(std::to_string(page));
    families.push_back(pages);

    CoverageFamily sounds {"sound events", "sound event", {}, {}};
    if (SoundEventsManager* manager = game.GetSoundEventsManager())
        for (const auto& event : manager->GetRegisteredEvents())
            sounds.members.push_back(event->GetName());
    sounds.groupOf = SoundEventFamily;
    // The eye's plants die of a blow only once frozen, and the ice armor that
    // freezes them is found after the eye is beaten for good.
    sounds.exempt["NPC_Boss_Cave2_PlantDie"]
        = "a frozen plant struck: the ice armor comes after the cave's second boss is beaten for good";
    // The flame declares the chained skull's fire beside its own, but no
    // rule of play sounds it.
    sounds.exempt["NPC_ChainedSkull_Fire"]
        = "declared by the fire launcher's flame, played by no rule of play";
    // The giant's wood breaks in its explosion, which stops its updates
    // before they would show the broken wood and sound it.
    sounds.exempt["NPC_Boss_Snow_OneBodyWoodKilled"]
        = "the snow giant's wood explodes at its lethal blow, before its broken look and its sound";
    // The player declares these beside its own sounds; a blow through a
    // ghost sounds as a miss, and freezing and thawing are silent.
    for (const char* declared :
        {"Player_Attack_Near_PhantomIgnore", "World_WaterToIce", "World_LavaToIce", "World_IceToWater"})
        sounds.exempt[declared] = "declared by the player, played by no rule of play";
    families.push_back(sounds);

    CoverageFamily effects {"effect files", "effect", {}, {}};
    for (const EffectListEntry& entry : GetEffectListEntries())
        effects.members.push_back(entry.name);
    const std::string drawn = "drawn by the render engine on every frame; a headless run draws nothing";
    effects.exempt["Empty"] = "a placeholder without a file";
    effects.exempt["fullFX_BasicBlur"] = effects.exempt["fullFX_FireEffect"]
        = "no gameplay caller: only compiled at start";
    effects.exempt["BasicHLSL"] = effects.exempt["fullFX_Bloom"] = drawn;
    effects.exempt["fullFX_FadeToColor"] = "applied by the frame while it runs; no rule of play starts it";
    effects.exempt["fullFX_FadeAlphaLoop"] = "drawn by the HUD's hearts at life 1 (the run reaches it: "
                                             "\"Player_LowHP\"); a headless run draws nothing";
    families.push_back(effects);
    return families;
}
