// "v38ctl hid list" and "v38ctl hid describe FILE".
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace v38::ctl {

int runHidList(std::ostream& out, std::ostream& err);
int runHidDescribe(const std::string& file, std::ostream& out, std::ostream& err);

} // namespace v38::ctl
