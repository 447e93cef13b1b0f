#pragma once

#include <string>
#include <vector>

// The command tokenizer of console handlers, scripts and dialogues. Tokens are
// separated by single blanks (space only); empty tokens are dropped. A token
// that starts with a double quote runs to the next double quote, quotes
// removed, and the character right after the closing quote is skipped; an
// unterminated quote ends the list before that token. A token containing "//"
// ends the list before itself. There is no escape character.
std::vector<std::string> SplitCommandLine(std::string text);
