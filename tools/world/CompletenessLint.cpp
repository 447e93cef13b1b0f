#include "tools/world/CompletenessLint.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string_view>

namespace {

// The records that define a name, and what the messages call them.
const std::map<std::string, std::string>& DefiningRecords()
{
    static const std::map<std::string, std::string> records = {
        {"GraphicalObjectV0", "graphical object"},
        {"SpriteV0", "sprite"},
        {"AnimatedSpriteV0", "animation"},
        {"SoundV0", "sound"},
        {"SoundEventV0", "sound event"},
        {"LocalParticleSystemV0", "particle system"},
        {"UI_FontV0", "font"},
    };
    return records;
}

// The calls that find a name by a literal (`Call("name"` then blanks and a
// comma or a closing parenthesis), and the kind each reads.
struct CodeLookup {
    std::string_view call;
    const char* kind;
};
constexpr CodeLookup kCodeLookups[] = {
    {"FindGraphicalObject(\"", "graphical object"},
    {"FindGraphical(\"", "graphical object"},
    {"FindFont(\"", "font"},
    {"FindLocalParticleSystem(\"", "particle system"},
};

bool Blank(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

struct FoundLookup {
    std::string name;
    const char* kind;
};

// Every look-up of one line, left to right; one pass over the line (a call
// is tried where "Find" starts, and the scan goes on after what it read).
std::vector<FoundLookup> LookupsOf(std::string_view line)
{
    std::vector<FoundLookup> found;
    size_t at = line.find("Find");
    while (at != std::string_view::npos) {
        size_t next = at + 1;
        for (const CodeLookup& lookup : kCodeLookups) {
            if (line.substr(at, lookup.call.size()) != lookup.call)
                continue;
            const size_t nameStart = at + lookup.call.size();
            const size_t nameEnd = line.find('"', nameStart);
            if (nameEnd == std::string_view::npos || nameEnd == nameStart)
                break;
            size_t after = nameEnd + 1;
            while (after < line.size() && Blank(line[after]))
                ++after;
            if (after < line.size() && (line[after] == ',' || line[after] == ')')) {
                found.push_back({std::string(line.substr(nameStart, nameEnd - nameStart)), lookup.kind});
                next = after + 1;
            }
            break;
        }
        at = line.find("Find", next);
    }
    return found;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

struct Definitions {
    std::map<std::string, std::set<std::string>> byKind;
    std::set<std::string> all;
    std::set<size_t> nameLines; // the library lines that are names being defined
};

Definitions ReadDefinitions(const std::vector<std::string>& library)
{
    Definitions defined;
    for (size_t i = 0; i + 1 < library.size(); ++i) {
        const auto record = DefiningRecords().find(library[i]);
        if (record == DefiningRecords().end())
            continue;
        defined.byKind[record->second].insert(library[i + 1]);
        defined.all.insert(library[i + 1]);
        defined.nameLines.insert(i + 1);
    }
    return defined;
}

bool WordChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '[' || c == ']';
}

// Every run of name characters, and every text between double quotes on one
// line (names with blanks, such as achievements).
void AddWords(const std::string& text, std::set<std::string>& words)
{
    size_t start = std::string::npos;
    for (size_t i = 0; i <= text.size(); ++i) {
        const bool inWord = i < text.size() && WordChar(text[i]);
        if (inWord && start == std::string::npos)
            start = i;
        else if (!inWord && start != std::string::npos) {
            words.insert(text.substr(start, i - start));
            start = std::string::npos;
        }
    }
    for (size_t open = text.find('"'); open != std::string::npos;) {
        const size_t close = text.find_first_of("\"\n", open + 1);
        if (close == std::string::npos)
            break;
        if (text[close] == '"')
            words.insert(text.substr(open + 1, close - open - 1));
        open = text.find('"', close + 1);
    }
}

// The string literals of a code file (escapes kept as written).
void AddLiterals(const std::string& code, std::set<std::string, std::less<>>& literals)
{
    for (size_t i = 0; i < code.size(); ++i) {
        if (code[i] != '"')
            continue;
        std::string literal;
        size_t j = i + 1;
        for (; j < code.size() && code[j] != '"' && code[j] != '\n'; ++j) {
            if (code[j] == '\\' && j + 1 < code.size())
                literal += code[j++];
            literal += code[j];
        }
        if (j < code.size() && code[j] == '"')
            literals.insert(literal);
        i = j;
    }
}

struct Literals {
    std::set<std::string, std::less<>> texts;
    std::set<size_t> lengths;
};

// A name the code may build: a literal, or a literal prefix and a literal
// suffix joined. Only the splits at a literal's length are tried, so a long
// name costs its length times the few lengths literals have.
bool Composed(std::string_view name, const Literals& literals)
{
    if (literals.texts.contains(name))
        return true;
    for (const size_t split : literals.lengths) {
        if (split == 0)
            continue;
        if (split >= name.size())
            break;
        if (literals.texts.contains(name.substr(0, split)) && literals.texts.contains(name.substr(split)))
            return true;
    }
    return false;
}

// The words of a settings line.
std::vector<std::string> Words(const std::string& line)
{
    std::istringstream in(line);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

bool IsCharacterEvent(const std::string& word)
{
    return word == "OnExplose" || word == "OnExploseWithPower" || word == "OnSpecial_01";
}

// "addparticlesysteminnpc <event> <character> <system>" (or the character
// first): the character must be one the game makes, the system one the
// library defines.
void CheckParticleLinks(const NamedText& text, const std::set<std::string>& characters,
    const std::set<std::string>* systems, std::vector<std::string>& missing)
{
    const std::vector<std::string> lines = Lines(text.text);
    for (size_t n = 0; n < lines.size(); ++n) {
        const std::vector<std::string> words = Words(lines[n]);
        if (words.size() < 4 || words[0] != "addparticlesysteminnpc")
            continue;
        const std::string& character = IsCharacterEvent(words[1]) ? words[2] : words[1];
        const std::string where = text.where + ":" + std::to_string(n + 1) + ": ";
        if (!characters.contains(character))
            missing.push_back(where + character + " is linked but no character is made as it");
        if (systems == nullptr || !systems->contains(words[3]))
            missing.push_back(where + words[3] + " is used but the library has no such particle system");
    }
}

} // namespace

CompletenessReport CheckCompleteness(const WorldNameSources& sources)
{
    CompletenessReport report;
    const std::vector<std::string> library = Lines(sources.library);
    const Definitions defined = ReadDefinitions(library);
    report.defined = defined.all.size();

    // Words of the world's texts and the code use a name of any kind; a
    // library reference uses a name of its own kind only (an object and its
    // animation often share a name).
    std::set<std::string> used;
    std::map<std::string, std::set<std::string>> referenced;
    for (size_t i = 0; i + 1 < library.size(); ++i) {
        const std::string& line = library[i];
        if (line.size() <= 3 || line.compare(line.size() - 3, 3, "Ptr") != 0)
            continue;
        const std::string& name = library[i + 1];
        const auto record = DefiningRecords().find(line.substr(0, line.size() - 3));
        const std::string kind = record != DefiningRecords().end() ? record->second : line;
        referenced[kind].insert(name);
        const auto names = defined.byKind.find(kind);
        if (names == defined.byKind.end() || !names->second.contains(name))
            report.missing.push_back("gamelib.txt:" + std::to_string(i + 2) + ": " + name
                + " is used but the library has no such " + kind);
    }
    const std::set<std::string> characters(sources.characterNames.begin(), sources.characterNames.end());
    const auto systems = defined.byKind.find("particle system");
    for (const NamedText& text : sources.worldTexts) {
        AddWords(text.text, used);
        CheckParticleLinks(
            text, characters, systems != defined.byKind.end() ? &systems->second : nullptr, report.missing);
    }

    Literals literals;
    for (const NamedText& file : sources.codeFiles) {
        AddLiterals(file.text, literals.texts);
        const std::vector<std::string> lines = Lines(file.text);
        for (size_t n = 0; n < lines.size(); ++n) {
            for (const auto& [name, kind] : LookupsOf(lines[n])) {
                const auto names = defined.byKind.find(kind);
                if (names == defined.byKind.end() || !names->second.contains(name))
                    report.missing.push_back(file.where + ":" + std::to_string(n + 1) + ": " + name
                        + " is used but the library has no such " + kind);
            }
        }
    }
    for (const std::string& literal : literals.texts)
        literals.lengths.insert(literal.size());

    // Graphical objects are named by the code in too many composed ways for a
    // reading of it to tell; the whole run's report counts their look-ups.
    for (const auto& [kind, names] : defined.byKind)
        for (const std::string& name : names)
            if (kind != "graphical object" && !used.contains(name) && !referenced[kind].contains(name)
                && !Composed(name, literals))
                report.unused.push_back(kind + " " + name + " is defined but nothing uses it");
    return report;
}
