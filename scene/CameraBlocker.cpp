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
    bool result = GraphicalObject::UnSerialize(is);
    result = ReadIntLine(is, verticalBlock) && result;
    result = ReadIntLine(is, horizontalBlock) && result;
    return result;
}
