#pragma once

#include "engine/app/ConsoleCommand.h"
#include "engine/app/ProfileTimer.h"
#include "engine/serial/Rect.h"

#include <cstddef>
#include <cstdint>
#include <list>
#include <string>
#include <vector>

// The console's state: open and debug flags, the line being edited with its
// cursor, the measured frame time, the command table the game fills and the
// on-screen debug-message list that the render pool copies per frame slot and
// adds its draw count to. The engine keeps it; DevConsoleEditor edits it.
class DevConsole : public ConsoleCommandTable {
public:
    // A box to outline over the level, in level coordinates (y up, bounds
    // inclusive), with its ARGB colour.
    struct DebugBox {
        Rect<int> box;
        uint32_t colour = 0xFFFFFFFFu;
    };

    struct DebugMessage {
        std::string text;
        double remaining = 0.0; // -1.0 permanent; milliseconds or frames
        bool countInFrames = false;
        uint32_t colour = 0xFFFFFFFFu;
    };

    // Appends a message when the debug flag is set.
    void AddDebugMessage(bool countInFrames, const std::string& text, uint32_t colour, double remaining)
    {
        if (debug)
            messages.push_back(DebugMessage {text, remaining, countInFrames, colour});
    }

    // While the debug flag is set: the message label + " " + the value
    // truncated to an integer.
    void AddDebugValue(
        bool countInFrames, const std::string& label, float value, uint32_t colour, double remaining);

    // Times named sections, on update-frame passes or when forced. The first
    // call with a label starts its timer; every later call measures the
    // milliseconds since the previous call with that label, restarts the
    // timer and writes "label : ms" to the debug output when the threshold
    // is -1.0, or above 0 and exceeded. A threshold of 0 never prints.
    void ProfileSection(const std::string& label, bool force, float threshold);

    bool debug = false;
    // Set by the game for each main-loop pass that runs an update frame:
    // ProfileSection times only then, unless forced.
    bool updateFrame = false;
    bool open = false;
    std::string line;
    // Milliseconds of the last frame, as the frame-rate line shows it.
    double frameTime = 0.0;
    std::list<DebugMessage> messages;
    // The boxes outlined after the level in each frame, in queue order; the
    // game empties the queue on each update frame.
    std::vector<DebugBox> debugBoxes;
    // The named section timers, found by label; never removed.
    std::list<ProfileTimer> profileTimers;
};
