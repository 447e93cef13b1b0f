#pragma once

#include "characters/PlayerTuning.h"
#include "enemies/NpcTuning.h"
#include "scene/CameraTuning.h"
#include "ui/UITuning.h"

// Every tuning value the console commands set, in the one copy the game
// owns: a new game starts from the defaults, and the game installs each part
// as the values in force while it exists.
struct GameTuning {
    PlayerTuning player;
    NpcTuning npc;
    UITuning ui;
    CameraTuning camera;

    void Install() const
    {
        PlayerTuning::Install(&player);
        NpcTuning::Install(&npc);
        UITuning::Install(&ui);
        CameraTuning::Install(&camera);
    }
    // Each part that is still the one in force gives way to the defaults.
    void Uninstall() const
    {
        PlayerTuning::Uninstall(&player);
        NpcTuning::Uninstall(&npc);
        UITuning::Uninstall(&ui);
        CameraTuning::Uninstall(&camera);
    }
};
