#include "engine/serial/FloatSerialize.h"

#include "engine/serial/LineReaders.h"

bool FloatSerialize::Serialize(std::ostream& os)
{
    WriteLine(os, value);
    return static_cast<bool>(os);
}

bool FloatSerialize::UnSerialize(std::istream& is)
{
    return ReadFloatLine(is, value);
}
