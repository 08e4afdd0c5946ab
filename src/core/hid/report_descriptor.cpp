#include "core/hid/report_descriptor.h"

#include <algorithm>
#include <bitset>
#include <limits>

namespace v38 {

namespace {

using UsageSpan = HidReportField::UsageSpan;

constexpr size_t kMaxPushDepth = 16;
constexpr size_t kReportIdCount = 256;
// Data indices are 16-bit in the capability records.
constexpr uint32_t kMaxDataIndices = 0xFFFF;

enum ItemType : uint8_t { kMainItem = 0, kGlobalItem = 1, kLocalItem = 2 };

enum MainTag : uint8_t {
    kInput = 0x8,
    kOutput = 0x9,
    kCollection = 0xA,
    kFeature = 0xB,
    kEndCollection = 0xC,
};

enum GlobalTag : uint8_t {
    kUsagePage = 0x0,
    kLogicalMinimum = 0x1,
    kLogicalMaximum = 0x2,
    kPhysicalMinimum = 0x3,
    kPhysicalMaximum = 0x4,
    kUnitExponent = 0x5,
    kUnit = 0x6,
    kReportSize = 0x7,
    kReportId = 0x8,
    kReportCount = 0x9,
    kPush = 0xA,
    kPop = 0xB,
};

enum LocalTag : uint8_t { kUsage = 0x0, kUsageMinimum = 0x1, kUsageMaximum = 0x2 };

constexpr uint8_t kLongItemPrefix = 0xFE;

constexpr uint32_t kFlagConstant = 1u << 0;
constexpr uint32_t kFlagVariable = 1u << 1;
constexpr uint32_t kFlagRelative = 1u << 2;
constexpr uint32_t kFlagNullState = 1u << 6;

// A global item's data as it arrived; its sign is only known once both ends of a range are seen.
struct ItemValue {
    uint32_t raw = 0;
    uint8_t size = 0;
};

int32_t signExtend(uint32_t raw, unsigned bits) {
    if (bits == 0)
        return 0;
    if (bits >= 32)
        return static_cast<int32_t>(raw);
    const uint32_t sign = 1u << (bits - 1);
    raw &= (1u << bits) - 1;
    return static_cast<int32_t>((raw ^ sign) - sign);
}

// Both ends are signed, except that a maximum that would fall below a non-negative minimum is read
// unsigned: descriptors write 0..255 in one byte as 0x00..0xFF.
void resolveRange(ItemValue minItem, ItemValue maxItem, int32_t& min, int32_t& max) {
    min = signExtend(minItem.raw, 8u * minItem.size);
    max = signExtend(maxItem.raw, 8u * maxItem.size);
    if (min >= 0 && max < min)
        max = static_cast<int32_t>(std::min<uint32_t>(maxItem.raw, std::numeric_limits<int32_t>::max()));
}

uint32_t spanWidth(const UsageSpan& span) {
    return static_cast<uint32_t>(span.usageMax - span.usageMin) + 1;
}

struct GlobalState {
    uint16_t usagePage = 0;
    ItemValue logicalMin;
    ItemValue logicalMax;
    ItemValue physicalMin;
    ItemValue physicalMax;
    uint32_t unitExponent = 0;
    uint32_t unit = 0;
    uint32_t reportSize = 0;
    uint32_t reportCount = 0;
    uint8_t reportId = 0;
};

struct LocalState {
    std::vector<UsageSpan> usages;
    bool haveMin = false;
    bool haveMax = false;
    uint16_t minPage = 0;
    uint16_t min = 0;
    uint16_t max = 0;

    void clear() {
        usages.clear();
        haveMin = haveMax = false;
    }
};

struct LinkNode {
    uint16_t usagePage = 0;
    uint16_t usage = 0;
};

// Parser bookkeeping for one top-level collection.
struct CollectionBuild {
    std::vector<LinkNode> links; // [0] is the top-level collection itself
    std::array<std::bitset<kReportIdCount>, kHidReportTypeCount> reportIds;
    std::array<uint32_t, kHidReportTypeCount> nextDataIndex{};
};

class DescriptorParser {
public:
    bool run(const uint8_t* data, size_t size, ReportDescriptor& out);

private:
    bool mainItem(uint8_t tag, uint32_t data);
    bool globalItem(uint8_t tag, ItemValue value);
    bool localItem(uint8_t tag, ItemValue value);
    bool addUsage(UsageSpan span);
    bool openCollection();
    bool addField(HidReportType type, uint32_t flags);
    bool addCaps(const HidReportField& field);
    void finish();

    ReportDescriptor result_;
    std::vector<CollectionBuild> builds_;
    GlobalState global_;
    std::vector<GlobalState> pushed_;
    LocalState local_;
    std::vector<uint16_t> openLinks_; // link node of every open collection, innermost last
    std::array<std::array<uint32_t, kReportIdCount>, kHidReportTypeCount> reportBits_{};
    size_t fieldCount_ = 0;
};

bool DescriptorParser::run(const uint8_t* data, size_t size, ReportDescriptor& out) {
    size_t pos = 0;
    while (pos < size) {
        const uint8_t prefix = data[pos++];
        if (prefix == kLongItemPrefix) {
            // No long item tags are defined; skip the item whole.
            if (size - pos < 2)
                return false;
            const size_t length = data[pos];
            pos += 2;
            if (size - pos < length)
                return false;
            pos += length;
            continue;
        }
        const size_t length = (prefix & 3) == 3 ? 4 : (prefix & 3);
        if (size - pos < length)
            return false;
        ItemValue value;
        value.size = static_cast<uint8_t>(length);
        for (size_t i = 0; i < length; ++i)
            value.raw |= static_cast<uint32_t>(data[pos + i]) << (8 * i);
        pos += length;

        const uint8_t type = (prefix >> 2) & 3;
        const uint8_t tag = prefix >> 4;
        bool ok = true;
        if (type == kMainItem)
            ok = mainItem(tag, value.raw);
        else if (type == kGlobalItem)
            ok = globalItem(tag, value);
        else if (type == kLocalItem)
            ok = localItem(tag, value);
        if (!ok)
            return false;
    }
    if (!openLinks_.empty() || result_.collections.empty())
        return false;
    finish();
    out = std::move(result_);
    return true;
}

bool DescriptorParser::mainItem(uint8_t tag, uint32_t data) {
    bool ok = true;
    switch (tag) {
    case kInput:
        ok = addField(HidReportType::Input, data);
        break;
    case kOutput:
        ok = addField(HidReportType::Output, data);
        break;
    case kFeature:
        ok = addField(HidReportType::Feature, data);
        break;
    case kCollection:
        ok = openCollection();
        break;
    case kEndCollection:
        if (openLinks_.empty())
            return false;
        openLinks_.pop_back();
        break;
    default:
        break;
    }
    local_.clear();
    return ok;
}

bool DescriptorParser::globalItem(uint8_t tag, ItemValue value) {
    switch (tag) {
    case kUsagePage:
        global_.usagePage = static_cast<uint16_t>(value.raw);
        break;
    case kLogicalMinimum:
        global_.logicalMin = value;
        break;
    case kLogicalMaximum:
        global_.logicalMax = value;
        break;
    case kPhysicalMinimum:
        global_.physicalMin = value;
        break;
    case kPhysicalMaximum:
        global_.physicalMax = value;
        break;
    case kUnitExponent:
        global_.unitExponent = value.raw;
        break;
    case kUnit:
        global_.unit = value.raw;
        break;
    case kReportSize:
        global_.reportSize = value.raw;
        break;
    case kReportId:
        if (value.raw == 0 || value.raw >= kReportIdCount)
            return false;
        global_.reportId = static_cast<uint8_t>(value.raw);
        result_.usesReportIds = true;
        break;
    case kReportCount:
        global_.reportCount = value.raw;
        break;
    case kPush:
        if (pushed_.size() >= kMaxPushDepth)
            return false;
        pushed_.push_back(global_);
        break;
    case kPop:
        if (pushed_.empty())
            return false;
        global_ = pushed_.back();
        pushed_.pop_back();
        break;
    default:
        break;
    }
    return true;
}

bool DescriptorParser::localItem(uint8_t tag, ItemValue value) {
    // A 4-byte usage names its own page; shorter ones take the current page.
    const uint16_t page = value.size == 4 ? static_cast<uint16_t>(value.raw >> 16) : global_.usagePage;
    const uint16_t id = static_cast<uint16_t>(value.raw);
    switch (tag) {
    case kUsage:
        return addUsage({page, id, id, 0});
    case kUsageMinimum:
        local_.haveMin = true;
        local_.minPage = page;
        local_.min = id;
        break;
    case kUsageMaximum:
        local_.haveMax = true;
        local_.max = id;
        break;
    default:
        return true;
    }
    if (!local_.haveMin || !local_.haveMax)
        return true;
    local_.haveMin = local_.haveMax = false;
    // A reversed range names no usage.
    if (local_.max < local_.min)
        return true;
    return addUsage({local_.minPage, local_.min, local_.max, 0});
}

bool DescriptorParser::addUsage(UsageSpan span) {
    if (local_.usages.size() >= kMaxUsagesPerField)
        return false;
    local_.usages.push_back(span);
    return true;
}

bool DescriptorParser::openCollection() {
    LinkNode node;
    if (!local_.usages.empty()) {
        node.usagePage = local_.usages.front().usagePage;
        node.usage = local_.usages.front().usageMin;
    }
    if (openLinks_.empty()) {
        if (result_.collections.size() >= kMaxCollections)
            return false;
        HidTopCollection top;
        top.usagePage = top.caps.usagePage = node.usagePage;
        top.usage = top.caps.usage = node.usage;
        result_.collections.push_back(std::move(top));
        builds_.emplace_back().links.push_back(node);
        openLinks_.push_back(0);
        return true;
    }
    CollectionBuild& build = builds_.back();
    if (build.links.size() >= std::numeric_limits<uint16_t>::max())
        return false;
    build.links.push_back(node);
    openLinks_.push_back(static_cast<uint16_t>(build.links.size() - 1));
    return true;
}

bool DescriptorParser::addField(HidReportType type, uint32_t flags) {
    // Main items outside every collection belong to no top-level collection.
    if (openLinks_.empty())
        return false;
    if (global_.reportSize > kMaxReportBits || global_.reportCount > kMaxReportBits)
        return false;
    const uint32_t bits = global_.reportSize * global_.reportCount;
    const int t = static_cast<int>(type);
    uint32_t& used = reportBits_[t][global_.reportId];
    if (bits > kMaxReportBits - used)
        return false;
    if (bits == 0)
        return true;
    if (++fieldCount_ > kMaxFields)
        return false;

    HidReportField field;
    field.type = type;
    field.reportId = global_.reportId;
    field.bitOffset = used;
    field.bitSize = static_cast<uint16_t>(global_.reportSize);
    field.reportCount = static_cast<uint16_t>(global_.reportCount);
    field.isConstant = flags & kFlagConstant;
    field.isVariable = flags & kFlagVariable;
    field.isAbsolute = !(flags & kFlagRelative);
    field.hasNull = flags & kFlagNullState;
    field.isButton = !field.isConstant && (!field.isVariable || field.bitSize == 1);
    field.usagePage = global_.usagePage;
    resolveRange(global_.logicalMin, global_.logicalMax, field.logicalMin, field.logicalMax);
    resolveRange(global_.physicalMin, global_.physicalMax, field.physicalMin, field.physicalMax);
    field.units = global_.unit;
    field.unitsExponent = global_.unitExponent;
    field.linkCollection = openLinks_.back();
    used += bits;

    CollectionBuild& build = builds_.back();
    build.reportIds[t].set(field.reportId);

    if (!field.isConstant) {
        std::vector<UsageSpan> spans = local_.usages;
        if (spans.empty())
            spans.push_back({global_.usagePage, 0, 0, 0});
        if (field.isVariable) {
            // Elements take usages in order; surplus usages are dropped and surplus elements
            // repeat the last usage.
            uint32_t left = field.reportCount;
            size_t kept = 0;
            for (; kept < spans.size() && left > 0; ++kept) {
                UsageSpan& span = spans[kept];
                const uint32_t take = std::min(spanWidth(span), left);
                span.usageMax = static_cast<uint16_t>(span.usageMin + take - 1);
                span.elements = static_cast<uint16_t>(take);
                left -= take;
            }
            spans.resize(kept);
            spans.back().elements = static_cast<uint16_t>(spans.back().elements + left);
        }
        field.usagePage = spans.front().usagePage;
        for (const UsageSpan& span : spans) {
            for (uint32_t usage = span.usageMin;
                 usage <= span.usageMax && field.usages.size() < kMaxUsagesPerField; ++usage)
                field.usages.push_back(static_cast<uint32_t>(span.usagePage) << 16 | usage);
        }
        field.usageSpans = std::move(spans);
        if (!addCaps(field))
            return false;
    }
    result_.collections.back().fields.push_back(std::move(field));
    return true;
}

bool DescriptorParser::addCaps(const HidReportField& field) {
    const int t = static_cast<int>(field.type);
    HidTopCollection& top = result_.collections.back();
    CollectionBuild& build = builds_.back();
    const LinkNode& link = build.links[field.linkCollection];
    for (const UsageSpan& span : field.usageSpans) {
        const uint32_t first = build.nextDataIndex[t];
        const uint32_t width = spanWidth(span);
        if (width > kMaxDataIndices - first)
            return false;
        build.nextDataIndex[t] = first + width;
        const bool isRange = span.usageMin != span.usageMax;
        if (field.isButton) {
            HidButtonCaps caps;
            caps.usagePage = span.usagePage;
            caps.reportId = field.reportId;
            caps.linkCollection = field.linkCollection;
            caps.linkUsagePage = link.usagePage;
            caps.linkUsage = link.usage;
            caps.isRange = isRange;
            caps.isAbsolute = field.isAbsolute;
            caps.usageMin = span.usageMin;
            caps.usageMax = span.usageMax;
            caps.dataIndexMin = static_cast<uint16_t>(first);
            caps.dataIndexMax = static_cast<uint16_t>(first + width - 1);
            top.buttonCaps[t].push_back(caps);
        } else {
            HidValueCaps caps;
            caps.usagePage = span.usagePage;
            caps.reportId = field.reportId;
            caps.linkCollection = field.linkCollection;
            caps.linkUsagePage = link.usagePage;
            caps.linkUsage = link.usage;
            caps.isRange = isRange;
            caps.isAbsolute = field.isAbsolute;
            caps.hasNull = field.hasNull;
            caps.usageMin = span.usageMin;
            caps.usageMax = span.usageMax;
            caps.dataIndexMin = static_cast<uint16_t>(first);
            caps.dataIndexMax = static_cast<uint16_t>(first + width - 1);
            caps.bitSize = field.bitSize;
            caps.reportCount = span.elements;
            caps.logicalMin = field.logicalMin;
            caps.logicalMax = field.logicalMax;
            caps.physicalMin = field.physicalMin;
            caps.physicalMax = field.physicalMax;
            caps.units = field.units;
            caps.unitsExponent = field.unitsExponent;
            top.valueCaps[t].push_back(caps);
        }
    }
    return true;
}

// Report lengths need every report's final size, which a later collection may still extend.
void DescriptorParser::finish() {
    for (size_t i = 0; i < result_.collections.size(); ++i) {
        HidTopCollection& top = result_.collections[i];
        const CollectionBuild& build = builds_[i];
        top.usesReportIds = result_.usesReportIds;
        std::bitset<kReportIdCount> ids;
        std::array<uint16_t, kHidReportTypeCount> lengths{};
        for (int t = 0; t < kHidReportTypeCount; ++t) {
            ids |= build.reportIds[t];
            uint32_t longest = 0;
            for (size_t id = 0; id < kReportIdCount; ++id) {
                if (build.reportIds[t].test(id))
                    longest = std::max(longest, (reportBits_[t][id] + 7) / 8 + 1);
            }
            lengths[t] = static_cast<uint16_t>(longest);
        }
        if (result_.usesReportIds) {
            for (size_t id = 0; id < kReportIdCount; ++id) {
                if (ids.test(id))
                    top.reportIds.push_back(static_cast<uint8_t>(id));
            }
        } else {
            top.reportIds = {0};
        }
        HidCapabilities& caps = top.caps;
        caps.inputReportByteLength = lengths[0];
        caps.outputReportByteLength = lengths[1];
        caps.featureReportByteLength = lengths[2];
        caps.numberLinkCollectionNodes = static_cast<uint16_t>(build.links.size());
        caps.numberInputButtonCaps = static_cast<uint16_t>(top.buttonCaps[0].size());
        caps.numberInputValueCaps = static_cast<uint16_t>(top.valueCaps[0].size());
        caps.numberInputDataIndices = static_cast<uint16_t>(build.nextDataIndex[0]);
        caps.numberOutputButtonCaps = static_cast<uint16_t>(top.buttonCaps[1].size());
        caps.numberOutputValueCaps = static_cast<uint16_t>(top.valueCaps[1].size());
        caps.numberOutputDataIndices = static_cast<uint16_t>(build.nextDataIndex[1]);
        caps.numberFeatureButtonCaps = static_cast<uint16_t>(top.buttonCaps[2].size());
        caps.numberFeatureValueCaps = static_cast<uint16_t>(top.valueCaps[2].size());
        caps.numberFeatureDataIndices = static_cast<uint16_t>(build.nextDataIndex[2]);
    }
}

// --- Decoding -------------------------------------------------------------------------------------

// Reads count (at most 32) bits, least significant first, from bit offset of data.
uint32_t readBits(const uint8_t* data, uint32_t bitOffset, unsigned count) {
    if (count == 0)
        return 0;
    const uint8_t* bytes = data + (bitOffset >> 3);
    const unsigned shift = bitOffset & 7;
    const unsigned byteCount = (shift + count + 7) / 8;
    uint64_t acc = 0;
    for (unsigned i = 0; i < byteCount; ++i)
        acc |= static_cast<uint64_t>(bytes[i]) << (8 * i);
    acc >>= shift;
    return count >= 32 ? static_cast<uint32_t>(acc) : static_cast<uint32_t>(acc & ((1ull << count) - 1));
}

unsigned readableBits(const HidReportField& field) {
    return std::min<unsigned>(field.bitSize, 32);
}

// The field lies wholly within the report, after its id byte.
bool fieldFits(const HidReportField& field, size_t reportLength) {
    const uint64_t end = static_cast<uint64_t>(field.bitOffset) + uint64_t{field.bitSize} * field.reportCount;
    return 1 + (end + 7) / 8 <= reportLength;
}

uint8_t reportIdOf(const HidTopCollection& collection, const uint8_t* report) {
    return collection.usesReportIds ? report[0] : 0;
}

bool hasPage(const HidReportField& field, uint16_t usagePage) {
    for (const UsageSpan& span : field.usageSpans) {
        if (span.usagePage == usagePage)
            return true;
    }
    return false;
}

// Index of the first element of a variable field that carries the usage.
bool elementOf(const HidReportField& field, uint16_t usagePage, uint16_t usage, uint32_t& element) {
    uint32_t base = 0;
    for (const UsageSpan& span : field.usageSpans) {
        if (span.usagePage == usagePage && usage >= span.usageMin && usage <= span.usageMax) {
            element = base + (usage - span.usageMin);
            return true;
        }
        base += span.elements;
    }
    return false;
}

int64_t logicalValue(const HidReportField& field, uint32_t raw) {
    return field.logicalMin < 0 ? signExtend(raw, readableBits(field)) : static_cast<int64_t>(raw);
}

void collectBitmap(const HidReportField& field, uint16_t usagePage, const uint8_t* data,
                   std::vector<uint16_t>& usages) {
    uint32_t element = 0;
    for (const UsageSpan& span : field.usageSpans) {
        if (span.usagePage != usagePage) {
            element += span.elements;
            continue;
        }
        const uint32_t last = spanWidth(span) - 1;
        for (uint32_t i = 0; i < span.elements; ++i, ++element) {
            if (!readBits(data, field.bitOffset + element, 1))
                continue;
            const uint16_t usage = static_cast<uint16_t>(span.usageMin + std::min(i, last));
            if (usage != 0)
                usages.push_back(usage);
        }
    }
}

void collectArray(const HidReportField& field, uint16_t usagePage, const uint8_t* data,
                  std::vector<uint16_t>& usages) {
    const unsigned bits = readableBits(field);
    for (uint32_t element = 0; element < field.reportCount; ++element) {
        const int64_t value =
            logicalValue(field, readBits(data, field.bitOffset + element * field.bitSize, bits));
        if (value < field.logicalMin || value > field.logicalMax)
            continue;
        // The value indexes the field's usage list, whose ranges sit end to end.
        uint64_t index = static_cast<uint64_t>(value - field.logicalMin);
        for (const UsageSpan& span : field.usageSpans) {
            const uint32_t width = spanWidth(span);
            if (index >= width) {
                index -= width;
                continue;
            }
            const uint16_t usage = static_cast<uint16_t>(span.usageMin + index);
            if (span.usagePage == usagePage && usage != 0)
                usages.push_back(usage);
            break;
        }
    }
}

// Finds the first value field of the report's id carrying the usage and reads that element.
HidStatus findValue(const HidTopCollection& collection, HidReportType type, uint16_t usagePage,
                    uint16_t usage, const uint8_t* report, size_t reportLength, const HidReportField*& found,
                    uint32_t& raw) {
    if (!report || reportLength == 0)
        return HidStatus::InvalidReportLength;
    const uint8_t id = reportIdOf(collection, report);
    bool seen = false;
    for (const HidReportField& field : collection.fields) {
        if (field.type != type || field.isConstant || field.isButton)
            continue;
        uint32_t element = 0;
        if (!elementOf(field, usagePage, usage, element))
            continue;
        seen = true;
        if (field.reportId != id)
            continue;
        if (!fieldFits(field, reportLength))
            return HidStatus::InvalidReportLength;
        raw = readBits(report + 1, field.bitOffset + element * field.bitSize, readableBits(field));
        found = &field;
        return HidStatus::Success;
    }
    return seen ? HidStatus::IncompatibleReportId : HidStatus::UsageNotFound;
}

} // namespace

bool HidTopCollection::hasReportId(uint8_t id) const {
    for (uint8_t own : reportIds)
        if (own == id)
            return true;
    return false;
}

bool parseReportDescriptor(const uint8_t* data, size_t size, ReportDescriptor& out) {
    out = ReportDescriptor{};
    if (!data || size == 0 || size > kMaxDescriptorBytes)
        return false;
    DescriptorParser parser;
    return parser.run(data, size, out);
}

uint32_t maxUsageListLength(const HidTopCollection& collection, HidReportType type, uint16_t usagePage) {
    uint32_t total = 0;
    for (const HidReportField& field : collection.fields) {
        if (field.type != type || !field.isButton)
            continue;
        if (!field.isVariable) {
            if (usagePage == 0 || hasPage(field, usagePage))
                total += field.reportCount;
            continue;
        }
        for (const UsageSpan& span : field.usageSpans) {
            if (usagePage == 0 || span.usagePage == usagePage)
                total += span.elements;
        }
    }
    return total;
}

HidStatus getUsages(const HidTopCollection& collection, HidReportType type, uint16_t usagePage,
                    const uint8_t* report, size_t reportLength, std::vector<uint16_t>& usages) {
    usages.clear();
    if (!report || reportLength == 0)
        return HidStatus::InvalidReportLength;
    const uint8_t id = reportIdOf(collection, report);
    bool pageSeen = false;
    bool idSeen = false;
    for (const HidReportField& field : collection.fields) {
        if (field.type != type || !field.isButton || !hasPage(field, usagePage))
            continue;
        pageSeen = true;
        if (field.reportId != id)
            continue;
        idSeen = true;
        if (!fieldFits(field, reportLength))
            return HidStatus::InvalidReportLength;
    }
    if (!pageSeen)
        return HidStatus::UsageNotFound;
    if (!idSeen)
        return HidStatus::IncompatibleReportId;
    for (const HidReportField& field : collection.fields) {
        if (field.type != type || !field.isButton || field.reportId != id || !hasPage(field, usagePage))
            continue;
        if (field.isVariable)
            collectBitmap(field, usagePage, report + 1, usages);
        else
            collectArray(field, usagePage, report + 1, usages);
    }
    return HidStatus::Success;
}

HidStatus getUsageValue(const HidTopCollection& collection, HidReportType type, uint16_t usagePage,
                        uint16_t usage, const uint8_t* report, size_t reportLength, uint32_t& value) {
    const HidReportField* field = nullptr;
    uint32_t raw = 0;
    const HidStatus status = findValue(collection, type, usagePage, usage, report, reportLength, field, raw);
    if (status == HidStatus::Success)
        value = raw;
    return status;
}

HidStatus getScaledUsageValue(const HidTopCollection& collection, HidReportType type, uint16_t usagePage,
                              uint16_t usage, const uint8_t* report, size_t reportLength, int32_t& value) {
    const HidReportField* field = nullptr;
    uint32_t raw = 0;
    const HidStatus status = findValue(collection, type, usagePage, usage, report, reportLength, field, raw);
    if (status != HidStatus::Success)
        return status;
    const int64_t logical = logicalValue(*field, raw);
    if (field->physicalMin == 0 && field->physicalMax == 0) {
        if (logical > std::numeric_limits<int32_t>::max())
            return HidStatus::ValueOutOfRange;
        value = static_cast<int32_t>(logical);
        return HidStatus::Success;
    }
    if (field->logicalMax <= field->logicalMin)
        return HidStatus::BadLogicalPhysical;
    if (logical < field->logicalMin || logical > field->logicalMax)
        return HidStatus::ValueOutOfRange;
    // Both spans reach 2^32, so their product needs more than 64 bits.
    const __int128 numerator = static_cast<__int128>(logical - field->logicalMin) *
                               (static_cast<int64_t>(field->physicalMax) - field->physicalMin);
    const int64_t offset =
        static_cast<int64_t>(numerator / (static_cast<int64_t>(field->logicalMax) - field->logicalMin));
    value = static_cast<int32_t>(field->physicalMin + offset);
    return HidStatus::Success;
}

} // namespace v38
