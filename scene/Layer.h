#pragma once

#include "engine/serial/ISerialization.h"
#include "engine/serial/Point.h"
#include "engine/serial/Rect.h"
#include "scene/CellGrid.h"
#include "scene/SpacialInstance.h"

#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <vector>

class SceneCharacter;
class DXGraphicalSurface;
class GameplayObject;
class GraphicalObject;
class Level;
class LayerParticles;

// One plane of a level: the placed instances read from the level file, the
// instances the game adds while it runs, three cell grids over the placed
// instances, the layer's render surface, its particle systems and its drawing
// parameters. The layer named "Collisions" fills the level's collision world.
//
// The placed instances are held by value; the grids and the replaceable list
// point into them, so every change of that list rebuilds them. Added
// instances are held by pointer and keep their addresses.
class Layer : public ISerialization {
public:
    using Instance = SpacialInstance<GraphicalObject, float>;
    using InstanceList = std::vector<Instance*>;

    // The view size and the cell size of the grids: one screen.
    static constexpr int kCellWidth = 512;
    static constexpr int kCellHeight = 448;
    // The most cells a layer's grids may have (a world of 1024 x 1024 screens).
    static constexpr int64_t kMaxCells = 1 << 20;

    Layer(std::string name, int type, DXGraphicalSurface* surface, int sizeX, int sizeY, int gridStepX,
        int gridStepY);
    ~Layer() override;
    Layer(const Layer&) = delete;
    Layer& operator=(const Layer&) = delete;

    // Record: "LayerV0", name, grid step x and y, scroll factors, the count
    // of written placed instances and their records, then the tagged groups.
    bool Serialize(std::ostream& os) override;
    // Reads the record (its class line included) over a reset layer, then
    // rebuilds the grids, the collision world ("Collisions") and the
    // replaceable list. False on the first line that does not parse; no
    // failed instance is kept.
    bool UnSerialize(std::istream& is) override;
    bool Reset() override;
    std::string GetVersionedClassName() override { return "LayerV0"; }
    // What the last failed read expected; empty after a good read.
    const std::string& GetReadError() const { return readError; }

    // Drawing and per-frame passes.
    virtual bool Draw(Point<int> origin);
    virtual bool DrawCharacters(Point<int> origin);
    virtual bool DrawCharactersFlagged(Point<int> origin);
    virtual bool DrawFrontCharacters(Point<int> origin);
    virtual bool DrawParticleSystems(Point<int> origin);
    void UpdateOwnedObjects(double dt);
    void UpdateInstances(const std::string& classFilter);
    void UpdatePlayerContacts(const std::string& classFilter);
    void UpdateParticleSystems(double dt);
    void StartupZones();
    // The camera position times the scroll factors.
    Point<float> GetScrollPosition() const;
    // Where instances are drawn from: the upper-left corner of the view in
    // level coordinates (level y grows upward) for the draw origin given.
    Point<int> GetDrawOffset(Point<int> origin) const;

    // Accessors.
    Point<int> GetSize() const { return size; }
    void SetSize(int x, int y) { size = Point<int>(x, y); }
    std::string GetName() const { return name; }
    void SetName(const std::string& n) { name = n; }
    int GetType() const { return type; }
    Point<float> GetScrollFactor() const { return scrollFactor; }
    void SetScrollFactor(float x, float y) { scrollFactor = Point<float>(x, y); }
    float GetScrollFactorX() const { return scrollFactor.x; }
    void SetScrollFactorX(float x) { scrollFactor.x = x; }
    bool GetDrawPlacedInstances() const { return drawPlacedInstances; }
    void SetDrawPlacedInstances(bool value) { drawPlacedInstances = value; }
    // A hidden layer draws nothing (scripts hide and show secret passages).
    bool IsVisible() const { return visible; }
    void SetVisible(bool value) { visible = value; }
    bool GetDrawFrontCharacters() const { return drawFrontCharacters; }
    void SetDrawFrontCharacters(bool value) { drawFrontCharacters = value; }
    bool GetHostsPlayer() const { return hostsPlayer; }
    void SetHostsPlayer(bool value) { hostsPlayer = value; }
    float GetAutoScrollSpeed() const { return autoScrollSpeed; }
    void SetAutoScrollSpeed(float speed) { autoScrollSpeed = speed; }
    float GetAutoScrollOffset() const { return autoScrollOffset; }
    Point<int> GetGridStep() const { return gridStep; }
    Level* GetLevel() const { return level; }
    void SetLevel(Level* l) { level = l; }
    DXGraphicalSurface* GetSurface() const { return surface.get(); }
    // Replaces the surface by one of surfaceSize without a texture; the
    // layer's size becomes layerSize.
    void ResetSurface(Point<int> surfaceSize, Point<int> layerSize);
    const Rect<int>& GetBounds() const { return bounds; }
    const Rect<int>& GetContentBounds() const { return contentBounds; }
    const CellGrid& GetCellGrid() const { return cellGrid; }
    const CellGrid& GetCameraBlockerGrid() const { return cameraBlockerGrid; }
    const CellGrid& GetGameplayGrid() const { return gameplayGrid; }
    const InstanceList& GetReplaceableInstances() const { return replaceableInstances; }

    // Placed instances (written to the file).
    size_t GetInstanceCount() const { return instances.size(); }
    Instance* GetInstance(size_t index) { return index < instances.size() ? &instances[index] : nullptr; }
    Instance* AddPlacedInstance(GraphicalObject* object, float x, float y);
    void RemovePlacedInstance(unsigned index);
    void SetInstancePosition(unsigned index, float x, float y);
    // Index of the placed instance at that address; all bits set when none.
    unsigned IndexOfInstance(const Instance* instance) const;
    void ReplaceObject(GraphicalObject* old, GraphicalObject* replacement);
    // Adds the distinct prototypes of the placed instances to objects, with
    // their numbers of uses in counts.
    void CollectPrototypes(std::vector<GraphicalObject*>& objects, std::vector<int32_t>& counts) const;

    // Instances added while the game runs (never written).
    Instance* AddGraphicalObject(GraphicalObject* object, float x, float y, bool clone, int mode);
    void DeleteInstance(Instance* instance);
    void DeleteAddedInstanceAt(unsigned index);
    size_t GetAddedInstanceCount() const { return addedInstances.size(); }
    Instance* GetAddedInstance(size_t index)
    {
        return index < addedInstances.size() ? addedInstances[index].get() : nullptr;
    }

    // Particle systems (owned).
    void AddParticleSystem(std::unique_ptr<LayerParticles> system);
    void DeleteParticleSystem(const LayerParticles* system);
    size_t GetParticleSystemCount() const { return particleSystems.size(); }
    LayerParticles* GetParticleSystem(size_t index) const
    {
        return index < particleSystems.size() ? particleSystems[index].get() : nullptr;
    }

    // Grids and collision world.
    void BuildCollisions();
    bool PointToCell(Point<int> point, Point<int>* cell) const;
    void CreateCollisionBody(Instance* instance, bool record);
    void BuildReplaceableList();
    // Drops the collision bodies of every instance of the layer (before the
    // level replaces its world).
    void DropCollisionBodies();

    // Point and name queries.
    Instance* GetInstanceAt(Point<int> point, bool searchAdded);
    Instance* GetReplaceableInstanceAt(Point<int> point);
    Instance* FindInstanceByName(const std::string& instanceName);
    std::unique_ptr<std::list<Instance*>> FindInstancesByName(const std::string& instanceName);
    void CollectInstancesInRect(Point<int> a, Point<int> b, InstanceList& out, bool includeAdded);

    // Collision tests against the level's world.
    bool CollideShape(SceneCharacter* character, Point<float> motion, Point<float>* push);
    bool CollideCharacter(int kind, SceneCharacter* character, Point<int> a, Point<int> b, float dx, float dy,
        int* contactKind, Point<float>* push);
    bool ResolveCollision(int kind, SceneCharacter* character, Point<int> a, Point<int> b, float dx, float dy,
        int* contactKind, Point<float>* push, int circleMode);

    // The rectangle of a placed instance, (x, y) to (x + w - 1, y + h - 1).
    static Rect<float> InstanceRect(const Instance& instance);

private:
    // Rebuilds everything that points into the placed instances.
    void RebuildAfterChange();
    // The cell of a corner; (0, 0) for a corner outside the bounds.
    Point<int> CornerCell(float x, float y) const;
    // Calls `visit` with each gameplay object and its placed instance whose
    // payload's versioned class name starts with the filter (any, when empty).
    void ForEachGameplayInstance(
        const std::string& classFilter, const std::function<void(GameplayObject&, Instance*)>& visit);
    bool CollideWithWorld(int kind, SceneCharacter* character, Point<int> a, Point<int> b, float dx, float dy,
        int* contactKind, Point<float>* push, bool boxPushFromRects, int circleMode);

    std::string name;
    std::vector<Instance> instances;
    std::vector<std::unique_ptr<Instance>> addedInstances;
    Point<int> gridStep;
    CellGrid cellGrid;
    CellGrid cameraBlockerGrid;
    CellGrid gameplayGrid;
    // The entries of gameplayGrid in its order (column, row, entry), so that
    // the per-frame zone passes do not walk the empty cells of a large level.
    InstanceList gameplayInstances;
    InstanceList replaceableInstances;
    std::unique_ptr<DXGraphicalSurface> surface;
    Level* level = nullptr;
    Point<int> size;
    Rect<int> bounds;
    Rect<int> contentBounds;
    int32_t type = 0;
    Point<float> scrollFactor {1.0f, 1.0f};
    float autoScrollSpeed = 0.0f;
    float autoScrollOffset = 0.0f;
    bool drawPlacedInstances = true;
    bool drawFrontCharacters = false;
    bool visible = true;
    bool hostsPlayer = false;
    std::vector<std::unique_ptr<LayerParticles>> particleSystems;
    std::string readError;
};

// The first instance of a list of instances (as FindInstancesByName makes
// one), or null for a null or empty list.
Layer::Instance* ListFront(const std::list<Layer::Instance*>* list);
