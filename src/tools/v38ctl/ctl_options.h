// Options every v38ctl command shares, and the backend they select.
#pragma once

#include <string>
#include <vector>

namespace v38::ctl {

struct CtlOptions {
    bool simulate = false;
    std::string simulateList; // empty: the default set of virtual devices
    std::vector<std::string> faults;
    int latencyMicroseconds = 0;
    bool trace = false;
};

// Makes the process use the virtual devices the options name. False with a message on bad input.
bool installSimulation(const CtlOptions& options, std::string& error);

} // namespace v38::ctl
