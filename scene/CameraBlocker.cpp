#include "scene/CameraBlocker.h"

#include "engine/serial/LineReaders.h"
#include "engine/serial/TypeNames.h"

CameraBlocker::CameraBlocker(std::string name_)
    : GraphicalObject(std::move(name_))
{
    typeName = TypeNames::CameraBlocker;
    category = "(game play)";
}

bool CameraBlocker::Serialize(std::ostream& os)
{
    if (IsSkipSerialize())
        return true;
    GraphicalObject::Serialize(os);
    WriteLine(os, verticalBlock);
    WriteLine(os, horizontalBlock);
    return true;
}

bool CameraBlocker::UnSerialize(std::istream& is)
{
    // The graphical-object part and the blocks are taken together or not at all.
    GraphicalRecord record;
    int32_t vertical = 0;
    int32_t horizontal = 0;
    if (!ReadGraphicalRecord(is, record) || !ReadIntLine(is, vertical) || !ReadIntLine(is, horizontal))
        return false;
    TakeGraphicalRecord(std::move(record));
    verticalBlock = vertical;
    horizontalBlock = horizontal;
    return true;
}
