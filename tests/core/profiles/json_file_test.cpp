#include "core/profiles/json_file.h"

#include "core/platform/debug_log.h"
#include "core/platform/file_io.h"
#include "core/platform/temp_folder.h"

#include <gtest/gtest.h>

#include <vector>

namespace v38 {
namespace {

TEST(JsonFile, MissingEmptyAndBrokenFilesReadAsNull) {
    test::TempFolder dir;
    std::vector<std::string> lines;
    DebugSink old = setDebugSink([&](std::string_view line) { lines.emplace_back(line); });
    test::writeText(dir.file("empty"), "");
    test::writeText(dir.file("broken"), "{\"a\": ");
    test::writeText(dir.file("nul"), std::string("{\"a\":1}\0garbage", 15));
    test::writeText(dir.file("deep"), std::string(100000, '[') + std::string(100000, ']'));
    Json::Value v;
    EXPECT_EQ(loadJsonFile(dir.file("missing"), v), JsonFileStatus::Missing);
    EXPECT_EQ(loadJsonFile(dir.file("empty"), v), JsonFileStatus::Empty);
    EXPECT_EQ(loadJsonFile(dir.file("broken"), v), JsonFileStatus::Unparsable);
    EXPECT_TRUE(v.isNull());
    EXPECT_EQ(loadJsonFile(dir.file("deep"), v), JsonFileStatus::Unparsable);
    EXPECT_EQ(loadJsonFile(dir.file("nul"), v), JsonFileStatus::Parsed);
    EXPECT_EQ(v["a"].asInt(), 1);
    setDebugSink(old);
    // The empty file's path goes to the debug stream, after the error line of the read.
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0].rfind("readjsonFile 错误吗：：", 0), 0u);
    EXPECT_EQ(lines[1].rfind("readjsonFile 错误吗：：", 0), 0u);
    EXPECT_EQ(lines[2], dir.file("empty"));
}

TEST(JsonFile, CommentsAreAllowed) {
    Json::Value v;
    ASSERT_TRUE(parseJsonText("// head\n{ \"a\": 1, /* inner */ \"b\": [2] }", v));
    EXPECT_EQ(v["b"][0].asInt(), 2);
}

TEST(JsonFile, WritesStyledFormWithCrLfExactly) {
    test::TempFolder dir;
    Json::Value v;
    v["profileUUID"] = "2024_03_05_07_08_09_012";
    v["profilename"] = "game \xc3\xa9";
    v["Device"][0]["LightInfo"]["Red"] = 255;
    v["Device"][0]["LightInfo"]["Blue"] = 0;
    v["Device"][0]["KeyList"][0]["Assignment"] = 2097193;
    v["Device"][0]["Empty"] = Json::Value(Json::arrayValue);
    ASSERT_TRUE(writeJsonFile(dir.file("p.Json"), v));
    const std::string expected = "{\r\n"
                                 "   \"Device\" : [\r\n"
                                 "      {\r\n"
                                 "         \"Empty\" : [],\r\n"
                                 "         \"KeyList\" : [\r\n"
                                 "            {\r\n"
                                 "               \"Assignment\" : 2097193\r\n"
                                 "            }\r\n"
                                 "         ],\r\n"
                                 "         \"LightInfo\" : {\r\n"
                                 "            \"Blue\" : 0,\r\n"
                                 "            \"Red\" : 255\r\n"
                                 "         }\r\n"
                                 "      }\r\n"
                                 "   ],\r\n"
                                 "   \"profileUUID\" : \"2024_03_05_07_08_09_012\",\r\n"
                                 "   \"profilename\" : \"game \\u00e9\"\r\n"
                                 "}\r\n";
    EXPECT_EQ(test::readText(dir.file("p.Json")), expected);
    EXPECT_EQ(loadJsonFile(dir.file("p.Json")), v);
}

TEST(JsonFile, WriteFailureIsReported) {
    test::TempFolder dir;
    EXPECT_FALSE(writeJsonFile(dir.file("no/such/folder.Json"), Json::Value(1)));
}

TEST(JsonFile, UnusableDocumentIsMovedAsideBeforeRewrite) {
    test::TempFolder dir;
    struct Case {
        const char* text;
        bool setAside;
        bool object;
    } cases[] = {
        {"{\"a\": 1}", false, true}, {"{ broken", true, false}, {"[1, 2]", true, false},
        {"", false, false},          {"null", false, false},
    };
    for (const Case& c : cases) {
        std::string path = dir.file("doc.Json");
        test::writeText(path, c.text);
        Json::Value v = loadJsonDocumentForRewrite(path);
        EXPECT_EQ(v.isObject(), c.object) << c.text;
        EXPECT_EQ(fileExists(path + ".bad"), c.setAside) << c.text;
        if (c.setAside) {
            EXPECT_EQ(test::readText(path + ".bad"), c.text);
        }
        std::filesystem::remove(path + ".bad");
    }
}

} // namespace
} // namespace v38
