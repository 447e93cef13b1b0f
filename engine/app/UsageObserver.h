#pragma once

#include "engine/app/Installed.h"

#include <string_view>

// Told of each named thing the program uses as it runs: a class its
// factories make, a command it runs, a sound event it plays, a page it
// shows. A run that reports what it reached installs one (through
// Installed<UsageObserver>); without one nothing is told. The callers name
// the family ("sound event", "console command", ...) and the thing; nothing
// here knows what either means.
class UsageObserver {
public:
    virtual ~UsageObserver() = default;
    virtual void Used(std::string_view family, std::string_view name) = 0;
};

// Tells the installed observer, if there is one.
inline void NoteUse(std::string_view family, std::string_view name)
{
    if (UsageObserver* observer = Installed<UsageObserver>::Get())
        observer->Used(family, name);
}
