#pragma once

#include "engine/serial/Point.h"
#include "engine/serial/TypeNames.h"
#include "scene/GraphicalObject.h"

#include <cstdint>
#include <string>
#include <vector>

class GraphicalEffect;

// Base of the interface panels (dialogue box, HUD, menus, text frames): a
// graphical object of the game library that draws itself at a screen
// position its caller gives. It keeps two parallel lists linking names to
// graphical objects (the dialogue box finds its portraits there).
class UI_Frame : public GraphicalObject {
public:
    explicit UI_Frame(std::string name);
    ~UI_Frame() override;

    static std::string VersionedClassName() { return "UI_FrameV0"; }

    // The frame's draw: the game calls it for every visible frame with the
    // render engine's current effect.
    bool DrawSprite(DXGraphicalSurface* target, int x, int y, int p5, int p6, float rotation, int originX,
        int originY, int clipWidth, int clipHeight) override;
    // Draws the frame's own graphics at (x, y) with the effect, without
    // clipping; derived frames add their elements.
    virtual bool Render(GraphicalEffect* effect, int x, int y, int p5, int p6, float rotation);

    // Appends a name and the object linked under it (not owned).
    void AddLink(std::string linkName, GraphicalObject* object);
    const std::vector<std::string>& GetLinkedNames() const { return linkedNames; }
    const std::vector<GraphicalObject*>& GetLinkedObjects() const { return linkedObjects; }
    void ClearLinks();

    Point<float> GetPosition() const { return position; }
    void SetPosition(Point<float> p) { position = p; }

protected:
    // Draws an element through its own draw at (x, y), the effect current.
    static bool DrawElement(
        GraphicalObject* element, GraphicalEffect* effect, int x, int y, int p5 = 0, int p6 = 0);

private:
    std::vector<std::string> linkedNames;
    std::vector<GraphicalObject*> linkedObjects;
    Point<float> position;
};

// Sets the render engine's draw colour (ARGB) for the sprite draws that
// follow; 0xFFFFFFFF is the neutral colour.
void SetUIDrawColour(uint32_t colour);
// The render engine's draw colour (0xFFFFFFFF without a device engine).
uint32_t GetUIDrawColour();
