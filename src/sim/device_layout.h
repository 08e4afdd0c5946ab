// The HID interfaces each virtual identity presents to the host: report descriptors, the collections
// they declare with their report ids and lengths, and the interface paths.
#pragma once

#include "core/hid/hid_types.h"
#include "sim/identity.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace v38::sim {

// The two collections the firmware serves: the command channel (report 4 both ways) and the consumer
// input that carries synchronisation requests. The headset has one collection doing both.
enum class CollectionRole { Consumer, Command };

struct ReportSpec {
    uint8_t id = 0; // 0 for interfaces that do not number their reports
    HidReportType type = HidReportType::Input;
    uint16_t length = 0; // bytes, counting the report id byte
};

struct CollectionSpec {
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    bool command = false;
    bool consumer = false;
    std::vector<ReportSpec> reports;

    bool hasReport(uint8_t id, HidReportType type) const;
    // Length of the report of that id and type, 0 when the collection has none.
    uint16_t reportLength(uint8_t id, HidReportType type) const;
    // The longest report of the type (what the capability record states).
    uint16_t maxReportLength(HidReportType type) const;
};

struct InterfaceSpec {
    int number = 0;
    std::vector<uint8_t> descriptor;
    std::vector<CollectionSpec> collections; // in descriptor order
};

struct IdentitySpec {
    Identity identity = Identity::Keyboard;
    HidAttributes attributes;
    std::vector<InterfaceSpec> interfaces;
};

const IdentitySpec& identitySpec(Identity identity);

// Where a collection sits: indices into identitySpec().interfaces and its collections.
struct CollectionAddress {
    size_t interfaceIndex = 0;
    size_t collectionIndex = 0;
};

// The collection of the given role (the first one when there are several); nullopt when none.
std::optional<CollectionAddress> findCollection(Identity identity, CollectionRole role);

// Interface path of one collection: node "sim:<name>/<interface>", &col only when the interface has
// several top-level collections.
std::string collectionPath(Identity identity, const CollectionAddress& address);
// Paths of the command collection and of the consumer collection (the same for the headset).
std::string commandPath(Identity identity);
std::string consumerPath(Identity identity);
// Every collection path of the identity, interface by interface in descriptor order.
std::vector<std::string> identityPaths(Identity identity);

} // namespace v38::sim
