#pragma once

#include "engine/serial/TypeNames.h"
#include "ui/UI_Frame.h"

#include <memory>
#include <string>

class ShaderEffect_TimeDependent;

// The heads-up display over the level: the player's life as a row of
// hearts, the minimap window, the crossbow bolt counter, the power slots,
// the "saved" and "new gate" banners and the pickup display of the power
// cut-scene. Every element is a graphical object of the game library; the
// HUD places them, picks their frames and draws them.
class UI_Frame_Player : public UI_Frame {
public:
    static constexpr uint32_t kLowLifeColour = 0xFFFFC8C8u;  // life 2
    static constexpr uint32_t kLastLifeColour = 0xFFFF6464u; // life 1

    explicit UI_Frame_Player(std::string name);
    ~UI_Frame_Player() override;

    static std::string VersionedClassName() { return "UI_Frame_PlayerV0"; }

    // Finds the elements in the game library and puts both banners at their
    // ends, so that neither shows.
    void Init() override;
    // The bar, then hearts, minimap, bolts, power slots, banners and the
    // pickup display; false at the first draw that fails.
    bool Render(GraphicalEffect* effect, int x, int y, int p5, int p6, float rotation) override;

    // Restarts a banner: it shows until its animation ends, over whatever
    // else shows.
    void ShowTeleportMessage();
    void ShowSaveMessage();

    GraphicalObject* GetSaveMessage() const { return saveMessage; }
    GraphicalObject* GetTeleportMessage() const { return teleportMessage; }
    GraphicalObject* GetPowerSlot() const { return power; }

private:
    bool DrawHearts(GraphicalEffect* effect, int x, int y, bool& ok);
    void DrawMinimap(GraphicalEffect* effect, int x, int y, bool& ok);
    void DrawPowers(GraphicalEffect* effect, int x, int y, bool& ok);
    void DrawMessages(GraphicalEffect* effect, int x, int y, bool& ok);

    // The library's objects (not owned) but the bolt counter, a clone.
    GraphicalObject* lifeEmpty = nullptr;
    GraphicalObject* lifeHalf = nullptr;
    GraphicalObject* lifeFull = nullptr;
    GraphicalObject* minimapForeground = nullptr;
    std::unique_ptr<GraphicalObject> boltCounter;
    GraphicalObject* power = nullptr;
    GraphicalObject* saveMessage = nullptr;
    GraphicalObject* teleportMessage = nullptr;
    std::unique_ptr<ShaderEffect_TimeDependent> lifeFade;
};
