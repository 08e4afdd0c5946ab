#include "core/hid/hid_backend.h"

#include "core/hid/hidraw_backend.h"

#include <mutex>

namespace v38 {

namespace {
std::mutex backendMutex;
std::shared_ptr<HidBackend> currentBackend;
} // namespace

const char* hidOpenErrorText(HidOpenError error) {
    switch (error) {
    case HidOpenError::None:
        return "no error";
    case HidOpenError::NotFound:
        return "no such device";
    case HidOpenError::AccessDenied:
        return "permission denied";
    case HidOpenError::InvalidPath:
        return "not a HID interface path";
    case HidOpenError::DescriptorUnreadable:
        return "report descriptor unreadable";
    case HidOpenError::Failed:
        break;
    }
    return "open failed";
}

std::shared_ptr<HidBackend> processHidBackend() {
    std::lock_guard lock(backendMutex);
    if (!currentBackend)
        currentBackend = std::make_shared<HidrawBackend>();
    return currentBackend;
}

void setProcessHidBackend(std::shared_ptr<HidBackend> backend) {
    std::lock_guard lock(backendMutex);
    currentBackend = std::move(backend);
}

} // namespace v38
