#include "script/ScriptVar.h"

#include "engine/serial/LineReaders.h"

bool ScriptVar::Serialize(std::ostream& os)
{
    os << GetVersionedClassName() << kLineEnd << name << kLineEnd << value << kLineEnd;
    return true;
}

bool ScriptVar::UnSerialize(std::istream& is)
{
    std::string className;
    std::string readName;
    std::string readValue;
    if (!ReadTextLine(is, className) || !ReadTextLine(is, readName) || !ReadTextLine(is, readValue))
        return false;
    name = std::move(readName);
    value = std::move(readValue);
    return true;
}
