// "v38ctl raw DEVICE OP [ARGS] [then OP [ARGS]]...": device commands on one command interface.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace v38::ctl {

int runRaw(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace v38::ctl
