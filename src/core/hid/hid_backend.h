// The operating-system side of HID: listing interface paths, opening one, and moving reports with
// a time-out that another thread can cut short. One backend serves the whole process (hidraw, or
// the virtual devices with --simulate); tests inject their own.
#pragma once

#include "core/hid/hid_types.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace v38 {

enum class HidIoResult { Ok, TimedOut, Cancelled, Failed };

enum class HidOpenError { None, NotFound, AccessDenied, InvalidPath, DescriptorUnreadable, Failed };

const char* hidOpenErrorText(HidOpenError error);

// One open interface path: a device node filtered to one top-level collection.
// Reports seen through a handle always start with the report id byte (0 for devices that do not
// number their reports).
class HidDeviceHandle {
public:
    virtual ~HidDeviceHandle() = default;

    virtual HidAttributes attributes() const = 0;
    // The interface's report descriptor and the index, from 0, of the collection the path names.
    virtual const std::vector<uint8_t>& reportDescriptor() const = 0;
    virtual size_t collectionIndex() const = 0;

    // Read one input report of this collection, at most length bytes. timeoutMs may be kHidInfinite.
    virtual HidIoResult read(uint8_t* buffer, size_t length, size_t& transferred, uint32_t timeoutMs) = 0;
    // Write one output report (buffer[0] is the report id).
    virtual HidIoResult write(const uint8_t* buffer, size_t length, size_t& transferred,
                              uint32_t timeoutMs) = 0;
    // Releases a read or write blocked on this handle and makes every later one return Cancelled.
    // Safe to call from any thread, any number of times.
    virtual void cancel() = 0;
};

struct HidOpenMode {
    bool read = true;
    bool write = true;
    bool exclusive = false;
};

class HidBackend {
public:
    virtual ~HidBackend() = default;

    virtual const char* name() const = 0;
    // The paths of the HID interfaces present now, one per top-level collection, in platform order.
    virtual bool listPaths(std::vector<std::string>& paths) = 0;
    virtual std::shared_ptr<HidDeviceHandle> open(const std::string& path, const HidOpenMode& mode,
                                                  HidOpenError& error) = 0;
};

// The backend of the process: the hidraw backend unless another was set at start-up.
std::shared_ptr<HidBackend> processHidBackend();
void setProcessHidBackend(std::shared_ptr<HidBackend> backend);

} // namespace v38
