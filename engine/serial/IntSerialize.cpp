#include "engine/serial/IntSerialize.h"

#include "engine/serial/LineReaders.h"

bool IntSerialize::Serialize(std::ostream& os)
{
    WriteLine(os, value);
    return static_cast<bool>(os);
}

bool IntSerialize::UnSerialize(std::istream& is)
{
    return ReadIntLine(is, value);
}
