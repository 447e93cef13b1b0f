#include "engine/render/DXGraphicalSurface.h"

#include "engine/render/D3DDevice.h"
#include "engine/render/DXGraphicalRessource.h"
#include "engine/render/DXRenderEngine.h"

DXGraphicalSurface::DXGraphicalSurface(Point<int> size, bool noTexture)
{
    width = size.x;
    height = size.y;
    if (noTexture)
        return;
    ownedResource = std::make_unique<DXGraphicalRessource>(size.x, size.y);
    resource = ownedResource.get();
    const Point<int> actual = resource->GetSize();
    width = actual.x;
    height = actual.y;
    surface = resource->GetSurface();
}

DXGraphicalSurface::DXGraphicalSurface(DXGraphicalRessource* resource_, bool ownsResource)
    : ownedResource(ownsResource ? resource_ : nullptr)
    , resource(resource_)
{
    if (resource) {
        surface = resource->GetSurface();
        const Point<int> size = resource->GetSize();
        width = size.x;
        height = size.y;
    }
}

DXGraphicalSurface::~DXGraphicalSurface() = default;

void DXGraphicalSurface::Activate()
{
    // A render texture made off the render thread gets its framebuffer here.
    if (!surface && resource)
        surface = resource->GetSurface();
    if (!surface)
        return;
    if (surface == g_RenderTargetSurface) {
        if (g_InScene)
            ClearTarget(0xFFFFFFFFu);
        return;
    }
    if (resource)
        SetRenderTarget(surface, resource, true);
}
