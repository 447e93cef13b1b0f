#pragma once

#include "ui/UI_Frame.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class UI_Font;

// A frame that shows text: it lays its text out into lines that fit its
// width (the x of its size) with its font, shows action tokens such as
// "{JUMP}" as the name of the bound key or pad button, and draws pad-button
// groups such as "{A}" as icons two font cells wide.
class UI_Frame_Text : public UI_Frame {
public:
    // The icon groups, in the order of the icon table.
    static constexpr size_t kIconCount = 12;
    static constexpr uint32_t kGreyColour = 0xFF5A5A5Au;

    explicit UI_Frame_Text(std::string name);
    ~UI_Frame_Text() override;

    // Lays the whole text out again: cut at its first nine line breaks, each
    // piece wrapped to the frame's width.
    void Update(double dt) override;
    // Looks up the pad icons still missing in the game library (shared by
    // every text frame: one frame's look-up serves all).
    void Init() override;
    // Draws the lines with their top-left corner at (x, y); true when every
    // glyph and icon draw succeeded.
    bool Render(GraphicalEffect* effect, int x, int y, int p5, int p6, float rotation) override;

    // Appends the wrapped pieces of one line to the lines.
    void WrapLine(const std::string& line);

    void SetText(std::string newText) { text = std::move(newText); }
    std::string GetText() const { return text; }
    std::vector<std::string> GetLines() const { return lines; }
    void ClearLines() { lines.clear(); }

    UI_Font* GetFont() const { return font; }
    void SetFont(UI_Font* newFont) { font = newFont; }
    uint32_t GetTextColour() const { return textColour; }
    void SetTextColour(uint32_t colour) { textColour = colour; }
    int32_t GetGreyPrefix() const { return greyPrefix; }
    void SetGreyPrefix(int32_t count) { greyPrefix = count; }

    // The icon of a group text ("A", "LB", ...), or null.
    GraphicalObject* FindIcon(const std::string& group) const;
    // Forgets the shared pad icons; the game calls it when its library goes,
    // so no pointer outlives the objects.
    static void ResetPadIcons();
    // The line with each action token's first occurrence replaced by the
    // name of its binding: the joypad set's when the last input came from a
    // pad, the keyboard set's otherwise.
    static std::string ReplaceTokens(const std::string& line);

private:
    std::string text;
    std::vector<std::string> lines;
    int32_t greyPrefix = -1;
    UI_Font* font = nullptr; // the game library's; not owned
    uint32_t textColour = 0xFF000000u;
    // The game library's pad icons, held once for the whole program by all
    // text frames (not owned; emptied with the library).
    static std::array<GraphicalObject*, kIconCount> padIcons;
};
