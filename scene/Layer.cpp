#include "scene/Layer.h"

#include "engine/platform/DebugOutput.h"
#include "engine/render/DXGraphicalSurface.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/serial/LineReaders.h"
#include "scene/ArmorReplacement.h"
#include "scene/GraphicalObject.h"
#include "scene/LayerParticles.h"
#include "scene/Level.h"
#include "scene/LoadingScreen.h"

#include <algorithm>

namespace {

constexpr std::string_view kTagDrawPlaced = "_Layer_updatetag_1.0_";
constexpr std::string_view kTagLegacyPoints = "_Layer_updatetag_1.1_";
constexpr std::string_view kTagAutoScroll = "_Layer_updatetag_1.2_";

// The legacy block of older files: n groups of m int triples, read and dropped.
bool SkipLegacyPointBlock(std::istream& is)
{
    uint32_t groups = 0;
    if (!ReadUIntLine(is, groups))
        return false;
    for (uint32_t g = 0; g < groups; ++g) {
        uint32_t points = 0;
        if (!ReadUIntLine(is, points))
            return false;
        for (uint32_t p = 0; p < points; ++p) {
            for (int k = 0; k < 3; ++k) {
                int32_t ignored = 0;
                if (!ReadIntLine(is, ignored))
                    return false;
            }
        }
    }
    return true;
}

} // namespace

Layer::Layer(std::string name_, int type_, DXGraphicalSurface* surface_, int sizeX, int sizeY, int gridStepX,
    int gridStepY)
    : name(std::move(name_))
    , gridStep(gridStepX, gridStepY)
    , surface(surface_)
    , size(sizeX, sizeY)
    , type(type_)
{
}

Layer::~Layer()
{
    Reset();
}

bool Layer::Serialize(std::ostream& os)
{
    if (IsSkipSerialize())
        return true;
    WriteLine(os, GetVersionedClassName());
    WriteLine(os, name);
    WriteLine(os, gridStep.x);
    WriteLine(os, gridStep.y);
    WriteLine(os, scrollFactor.x);
    WriteLine(os, scrollFactor.y);
    const auto written = static_cast<uint32_t>(std::count_if(
        instances.begin(), instances.end(), [](const Instance& i) { return !i.IsSkipSerialize(); }));
    WriteLine(os, written);
    for (Instance& instance : instances)
        instance.Serialize(os);
    WriteLine(os, kTagDrawPlaced);
    WriteLine(os, drawPlacedInstances);
    WriteLine(os, kTagAutoScroll);
    WriteLine(os, autoScrollSpeed);
    return true;
}

bool Layer::UnSerialize(std::istream& is)
{
    const Point<int> surfaceSize = surface ? surface->GetSize() : Point<int>();
    Reset();
    surface = std::make_unique<DXGraphicalSurface>(surfaceSize, true);
    readError.clear();

    std::string className;
    ReadStringLine(is, className);
    ReadStringLine(is, name);
    bool ok = ReadIntLine(is, gridStep.x) && ReadIntLine(is, gridStep.y) && ReadFloatLine(is, scrollFactor.x)
        && ReadFloatLine(is, scrollFactor.y);
    if (!ok)
        readError = "the grid step and scroll factors of layer \"" + name + "\"";
    uint32_t count = 0;
    if (ok && !ReadCountLine(is, count)) {
        ok = false;
        readError = "the placed-instance count of layer \"" + name + "\"";
    }
    // The count is not trusted: instances are read one by one and the first
    // failure ends the list.
    for (uint32_t i = 0; ok && i < count; ++i) {
        Instance read;
        read.SetLevel(level);
        if (!read.UnSerialize(is)) {
            ok = false;
            readError = read.GetPrototype() == nullptr
                ? "the name of a graphical object of the game library (placed instance "
                    + std::to_string(i + 1) + " of " + std::to_string(count) + " in layer \"" + name + "\")"
                : "placed instance " + std::to_string(i + 1) + " of " + std::to_string(count) + " in layer \""
                    + name + "\" (its position, fields and a known payload class or NULL)";
            break;
        }
        instances.push_back(std::move(read));
        RefreshLoadingScreen();
    }
    if (ok && ReadUpdateTag(is, kTagDrawPlaced) && !ReadBoolLine(is, drawPlacedInstances)) {
        ok = false;
        readError = "0 or 1 (draw the placed instances of layer \"" + name + "\")";
    }
    if (ok && ReadUpdateTag(is, kTagLegacyPoints) && !SkipLegacyPointBlock(is)) {
        ok = false;
        readError = "the point groups of layer \"" + name + "\"";
    }
    if (ok && ReadUpdateTag(is, kTagAutoScroll) && !ReadFloatLine(is, autoScrollSpeed)) {
        ok = false;
        readError = "the auto-scroll speed of layer \"" + name + "\"";
    }
    BuildCollisions();
    BuildReplaceableList();
    if (ok && !instances.empty() && cellGrid.empty()) {
        ok = false;
        readError
            = "placed instances within " + std::to_string(kMaxCells) + " screens of layer \"" + name + "\"";
    }
    return ok;
}

bool Layer::Reset()
{
    surface.reset();
    instances.clear();
    cellGrid.clear();
    cameraBlockerGrid.clear();
    gameplayGrid.clear();
    replaceableInstances.clear();
    name = "reset";
    scrollFactor = Point<float>(1.0f, 1.0f);
    autoScrollSpeed = 0.0f;
    bounds = Rect<int>();
    contentBounds = Rect<int>();
    addedInstances.clear();
    particleSystems.clear();
    return true;
}

void Layer::ResetSurface(Point<int> surfaceSize, Point<int> layerSize)
{
    surface = std::make_unique<DXGraphicalSurface>(surfaceSize, true);
    size = layerSize;
}

void Layer::RebuildAfterChange()
{
    BuildCollisions();
    BuildReplaceableList();
}

Layer::Instance* Layer::AddPlacedInstance(GraphicalObject* object, float x, float y)
{
    Instance placed(object, x, y);
    placed.SetLevel(level);
    instances.push_back(std::move(placed));
    RebuildAfterChange();
    return &instances.back();
}

void Layer::RemovePlacedInstance(unsigned index)
{
    if (index >= instances.size())
        return;
    // The erased instance takes its payload and bodies with it. The editor
    // is told its removal is suspect.
    instances.erase(instances.begin() + index);
    RebuildAfterChange();
    platform::DebugOutput("Memory leak create with RemoveGraphicalObject !\n");
}

void Layer::SetInstancePosition(unsigned index, float x, float y)
{
    if (index >= instances.size())
        return;
    instances[index].SetPosition(x, y);
    RebuildAfterChange();
}

unsigned Layer::IndexOfInstance(const Instance* instance) const
{
    for (size_t i = 0; i < instances.size(); ++i) {
        if (&instances[i] == instance)
            return static_cast<unsigned>(i);
    }
    return static_cast<unsigned>(-1);
}

void Layer::ReplaceObject(GraphicalObject* old, GraphicalObject* replacement)
{
    for (Instance& instance : instances) {
        if (instance.GetPrototype() == old)
            instance.SetPrototype(replacement);
    }
}

void Layer::CollectPrototypes(std::vector<GraphicalObject*>& objects, std::vector<int32_t>& counts) const
{
    for (const Instance& instance : instances) {
        GraphicalObject* object = instance.GetPrototype();
        if (object == nullptr)
            continue;
        const auto found = std::find(objects.begin(), objects.end(), object);
        if (found == objects.end()) {
            objects.push_back(object);
            counts.push_back(1);
        } else {
            ++counts[static_cast<size_t>(found - objects.begin())];
        }
    }
}

Layer::Instance* Layer::AddGraphicalObject(GraphicalObject* object, float x, float y, bool clone, int mode)
{
    if (object == nullptr)
        return nullptr;
    if (clone) {
        object = static_cast<GraphicalObject*>(object->Clone(mode != 1));
        if (object != nullptr && mode == 0)
            object->StopAnimations();
        if (object == nullptr)
            return nullptr;
    }
    auto added = std::make_unique<Instance>(object, x, y);
    added->SetLevel(level);
    added->SetSkipSerialize(true);
    added->SetOwned(clone);
    Instance* result = added.get();
    addedInstances.push_back(std::move(added));
    if (name == "Collisions")
        CreateCollisionBody(result, true);
    return result;
}

void Layer::DeleteInstance(Instance* instance)
{
    const auto found = std::find_if(addedInstances.begin(), addedInstances.end(),
        [instance](const std::unique_ptr<Instance>& entry) { return entry.get() == instance; });
    if (found != addedInstances.end())
        addedInstances.erase(found);
}

void Layer::DeleteAddedInstanceAt(unsigned index)
{
    if (index < addedInstances.size())
        addedInstances.erase(addedInstances.begin() + index);
}

void Layer::AddParticleSystem(std::unique_ptr<LayerParticles> system)
{
    if (system)
        particleSystems.push_back(std::move(system));
}

void Layer::DeleteParticleSystem(const LayerParticles* system)
{
    if (system == nullptr)
        return;
    const auto found = std::find_if(particleSystems.begin(), particleSystems.end(),
        [system](const std::unique_ptr<LayerParticles>& entry) { return entry.get() == system; });
    if (found != particleSystems.end())
        particleSystems.erase(found);
}

void Layer::BuildReplaceableList()
{
    replaceableInstances.clear();
    auto names = [](const std::vector<ArmorReplacement>& list, const std::string& objectName) {
        return std::any_of(list.begin(), list.end(), [&objectName](const ArmorReplacement& record) {
            return record.GetObjectName() == objectName || record.GetReplacementName() == objectName;
        });
    };
    for (Instance& instance : instances) {
        if (instance.GetPrototype() == nullptr)
            continue;
        const std::string objectName = instance.GetPrototype()->GetName();
        if (names(ArmorReplacement::IceList(), objectName))
            replaceableInstances.push_back(&instance);
        if (names(ArmorReplacement::IceLavaList(), objectName))
            replaceableInstances.push_back(&instance);
    }
}
