#include "engine/render/TextFonts.h"

#include "engine/platform/DebugOutput.h"

#include <string>

namespace {
constexpr const char* kFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
constexpr size_t kTabColumns = 4;
} // namespace

std::string TextFonts::Printable(const std::string& text)
{
    std::string printable;
    size_t column = 0;
    for (const char c : text) {
        if (c == '\t') {
            do {
                printable += ' ';
            } while (++column % kTabColumns != 0);
            continue;
        }
        const bool control = static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
        printable += control ? ' ' : c;
        // Columns count characters: the bytes that continue one do not.
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++column;
    }
    return printable;
}

TextFonts::TextFonts()
{
    if (TTF_Init() != 0)
        return;
    started = true;
    textFont.reset(TTF_OpenFont(kFontPath, 15));
    debugFont.reset(TTF_OpenFont(kFontPath, 12));
    if (!textFont)
        platform::DebugOutput(std::string("Font not loaded: ") + kFontPath + "\n");
}

TextFonts::~TextFonts()
{
    textFont.reset();
    debugFont.reset();
    if (started)
        TTF_Quit();
}
