#include "core/profiles/json_fields.h"

#include "core/platform/text_utils.h"

#include <cmath>

namespace v38 {

namespace {
const Json::Value& nullValue() {
    static const Json::Value null;
    return null;
}
} // namespace

const Json::Value& jsonMember(const Json::Value& value, const char* key) {
    if (!value.isObject())
        return nullValue();
    const Json::Value* found = value.find(key, key + std::char_traits<char>::length(key));
    return found ? *found : nullValue();
}

const Json::Value& jsonElement(const Json::Value& value, size_t index) {
    if (!value.isArray() || index >= value.size())
        return nullValue();
    return value[static_cast<Json::ArrayIndex>(index)];
}

size_t jsonArraySize(const Json::Value& value) {
    return value.isArray() ? value.size() : 0;
}

int64_t jsonInt(const Json::Value& value, int64_t fallback) {
    switch (value.type()) {
    case Json::intValue:
        return value.asInt64();
    case Json::uintValue:
        return static_cast<int64_t>(value.asUInt64());
    case Json::realValue: {
        double d = value.asDouble();
        if (!std::isfinite(d) || d <= -9.2e18 || d >= 9.2e18)
            return fallback;
        return static_cast<int64_t>(d);
    }
    case Json::booleanValue:
        return value.asBool() ? 1 : 0;
    default:
        return fallback;
    }
}

bool jsonFlag(const Json::Value& value) {
    if (value.type() == Json::realValue)
        return value.asDouble() != 0.0;
    return jsonInt(value) != 0;
}

std::string jsonText(const Json::Value& value) {
    if (!value.isString())
        return {};
    const char* begin = nullptr;
    const char* end = nullptr;
    if (!value.getString(&begin, &end))
        return {};
    return sanitizeUtf8(std::string_view(begin, static_cast<size_t>(end - begin)));
}

Json::Value& jsonObjectMember(Json::Value& value, const char* key) {
    if (!value.isObject())
        value = Json::Value(Json::objectValue);
    return value[key];
}

Json::Value& jsonMakeArray(Json::Value& value) {
    if (!value.isArray())
        value = Json::Value(Json::arrayValue);
    return value;
}

Json::Value& jsonArrayElement(Json::Value& value, size_t index) {
    return jsonMakeArray(value)[static_cast<Json::ArrayIndex>(index)];
}

} // namespace v38
