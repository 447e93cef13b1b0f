#include "engine/render/ImageHandleManager.h"

#include <memory>
#include <vector>

namespace {

// The one manager; the destructor clears the pointer.
ImageHandleManager* g_ImageHandleManager = nullptr;

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
    if (!g_ImageHandleManager)
    {
        ManagerOwner().reset(new ImageHandleManager());
        g_ImageHandleManager = ManagerOwner().get();
    }
    return g_ImageHandleManager;
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
    {
        std::lock_guard lock(mutex);
        handles.clear();
    }
    if (g_ImageHandleManager == this)
        g_ImageHandleManager = nullptr;
}

ImageHandle ImageHandleManager::GetImageHandle(const std::string& name)
{
    std::lock_guard lock(mutex);
    auto found = handles.find(name);
    if (found != handles.end())
    {
        if (found->second.GetCount() >= 1)
            return found->second;
        // A dropped image: forget the entry and load the name again.
        handles.erase(found);
    }
    ImageHandle fresh(name);
    const auto inserted = handles.emplace(name, fresh);
    if (!inserted.second)
        return ImageHandle(std::string());
    return inserted.first->second;
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
