#include "engine/render/TextFonts.h"

#include "engine/platform/DebugOutput.h"

#include <string>

namespace {
constexpr const char* kFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
} // namespace

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
