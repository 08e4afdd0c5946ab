#include "core/devices/supported_interface.h"
#include "core/hid/hid_path.h"
#include "core/hid/report_descriptor.h"
#include "sim/device_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace v38::sim {
namespace {

// The declared layout the backend filters by must be what the descriptor really says.
TEST(DeviceLayout, DescriptorsParseToTheDeclaredCollections) {
    for (Identity identity : kAllIdentities) {
        SCOPED_TRACE(identityName(identity));
        for (const InterfaceSpec& interface : identitySpec(identity).interfaces) {
            SCOPED_TRACE(interface.number);
            ReportDescriptor parsed;
            ASSERT_TRUE(
                parseReportDescriptor(interface.descriptor.data(), interface.descriptor.size(), parsed));
            ASSERT_EQ(parsed.collections.size(), interface.collections.size());
            for (size_t c = 0; c < interface.collections.size(); ++c) {
                const CollectionSpec& declared = interface.collections[c];
                const HidTopCollection& top = parsed.collections[c];
                EXPECT_EQ(top.usagePage, declared.usagePage);
                EXPECT_EQ(top.usage, declared.usage);
                EXPECT_EQ(top.caps.inputReportByteLength, declared.maxReportLength(HidReportType::Input));
                EXPECT_EQ(top.caps.outputReportByteLength, declared.maxReportLength(HidReportType::Output));
                EXPECT_EQ(top.caps.featureReportByteLength, 0);
                std::set<uint8_t> ids;
                for (const ReportSpec& report : declared.reports)
                    ids.insert(report.id);
                EXPECT_EQ(std::vector<uint8_t>(ids.begin(), ids.end()), top.reportIds);
            }
        }
    }
}

// Every command and consumer collection lands on its row of the supported-interface table, and the
// other interfaces match no row.
TEST(DeviceLayout, PathsMatchTheSupportedInterfaceTable) {
    std::set<int> rowsSeen;
    for (Identity identity : kAllIdentities) {
        const IdentitySpec& layout = identitySpec(identity);
        for (size_t i = 0; i < layout.interfaces.size(); ++i) {
            for (size_t c = 0; c < layout.interfaces[i].collections.size(); ++c) {
                const CollectionSpec& collection = layout.interfaces[i].collections[c];
                std::string path = collectionPath(identity, {i, c});
                SCOPED_TRACE(path);
                EXPECT_LE(path.size(), kMaxHidPathLength);
                HidPathFields fields = parseHidPathFields(path);
                int row = findSupportedInterfaceRow(layout.attributes.vendorId, layout.attributes.productId,
                                                    fields.interfaceNumber, fields.collectionNumber,
                                                    collection.usagePage, collection.usage);
                if (collection.command || collection.consumer) {
                    ASSERT_GE(row, 0);
                    EXPECT_TRUE(rowsSeen.insert(row).second);
                } else {
                    EXPECT_EQ(row, -1);
                }
            }
        }
    }
    EXPECT_EQ(rowsSeen.size(), kSupportedInterfaceCount);
    EXPECT_EQ(commandPath(Identity::Keyboard), "sim:keyboard/1#vid_320f&pid_5055&mi_01&col04");
    EXPECT_EQ(consumerPath(Identity::MouseReceiver), "sim:mouse-receiver/1#vid_320f&pid_2000&mi_01&col03");
    EXPECT_EQ(commandPath(Identity::Headset), "sim:headset/3#vid_0c76&pid_1630&mi_03");
    EXPECT_EQ(consumerPath(Identity::Headset), commandPath(Identity::Headset));
}

TEST(Identity, NamesRoundTrip) {
    for (Identity identity : kAllIdentities)
        EXPECT_EQ(identityFromName(identityName(identity)), identity);
    EXPECT_FALSE(identityFromName("Keyboard"));
    EXPECT_FALSE(identityFromName(""));
}

TEST(Identity, ParseIdentityList) {
    struct Case {
        const char* text;
        bool ok;
        std::vector<Identity> expected;
    };
    const Case cases[] = {
        {"keyboard-receiver,mouse", true, {Identity::KeyboardReceiver, Identity::Mouse}},
        {" headset , mousepad ", true, {Identity::Headset, Identity::MousePad}},
        {"mouse-receiver", true, {Identity::MouseReceiver}},
        {"", false, {}},
        {"keyboard,", false, {}},
        {"keyboard,,mouse", false, {}},
        {"keyboard,trackball", false, {}},
        {"mouse,mouse", false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<Identity> identities = {Identity::Headset};
        std::string error;
        EXPECT_EQ(parseIdentityList(c.text, identities, error), c.ok);
        if (c.ok) {
            EXPECT_EQ(identities, c.expected);
        } else {
            EXPECT_FALSE(error.empty());
            EXPECT_EQ(identities, std::vector<Identity>{Identity::Headset}); // untouched
        }
    }
}

} // namespace
} // namespace v38::sim
