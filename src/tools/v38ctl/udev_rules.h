// The udev rule that lets the logged-in user open the supported HID interfaces.
#pragma once

#include <string>

namespace v38::ctl {

// One line per vendor and product of the supported-interface table, in table order.
std::string udevRulesText();

} // namespace v38::ctl
