#pragma once

#include "engine/serial/TypeNames.h"
#include "zones/GameplayObject_Zone.h"
#include "zones/ZoneInstance.h"

#include <string>
#include <utility>

// A plain zone: a named rectangle that scripts and characters look up (camera
// marks, insect areas, spawn places). Its enter and leave events are empty.
class ZoneHolder : public GameplayObject_Zone {
public:
    class Instance : public ZoneInstance {
    public:
        static std::string VersionedClassName() { return std::string("ZoneHolder::Instance") + "V0"; }
        std::string GetVersionedClassName() override { return VersionedClassName(); }
    };

    explicit ZoneHolder(std::string name)
        : GameplayObject_Zone(std::move(name))
    {
        typeName = TypeNames::ZoneHolder;
    }

    static std::string VersionedClassName() { return std::string("ZoneHolder") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    SceneObjectInstance* CreateInstance() override { return new Instance(); }
};
