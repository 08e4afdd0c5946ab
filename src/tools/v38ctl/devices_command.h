// "v38ctl devices [--watch]": the device kinds the capture logic finds, or, with --watch, a running
// account of arrivals, removals and route switches until the process is interrupted.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace v38::ctl {

int runDevices(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace v38::ctl
