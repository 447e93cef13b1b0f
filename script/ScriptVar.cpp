#include "script/ScriptVar.h"

#include "engine/serial/LineReaders.h"

bool ScriptVar::Serialize(std::ostream& os)
{
    WriteLine(os, GetVersionedClassName());
    WriteLine(os, name);
    WriteLine(os, value);
    return static_cast<bool>(os);
}

bool ScriptVar::UnSerialize(std::istream& is)
{
    std::string readName;
    std::string readValue;
    if (!ReadExpectedLine(is, GetVersionedClassName()) || !ReadTextLine(is, readName)
        || !ReadTextLine(is, readValue))
        return false;
    name = std::move(readName);
    value = std::move(readValue);
    return true;
}
