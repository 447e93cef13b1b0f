#pragma once

#include <istream>
#include <memory>
#include <string>
#include <string_view>

class SceneObjectInstance;

// The payload classes of placed instances by key: the versioned class name
// that begins a payload record ("Zone_Teleport::InstanceV0"). The key is
// compared with every known key in a fixed order; on a match the class is
// created with its default constructor and reads the fields that follow.
//
// Null when the key is unknown, when the class of a known key is not built
// into this program, or when the record fails to read.
std::unique_ptr<SceneObjectInstance> CreatePayloadByKey(const std::string& key, std::istream& is);

// True when `key` names a payload class (whether or not it is built in).
bool IsPayloadKey(std::string_view key);
