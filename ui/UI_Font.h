#pragma once

#include <string>
#include <utility>

// One font of the game library's font table, found by name. Its glyph
// records and drawing are not written yet.
class UI_Font {
public:
    explicit UI_Font(std::string fontName = "")
        : name(std::move(fontName))
    {
    }
    virtual ~UI_Font() = default;

    std::string GetName() const { return name; }

private:
    std::string name;
};
