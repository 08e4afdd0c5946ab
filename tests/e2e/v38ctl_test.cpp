#include "core/hid/hid_backend.h"
#include "tools/v38ctl/ctl_app.h"
#include "tools/v38ctl/hex_text.h"
#include "tools/v38ctl/udev_rules.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace v38::ctl {
namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome run(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    int status = runV38ctl(args, out, err);
    // Each invocation may have installed virtual devices; the next one starts afresh.
    setProcessHidBackend(nullptr);
    return {status, out.str(), err.str()};
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream input(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(input), std::istreambuf_iterator<char>()};
}

TEST(Ctl, ShippedUdevRuleIsTheOneTheTableGenerates) {
    EXPECT_EQ(readFile(std::filesystem::path(V38_SOURCE_DIR) / "packaging/60-v38-device.rules"),
              udevRulesText());
    EXPECT_EQ(readFile(std::filesystem::path(V38_BINARY_DIR) / "packaging/60-v38-device.rules"),
              udevRulesText());
    for (const char* product : {"5055", "5088", "1000", "2000", "1004", "1630"})
        EXPECT_NE(udevRulesText().find(std::string("ATTRS{idProduct}==\"") + product + "\""),
                  std::string::npos);
}

TEST(Ctl, HexTextAcceptsWhiteSpaceBetweenBytesOnly) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(parseHexBytes("0a 0B0c\n\t ff", bytes));
    EXPECT_EQ(bytes, (std::vector<uint8_t>{0x0A, 0x0B, 0x0C, 0xFF}));
    EXPECT_TRUE(parseHexBytes("0x05 0x0c", bytes));
    EXPECT_EQ(bytes, (std::vector<uint8_t>{0x05, 0x0C}));
    for (const char* bad : {"0", "0 a", "zz", "12 3", "1-2"})
        EXPECT_FALSE(parseHexBytes(bad, bytes)) << bad;
    uint32_t value = 0;
    EXPECT_TRUE(parseNumber("0x80", 0xFFFF, value));
    EXPECT_EQ(value, 0x80u);
    EXPECT_FALSE(parseNumber("65536", 0xFFFF, value));
    EXPECT_FALSE(parseNumber("-1", 0xFFFF, value));
    EXPECT_FALSE(parseNumber("", 0xFFFF, value));
}

TEST(Ctl, CommandLineErrorsAreOneClearLineWithExitTwo) {
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const std::vector<Case> cases = {
        {{}, "no command given"},
        {{"frobnicate"}, "unknown command: frobnicate"},
        {{"--bogus", "hid", "list"}, "unknown option: --bogus"},
        {{"--fault", "6=status-fe", "hid", "list"}, "need --simulate"},
        {{"raw", "toaster", "info"}, "unknown device: toaster"},
        {{"raw", "keyboard", "explode"}, "unknown operation: explode"},
        {{"raw", "keyboard", "write-settings", "0", "0g"}, "malformed hexadecimal: 0g"},
        {{"raw", "keyboard", "read-settings", "0x10000", "1"}, "offset out of range"},
        {{"raw", "keyboard", "read-settings", "0xffff", "2"}, "offset out of range"},
        {{"raw", "keyboard", "info", "then"}, "nothing after \"then\""},
        {{"raw", "keyboard", "info", "extra"}, "info takes 0 argument(s), 1 given"},
        {{"raw", "keyboard", "read-short", "0", "57"}, "at most 56"},
    };
    for (const Case& c : cases) {
        Outcome outcome = run(c.args);
        EXPECT_EQ(outcome.status, 2) << c.message;
        EXPECT_NE(outcome.err.find(c.message), std::string::npos) << outcome.err;
        EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
    }
}

TEST(Ctl, HelpNamesEveryOperationAndTheFaultSyntax) {
    Outcome outcome = run({"--help"});
    EXPECT_EQ(outcome.status, 0);
    for (const char* word : {"read-settings", "write-colours", "read-ledslots", "host-lighting", "receiver",
                             "--fault", "status-fe", "--simulate[=LIST]", "udev"})
        EXPECT_NE(outcome.out.find(word), std::string::npos) << word;
}

TEST(Ctl, DescribePrintsOneLinePerCollectionFromHexText) {
    std::filesystem::path file = std::filesystem::temp_directory_path() / "v38ctl_describe_test.txt";
    std::ofstream(file)
        << "05 01 09 02 a1 01 85 01 05 09 19 01 29 03 15 00 25 01 75 01 95 03 81 02\n"
           "75 05 95 01 81 03 c0\n"
           "06 1c ff 09 92 a1 01 85 04 15 00 26 ff 00 75 08 95 3f 09 01 81 02 09 01 91 02 c0\n";
    Outcome outcome = run({"hid", "describe", file.string()});
    std::filesystem::remove(file);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "col=1 usage=0001:0002 reports=1 in=2 out=0 feat=0\n"
                           "col=2 usage=ff1c:0092 reports=4 in=64 out=64 feat=0\n");

    Outcome missing = run({"hid", "describe", "/nonexistent/descriptor"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("cannot read"), std::string::npos);
}

} // namespace
} // namespace v38::ctl
