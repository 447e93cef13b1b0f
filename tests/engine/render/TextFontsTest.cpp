#include "engine/render/TextFonts.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

// The debug banner's text ("Global FPS : 30 \t [ PFF: 30 ]") drew a box for
// its tab: what reaches the font has no control character left.
TEST(TextFonts, TabsAndControlCharactersBecomeBlanks)
{
    const std::pair<std::string, std::string> cases[] = {
        {"Global FPS : 30 \t [ PFF: 30 ]", "Global FPS : 30" + std::string(6, ' ') + "[ PFF: 30 ]"},
        {"\tx", "    x"},
        {"abcd\te", "abcd    e"},
        {"\xC3\xA9t\xC3\xA9\tx", "\xC3\xA9t\xC3\xA9 x"}, // columns count characters, not bytes
        {"a\nb\rc\x7F", "a b c "},
        {"", ""},
    };
    for (const auto& [text, printable] : cases)
        EXPECT_EQ(TextFonts::Printable(text), printable) << text;
}
