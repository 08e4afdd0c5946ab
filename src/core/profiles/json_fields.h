// Tolerant access to JSON values read from files: a wrong type, a missing member or an index out of
// range reads as null or the fallback instead of throwing, and writers turn whatever stands in the
// way into the container they need.
#pragma once

#include <json/json.h>

#include <cstdint>
#include <string>

namespace v38 {

// Member key of an object; null for anything else.
const Json::Value& jsonMember(const Json::Value& value, const char* key);
// Element index of an array; null for anything else.
const Json::Value& jsonElement(const Json::Value& value, size_t index);
// Size of an array, 0 for anything else.
size_t jsonArraySize(const Json::Value& value);

// Numbers (integers, reals in range, booleans) as a 64-bit integer; anything else gives fallback.
int64_t jsonInt(const Json::Value& value, int64_t fallback = 0);
// Non-zero numbers and true give true.
bool jsonFlag(const Json::Value& value);
// A string as valid UTF-8 (invalid bytes replaced); anything else gives "".
std::string jsonText(const Json::Value& value);

// For writing: value becomes an object when it is not one, and its member key is returned.
Json::Value& jsonObjectMember(Json::Value& value, const char* key);
// For writing: value becomes an array when it is not one, and element index (grown into) is returned.
// Callers bound index.
Json::Value& jsonArrayElement(Json::Value& value, size_t index);
// For writing: value becomes an empty array when it is not an array.
Json::Value& jsonMakeArray(Json::Value& value);

} // namespace v38
