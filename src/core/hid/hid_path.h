// Interface paths and the identity markers they carry, such as
// "/dev/hidraw3#vid_320f&pid_5055&mi_01&col04": the node before '#', then vendor, product,
// USB interface and, when the interface has several top-level collections, the collection from 1.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace v38 {

// Paths longer than this are refused by open (the channel's path field holds 259 characters).
constexpr size_t kMaxHidPathLength = 259;

struct HidPathFields {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t interfaceNumber = 0;
    uint16_t collectionNumber = 0;
};

// The hexadecimal number after marker (found ignoring letter case), reduced to 16 bits; 0 when the
// marker is absent or no digit follows it.
uint32_t hidPathNumber(std::string_view path, std::string_view marker);

HidPathFields parseHidPathFields(std::string_view path);

// Builds the path of one collection. collectionNumber 0 leaves out the &col marker (single
// collection); interfaceNumber < 0 leaves out &mi_ (not a USB interface).
std::string makeHidPath(std::string_view node, uint16_t vendorId, uint16_t productId, int interfaceNumber,
                        unsigned collectionNumber);

// The node part of a path (everything before '#').
std::string_view hidPathNode(std::string_view path);

} // namespace v38
