#pragma once

#include <type_traits>

#include "engine/serial/ISerialization.h"
#include "engine/serial/LineReaders.h"
#include "engine/serial/Point.h"

// A point as a record of its own: x, then y, one line each. Both
// instantiations share the tag "PointSerializeV0", which a VectorSerialize
// does not recognise; lists use PointIntSerialize and PointFloatSerialize.
template <class T> class PointSerialize : public ISerialization {
    static_assert(std::is_same_v<T, int> || std::is_same_v<T, float>);

public:
    explicit PointSerialize(const Point<T>& value)
        : value(value)
    {
    }

    bool Serialize(std::ostream& os) override
    {
        WriteLine(os, value.x);
        WriteLine(os, value.y);
        return static_cast<bool>(os);
    }

    // Takes the point only when both values were read.
    bool UnSerialize(std::istream& is) override
    {
        Point<T> read;
        bool ok = false;
        if constexpr (std::is_same_v<T, int>)
            ok = ReadIntLine(is, read.x) && ReadIntLine(is, read.y);
        else
            ok = ReadFloatLine(is, read.x) && ReadFloatLine(is, read.y);
        if (ok)
            value = read;
        return ok;
    }

    std::string GetVersionedClassName() override { return std::string("PointSerialize") + "V0"; }

    Point<T> value;
};

class PointIntSerialize : public PointSerialize<int> {
public:
    explicit PointIntSerialize(const Point<int>& value)
        : PointSerialize<int>(value)
    {
    }
    std::string GetVersionedClassName() override { return "PointIntSerializeV0"; }
};

class PointFloatSerialize : public PointSerialize<float> {
public:
    explicit PointFloatSerialize(const Point<float>& value)
        : PointSerialize<float>(value)
    {
    }
    std::string GetVersionedClassName() override { return "PointFloatSerializeV0"; }
};

// A float point inside another record: two float lines, x then y.
bool SerializePoint(std::ostream& os, const Point<float>& point);
// Reads x, then y; the point changes only when both were read.
bool UnSerializePoint(std::istream& is, Point<float>& point);
