#pragma once

#include "engine/serial/IntSerialize.h"
#include "engine/serial/StrSerialize.h"
#include "engine/serial/TypeNames.h"
#include "zones/GameplayObject_Zone.h"
#include "zones/ZoneInstance.h"

#include <string>
#include <utility>

class CharacterObject;

// A zone that carries a script: the level's start-up, the player entering or
// leaving and a hit on the zone's character each queue a fresh copy of the
// script on the level, started at the section of that event; copies of
// earlier events keep running beside it. At load each placement also makes
// its own script-driven character, named like the placement.
class Zone_TriggerScript : public GameplayObject_Zone {
public:
    class Instance : public ZoneInstance {
    public:
        Instance()
        {
            RegisterMember(&count);
            RegisterMember(&scriptText);
            RegisterMember(&graphicName);
        }
        static std::string VersionedClassName() { return std::string("Zone_TriggerScript::Instance") + "V0"; }
        std::string GetVersionedClassName() override { return VersionedClassName(); }

        // The script's line breaks become ";", so it stands on one line.
        bool Serialize(std::ostream& os) override;
        // Makes the placement's character (showing a copy of the graphic
        // named, when there is one) and places it at the zone; loads the
        // objects the script's "SetGraphical" commands will show.
        void Spawn(int x, int y, Level* level) override;
        // Places a copy of the character's graphic on the level's
        // "Collisions" layer in place of the previous copy.
        virtual void UpdateScriptObject();

        IntSerialize count {1};
        StrSerialize scriptText {""};
        StrSerialize graphicName {""};
        Level* level = nullptr;
        // The script-driven character (an NPC_Script), owned by the game's
        // live list.
        CharacterObject* character = nullptr;
        Placed* collisionCopy = nullptr;
    };

    explicit Zone_TriggerScript(std::string name)
        : GameplayObject_Zone(std::move(name))
    {
        typeName = TypeNames::Zone_TriggerScript;
    }

    static std::string VersionedClassName() { return std::string("Zone_TriggerScript") + "V0"; }
    std::string GetVersionedClassName() override { return VersionedClassName(); }
    SceneObjectInstance* CreateInstance() override { return new Instance(); }
    // The zone contact rule, then a hit on the character starts ":OnHit".
    bool UpdatePlayerContact(Placed* placed) override;

    void OnEnter(Placed* placed) override { StartScript(placed, "StartScriptOnEnter", ":OnEnter"); }
    void OnEnterOnce(Placed* placed) override
    {
        StartScript(placed, "StartScriptOnEnterOnce", ":OnEnterOnce");
    }
    void OnLeaveOnce(Placed* placed) override
    {
        StartScript(placed, "StartScriptOnLeaveOnce", ":OnLeaveOnce");
    }
    void OnLeave(Placed* placed) override { StartScript(placed, "StartScriptOnLeave", ":OnLeave"); }
    void OnStartup(Placed* placed) override { StartScript(placed, "StartScriptOnStartup", ":OnStartup"); }
    virtual void OnHit(Placed* placed) { StartScript(placed, "StartScriptOnHit", ":OnHit"); }

private:
    // Queues a new copy of the placement's script, started at `label` on
    // behalf of the placement, on the game's current level (the placement's
    // own when the game has none), when the player exists and the placement
    // is enabled.
    void StartScript(Placed* placed, const std::string& scriptName, const std::string& label);
};
