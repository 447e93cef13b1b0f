#pragma once

#include "engine/serial/TypeNames.h"
#include "zones/ZoneHolder.h"

#include <string>
#include <utility>

// A secret area: the player's fireflies look for the placed instances named
// "ZoneSecret", which every instance of this type is once read.
class ZoneSecret : public ZoneHolder {
public:
    class Instance : public ZoneInstance {
    public:
        static std::string VersionedClassName() { return std::string("ZoneSecret::Instance") + "V0"; }
        std::string GetVersionedClassName() override { return VersionedClassName(); }
        bool UnSerialize(std::istream& is) override
        {
            const bool ok = ZoneInstance::UnSerialize(is);
            SetName("ZoneSecret");
            return ok;
        }
    };

    explicit ZoneSecret(std::string name)
        : ZoneHolder(std::move(name))
    {
        typeName = TypeNames::ZoneSecret;
    }

    static std::string VersionedClassName() { return std::string("ZoneSecret") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    SceneObjectInstance* CreateInstance() override { return new Instance(); }
};
