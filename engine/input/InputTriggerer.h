#pragma once

#include <cstdint>
#include <iosfwd>

// One binding of an action to a device input: a keyboard key code (PC set-1
// scancode) or a pad offset (button n is 48 + n, 8 is the Z axis) with a
// direction (-1, 0 or +1; only the Z axis uses a sign). Code 0 binds nothing.
class InputTriggerer {
public:
    InputTriggerer() = default;
    InputTriggerer(uint32_t code, int32_t direction)
        : code(code)
        , direction(direction)
    {
    }
    InputTriggerer(const InputTriggerer&) = default;
    InputTriggerer& operator=(const InputTriggerer&) = default;
    virtual ~InputTriggerer() = default;

    // Device events match a binding on code and direction; the state is not
    // part of the match.
    bool operator==(const InputTriggerer& other) const
    {
        return code == other.code && direction == other.direction;
    }

    // Two lines: the code (unsigned), then the direction (signed).
    virtual bool Write(std::ostream& os) const;
    // Reads the code, then, only when that worked, the direction. A value that
    // does not parse keeps its previous value; false unless both were read.
    virtual bool Read(std::istream& is);

    uint32_t code = 0;
    int32_t direction = 0;
    // True when the input was released (the input manager's transient records).
    bool state = false;
};
