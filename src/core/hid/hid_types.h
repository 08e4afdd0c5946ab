// Plain records describing a HID interface: identity, capabilities, button and value capabilities.
#pragma once

#include <cstdint>

namespace v38 {

enum class HidReportType { Input = 0, Output = 1, Feature = 2 };
constexpr int kHidReportTypeCount = 3;

// The "infinite" time-out: wait until the transfer completes or the channel is closed.
constexpr uint32_t kHidInfinite = 0xFFFFFFFFu;

struct HidAttributes {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t versionNumber = 0;
};

// Capabilities of one top-level collection. Report lengths are in bytes and always count the
// report id byte, also for devices that do not number their reports.
struct HidCapabilities {
    uint16_t usage = 0;
    uint16_t usagePage = 0;
    uint16_t inputReportByteLength = 0;
    uint16_t outputReportByteLength = 0;
    uint16_t featureReportByteLength = 0;
    uint16_t numberLinkCollectionNodes = 0;
    uint16_t numberInputButtonCaps = 0;
    uint16_t numberInputValueCaps = 0;
    uint16_t numberInputDataIndices = 0;
    uint16_t numberOutputButtonCaps = 0;
    uint16_t numberOutputValueCaps = 0;
    uint16_t numberOutputDataIndices = 0;
    uint16_t numberFeatureButtonCaps = 0;
    uint16_t numberFeatureValueCaps = 0;
    uint16_t numberFeatureDataIndices = 0;
};

// A button capability: one main item whose fields report usages that are on or off
// (1-bit variable fields, or array fields).
struct HidButtonCaps {
    uint16_t usagePage = 0;
    uint8_t reportId = 0;
    uint16_t linkCollection = 0;
    uint16_t linkUsagePage = 0;
    uint16_t linkUsage = 0;
    bool isRange = false;
    bool isAbsolute = true;
    uint16_t usageMin = 0; // equal to usageMax when not a range
    uint16_t usageMax = 0;
    uint16_t dataIndexMin = 0;
    uint16_t dataIndexMax = 0;
};

// A value capability: one main item whose fields carry numbers.
struct HidValueCaps {
    uint16_t usagePage = 0;
    uint8_t reportId = 0;
    uint16_t linkCollection = 0;
    uint16_t linkUsagePage = 0;
    uint16_t linkUsage = 0;
    bool isRange = false;
    bool isAbsolute = true;
    bool hasNull = false;
    uint16_t usageMin = 0; // equal to usageMax when not a range
    uint16_t usageMax = 0;
    uint16_t dataIndexMin = 0;
    uint16_t dataIndexMax = 0;
    uint16_t bitSize = 0;
    uint16_t reportCount = 0;
    int32_t logicalMin = 0;
    int32_t logicalMax = 0;
    int32_t physicalMin = 0;
    int32_t physicalMax = 0;
    uint32_t units = 0;
    uint32_t unitsExponent = 0;
};

// Outcome of a usage query on a report, in the spirit of the HID parser status codes.
enum class HidStatus {
    Success = 0,
    UsageNotFound,        // no field of this report carries the usage
    IncompatibleReportId, // the report's id carries no field of the asked usage page
    InvalidReportLength,  // the report is shorter than the fields it must hold
    BadLogicalPhysical,   // a scaled value was asked of a field with unusable ranges
    ValueOutOfRange,      // the raw value lies outside the logical range (a null value)
    BufferTooSmall,       // more usages are on than the caller has room for
};

} // namespace v38
