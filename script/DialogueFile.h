#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

// The dialogue files of a language ("dialogues_" + language code): plain
// text, each line split like a console line (blanks separate words, a quoted
// string is one word, "//" ends the line). Lines without words separate
// blocks, several in a row counting once; blocks are numbered from 0. A line
// of exactly three words is a speaker line (speaker, separator, text).
class DialogueFile {
public:
    using Line = std::vector<std::string>;

    // What a dialogue may hold: a line is a box's text of a few sentences, a
    // block a scene's talk. Longer ones are refused, so that what a file
    // costs stays near the size of one block whatever the file's size.
    static constexpr size_t kMaxLineLength = 2048;
    static constexpr size_t kMaxBlockLines = 512;

    // The words of one file line; a word that still holds "//" is dropped.
    static Line SplitLine(const std::string& text);

    // Whether the line opens a quoted word it never closes. ReadBlock keeps
    // such a line's text up to its end and says so at its file:line.
    static bool LacksClosingQuote(const std::string& text);

    // Appends the lines of block `block` (a negative number reads as 0) to
    // `lines`. A missing block, a line or a block beyond the limits above
    // (in any block up to the one read) appends nothing and returns false
    // with "file:line: expected ..., found ..." on the stream's reader
    // context (or the debug output without one).
    static bool ReadBlock(std::istream& is, int block, std::vector<Line>& lines);

    // Opens the dialogue file of the current language and reads the block;
    // the error, if any, is reported and returned in `error`. A name that
    // leaves the dialogue folder ("..", an absolute path) is refused unopened.
    static bool LoadBlock(
        const std::string& fileName, int block, std::vector<Line>& lines, std::string* error = nullptr);

    // The path of a dialogue file: the dialogue folder, "dialogues_" and the
    // language of the user settings, then the file name.
    static std::string PathFor(const std::string& fileName);
};
