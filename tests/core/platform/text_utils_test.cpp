#include "core/platform/text_utils.h"

#include <gtest/gtest.h>

namespace v38 {
namespace {

TEST(TextUtils, Utf8RoundTripAndRepair) {
    std::string text = "h\xc3\xa9llo \xe4\xb8\xad \xf0\x9f\x8e\xae";
    EXPECT_EQ(fromUtf8(text), L"h\u00e9llo \u4e2d \U0001F3AE");
    EXPECT_EQ(toUtf8(fromUtf8(text)), text);
    EXPECT_TRUE(isValidUtf8(text));
    // Stray bytes, overlong forms, surrogates and cut sequences all become U+FFFD.
    EXPECT_EQ(sanitizeUtf8("a\xff"
                           "b"),
              "a\xef\xbf\xbd"
              "b");
    EXPECT_FALSE(isValidUtf8("\xc0\xaf"));
    EXPECT_FALSE(isValidUtf8("\xed\xa0\x80"));
    EXPECT_FALSE(isValidUtf8("\xe4\xb8"));
    EXPECT_EQ(toAnsi(L"abc"), "abc");
    EXPECT_EQ(toOem(L"\u00e9"), "\xc3\xa9");
}

TEST(TextUtils, SmallRoutines) {
    EXPECT_EQ(removeChar("a-b-c", '-'), "abc");
    EXPECT_EQ(toHex8(255), "000000FF");
    EXPECT_EQ(toHex8(0xDEADBEEF), "DEADBEEF");
    EXPECT_TRUE(isBlank(""));
    EXPECT_TRUE(isBlank(" \t \r\n"));
    EXPECT_TRUE(isBlank("\xe3\x80\x80")); // ideographic space
    EXPECT_FALSE(isBlank("  x "));
    EXPECT_EQ(fileTitle("/home/u/game.json"), "game");
    EXPECT_EQ(fileTitle("game.tar.json"), "game.tar");
    EXPECT_EQ(fileTitle("/x/noext"), "noext");
    EXPECT_EQ(fileTitle("/x/.json"), "");
}

TEST(TextUtils, SplitIndexedName) {
    struct Case {
        const char* name;
        bool ok;
        const char* prefix;
        int number;
    } cases[] = {
        {"key_12", true, "key_", 12},
        {"key_x", true, "key_", 0},
        {"DPI_slider_3", true, "DPI_slider_", 3},
        {"color_option_", true, "color_option_", 0},
        {"key_7abc", true, "key_", 7},
        {"nounderscore", false, "", 0},
    };
    for (const Case& c : cases) {
        std::string prefix;
        int number = -1;
        EXPECT_EQ(splitIndexedName(c.name, prefix, number), c.ok) << c.name;
        if (c.ok) {
            EXPECT_EQ(prefix, c.prefix) << c.name;
            EXPECT_EQ(number, c.number) << c.name;
        }
    }
}

TEST(TextUtils, CaseInsensitiveNames) {
    EXPECT_TRUE(equalsIgnoringCase("PROFILE1", "profile1"));
    EXPECT_TRUE(equalsIgnoringCase("\xc3\x89t\xc3\xa9", "\xc3\xa9T\xc3\x89"));               // Été
    EXPECT_TRUE(equalsIgnoringCase("\xd0\x9f\xd0\xa0\xd0\x9e", "\xd0\xbf\xd1\x80\xd0\xbe")); // ПРО / про
    EXPECT_FALSE(equalsIgnoringCase("profile1", "profile10"));
    EXPECT_FALSE(equalsIgnoringCase("\xff", "\xfe"));
}

} // namespace
} // namespace v38
