#include "core/hid/hidraw_backend.h"

// Placeholder until the hidraw backend lands: sees no interfaces.
namespace v38 {

HidrawBackend::HidrawBackend() = default;
HidrawBackend::HidrawBackend(HidrawRoots roots) : roots_(std::move(roots)) {}

bool HidrawBackend::listPaths(std::vector<std::string>& paths) {
    paths.clear();
    return true;
}

std::shared_ptr<HidDeviceHandle> HidrawBackend::open(const std::string&, const HidOpenMode&,
                                                     HidOpenError& error) {
    error = HidOpenError::NotFound;
    return nullptr;
}

} // namespace v38
