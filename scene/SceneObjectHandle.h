#pragma once

#include <memory>
#include <vector>

class SceneObject;

// Weak reference to a scene object. The object clears `target` when it is
// destroyed; holders that took the handle (AddRef) then read null and know the
// object is gone. Every live handle is also listed in the handle registry, so
// the level release and the shut-down can free the handles left behind.
class SceneObjectHandle {
public:
    explicit SceneObjectHandle(SceneObject* object)
        : target(object)
    {
    }
    SceneObjectHandle(const SceneObjectHandle&) = delete;
    SceneObjectHandle& operator=(const SceneObjectHandle&) = delete;

    SceneObject* GetTarget() const { return target; }
    int GetRefCount() const { return refCount; }

    // A holder takes the handle.
    void AddRef() { ++refCount; }
    // A holder gives the handle back. The last holder of a handle whose
    // object is already gone frees it, so a dropped reference never leaks.
    void Release();

    // The registry of every live handle (registration order); it owns them.
    static std::vector<std::unique_ptr<SceneObjectHandle>>& Registry();
    // Creates a handle for the object and registers it.
    static SceneObjectHandle* Create(SceneObject* object);
    // Deletes the handle and erases its registry entry, searching from the
    // back; nothing happens for a handle that is not registered.
    static void Unregister(SceneObjectHandle* handle);
    // Deletes every registered handle whose object is gone and that nobody
    // holds any more (the level release).
    static void PurgeReleased();
    // Deletes every registered handle (the shut-down).
    static void ReleaseAll();

    SceneObject* target = nullptr;
    bool flag = false;
    int refCount = 0;
};
