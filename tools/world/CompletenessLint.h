#pragma once

#include <string>
#include <vector>

// The completeness of the world: every name something uses is defined, and
// every name the world defines is used by something.
//
// Defined: the game library's graphical objects, sprites, animations,
// sounds, sound events, particle systems and fonts. Used: the library's own
// references (an animation's frames), the assembled levels, the settings,
// the dialogues and the sound lists (any word of theirs), and the game's
// code (its string literals, alone or as a prefix and a suffix joined, since
// the code composes names such as a class name and a pose).
struct NamedText {
    std::string where; // a file name, for the messages
    std::string text;
};

struct WorldNameSources {
    std::string library; // the text of "gamelib.txt"
    std::vector<NamedText> worldTexts;
    std::vector<NamedText> codeFiles;
    // The names the game makes characters under (its classes and the parts
    // of bosses): the particle links of the world's texts must name one.
    std::vector<std::string> characterNames;
};

struct CompletenessReport {
    size_t defined = 0;
    // "where:line: <name> is used but the library has no such <kind>"
    std::vector<std::string> missing;
    // "<kind> <name> is defined but nothing uses it"
    std::vector<std::string> unused;
};

// Unused: a sprite, animation, sound, sound event, particle system or font
// nothing names (graphical objects are left to the whole run's report of the
// look-ups it made).
// Missing: a library reference ("...Ptr" then a name) to nothing, and a name
// the code looks up by a literal (FindGraphicalObject, FindFont,
// FindLocalParticleSystem) that the library lacks; a particle link
// ("addparticlesysteminnpc") to a character the game never makes or to a
// particle system the library lacks.
CompletenessReport CheckCompleteness(const WorldNameSources& sources);
