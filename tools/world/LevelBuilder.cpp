#include "tools/world/LevelBuilder.h"

#include "engine/render/DXGraphicalSurface.h"
#include "scene/GraphicalObject.h"
#include "scene/Layer.h"
#include "scene/Level.h"
#include "script/Script.h"
#include "tools/world/WorldText.h"
#include "tools/world/ZonePayloads.h"

#include <sstream>

namespace {

// Surface and grid of a layer as the level reader makes them, so that a
// built level and the same level read back hold the same layers.
constexpr int kViewW = 512;
constexpr int kViewH = 448;
constexpr int kGridStep = 32;

std::string JoinScript(const std::vector<std::string>& lines)
{
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i)
        text += (i == 0 ? "" : "\n") + lines[i];
    return text;
}

} // namespace

LevelBuilder::LevelBuilder(ObjectFinder findObject)
    : find(std::move(findObject))
{
}

std::unique_ptr<Level> LevelBuilder::Build(const LevelModel& model) const
{
    auto level = std::make_unique<Level>(model.fileName);
    for (const ModelLayer& spec : model.layers) {
        Layer* layer = level->CreateLayer(spec.list, spec.name,
            new DXGraphicalSurface(Point<int>(kViewW, kViewH), true), kViewW, kViewH, kGridStep, kGridStep);
        layer->SetScrollFactor(spec.scrollX, spec.scrollY);
        layer->SetDrawPlacedInstances(spec.drawPlacedInstances);
        layer->SetAutoScrollSpeed(spec.autoScrollSpeed);
        for (const ModelInstance& placed : spec.instances) {
            GraphicalObject* object = find(placed.object);
            if (object == nullptr)
                throw WorldError(model.source, placed.line,
                    "the game library has no object \"" + placed.object + "\" (layer \"" + spec.name + "\")");
            std::unique_ptr<SceneObjectInstance> payload = MakePayload(placed, model.source);
            layer->AddPlacedInstance(object, float(placed.x), float(placed.y))
                ->SetPayload(std::move(payload));
        }
    }
    level->GetScript()->SetText(JoinScript(model.script));
    return level;
}

std::string LevelBuilder::LevelText(Level& level)
{
    std::ostringstream os;
    level.Serialize(os);
    return os.str();
}
