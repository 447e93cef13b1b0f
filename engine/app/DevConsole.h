#pragma once

#include <cstdint>
#include <list>
#include <string>

// The console's state: open and debug flags, the line being edited and the
// on-screen debug-message list that the render pool copies per frame slot and
// adds its draw count to. The game fills its commands; the engine keeps it.
class DevConsole {
public:
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

    bool debug = false;
    bool open = false;
    std::string line;
    std::list<DebugMessage> messages;
};
