#pragma once

#include "tools/run/RunPilot.h"

#include <string>
#include <vector>

// The legs of the whole run, in the order they are flown: from the title
// through a new game in slot 1, every area and every fight, to the ending and
// the title again. Each leg is written in its own file.
bool RunTitle(RunPilot& pilot);      // the title and its pages, a new game in slot 1
bool RunCemetery(RunPilot& pilot);   // cemetery_01, the skull mini-boss, to the Well Head
bool RunCave(RunPilot& pilot);       // down the well, the cave's three fights, back to the Well Bottom
bool RunBoat(RunPilot& pilot);       // to the Dock, the boat's three fights, back to the Dock
bool RunUnderwater(RunPilot& pilot); // through the hatch, the nave's three fights, back to its hub
bool RunLibrary(RunPilot& pilot);    // up to the Chapel, through the north door, the library's fights
bool RunSnow(RunPilot& pilot);       // east from the Chapel, the snow's three fights
bool RunGarden(RunPilot& pilot);     // across the Chapel's lava, the garden's three fights
bool RunTrophies(RunPilot& pilot);   // fifty kills unhurt at the garden's door, back to its teleporter
bool RunFinale(RunPilot& pilot);     // the crypt stair, the final boss, the Heart, the ending, the title
bool RunEpilogue(RunPilot& pilot);   // slot 1 again, the developer's console, a death, "exit"

struct NamedLeg {
    std::string name;
    RunLeg leg;
};

// Every leg, in order.
const std::vector<NamedLeg>& WholeRunLegs();
