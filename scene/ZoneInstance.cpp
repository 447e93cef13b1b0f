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
    // A size is read as written: one below 1 is an empty extent, which
    // every user of the size copes with.
    (index == 1 ? size : offset).value = read;
    return true;
}
