// v38ctl: the command-line tool for users, scripts and tests.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace v38::ctl {

// Runs one invocation (arguments without the program name). Returns the process exit code:
// 0 success, 1 a device or file operation failed, 2 the command line was wrong.
int runV38ctl(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace v38::ctl
