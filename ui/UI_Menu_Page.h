#pragma once

#include "engine/serial/TypeNames.h"
#include "ui/UI_Frame.h"

#include <string>
#include <utility>

// Created by its class key with the object's name; it behaves as its base
// until its own fields and behaviour are written.
class UI_Menu_Page : public UI_Frame {
public:
    explicit UI_Menu_Page(std::string name)
        : UI_Frame(std::move(name))
    {
        typeName = TypeNames::UI_Menu_Page;
    }
};
