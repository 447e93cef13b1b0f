#pragma once

#include "tools/world/ArtRecipe.h"

#include <string>
#include <vector>

// The Warden's poses, drawn from a motion rather than step by step: a recipe
// line "pose NAME SIDES MOTION FRAMES MS loop|finish" makes the two pictures
// "<NAME>L" and "<NAME>R" (in the order SIDES gives), 64 x 96 each, with the
// hooded body, the pale mask and the scythe moved frame by frame as MOTION
// says, the hurt box of the pose (type 2) and, for attacks, the blow's box
// (type 3) on frame 0. The crossbow motions aim the crossbow instead, the
// scythe slung on the back, its mouth where the bolt leaves (the centre of
// the same box). The left picture is the right one mirrored exactly.
struct PoseSpec {
    std::string name;  // without the side letter
    std::string sides; // "LR" or "RL"
    std::string motion;
    int frames = 1;
    int frameMs = 100;
    bool loop = true;
    std::string image;   // atlas file of the set
    std::string palette; // cloak, trim, mask, eyes, blade, handle, shade, glow
};

// The pose's two pictures. Throws WorldError "file:line: ..." for an unknown
// motion or sides word.
std::vector<ArtObject> MakePlayerPose(const PoseSpec& pose, const std::string& file, int line);

// The motions a pose line may name.
const std::vector<std::string>& PlayerMotions();

// The player's frame and boxes (pixels, y up inside the frame).
constexpr int kPlayerWidth = 64;
constexpr int kPlayerHeight = 96;
