#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "engine/serial/Color.h"
#include "engine/serial/ISerialization.h"

class Level;
class SceneObjectHandle;
class SoundEvent;

// Base of everything that can be named in a scene: graphical objects, zones and
// points, characters, UI frames and their prototypes in the game library. It
// carries the name every look-up uses, a category, the editor colour, the
// sound-event names its class declares with the object's own copies of those
// events, and the weak handle through which others learn it is gone.
class SceneObject : public ISerialization {
public:
    explicit SceneObject(std::string name);
    ~SceneObject() override;

    // The record head every derived record starts with: versioned class name,
    // name, category, "_SceneObject_updatetag_1.0_", colour r, g, b, a.
    bool Serialize(std::ostream& os) override;
    // Reads the record after its class-name line (consumed by the caller).
    // All or nothing: a damaged record leaves the object as it was.
    bool UnSerialize(std::istream& is) override;
    // typeName + "V0": every derived class names itself through typeName.
    std::string GetVersionedClassName() override;
    // The key the factory made the object by ("Zone_TriggerZone", ...).
    const std::string& GetTypeName() const { return typeName; }

    virtual SceneObject* Clone(bool restart);
    virtual void LoadSoundsOf(SceneObject* object);
    virtual bool IsStatic();
    virtual void DeclareSounds();
    virtual void DeclareSound(std::string name);
    virtual void LoadSounds();
    virtual void UnloadSounds(bool clearNames);
    virtual bool PlaySound(std::string name);
    virtual bool PlaySoundAt(int index);
    virtual bool StopSound(std::string name);
    virtual bool StopSoundAt(int index);
    virtual SoundEvent* GetSoundEvent(int index);
    // Hands the own event at index to the sound-events manager's detached
    // events, so that it plays on after this object is gone, and empties its
    // slot. False when there is no such event or no manager.
    bool DetachSoundAt(int index);
    virtual void Update(double dt);
    virtual void UpdateSounds();
    // Hands every own sound event to the receiver (which then owns them) and
    // empties this object's list; with no receiver the events stay with the
    // sound-events manager that made them.
    virtual void ReleaseSounds(SceneObject* receiver);
    virtual void PostUnSerialize();
    virtual void Init();

    std::string GetName() const { return name; }
    void SetName(std::string newName) { name = std::move(newName); }
    std::string GetCategory() const { return category; }
    void SetCategory(std::string newCategory) { category = std::move(newCategory); }
    const Color& GetColor() const { return colour; }
    void SetColor(const Color& newColour) { colour = newColour; }
    const std::vector<std::string>& GetSoundNames() const { return soundNames; }
    int GetSoundEventCount() const { return static_cast<int>(soundEvents.size()); }

    // The object's weak handle, created and registered on first use.
    SceneObjectHandle* GetHandle();

    // Reads one line naming a scene object and returns that object: first from
    // the level's own list when a level is given, else from the game library
    // (the object itself, not a clone). Null when no object bears the name.
    static SceneObject* UnSerializeReference(std::istream& is, Level* level);
    // The same look-up for a name already read.
    static SceneObject* FindReference(const std::string& objectName, Level* level);

protected:
    // The fields of the record head, read before any is taken.
    struct SceneObjectRecord {
        std::string name;
        std::string category;
        bool hasColour = false; // false for an older record: the colour follows the kind
        Color colour;
        int coloursRead = 0; // the channels read, r first; the others keep the object's
    };
    // Reads the head (after the class-name line); false for a damaged head.
    static bool ReadSceneObjectRecord(std::istream& is, SceneObjectRecord& record);
    // Takes a head read whole (without calling PostUnSerialize).
    void TakeSceneObjectRecord(SceneObjectRecord&& record);

    SceneObject(const SceneObject& other);
    SceneObject& operator=(const SceneObject& other);

    // The class-name string the versioned class name is built from; each
    // derived class sets its own.
    std::string typeName;
    std::string name;
    std::string category = "(Default)";
    Color colour = Color::White();
    std::vector<std::string> soundNames;
    std::vector<SoundEvent*> soundEvents;

private:
    friend class SceneObjectHandle;
    // Called by the handle registry when it frees the handle at shut-down.
    void DetachHandle() { handle = nullptr; }
    void AssignColourByKind();
    // Index of the first own event of that name; -1 when there is none.
    int FindSoundIndex(const std::string& soundName) const;

    SceneObjectHandle* handle = nullptr;
};
