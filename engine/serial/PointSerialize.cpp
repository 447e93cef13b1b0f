#include "engine/serial/PointSerialize.h"

bool SerializePoint(std::ostream& os, const Point<float>& point)
{
    WriteLine(os, point.x);
    WriteLine(os, point.y);
    return static_cast<bool>(os);
}

bool UnSerializePoint(std::istream& is, Point<float>& point)
{
    Point<float> read;
    if (!ReadFloatLine(is, read.x) || !ReadFloatLine(is, read.y))
        return false;
    point = read;
    return true;
}
