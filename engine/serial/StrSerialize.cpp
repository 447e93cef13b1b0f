#include "engine/serial/StrSerialize.h"

#include "engine/serial/LineReaders.h"

bool StrSerialize::Serialize(std::ostream& os)
{
    WriteLine(os, value);
    return static_cast<bool>(os);
}

bool StrSerialize::UnSerialize(std::istream& is)
{
    // A text line: fails, value kept, at the end of the stream or on a line
    // with control characters, which no writer produces.
    return ReadTextLine(is, value);
}
