#include "scene/ZoneInstance.h"

#include "engine/serial/LineReaders.h"
#include "engine/serial/ReaderContext.h"

ZoneInstance::ZoneInstance()
{
    RegisterMember(&size);
    RegisterMember(&offset);
}

bool ZoneInstance::ReadMember(std::istream& is, size_t index)
{
    if (index != 1 && index != 2)
        return SceneObjectInstance::ReadMember(is, index);
    Point<int> read;
    if (!ReadCoordinateLine(is, read.x) || !ReadCoordinateLine(is, read.y))
        return false;
    if (index == 1 && (read.x < 0 || read.y < 0))
        return ReadError(
            is, "a zone size of 0 or more", std::to_string(read.x) + " x " + std::to_string(read.y));
    (index == 1 ? size : offset).value = read;
    return true;
}
