// HID on Linux through hidraw: interfaces are found under /sys/class/hidraw, opened as /dev/hidrawN,
// and read and written with poll() plus an eventfd that cancels a blocked transfer.
// hidraw has no share modes, so an exclusive open cannot keep other openers out; it is granted
// like a shared one.
#pragma once

#include "core/hid/hid_backend.h"

#include <functional>
#include <string>

namespace v38 {

struct HidrawRoots {
    std::string sysClassHidraw = "/sys/class/hidraw";
    std::string dev = "/dev";
    // Opens a device node; returns an fd or -1 with errno set. Tests hand out socketpair ends.
    std::function<int(const std::string& nodePath, int flags)> openNode;
};

class HidrawBackend : public HidBackend {
public:
    HidrawBackend();
    explicit HidrawBackend(HidrawRoots roots);

    const char* name() const override { return "hidraw"; }
    bool listPaths(std::vector<std::string>& paths) override;
    std::shared_ptr<HidDeviceHandle> open(const std::string& path, const HidOpenMode& mode,
                                          HidOpenError& error) override;

private:
    std::string nodePath(const std::string& nodeName) const;
    // The node name of a path's node part when it lies directly in the dev root; empty otherwise.
    std::string nodeNameOf(const std::string& path) const;

    HidrawRoots roots_;
};

} // namespace v38
