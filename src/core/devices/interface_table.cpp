#include "core/devices/interface_table.h"

#include <algorithm>

namespace v38 {

InterfaceTable::InterfaceTable() : rows_(SupportedInterfaceTable()) {}

SupportedInterface InterfaceTable::row(size_t index) const {
    std::lock_guard lock(mutex_);
    return index < rows_.size() ? rows_[index] : SupportedInterface{};
}

bool InterfaceTable::isAttached(size_t index) const {
    std::lock_guard lock(mutex_);
    return index < rows_.size() && rows_[index].attached != 0;
}

std::string InterfaceTable::path(size_t index) const {
    std::lock_guard lock(mutex_);
    return index < rows_.size() ? rows_[index].path : std::string();
}

std::vector<int> InterfaceTable::attachedRows() const {
    std::lock_guard lock(mutex_);
    std::vector<int> rows;
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].attached)
            rows.push_back(static_cast<int>(i));
    return rows;
}

bool InterfaceTable::hasFreeRow() const {
    std::lock_guard lock(mutex_);
    return std::any_of(rows_.begin(), rows_.end(), isFree);
}

bool InterfaceTable::hasFreeRowFor(uint16_t vendorId, uint16_t productId, uint16_t interfaceNumber,
                                   uint16_t collectionNumber) const {
    std::lock_guard lock(mutex_);
    return std::any_of(rows_.begin(), rows_.end(), [&](const SupportedInterface& row) {
        return isFree(row) && row.vendorId == vendorId && row.productId == productId &&
               row.interfaceNumber == interfaceNumber && row.collectionNumber == collectionNumber;
    });
}

int InterfaceTable::claim(uint16_t vendorId, uint16_t productId, uint16_t interfaceNumber,
                          uint16_t collectionNumber, uint16_t usagePage, uint16_t usage,
                          const std::string& path) {
    std::lock_guard lock(mutex_);
    for (size_t i = 0; i < rows_.size(); ++i) {
        SupportedInterface& row = rows_[i];
        if (isFree(row) && row.vendorId == vendorId && row.productId == productId &&
            row.interfaceNumber == interfaceNumber && row.collectionNumber == collectionNumber &&
            row.usagePage == usagePage && row.usage == usage) {
            row.attached = 1;
            row.path = path;
            return static_cast<int>(i);
        }
    }
    return -1;
}

void InterfaceTable::release(size_t index) {
    std::lock_guard lock(mutex_);
    if (index >= rows_.size())
        return;
    rows_[index].attached = 0;
    rows_[index].path.clear();
}

} // namespace v38
