#pragma once

#include <cstdint>

#include "engine/serial/ISerialization.h"

// One int as a record of its own: a single line.
class IntSerialize : public ISerialization {
public:
    explicit IntSerialize(int32_t value)
        : value(value)
    {
    }

    bool Serialize(std::ostream& os) override;
    bool UnSerialize(std::istream& is) override;
    std::string GetVersionedClassName() override { return "IntSerializeV0"; }

    int32_t value;
};
