#include "scene/SceneObjectHandle.h"

#include <algorithm>

#include "scene/SceneObject.h"

std::vector<SceneObjectHandle*>& SceneObjectHandle::Registry()
{
    static std::vector<SceneObjectHandle*> registry;
    return registry;
}

SceneObjectHandle* SceneObjectHandle::Create(SceneObject* object)
{
    auto* handle = new SceneObjectHandle(object);
    Registry().push_back(handle);
    return handle;
}

void SceneObjectHandle::Release()
{
    if (refCount > 0)
        --refCount;
    if (refCount == 0 && target == nullptr)
        Unregister(this);
}

void SceneObjectHandle::Unregister(SceneObjectHandle* handle)
{
    auto& registry = Registry();
    const auto found = std::find(registry.rbegin(), registry.rend(), handle);
    if (found == registry.rend())
        return;
    registry.erase(std::next(found).base());
    delete handle;
}

void SceneObjectHandle::PurgeReleased()
{
    auto& registry = Registry();
    std::vector<SceneObjectHandle*> kept;
    for (SceneObjectHandle* handle : registry) {
        if (handle->target == nullptr && handle->refCount == 0)
            delete handle;
        else
            kept.push_back(handle);
    }
    registry.swap(kept);
}

void SceneObjectHandle::ReleaseAll()
{
    auto& registry = Registry();
    for (SceneObjectHandle* handle : registry) {
        // A live object must not keep a pointer to its freed handle.
        if (handle->target != nullptr)
            handle->target->DetachHandle();
        delete handle;
    }
    registry.clear();
}
