#pragma once

#include "scene/BackgroundEvent.h"

#include <memory>
#include <string>
#include <vector>

class GraphicalObject;
template <class T, class C> class SpacialInstance;

// A level's start-up script as the level keeps it: its text, split in lines,
// which the level reads and writes, and a start on behalf of the level. The
// script runner (Script) makes it run; a program without the runner keeps
// the text and runs nothing.
class LevelScript : public BackgroundEvent {
public:
    using Instance = SpacialInstance<GraphicalObject, float>;

    explicit LevelScript(std::string name);

    // Every ";" becomes a line break; the text is split at line breaks, the
    // piece behind the last one included even when empty. Carriage returns
    // are dropped (texts written with CR LF).
    void SetText(const std::string& text);
    // The lines joined with "\n" between them.
    std::string GetText() const;
    const std::vector<std::string>& GetLines() const { return lines; }

    // Selects the section of the label on behalf of the placed instance that
    // owns the run; nothing here.
    virtual void Start(const std::string& /*label*/, Instance* /*owner*/) { }
    using BackgroundEvent::Start;

    // A new script of the name: the runner's when it is installed, else a
    // plain one.
    using Maker = std::unique_ptr<LevelScript> (*)(std::string name);
    static std::unique_ptr<LevelScript> Make(std::string name);
    // Installs the maker (null: plain scripts again); the maker in force
    // before.
    static Maker SetMaker(Maker maker);

protected:
    std::vector<std::string> lines;
};
