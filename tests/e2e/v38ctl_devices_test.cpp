#include "core/hid/hid_backend.h"
#include "tools/v38ctl/ctl_app.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace v38::ctl {
namespace {

std::string runDevices(const std::string& simulate, int& status) {
    std::ostringstream out;
    std::ostringstream err;
    status = runV38ctl({simulate, "devices"}, out, err);
    setProcessHidBackend(nullptr);
    return out.str() + err.str();
}

TEST(CtlDevices, ListsEachKindWithItsRouteAndCommandPath) {
    int status = -1;
    std::string text = runDevices("--simulate", status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(text.find("keyboard route=cable firmware="), std::string::npos) << text;
    EXPECT_NE(text.find("mouse route=receiver firmware="), std::string::npos) << text;
    EXPECT_NE(text.find("MousePad route=cable"), std::string::npos) << text;
    EXPECT_NE(text.find("HD route=cable firmware=1.00 path=sim:headset/3#vid_0c76&pid_1630&mi_03\n"),
              std::string::npos)
        << text;

    // A mouse on both routes is one device, reached by its cable.
    text = runDevices("--simulate=mouse,mouse-receiver", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(text.rfind("mouse route=cable", 0), 0u) << text;
    EXPECT_EQ(text.find("receiver"), std::string::npos) << text;
}

// The watch runs until interrupted, then stops its threads and exits 0.
TEST(CtlDevices, WatchPrintsArrivalsAndEndsCleanlyOnInterrupt) {
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::dup2(pipeFds[1], STDOUT_FILENO);
        ::close(pipeFds[0]);
        ::execl(V38_CTL_PATH, "v38ctl", "--simulate=keyboard", "devices", "--watch", nullptr);
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    FILE* output = ::fdopen(pipeFds[0], "r");
    ASSERT_NE(output, nullptr);
    std::string seen;
    char line[512];
    while (seen.find("shown keyboard") == std::string::npos && std::fgets(line, sizeof line, output))
        seen += line;
    EXPECT_NE(seen.find("arrived keyboard cable command sim:keyboard/1#vid_320f&pid_5055&mi_01&col04"),
              std::string::npos)
        << seen;
    ::kill(child, SIGINT);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    std::fclose(output);
    EXPECT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
} // namespace v38::ctl
