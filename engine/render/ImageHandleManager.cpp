#include "engine/render/ImageHandleManager.h"

#include <memory>
#include <vector>

namespace {

// The one manager.
std::unique_ptr<ImageHandleManager>& ManagerOwner()
{
    static std::unique_ptr<ImageHandleManager> owner;
    return owner;
}

std::mutex& InstanceMutex()
{
    static auto* mutex = new std::mutex;
    return *mutex;
}

} // namespace

ImageHandleManager* ImageHandleManager::GetInstance()
{
    std::lock_guard lock(InstanceMutex());
    if (!ManagerOwner())
        ManagerOwner().reset(new ImageHandleManager());
    return ManagerOwner().get();
}

void ImageHandleManager::DestroyInstance()
{
    std::unique_ptr<ImageHandleManager> doomed;
    {
        std::lock_guard lock(InstanceMutex());
        doomed = std::move(ManagerOwner());
    }
}

ImageHandleManager::~ImageHandleManager()
{
    std::lock_guard lock(mutex);
    handles.clear();
}

ImageHandle ImageHandleManager::GetImageHandle(const std::string& name)
{
    std::lock_guard lock(mutex);
    ImageHandle& cached = handles[name];
    // A new name, or a dropped image: (re)load it.
    if (cached.GetCount() < 1)
        cached = ImageHandle(name);
    return cached;
}

void ImageHandleManager::ReleaseUnused()
{
    std::lock_guard lock(mutex);
    std::vector<std::string> unused;
    for (const auto& [name, handle] : handles)
        if (handle.GetCount() == 1)
            unused.push_back(name);
    for (const std::string& name : unused)
        handles.erase(name);
}

void ImageHandleManager::DropImage(const std::string& name)
{
    std::lock_guard lock(mutex);
    auto found = handles.find(name);
    if (found != handles.end())
        found->second.DropImage();
}

size_t ImageHandleManager::GetSize() const
{
    std::lock_guard lock(mutex);
    return handles.size();
}

bool ImageHandleManager::Contains(const std::string& name) const
{
    std::lock_guard lock(mutex);
    return handles.count(name) != 0;
}
