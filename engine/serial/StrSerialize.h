#pragma once

#include <utility>

#include "engine/serial/ISerialization.h"

// One string as a record of its own: a single line, so it holds no line end
// (nor any other control character but tab).
class StrSerialize : public ISerialization {
public:
    explicit StrSerialize(std::string value)
        : value(std::move(value))
    {
    }

    bool Serialize(std::ostream& os) override;
    bool UnSerialize(std::istream& is) override;
    std::string GetVersionedClassName() override { return "StrSerializeV0"; }

    std::string value;
};
