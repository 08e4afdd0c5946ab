#include "tools/v38ctl/profile_command.h"

#include "core/platform/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace v38::ctl {
namespace {

struct Outcome {
    int code;
    std::string out;
    std::string err;
};

class ProfileCommand : public ::testing::Test {
protected:
    Outcome run(std::vector<std::string> args) {
        std::ostringstream out, err;
        int code = runProfileCommand(args, out, err, home.path() + "V38 Device", V38_SOURCE_DIR);
        return {code, out.str(), err.str()};
    }
    // The list as "*name" for the selected line and "name" for the others; checks the line form
    // "* INDEX NAME UUID" on the way.
    static std::vector<std::string> shown(const std::string& out) {
        std::vector<std::string> lines;
        std::istringstream in(out);
        std::string line;
        for (int i = 0; std::getline(in, line); ++i) {
            std::string index = std::to_string(i);
            size_t uuidStart = line.rfind(' ') + 1;
            std::string uuid = line.substr(uuidStart);
            bool uuidForm = uuid.size() == 23 && std::all_of(uuid.begin(), uuid.end(), [](char c) {
                                return (c >= '0' && c <= '9') || c == '_';
                            });
            EXPECT_TRUE(uuidForm) << line;
            EXPECT_TRUE(line.size() > 2 && (line[0] == '*' || line[0] == ' ') && line[1] == ' ') << line;
            EXPECT_EQ(line.substr(2, index.size() + 1), index + " ") << line;
            size_t nameStart = 3 + index.size();
            if (uuidStart <= nameStart + 1)
                continue;
            lines.push_back((line[0] == '*' ? "*" : "") + line.substr(nameStart, uuidStart - 1 - nameStart));
        }
        return lines;
    }

    test::TempFolder home;
};

TEST_F(ProfileCommand, ListOperationsPrintTheListAfterEachChange) {
    Outcome r = run({"keyboard", "list"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(shown(r.out), std::vector<std::string>{"*profile1"});
    std::string profileFolder = home.file("V38 Device/keyboard/");
    EXPECT_TRUE(std::filesystem::exists(profileFolder + "ProfileList.ini"));

    EXPECT_EQ(shown(run({"keyboard", "add"}).out), (std::vector<std::string>{"profile1", "*profile2"}));
    EXPECT_EQ(shown(run({"KEYBOARD", "copy"}).out),
              (std::vector<std::string>{"profile1", "*profile2", "profile2 copy"}));
    EXPECT_EQ(shown(run({"keyboard", "select", "0"}).out),
              (std::vector<std::string>{"*profile1", "profile2", "profile2 copy"}));
    EXPECT_EQ(shown(run({"keyboard", "rename", "My game"}).out),
              (std::vector<std::string>{"*My game", "profile2", "profile2 copy"}));
    std::string exported = home.file("shooter.json");
    ASSERT_EQ(run({"keyboard", "export", exported}).code, 0);
    EXPECT_EQ(shown(run({"keyboard", "import", exported}).out),
              (std::vector<std::string>{"*My game", "profile2", "profile2 copy", "shooter"}));
    EXPECT_EQ(shown(run({"keyboard", "delete"}).out),
              (std::vector<std::string>{"*profile2", "profile2 copy", "shooter"}));
    EXPECT_EQ(run({"keyboard", "reset"}).code, 0);
    // Each kind has its own folder.
    EXPECT_EQ(shown(run({"HD", "list"}).out), std::vector<std::string>{"*profile1"});
}

TEST_F(ProfileCommand, RefusalsAreOneLineWithNonZeroExit) {
    ASSERT_EQ(run({"mouse", "list"}).code, 0);
    test::writeText(home.file("broken.json"), "{ not json");
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* message;
    } cases[] = {
        {{"mouse", "delete"}, 1, "the last profile cannot be deleted"},
        {{"mouse", "rename", "PROFILE1"}, 0, nullptr},
        {{"mouse", "rename", "  "}, 1, "a profile name cannot be blank"},
        {{"mouse", "select", "1000000000"}, 1, "no profile has index 1000000000"},
        {{"mouse", "select", "x"}, 2, nullptr},
        {{"mouse", "import", home.file("broken.json")}, 1, "not a profile file"},
        {{"toaster", "list"}, 2, nullptr},
        {{"mouse", "frobnicate"}, 2, nullptr},
        {{"mouse", "rename"}, 2, nullptr},
        {{"mouse"}, 2, nullptr},
    };
    for (const Case& c : cases) {
        Outcome r = run(c.args);
        EXPECT_EQ(r.code, c.code) << r.err;
        if (c.message) {
            EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
            EXPECT_TRUE(r.out.empty());
        }
    }
    ASSERT_EQ(run({"mouse", "add"}).code, 0);
    // After an add the new profile is the stored selection; the first one is now "PROFILE1".
    Outcome dup = run({"mouse", "rename", "profile1"});
    EXPECT_EQ(dup.code, 1);
    EXPECT_EQ(dup.err, "v38ctl profile: a profile named \"profile1\" already exists\n");
}

TEST_F(ProfileCommand, AddStopsAtFifty) {
    for (int i = 1; i < 50; ++i)
        ASSERT_EQ(run({"MousePad", "add"}).code, 0);
    Outcome r = run({"MousePad", "add"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "v38ctl profile: the list already holds 50 profiles\n");
    EXPECT_EQ(run({"MousePad", "copy"}).code, 0);
}

TEST_F(ProfileCommand, DataHomeComesFromTheEnvironment) {
    std::string old = std::getenv("V38_DATA_HOME") ? std::getenv("V38_DATA_HOME") : "";
    ::setenv("V38_DATA_HOME", home.file("elsewhere").c_str(), 1);
    std::ostringstream out, err;
    int code = runProfileCommand({"keyboard", "list"}, out, err);
    if (old.empty())
        ::unsetenv("V38_DATA_HOME");
    else
        ::setenv("V38_DATA_HOME", old.c_str(), 1);
    EXPECT_EQ(code, 0) << err.str();
    EXPECT_TRUE(std::filesystem::exists(home.file("elsewhere/keyboard/ProfileList.ini")));
}

} // namespace
} // namespace v38::ctl
