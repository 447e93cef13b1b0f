#include "scene/SceneObjectHandle.h"

#include <algorithm>

#include "scene/SceneObject.h"

std::vector<std::unique_ptr<SceneObjectHandle>>& SceneObjectHandle::Registry()
{
    static std::vector<std::unique_ptr<SceneObjectHandle>> registry;
    return registry;
}

SceneObjectHandle* SceneObjectHandle::Create(SceneObject* object)
{
    return Registry().emplace_back(std::make_unique<SceneObjectHandle>(object)).get();
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
    const auto found = std::find_if(
        registry.rbegin(), registry.rend(), [handle](const auto& entry) { return entry.get() == handle; });
    if (found != registry.rend())
        registry.erase(std::next(found).base());
}

void SceneObjectHandle::PurgeReleased()
{
    std::erase_if(
        Registry(), [](const auto& handle) { return handle->target == nullptr && handle->refCount == 0; });
}

void SceneObjectHandle::ReleaseAll()
{
    auto& registry = Registry();
    for (const auto& handle : registry) {
        // A live object must not keep a pointer to its freed handle.
        if (handle->target != nullptr)
            handle->target->DetachHandle();
    }
    registry.clear();
}
