#pragma once

#include "scene/CollisionWorld.h"
#include "scene/SceneObject.h"
#include "script/BackgroundEvent.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

// Stand-in for the level: only what placed instances use of it, its name and
// its collision world (owned; placed instances destroy their bodies in it).
// The level and level-file issue replaces this file with the full class.
class Level {
public:
    explicit Level(std::string levelName = "")
        : name(std::move(levelName))
    {
    }

    std::string GetName() const { return name; }
    void SetName(const std::string& n) { name = n; }

    // Null while the level has no collision world.
    CollisionWorld* GetCollisionWorld() { return collisionWorld.get(); }
    void SetCollisionWorld(std::unique_ptr<CollisionWorld> world) { collisionWorld = std::move(world); }

    // The objects the level's placed instances refer to (not owned): the
    // first of a name, or null.
    SceneObject* FindObjectByName(const std::string& objectName) const
    {
        for (SceneObject* object : sceneObjects) {
            if (object != nullptr && object->GetName() == objectName)
                return object;
        }
        return nullptr;
    }
    void AddSceneObject(SceneObject* object) { sceneObjects.push_back(object); }

    // Background events (owned): appended to the queue and returned (null in,
    // null out).
    BackgroundEvent* AddBackgroundEvent(BackgroundEvent* event)
    {
        if (event != nullptr)
            events.emplace_back(event);
        return event;
    }
    // Frees the finished auto-delete events, from the back.
    void PurgeBackgroundEvents() { BackgroundEvent::PurgeQueue(events); }
    size_t GetBackgroundEventCount() const { return events.size(); }
    BackgroundEvent* GetBackgroundEvent(size_t i) const
    {
        return i < events.size() ? events[i].get() : nullptr;
    }

private:
    std::string name;
    std::vector<SceneObject*> sceneObjects;
    std::unique_ptr<CollisionWorld> collisionWorld;
    BackgroundEvent::Queue events;
};
