#pragma once

#include "engine/serial/StrSerialize.h"
#include "engine/serial/TypeNames.h"
#include "scene/GameplayObject.h"
#include "zones/ZoneInstance.h"

#include <memory>
#include <string>
#include <utility>

// A start point: where the game places the player when a level is entered
// with the point's name. It has no contact behaviour.
class Point_PlayerStart : public GameplayObject {
public:
    static constexpr std::string_view kTagName = "_Point_PlayerStart::PointInstance_updatetag_1.0_";

    class Instance : public PointInstance {
    public:
        Instance();
        static std::string VersionedClassName()
        {
            return std::string("Point_PlayerStart::PointInstance") + "V0";
        }
        std::string GetVersionedClassName() override { return VersionedClassName(); }

        // The start-point name (member 2).
        std::string GetName() const { return startName.value; }
        void SetStartName(const std::string& n) { startName.value = n; }

    protected:
        // Files without the format tag are format 0: only the name is absent.
        int32_t FormatWithoutTag() const override { return 0; }
        bool IsMissingMember(size_t index) const override { return format == 0 && index == 0; }
        // The format is written as it stands, except 0: a stored 0 reads
        // back as 1, and a 0 written would not read back to the same text.
        // The record is the same either way, since every member is written.
        int32_t FormatToWrite() override { return format == 0 ? 1 : format; }
        void WriteMember(std::ostream& os, size_t index) override;
        bool ReadMember(std::istream& is, size_t index) override;

    private:
        StrSerialize unused {""};
        StrSerialize startName {""};
    };

    explicit Point_PlayerStart(std::string name)
        : GameplayObject(std::move(name))
    {
        typeName = TypeNames::Point_PlayerStart;
    }

    static std::string VersionedClassName() { return std::string("Point_PlayerStart") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    SceneObjectInstance* CreateInstance() override { return new Instance(); }
    bool UpdatePlayerContact(SpacialInstance<GraphicalObject, float>*) override { return true; }
};
