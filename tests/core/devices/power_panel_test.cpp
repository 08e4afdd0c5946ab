#include "core/devices/device_entry.h"
#include "core/devices/power_panel.h"
#include "core/devices/supported_interface.h"

#include <gtest/gtest.h>

namespace v38 {
namespace {

using Logo = PowerBlockView::Logo;

TEST(PowerBlock, InterpretationByKind) {
    struct Case {
        uint16_t kind;
        std::array<uint8_t, 6> block;
        int progress;
        const char* text;
        Logo logo;
        const char* status;
        const char* phoneTip;
    };
    const Case cases[] = {
        {kKindMouseCable, {80, 2, 0, 1, 0, 0}, 20, "80%", Logo::Shown, "file='power/power.png'", ""},
        {kKindKeyboardCable, {100, 0, 0, 0, 0, 0}, 0, "100%", Logo::Hidden, "file='power/powered.png'", ""},
        {kKindMousePad,
         {5, 1, 0, 1, 1, 2},
         95,
         "5%",
         Logo::Unchanged,
         "file='power/powering.png'",
         "Phone_type_samsung"},
        {kKindMousePad, {0, 7, 0, 0, 0, 9}, 100, "0%", Logo::Unchanged, "", "Phone_type_no_device"},
        {kKindHeadset, {250, 3, 0, 1, 0, 1}, 0, "250%", Logo::Unchanged, "", ""}, // bar stays within 0..100
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        PowerBlockView view = interpretPowerBlock(c.kind, c.block.data());
        EXPECT_EQ(view.progressValue, c.progress);
        EXPECT_EQ(view.text, c.text);
        EXPECT_EQ(view.wirelessLogo, c.logo);
        EXPECT_EQ(view.statusImage, c.status);
        EXPECT_EQ(view.progressShown, *c.status != '\0');
        EXPECT_EQ(view.phoneToolTip, c.phoneTip);
        EXPECT_EQ(view.phoneImage, *c.phoneTip ? std::string("file='power/") + c.phoneTip + ".png'" : "");
    }
}

TEST(PowerBlock, PanelIgnoresShortBlocks) {
    PowerPanel panel(kKindMouseCable, 0);
    const uint8_t block[6] = {50, 2, 0, 1, 0, 0};
    panel.showPowerBlock(block, 5);
    EXPECT_FALSE(panel.powerBlock());
    panel.showPowerBlock(block, 6);
    ASSERT_TRUE(panel.powerBlock());
    EXPECT_EQ(panel.powerBlock()->text, "50%");
}

TEST(EntryIcons, ByIconKindAndVariant) {
    struct Case {
        int kind, variant;
        const char* prefix;
    };
    const Case cases[] = {{1, 0, "kb"}, {2, 5, "ms"},  {3, 1, "soft_mp"}, {3, 0, "hard_mp"}, {4, 0, "hd"},
                          {7, 0, "hd"}, {5, 0, "hub"}, {0, 0, "unknow"},  {9, 0, "unknow"}};
    for (const Case& c : cases) {
        std::optional<EntryIcons> icons = entryIconsFor(c.kind, c.variant);
        ASSERT_TRUE(icons) << c.kind;
        std::string base = std::string("common/device_ico/") + c.prefix + "_device_";
        EXPECT_EQ(icons->normal, base + "normal.png");
        EXPECT_EQ(icons->synchroSelected, base + "synchro_selected.png");
        EXPECT_EQ(icons->toolTip, std::string(c.prefix) + "_device_name_text");
    }
    EXPECT_FALSE(entryIconsFor(3, 2)); // leaves the images as they are
    EXPECT_EQ(DeviceEntry{}.icons.normal, "common/device_ico/unknow_device_normal.png");
}

TEST(DeviceKinds, TablesAgreeWithTheSupportedInterfaces) {
    for (size_t i = 0; i < kDeviceKindCount; ++i) {
        const DeviceKindInfo& kind = DeviceKindTable()[i];
        EXPECT_EQ(findDeviceKind(kind.vendorId, kind.productId, kind.iconKind, kind.iconVariant),
                  static_cast<int>(i));
        EXPECT_EQ(kindIndexOfKindCode(static_cast<uint16_t>(kind.iconKind)), static_cast<int>(i));
        // The cable-route command interface of the kind is in the supported table.
        bool found = false;
        for (const SupportedInterface& row : SupportedInterfaceTable())
            found = found || (row.vendorId == kind.vendorId && row.productId == kind.productId &&
                              row.kind == kind.iconKind && row.role == kRoleCommand);
        EXPECT_TRUE(found) << kind.name;
    }
    EXPECT_EQ(findDeviceKind(0x320F, 0x2000, 6, 0), -1); // the receivers have no row of their own
    EXPECT_EQ(kindIndexOfKindCode(kKindMouseReceiver), kKindIndexMouse);
    EXPECT_EQ(kindIndexOfKindCode(4), -1);
}

} // namespace
} // namespace v38
