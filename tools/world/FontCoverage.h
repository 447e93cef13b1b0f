#pragma once

#include <string>
#include <vector>

class UI_Font;

// The font-coverage lint: every text the interface draws with the world
// font must find a glyph for each of its characters.

// One text to check and where it comes from ("dialogues_fr/cemetery.txt:3").
struct DrawnText {
    std::string where;
    std::string text;
};

// The game's own fixed interface strings and every key name a text frame
// may show for a keyboard binding.
std::vector<DrawnText> InterfaceTexts();

// Every line of every dialogue file under `folder` ("dialogues_eng",
// "dialogues_fr", ...), its words joined as the dialogue box shows them.
std::vector<DrawnText> DialogueTexts(const std::string& dataFolder);

// "where: no glyph for 'c' (0xNN) in \"text\"" for each character of each
// text the font lacks; empty when the font covers them all.
std::vector<std::string> MissingGlyphs(const UI_Font& font, const std::vector<DrawnText>& texts);
