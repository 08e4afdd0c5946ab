#include "tools/v38ctl/udev_rules.h"

#include "core/devices/supported_interface.h"

#include <cstdio>
#include <set>
#include <utility>

namespace v38::ctl {

std::string udevRulesText() {
    std::string text =
        "# V38 Device: lets the user at the seat open the supported HID interfaces.\n"
        "# Generated from the supported-interface table by \"v38ctl udev-rules\"; do not edit.\n";
    std::set<std::pair<uint16_t, uint16_t>> seen;
    char line[160];
    for (const SupportedInterface& entry : SupportedInterfaceTable()) {
        if (!seen.insert({entry.vendorId, entry.productId}).second)
            continue;
        std::snprintf(line, sizeof line,
                      "KERNEL==\"hidraw*\", SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"%04x\", "
                      "ATTRS{idProduct}==\"%04x\", TAG+=\"uaccess\"\n",
                      entry.vendorId, entry.productId);
        text += line;
    }
    return text;
}

} // namespace v38::ctl
