// HID report descriptor parser: the top-level collections of an interface, their reports and
// capabilities, and the decoding of usages from a report. It reads untrusted bytes: every item
// is bounded, nothing is read past the end, and malformed input yields an error, never a crash.
#pragma once

#include "core/hid/hid_types.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace v38 {

// One main item (Input, Output or Feature) as it lies in its report.
struct HidReportField {
    HidReportType type = HidReportType::Input;
    uint8_t reportId = 0;   // 0 when the device does not number its reports
    uint32_t bitOffset = 0; // from the first bit after the report id byte
    uint16_t bitSize = 0;   // size of one element
    uint16_t reportCount = 0;
    bool isConstant = false; // padding
    bool isVariable = false; // a value per element; clear for arrays (elements hold usage indices)
    bool isAbsolute = true;
    bool hasNull = false;
    bool isButton = false; // reported as a button capability (1-bit variable fields and arrays)
    uint16_t usagePage = 0;
    // Usages in element order for variable fields (the last one repeats when there are fewer usages
    // than elements), or the usage list an array's index selects from. Each as page << 16 | usage.
    // Holds at most kMaxUsagesPerField entries; usageSpans is the whole list.
    std::vector<uint32_t> usages;
    // The same list as declared, ranges kept whole so that a wide usage range costs no memory. In a
    // variable field each span covers `elements` elements, the last span repeating its last usage.
    struct UsageSpan {
        uint16_t usagePage = 0;
        uint16_t usageMin = 0;
        uint16_t usageMax = 0;
        uint16_t elements = 0;
    };
    std::vector<UsageSpan> usageSpans;
    int32_t logicalMin = 0;
    int32_t logicalMax = 0;
    int32_t physicalMin = 0;
    int32_t physicalMax = 0;
    uint32_t units = 0;
    uint32_t unitsExponent = 0;
    uint16_t linkCollection = 0;
};

struct HidTopCollection {
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    // Report ids used by this collection's main items, in ascending order; {0} when the device does
    // not number its reports.
    std::vector<uint8_t> reportIds;
    // When set, byte 0 of a report names its report; otherwise byte 0 is a 0 placeholder.
    bool usesReportIds = false;
    HidCapabilities caps;
    std::array<std::vector<HidButtonCaps>, kHidReportTypeCount> buttonCaps;
    std::array<std::vector<HidValueCaps>, kHidReportTypeCount> valueCaps;
    std::vector<HidReportField> fields;

    bool hasReportId(uint8_t id) const;
};

struct ReportDescriptor {
    bool usesReportIds = false;
    std::vector<HidTopCollection> collections; // in descriptor order
};

// Bounds on what a descriptor may declare; larger input is refused.
constexpr size_t kMaxDescriptorBytes = 4096;
constexpr size_t kMaxCollections = 64;
constexpr size_t kMaxFields = 1024;
constexpr size_t kMaxUsagesPerField = 1024;
constexpr uint32_t kMaxReportBits = 8 * 4096;

// Parses a report descriptor. Returns true and fills out when the descriptor is well formed;
// on failure out is left empty.
bool parseReportDescriptor(const uint8_t* data, size_t size, ReportDescriptor& out);

// The largest number of usages of the page that can be on at once in reports of the type.
uint32_t maxUsageListLength(const HidTopCollection& collection, HidReportType type, uint16_t usagePage);

// Usages of the page that are on in the report (report[0] is the report id), in field order.
// usages is resized to the number found.
HidStatus getUsages(const HidTopCollection& collection, HidReportType type, uint16_t usagePage,
                    const uint8_t* report, size_t reportLength, std::vector<uint16_t>& usages);

// Raw value of the first element carrying the usage in the report.
HidStatus getUsageValue(const HidTopCollection& collection, HidReportType type, uint16_t usagePage,
                        uint16_t usage, const uint8_t* report, size_t reportLength, uint32_t& value);

// Value of the usage, sign-extended when its logical range is signed and scaled from the logical to
// the physical range when the field has one.
HidStatus getScaledUsageValue(const HidTopCollection& collection, HidReportType type, uint16_t usagePage,
                              uint16_t usage, const uint8_t* report, size_t reportLength, int32_t& value);

} // namespace v38
