#pragma once

#include "engine/render/ImageHandle.h"

#include <map>
#include <mutex>
#include <string>

// The one cache from image names to handles. The map's copy of each handle is
// one of its references, so a name stays loaded until ReleaseUnused finds that
// only the map holds it. A failed load is cached like a good one.
class ImageHandleManager {
public:
    // The process-wide manager, created on the first call.
    static ImageHandleManager* GetInstance();
    // Destroys the process-wide manager (the next GetInstance makes a new one).
    static void DestroyInstance();

    virtual ~ImageHandleManager();
    ImageHandleManager(const ImageHandleManager&) = delete;
    ImageHandleManager& operator=(const ImageHandleManager&) = delete;

    // A copy of the cached handle for the name, loading the image on the first
    // request. After a first call the count is 2: the map and the caller.
    ImageHandle GetImageHandle(const std::string& name);
    // Erases, in name order, every entry that only the map holds, which
    // deletes those images and their textures.
    void ReleaseUnused();
    // Deletes the named image now; the handles still out count down to the
    // counter's deletion without touching it. The next request reloads it.
    void DropImage(const std::string& name);

    // Number of cached names; whether a name is cached.
    size_t GetSize() const;
    bool Contains(const std::string& name) const;

private:
    ImageHandleManager() = default;

    mutable std::recursive_mutex mutex;
    std::map<std::string, ImageHandle> handles;
};
