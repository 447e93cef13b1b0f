#include "tools/world/WorldLint.h"

#include "engine/serial/FileUtils.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "tools/world/ZonePayloads.h"
#include "zones/GameplayObject_Zone.h"
#include "zones/Point_MinimapLocation.h"
#include "zones/Point_PlayerStart.h"
#include "zones/Zone_LoadMap.h"

#include <map>
#include <set>

namespace {

// Every placed instance of a level, in file order.
template <class F> void ForEachPlaced(const Level& level, F visit)
{
    for (int list : Level::kFileOrder)
        for (int i = 0; i < level.GetLayerCount(list); ++i) {
            Layer* layer = level.GetLayerAt(list, i);
            for (size_t k = 0; layer != nullptr && k < layer->GetInstanceCount(); ++k)
                visit(*layer->GetInstance(k));
        }
}

std::string At(const Layer::Instance& placed)
{
    const Point<float> p = placed.GetPosition();
    return " at " + std::to_string(int(p.x)) + ", " + std::to_string(int(p.y));
}

} // namespace

std::vector<std::string> LintLevels(
    const std::vector<LintedLevel>& levels, const std::function<bool(const std::string&)>& libraryHas)
{
    std::vector<std::string> faults;
    // The start-point names of each level, by lower-case file name.
    std::map<std::string, std::set<std::string>> starts;
    for (const LintedLevel& linted : levels) {
        std::set<std::string>& names = starts[ToLowerCase(linted.file)];
        ForEachPlaced(*linted.level, [&](Layer::Instance& placed) {
            if (auto* start = dynamic_cast<Point_PlayerStart::Instance*>(placed.GetPayload()))
                names.insert(start->SceneObjectInstance::GetName());
        });
    }

    for (const LintedLevel& linted : levels) {
        auto fault = [&](const std::string& message) { faults.push_back(linted.file + ": " + message); };
        int markers = 0;
        std::set<std::string> unknown;
        // Start points and exits, for the rule between them.
        std::vector<std::pair<std::string, Point<float>>> startPoints;
        std::vector<std::pair<std::string, Rect<float>>> exitZones;
        ForEachPlaced(*linted.level, [&](Layer::Instance& placed) {
            const std::string object
                = placed.GetPrototype() != nullptr ? placed.GetPrototype()->GetName() : "";
            if (!libraryHas(object) && unknown.insert(object).second)
                fault("object \"" + object + "\"" + At(placed) + " is not in the game library");
            SceneObjectInstance* payload = placed.GetPayload();
            if (payload == nullptr && HasPayload(object))
                fault(object + At(placed) + " carries no payload: the game cannot use it");
            if (auto* start = dynamic_cast<Point_PlayerStart::Instance*>(payload))
                startPoints.emplace_back(start->SceneObjectInstance::GetName(), placed.GetPosition());
            if (auto* exit = dynamic_cast<Zone_LoadMap::Instance*>(payload)) {
                exitZones.emplace_back(exit->GetName(), ZoneRect(placed.GetPosition(), exit->GetSize()));
                const std::string& target = exit->levelFile.value;
                const std::string& start = exit->startPoint.value;
                auto it = starts.find(ToLowerCase(target));
                if (it == starts.end())
                    fault("exit \"" + exit->GetName() + "\" leads to \"" + target
                        + "\", which is no level of the world");
                else if (!it->second.count(start))
                    fault("exit \"" + exit->GetName() + "\" arrives at start point \"" + start + "\", which "
                        + target + " does not have");
            } else if (auto* marker = dynamic_cast<Point_MinimapLocation::Instance*>(payload)) {
                ++markers;
                const Point<int> cell = marker->point.value;
                if (linted.cellX >= 0 && (cell.x != linted.cellX || cell.y != linted.cellRow))
                    fault("the minimap marker carries the cell " + std::to_string(cell.x) + " "
                        + std::to_string(cell.y) + ", the level's is " + std::to_string(linted.cellX) + " "
                        + std::to_string(linted.cellRow));
            }
        });
        // A player arriving inside an exit stands in it until he walks out:
        // no start point lies in one.
        for (const auto& [name, at] : startPoints)
            for (const auto& [exitName, zone] : exitZones)
                if (at.x >= zone.x0 && at.x <= zone.x1 && at.y <= zone.y0 && at.y >= zone.y1)
                    fault("start point \"" + name + "\" at " + std::to_string(int(at.x)) + ", "
                        + std::to_string(int(at.y)) + " lies inside exit \"" + exitName + "\"");
        if (!starts[ToLowerCase(linted.file)].count("start"))
            fault("no start point named \"start\": a new game and a bare changelevel find none");
        if (markers != 1)
            fault("expected one minimap marker, found " + std::to_string(markers));
    }
    return faults;
}
