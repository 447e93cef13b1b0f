#pragma once

#include "engine/serial/ISerialization.h"

// One float as a record of its own: a single line.
class FloatSerialize : public ISerialization {
public:
    explicit FloatSerialize(float value)
        : value(value)
    {
    }

    bool Serialize(std::ostream& os) override;
    bool UnSerialize(std::istream& is) override;
    std::string GetVersionedClassName() override { return "FloatSerializeV0"; }

    float value;
};
