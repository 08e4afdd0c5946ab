#include "core/profiles/json_fields.h"

#include "core/profiles/json_file.h"

#include <gtest/gtest.h>

namespace v38 {
namespace {

TEST(JsonFields, WrongTypesReadAsNullOrFallback) {
    Json::Value doc;
    ASSERT_TRUE(parseJsonText(R"({"n": 5, "s": "x", "a": [1, 2.9, true, "7", 1e300, -1, 4294967297],
                                  "o": {"k": 1}})",
                              doc));
    EXPECT_TRUE(jsonMember(doc["a"], "k").isNull()); // member of an array
    EXPECT_TRUE(jsonElement(doc["o"], 0).isNull());  // element of an object
    EXPECT_TRUE(jsonElement(doc["a"], 100).isNull());
    EXPECT_TRUE(jsonMember(doc["n"], "k").isNull());
    EXPECT_EQ(jsonArraySize(doc["o"]), 0u);
    const Json::Value& a = doc["a"];
    EXPECT_EQ(jsonInt(a[0]), 1);
    EXPECT_EQ(jsonInt(a[1]), 2);
    EXPECT_EQ(jsonInt(a[2]), 1);
    EXPECT_EQ(jsonInt(a[3], -5), -5);
    EXPECT_EQ(jsonInt(a[4], -5), -5);
    EXPECT_EQ(jsonInt(a[5]), -1);
    EXPECT_EQ(static_cast<uint8_t>(jsonInt(a[6])), 1); // low bits kept
    EXPECT_TRUE(jsonFlag(a[1]));
    EXPECT_FALSE(jsonFlag(doc["s"]));
    EXPECT_EQ(jsonText(doc["s"]), "x");
    EXPECT_EQ(jsonText(doc["n"]), "");
}

TEST(JsonFields, WritersReplaceWhatStandsInTheWay) {
    Json::Value v = 3;
    jsonObjectMember(v, "a") = 1;
    EXPECT_EQ(v["a"].asInt(), 1);
    Json::Value arr = "text";
    jsonArrayElement(arr, 2) = 7;
    ASSERT_TRUE(arr.isArray());
    EXPECT_EQ(arr.size(), 3u);
    EXPECT_TRUE(arr[0].isNull());
}

} // namespace
} // namespace v38
