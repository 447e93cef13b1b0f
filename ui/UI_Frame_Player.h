#pragma once

#include "engine/serial/TypeNames.h"
#include "ui/UI_Frame.h"

#include <string>
#include <utility>

// Created by its class key with the object's name; it behaves as its base
// until its own fields and behaviour are written.
class UI_Frame_Player : public UI_Frame {
public:
    explicit UI_Frame_Player(std::string name)
        : UI_Frame(std::move(name))
    {
        typeName = TypeNames::UI_Frame_Player;
    }

    // The HUD's note that a teleporter was found; the HUD shows nothing of
    // it until its own pictures exist.
    void ShowTeleportMessage() { }
};
