#pragma once

#include <istream>
#include <ostream>
#include <string>

// Base of every persistent class: writes its fields to a text stream, one
// value per line, reads them back in the same order, and names its record by
// its versioned class name (the class name followed by "V0").
class ISerialization {
public:
    virtual ~ISerialization() = default;

    virtual bool Serialize(std::ostream& os) = 0;
    // Writes a reference instead of the object; classes shared by name
    // override it with their own reference form.
    virtual bool SerializePtr(std::ostream& os) { return Serialize(os); }
    virtual bool UnSerialize(std::istream& is) = 0;
    virtual bool Reset() { return false; }
    virtual std::string GetVersionedClassName() = 0;

    bool SetSkipSerialize(bool skip) { return skipSerialize = skip; }
    bool IsSkipSerialize() const { return skipSerialize; }
    int GetReservedValue() const { return 0; }

protected:
    ISerialization() = default;
    ISerialization(const ISerialization&) = default;
    ISerialization& operator=(const ISerialization&) = default;

    // When set, scene objects and layers write nothing and leave themselves
    // out of the file.
    bool skipSerialize = false;
};
