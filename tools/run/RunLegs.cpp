#include "tools/run/RunLegs.h"

const std::vector<NamedLeg>& WholeRunLegs()
{
    static const std::vector<NamedLeg> legs = {
        {"title", RunTitle},
        {"cemetery", RunCemetery},
        {"cave", RunCave},
        {"boat", RunBoat},
        {"underwater", RunUnderwater},
        {"library", RunLibrary},
        {"snow", RunSnow},
        {"garden", RunGarden},
        {"trophies", RunTrophies},
        {"finale", RunFinale},
        {"epilogue", RunEpilogue},
    };
    return legs;
}
