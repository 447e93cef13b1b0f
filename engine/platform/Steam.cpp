#include "engine/platform/Steam.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace {

struct CallbackRegistry {
    std::mutex mutex;
    std::vector<SteamCallbackBase*> callbacks;
};

CallbackRegistry& Registry()
{
    static CallbackRegistry registry;
    return registry;
}

} // namespace

SteamCallbackBase::~SteamCallbackBase()
{
    SteamAPI_UnregisterCallback(this);
}

bool SteamAPI_Init()
{
    return false;
}

void SteamAPI_RegisterCallback(SteamCallbackBase* callback, int id)
{
    if (callback == nullptr || callback->registered)
        return;
    CallbackRegistry& registry = Registry();
    std::lock_guard lock(registry.mutex);
    callback->registered = true;
    callback->callbackId = id;
    registry.callbacks.push_back(callback);
}

void SteamAPI_UnregisterCallback(SteamCallbackBase* callback)
{
    if (callback == nullptr || !callback->registered)
        return;
    CallbackRegistry& registry = Registry();
    std::lock_guard lock(registry.mutex);
    std::erase(registry.callbacks, callback);
    callback->registered = false;
}

size_t SteamAPI_RegisteredCallbackCount(int id)
{
    CallbackRegistry& registry = Registry();
    std::lock_guard lock(registry.mutex);
    return static_cast<size_t>(std::count_if(registry.callbacks.begin(), registry.callbacks.end(),
        [id](const SteamCallbackBase* callback) { return id < 0 || callback->GetCallbackId() == id; }));
}
