// Small helpers for the stored-data tests: JSON literals and files written from them.
#pragma once

#include "core/profiles/json_file.h"

#include <gtest/gtest.h>

#include <string>

namespace v38::test {

inline Json::Value json(const std::string& text) {
    Json::Value value;
    EXPECT_TRUE(parseJsonText(text, value)) << text;
    return value;
}

inline void writeJson(const std::string& path, const std::string& text) {
    ASSERT_TRUE(writeJsonFile(path, json(text)));
}

} // namespace v38::test
