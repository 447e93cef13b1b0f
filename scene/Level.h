#pragma once

#include "engine/serial/ISerialization.h"
#include "engine/serial/Point.h"
#include "engine/serial/Rect.h"
#include "scene/CollisionWorld.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

class ArmorReplacementTable;
class BackgroundEvent;
class Camera;
class DXGraphicalSurface;
class GraphicalObject;
class Layer;
class SceneObject;
class LevelScript;
class VectorSerialize;
class b2Fixture;
template <class T, class C> class SpacialInstance;

// Three ints of a numbered point list; the level only keeps them.
struct LevelPoint {
    int32_t a = 0;
    int32_t b = 0;
    int32_t c = 0;
    bool operator==(const LevelPoint&) const = default;
};

// One loaded level: its layers in three lists (0 background, 1 foreground,
// 2 scene, which holds the layer "Collisions"), the prototypes its file
// names, numbered point lists, the start-up script, the queue of running
// background events and the collision world built from "Collisions".
//
// The ".lvl" file takes the lists in the order 0, 2, 1, and so does drawing.
class Level : public ISerialization {
public:
    using Instance = SpacialInstance<GraphicalObject, float>;

    static constexpr int kBackground = 0;
    static constexpr int kForeground = 1;
    static constexpr int kScene = 2;
    // The order in which the file and the drawing take the lists.
    static constexpr std::array<int, 3> kFileOrder {kBackground, kScene, kForeground};

    explicit Level(std::string levelName = "noName");
    ~Level() override;
    Level(const Level&) = delete;
    Level& operator=(const Level&) = delete;

    bool Serialize(std::ostream& os) override;
    // Resets the level and reads a ".lvl" record into it; its first line is
    // read and not compared. A read that fails
    // leaves the level as Reset leaves it (no half-built level) and keeps a
    // message naming the line and what was expected (GetLoadError).
    bool UnSerialize(std::istream& is) override;
    bool Reset() override;
    std::string GetVersionedClassName() override { return "LevelV0"; }

    // Reads the file at path (through the data-path resolver). Null on
    // failure, with the reason ("path:line: expected ..., found ...") in error.
    static std::unique_ptr<Level> LoadFile(const std::string& path, std::string* error);
    // Writes the level to path; false when the file cannot be written.
    bool SaveFile(const std::string& path);
    const std::string& GetLoadError() const { return loadError; }
    // The name that load errors carry in front of the line number.
    void SetSourceName(const std::string& source) { sourceName = source; }

    std::string GetName() const { return name; }
    void SetName(const std::string& n) { name = n; }
    const std::string& GetSaveKey() const { return saveKey; }
    void SetSaveKey(const std::string& key) { saveKey = key; }
    float GetValueA() const { return valueA; }
    float GetValueB() const { return valueB; }
    void SetValues(float a, float b)
    {
        valueA = a;
        valueB = b;
    }
    int32_t GetNextInstanceIndex() const { return nextInstanceIndex; }
    // The save index for the next payload written without one.
    int32_t TakeNextInstanceIndex() { return nextInstanceIndex++; }
    std::vector<std::vector<LevelPoint>>& GetPointLists() { return pointLists; }
    const std::vector<GraphicalObject*>& GetPrototypes() const { return prototypes; }
    LevelScript* GetScript() const { return script.get(); }
    Point<int> GetMinimapPoint() const { return minimapPoint; }
    Point<int> GetMinimapScreen() const { return minimapScreen; }

    // Collision world (null after Reset until "Collisions" builds it).
    CollisionWorld* GetCollisionWorld() { return collisionWorld.get(); }
    void SetCollisionWorld(std::unique_ptr<CollisionWorld> world) { collisionWorld = std::move(world); }
    // A new empty world in place of the old one; every layer's instances
    // drop their bodies in the old world first.
    CollisionWorld* ReplaceCollisionWorld();

    // The scene objects the placed instances refer to (not owned).
    SceneObject* FindObjectByName(const std::string& objectName) const;
    void AddSceneObject(SceneObject* object) { sceneObjects.push_back(object); }

    // Layer lists.
    std::vector<std::unique_ptr<Layer>>* GetLayerList(int list);
    int GetLayerCount(int list) const;
    Layer* GetLayerAt(int list, int index) const;
    Layer* GetLayer(int list, const std::string& layerName) const;
    Layer* GetFirstLayer(int list, float sx, float sy) const;
    Layer* GetLastLayer(int list, float sx, float sy) const;
    // Appended to list 0, 1 or 2; with another list number the caller owns
    // the returned layer.
    Layer* CreateLayer(int list, const std::string& layerName, DXGraphicalSurface* surface, int sizeX,
        int sizeY, int gridStepX, int gridStepY);
    void DeleteLayer(int list, int index);
    GraphicalObject* FindPrototype(const std::string& prototypeName) const;
    Instance* FindInstanceByClass(const std::string& versionedClassName, int list) const;

    // Collision fixtures whose boxes overlap the rectangle (pixels).
    std::vector<b2Fixture*> QueryFixtures(const Rect<int>& rect);

    // Background events (owned).
    BackgroundEvent* AddBackgroundEvent(BackgroundEvent* event);
    // The two passes of a frame over the start-up script and the queue: Run
    // early (events queued during it run in it too), Update late; then the
    // purge destroys, from the back, the finished auto-delete events.
    void RunBackgroundEvents();
    void UpdateBackgroundEvents();
    void PurgeBackgroundEvents();
    size_t GetBackgroundEventCount() const { return events.size(); }
    BackgroundEvent* GetBackgroundEvent(size_t i) const
    {
        return i < events.size() ? events[i].get() : nullptr;
    }

    // The graphical objects the level keeps loaded (not owned): the player's,
    // every character's and those its start-up script shows; and, apart,
    // those its trigger zones' scripts show. Their images load with the
    // level's.
    const std::vector<GraphicalObject*>& GetObjects() const { return objects; }
    void AddObjects(const std::vector<GraphicalObject*>& list);
    const std::vector<GraphicalObject*>& GetScriptGraphicalObjects() const { return scriptGraphicalObjects; }
    void AddScriptGraphicalObjects(const std::vector<GraphicalObject*>& list);

    // Level entry.
    void RestoreInstanceStates(const VectorSerialize* savedLevels);
    void SpawnInstances();
    void StartupZones();
    void StartScript();
    void FindMinimapLocation();
    // Walks the visible scenery of the layers that scroll with the camera
    // and records in the armor every piece it may replace; the armor's table
    // is built first when it is still empty.
    void PrepareArmorReplacements(ArmorReplacementTable* armor);
    // The origin of the 512 x 448 screen that holds a position (floored,
    // also for negative coordinates).
    static Point<int> MinimapScreenOrigin(Point<int> position);

    // Per-frame passes.
    void UpdateInstances();
    // The zones' contact pass; with a filter only the zones whose payload's
    // class name begins with it.
    void UpdatePlayerContacts(const std::string& classFilter = std::string());
    void UpdateObjects(double dt);
    void UpdateParticleSystems(double dt);

    // Draws the lists 0, 2, 1 in depth order from the camera.
    void Render(Camera* camera);

private:
    // Hands each saved instance state of this level back to its instance.
    void LoadInstanceStates(const VectorSerialize* savedLevels);
    // Records the first failure of a read; later ones are consequences.
    void Fail(const std::string& expected);
    bool ReadLayerList(std::istream& is, int list, bool ok);
    // Calls fn for every placed instance in the cell grids of the lists.
    template <class Fn> void ForEachGridInstance(std::initializer_list<int> lists, Fn&& fn) const;

    float valueA = 0.0f;
    float valueB = 0.0f;
    std::string name;
    std::vector<std::unique_ptr<Layer>> backgroundLayers;
    std::vector<std::unique_ptr<Layer>> foregroundLayers;
    std::vector<std::unique_ptr<Layer>> sceneLayers;
    std::string saveKey;
    std::vector<GraphicalObject*> prototypes;
    std::vector<std::vector<LevelPoint>> pointLists;
    Point<int> minimapPoint {-1, -1};
    Point<int> minimapScreen;
    std::vector<std::unique_ptr<BackgroundEvent>> events;
    int32_t nextInstanceIndex = 0;
    std::unique_ptr<LevelScript> script;
    std::unique_ptr<Instance> scriptOwner;
    std::unique_ptr<CollisionWorld> collisionWorld;
    std::vector<SceneObject*> sceneObjects;
    std::vector<GraphicalObject*> objects;
    std::vector<GraphicalObject*> scriptGraphicalObjects;
    std::string sourceName;
    std::string loadError;
};
