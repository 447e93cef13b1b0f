#include "ui/UI_Frame.h"

#include "engine/render/DXRenderEngine.h"
#include "scene/InstanceEffectScope.h"

#include <utility>

UI_Frame::UI_Frame(std::string name)
    : GraphicalObject(std::move(name))
{
    typeName = TypeNames::UI_Frame;
}

UI_Frame::~UI_Frame() = default;

bool UI_Frame::DrawSprite(DXGraphicalSurface* /*target*/, int x, int y, int p5, int p6, float rotation,
    int /*originX*/, int /*originY*/, int /*clipWidth*/, int /*clipHeight*/)
{
    GraphicalEffect* effect = g_RenderEngine != nullptr ? g_RenderEngine->GetEffect() : nullptr;
    return Render(effect, x, y, p5, p6, rotation);
}

bool UI_Frame::Render(GraphicalEffect* effect, int x, int y, int p5, int p6, float rotation)
{
    InstanceEffectScope scope(effect);
    return GraphicalObject::DrawSprite(nullptr, x, y, p5, p6, rotation, 0, 0, 0, 0);
}

void UI_Frame::AddLink(std::string linkName, GraphicalObject* object)
{
    linkedNames.push_back(std::move(linkName));
    linkedObjects.push_back(object);
}

void UI_Frame::ClearLinks()
{
    linkedNames.clear();
    linkedObjects.clear();
}

bool UI_Frame::DrawElement(GraphicalObject* element, GraphicalEffect* effect, int x, int y, int p5, int p6)
{
    if (element == nullptr)
        return false;
    InstanceEffectScope scope(effect);
    return element->DrawSprite(nullptr, x, y, p5, p6, 0.0f, 0, 0, 0, 0);
}

void SetUIDrawColour(uint32_t colour)
{
    if (auto* engine = dynamic_cast<DXRenderEngine*>(g_RenderEngine))
        engine->SetDiffuseColor(colour);
}

uint32_t GetUIDrawColour()
{
    auto* engine = dynamic_cast<DXRenderEngine*>(g_RenderEngine);
    return engine != nullptr ? engine->GetDiffuseColor() : 0xFFFFFFFFu;
}
