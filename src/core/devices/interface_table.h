// InterfaceTable: the device list's working copy of the supported interfaces. The capture thread
// claims and frees rows (attached flag and path) while the window's thread reads them, so every
// access goes through the table's lock.
#pragma once

#include "core/devices/supported_interface.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace v38 {

class InterfaceTable {
public:
    InterfaceTable();
    InterfaceTable(const InterfaceTable&) = delete;
    InterfaceTable& operator=(const InterfaceTable&) = delete;

    static constexpr size_t size() { return kSupportedInterfaceCount; }

    // A copy of the row; an empty record for an index outside the table.
    SupportedInterface row(size_t index) const;
    bool isAttached(size_t index) const;
    std::string path(size_t index) const;
    std::vector<int> attachedRows() const;

    // Some row is free: not attached and without a path.
    bool hasFreeRow() const;
    // Some free row has this vendor, product, interface and collection.
    bool hasFreeRowFor(uint16_t vendorId, uint16_t productId, uint16_t interfaceNumber,
                       uint16_t collectionNumber) const;
    // Claims the first free row equal in the six values: attached, with the path. -1 when none.
    int claim(uint16_t vendorId, uint16_t productId, uint16_t interfaceNumber, uint16_t collectionNumber,
              uint16_t usagePage, uint16_t usage, const std::string& path);
    // Frees the row: not attached, path cleared.
    void release(size_t index);

private:
    static bool isFree(const SupportedInterface& row) { return row.attached == 0 && row.path.empty(); }

    mutable std::mutex mutex_;
    std::array<SupportedInterface, kSupportedInterfaceCount> rows_;
};

} // namespace v38
