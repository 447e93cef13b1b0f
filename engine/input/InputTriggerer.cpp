#include "engine/input/InputTriggerer.h"

#include <istream>
#include <ostream>

#include "engine/serial/LineReaders.h"

bool InputTriggerer::Write(std::ostream& os) const
{
    WriteLine(os, code);
    WriteLine(os, direction);
    return static_cast<bool>(os);
}

bool InputTriggerer::Read(std::istream& is)
{
    return ReadULongLine(is, code) && ReadLongLine(is, direction);
}
