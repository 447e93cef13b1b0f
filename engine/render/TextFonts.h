#pragma once

#include <SDL_ttf.h>

#include <memory>
#include <string>

// The device's two fonts (console text and debug text) and the TTF library
// they need, all owned: closed and shut down with the object. Without TTF or
// the font file the fonts are null and text draws nothing.
class TextFonts {
public:
    TextFonts();
    ~TextFonts();
    TextFonts(const TextFonts&) = delete;
    TextFonts& operator=(const TextFonts&) = delete;

    TTF_Font* GetTextFont() const { return textFont.get(); }
    TTF_Font* GetDebugFont() const { return debugFont.get(); }

    // The text as the fonts can draw it: a tab moves on to the next column
    // of four, any other control character is a blank (the fonts have no
    // glyph for them and would draw a box).
    static std::string Printable(const std::string& text);

private:
    struct FontCloser {
        void operator()(TTF_Font* font) const { TTF_CloseFont(font); }
    };
    using FontPtr = std::unique_ptr<TTF_Font, FontCloser>;

    bool started = false;
    // Closed before the library shuts down (declared after the flag).
    FontPtr textFont;
    FontPtr debugFont;
};
