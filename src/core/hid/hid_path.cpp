#include "core/hid/hid_path.h"

#include "core/platform/text_utils.h"

#include <cctype>
#include <cstdio>

namespace v38 {

namespace {

size_t findIgnoringCase(std::string_view text, std::string_view marker) {
    if (marker.empty() || marker.size() > text.size())
        return std::string_view::npos;
    for (size_t i = 0; i + marker.size() <= text.size(); ++i) {
        size_t k = 0;
        while (k < marker.size() && std::tolower(static_cast<unsigned char>(text[i + k])) ==
                                        std::tolower(static_cast<unsigned char>(marker[k])))
            ++k;
        if (k == marker.size())
            return i;
    }
    return std::string_view::npos;
}

} // namespace

uint32_t hidPathNumber(std::string_view path, std::string_view marker) {
    size_t at = findIgnoringCase(path, marker);
    if (at == std::string_view::npos)
        return 0;
    uint32_t value = 0;
    for (size_t i = at + marker.size(); i < path.size(); ++i) {
        int digit = hexDigitValue(path[i]);
        if (digit < 0)
            break;
        value = (value << 4 | static_cast<uint32_t>(digit)) & 0xFFFFFFu; // bounded; reduced below
    }
    return value & 0xFFFFu;
}

HidPathFields parseHidPathFields(std::string_view path) {
    HidPathFields fields;
    fields.vendorId = static_cast<uint16_t>(hidPathNumber(path, "vid_"));
    fields.productId = static_cast<uint16_t>(hidPathNumber(path, "pid_"));
    fields.interfaceNumber = static_cast<uint16_t>(hidPathNumber(path, "&mi_"));
    fields.collectionNumber = static_cast<uint16_t>(hidPathNumber(path, "&col"));
    return fields;
}

std::string makeHidPath(std::string_view node, uint16_t vendorId, uint16_t productId, int interfaceNumber,
                        unsigned collectionNumber) {
    char markers[64];
    int n = std::snprintf(markers, sizeof markers, "#vid_%04x&pid_%04x", vendorId, productId);
    std::string path(node);
    path.append(markers, static_cast<size_t>(n));
    if (interfaceNumber >= 0) {
        n = std::snprintf(markers, sizeof markers, "&mi_%02x",
                          static_cast<unsigned>(interfaceNumber) & 0xFFu);
        path.append(markers, static_cast<size_t>(n));
    }
    if (collectionNumber > 0) {
        n = std::snprintf(markers, sizeof markers, "&col%02x", collectionNumber & 0xFFu);
        path.append(markers, static_cast<size_t>(n));
    }
    return path;
}

std::string_view hidPathNode(std::string_view path) {
    size_t hash = path.find('#');
    return hash == std::string_view::npos ? path : path.substr(0, hash);
}

} // namespace v38
