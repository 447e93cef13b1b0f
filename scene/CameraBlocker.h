#pragma once

#include <cstdint>
#include <string>

#include "scene/GraphicalObject.h"

// An object placed to hold the camera back. Each block is 0 (no limit on that
// axis) or -1 / 1, the side on which the camera is held.
class CameraBlocker : public GraphicalObject {
public:
    explicit CameraBlocker(std::string name);

    // The graphical-object record followed by verticalBlock, horizontalBlock.
    bool Serialize(std::ostream& os) override;
    bool UnSerialize(std::istream& is) override;

    int GetHorizontalBlock() const { return horizontalBlock; }
    int GetVerticalBlock() const { return verticalBlock; }
    void SetBlocks(int horizontal, int vertical)
    {
        horizontalBlock = horizontal;
        verticalBlock = vertical;
    }

private:
    int32_t horizontalBlock = 0;
    int32_t verticalBlock = 0;
};
