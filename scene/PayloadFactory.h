#pragma once

#include <istream>
#include <memory>
#include <string>
#include <string_view>

class SceneObjectInstance;

// Makes a payload object of one class, empty.
using PayloadCreator = std::unique_ptr<SceneObjectInstance> (*)();

// The payload classes of placed instances by key: the versioned class name
// that begins a payload record ("Zone_Teleport::InstanceV0"). The key is
// compared with every known key in a fixed order; on a match the class
// registered for it is created and reads the fields that follow. The folders
// above the scene register their classes (RegisterZonePayloadKinds).
//
// Null when the key is unknown, when no class of a known key is registered
// in this program, or when the record fails to read.
std::unique_ptr<SceneObjectInstance> CreatePayloadByKey(const std::string& key, std::istream& is);

// True when `key` names a payload class (whether or not it is built in).
bool IsPayloadKey(std::string_view key);

// Makes `create`'s class for the key from now on (null: none again). False,
// and nothing registered, when the key is not a payload key.
bool RegisterPayloadCreator(std::string_view key, PayloadCreator create);
