#include "core/hid/hidraw_sysfs.h"

#include "core/hid/report_descriptor.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace v38 {

namespace {

constexpr size_t kMaxAttributeBytes = 4096; // sysfs text attributes fill at most one page
constexpr size_t kMaxNodeDigits = 9;

// Reads at most maxBytes; false when the file cannot be read or holds more than maxBytes.
bool readBounded(const std::string& path, size_t maxBytes, std::vector<uint8_t>& out) {
    out.clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    out.resize(maxBytes + 1);
    size_t filled = 0;
    bool ok = true;
    while (filled < out.size()) {
        ssize_t n = ::read(fd, out.data() + filled, out.size() - filled);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ok = false;
            break;
        }
        if (n == 0)
            break;
        filled += static_cast<size_t>(n);
    }
    ::close(fd);
    if (!ok || filled > maxBytes) {
        out.clear();
        return false;
    }
    out.resize(filled);
    return true;
}

bool readText(const std::string& path, std::string& out) {
    std::vector<uint8_t> bytes;
    if (!readBounded(path, kMaxAttributeBytes, bytes))
        return false;
    out.assign(bytes.begin(), bytes.end());
    return true;
}

std::string_view trim(std::string_view text) {
    auto space = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!text.empty() && space(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && space(text.back()))
        text.remove_suffix(1);
    return text;
}

bool parseHex(std::string_view text, size_t maxDigits, uint32_t& value) {
    if (text.empty() || text.size() > maxDigits)
        return false;
    value = 0;
    for (char c : text) {
        int digit = c >= '0' && c <= '9'   ? c - '0'
                    : c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                           : -1;
        if (digit < 0)
            return false;
        value = value << 4 | static_cast<uint32_t>(digit);
    }
    return true;
}

// A hexadecimal sysfs attribute such as bInterfaceNumber ("01") or bcdDevice ("0102").
bool readHexAttribute(const std::filesystem::path& path, size_t maxDigits, uint32_t& value) {
    std::string text;
    return readText(path.string(), text) && parseHex(trim(text), maxDigits, value);
}

// HID_ID is "bus:vendor:product", each up to 8 hex digits; vendor and product must fit 16 bits.
bool parseHidId(std::string_view text, HidrawNodeInfo& info) {
    uint32_t fields[3] = {};
    for (int i = 0; i < 3; ++i) {
        size_t colon = i < 2 ? text.find(':') : text.size();
        if (colon == std::string_view::npos || !parseHex(text.substr(0, colon), 8, fields[i]) ||
            fields[i] > 0xFFFFu)
            return false;
        text.remove_prefix(i < 2 ? colon + 1 : colon);
    }
    info.bus = static_cast<uint16_t>(fields[0]);
    info.vendorId = static_cast<uint16_t>(fields[1]);
    info.productId = static_cast<uint16_t>(fields[2]);
    return true;
}

} // namespace

bool HidrawNodeInfo::sameIdentity(const HidrawNodeInfo& other) const {
    return bus == other.bus && vendorId == other.vendorId && productId == other.productId &&
           interfaceNumber == other.interfaceNumber && descriptorRead == other.descriptorRead &&
           descriptor == other.descriptor;
}

bool isHidrawNodeName(std::string_view name, unsigned* number) {
    constexpr std::string_view prefix = "hidraw";
    if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix)
        return false;
    std::string_view digits = name.substr(prefix.size());
    if (digits.size() > kMaxNodeDigits || (digits.size() > 1 && digits[0] == '0'))
        return false;
    unsigned value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (number)
        *number = value;
    return true;
}

bool listHidrawNodeNames(const std::string& sysClassHidraw, std::vector<std::string>& names) {
    names.clear();
    std::error_code ec;
    std::filesystem::directory_iterator it(sysClassHidraw, ec);
    if (ec)
        return ec == std::errc::no_such_file_or_directory;
    std::vector<std::pair<unsigned, std::string>> found;
    for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
        if (ec)
            return false;
        std::string name = it->path().filename().string();
        unsigned number = 0;
        if (isHidrawNodeName(name, &number))
            found.emplace_back(number, std::move(name));
    }
    std::sort(found.begin(), found.end());
    for (auto& entry : found)
        names.push_back(std::move(entry.second));
    return true;
}

bool parseHidrawUevent(std::string_view text, HidrawNodeInfo& info) {
    bool haveId = false;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        std::string_view key = line.substr(0, equals);
        std::string_view value = trim(line.substr(equals + 1));
        if (key == "HID_ID")
            haveId = parseHidId(value, info) || haveId;
        else if (key == "HID_NAME")
            info.name = std::string(value);
    }
    return haveId;
}

bool readHidrawNode(const std::string& sysClassHidraw, const std::string& nodeName, HidrawNodeInfo& info) {
    info = HidrawNodeInfo{};
    if (!isHidrawNodeName(nodeName))
        return false;
    std::filesystem::path device = std::filesystem::path(sysClassHidraw) / nodeName / "device";
    std::string uevent;
    if (!readText((device / "uevent").string(), uevent) || !parseHidrawUevent(uevent, info))
        return false;

    info.descriptorRead =
        readBounded((device / "report_descriptor").string(), kMaxDescriptorBytes, info.descriptor);

    // The HID device's parent is the USB interface when there is one; its parent the USB device.
    std::error_code ec;
    std::filesystem::path hidDevice = std::filesystem::canonical(device, ec);
    if (ec)
        return true;
    std::filesystem::path usbInterface = hidDevice.parent_path();
    uint32_t value = 0;
    if (readHexAttribute(usbInterface / "bInterfaceNumber", 2, value)) {
        info.interfaceNumber = static_cast<int>(value);
        if (readHexAttribute(usbInterface.parent_path() / "bcdDevice", 4, value))
            info.versionNumber = static_cast<uint16_t>(value);
    }
    return true;
}

} // namespace v38
