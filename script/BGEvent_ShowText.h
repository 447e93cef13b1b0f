#pragma once

#include "script/BackgroundEvent.h"

#include <string>

// Puts " [EVENT] " and its text into the console's message list once per
// logic tick for its display count of ticks (-1: without end), fading out
// over the last three.
class BGEvent_ShowText : public BackgroundEvent {
public:
    BGEvent_ShowText(std::string name, std::string text);

    bool Update() override;
    void StartFor(int count);
    std::string GetTypeName() const override { return "BGEvent_ShowText"; }

    const std::string& GetText() const { return text; }
    int GetCount() const { return params[2]; }
    // The alpha of the message for a display count: 255 from 4 on, else the
    // count x 50 kept to 8 bits.
    static uint8_t AlphaFor(int count);

private:
    std::string text;
};
