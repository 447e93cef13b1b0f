#include "engine/serial/StrSerialize.h"

#include "engine/serial/LineReaders.h"

bool StrSerialize::Serialize(std::ostream& os)
{
    WriteLine(os, value);
    return static_cast<bool>(os);
}

bool StrSerialize::UnSerialize(std::istream& is)
{
    return ReadStringLine(is, value);
}
