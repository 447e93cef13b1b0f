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
    resource = new DXGraphicalRessource(size.x, size.y);
    ownsResource = true;
    const Point<int> actual = resource->GetSize();
    width = actual.x;
    height = actual.y;
    surface = resource->GetSurface();
}

DXGraphicalSurface::DXGraphicalSurface(DXGraphicalRessource* resource_, bool ownsResource_)
    : resource(resource_), ownsResource(ownsResource_)
{
    if (resource) {
        surface = resource->GetSurface();
        const Point<int> size = resource->GetSize();
        width = size.x;
        height = size.y;
    }
}

DXGraphicalSurface::~DXGraphicalSurface()
{
    if (ownsResource)
        delete resource;
}

void DXGraphicalSurface::Activate()
{
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
