#pragma once

#include "engine/serial/Point.h"

#include <cstdint>
#include <memory>

class DXGraphicalRessource;

// Something the render engine can draw into.
class IGraphicalSurface {
public:
    virtual ~IGraphicalSurface() = default;
    virtual void Activate() = 0;
    virtual Point<int> GetSize() = 0;
};

// A render surface: the framebuffer of a render texture (its resource), or
// only a size when it has no texture.
class DXGraphicalSurface : public IGraphicalSurface {
public:
    // With noTexture only the size is kept; otherwise an owned resource of
    // that size (still without a texture) is created.
    DXGraphicalSurface(Point<int> size, bool noTexture);
    // Wraps an existing resource, owned or not.
    DXGraphicalSurface(DXGraphicalRessource* resource, bool ownsResource);
    ~DXGraphicalSurface() override;
    DXGraphicalSurface(const DXGraphicalSurface&) = delete;
    DXGraphicalSurface& operator=(const DXGraphicalSurface&) = delete;

    void Activate() override;
    Point<int> GetSize() override { return Point<int>(width, height); }
    uint32_t GetD3DSurface() const { return surface; }
    DXGraphicalRessource* GetRessource() const { return resource; }

private:
    uint32_t surface = 0;
    std::unique_ptr<DXGraphicalRessource> ownedResource;
    DXGraphicalRessource* resource = nullptr; // owned or not
    int width = 0;
    int height = 0;
};
