#include "tools/v38ctl/hid_commands.h"

#include "core/devices/supported_interface.h"
#include "core/hid/hid_channel.h"
#include "core/hid/hid_path.h"
#include "core/hid/report_descriptor.h"
#include "tools/v38ctl/hex_text.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace v38::ctl {

namespace {

// Descriptors are small; anything larger is not one.
constexpr std::streamsize kMaxDescriptorFile = 64 * 1024;

std::string collectionLine(const HidCapabilities& caps) {
    char text[96];
    std::snprintf(text, sizeof text, "usage=%04x:%04x in=%u out=%u feat=%u", caps.usagePage, caps.usage,
                  caps.inputReportByteLength, caps.outputReportByteLength, caps.featureReportByteLength);
    return text;
}

bool looksLikeHexText(const std::string& contents) {
    bool digit = false;
    for (char c : contents) {
        if (std::isxdigit(static_cast<unsigned char>(c)))
            digit = true;
        else if (!std::isspace(static_cast<unsigned char>(c)) && c != 'x' && c != 'X')
            return false;
    }
    return digit;
}

} // namespace

int runHidList(std::ostream& out, std::ostream& err) {
    HidChannel scanner;
    if (!scanner.enumerate()) {
        err << "v38ctl: cannot list the HID interfaces\n";
        return 1;
    }
    while (const std::string* path = scanner.nextPath()) {
        HidPathFields fields = parseHidPathFields(*path);
        char identity[96];
        std::snprintf(identity, sizeof identity, " vid=%04x pid=%04x if=%u col=%u", fields.vendorId,
                      fields.productId, fields.interfaceNumber, fields.collectionNumber);
        out << *path << identity;
        // No access asked for: identity and capabilities only, as a user without the udev rule can.
        HidChannel channel;
        if (!channel.open(*path, false, false, true, false)) {
            out << " error=" << hidOpenErrorText(channel.lastOpenError()) << '\n';
            continue;
        }
        const HidCapabilities& caps = channel.capabilities();
        out << ' ' << collectionLine(caps);
        int row = findSupportedInterfaceRow(channel.vendorId(), channel.productId(), fields.interfaceNumber,
                                            fields.collectionNumber, caps.usagePage, caps.usage);
        if (row >= 0) {
            const SupportedInterface& entry = SupportedInterfaceTable()[static_cast<size_t>(row)];
            char supported[64];
            std::snprintf(supported, sizeof supported, " supported row=%d kind=%u role=0x%02x", row,
                          entry.kind, entry.role);
            out << supported;
        }
        out << '\n';
    }
    return 0;
}

int runHidDescribe(const std::string& file, std::ostream& out, std::ostream& err) {
    std::ifstream input(file, std::ios::binary);
    if (!input) {
        err << "v38ctl: cannot read " << file << '\n';
        return 1;
    }
    std::string contents;
    contents.resize(static_cast<size_t>(kMaxDescriptorFile) + 1);
    input.read(contents.data(), kMaxDescriptorFile + 1);
    contents.resize(static_cast<size_t>(input.gcount()));
    if (contents.size() > static_cast<size_t>(kMaxDescriptorFile)) {
        err << "v38ctl: " << file << " is too large to be a report descriptor\n";
        return 1;
    }
    std::vector<uint8_t> bytes(contents.begin(), contents.end());
    if (looksLikeHexText(contents) && !parseHexBytes(contents, bytes)) {
        err << "v38ctl: malformed hexadecimal in " << file << '\n';
        return 1;
    }
    ReportDescriptor descriptor;
    if (!parseReportDescriptor(bytes.data(), bytes.size(), descriptor)) {
        err << "v38ctl: " << file << " is not a valid report descriptor\n";
        return 1;
    }
    int number = 1;
    for (const HidTopCollection& collection : descriptor.collections) {
        out << "col=" << number++ << ' ';
        char usage[32];
        std::snprintf(usage, sizeof usage, "usage=%04x:%04x", collection.usagePage, collection.usage);
        out << usage << " reports=";
        for (size_t i = 0; i < collection.reportIds.size(); ++i)
            out << (i ? "," : "") << static_cast<unsigned>(collection.reportIds[i]);
        out << " in=" << collection.caps.inputReportByteLength
            << " out=" << collection.caps.outputReportByteLength
            << " feat=" << collection.caps.featureReportByteLength << '\n';
    }
    return 0;
}

} // namespace v38::ctl
