#pragma once

#include <SDL_ttf.h>

#include <memory>

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
