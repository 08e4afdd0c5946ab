#include "core/devices/device_entry.h"

namespace v38 {

namespace {

EntryIcons iconsWithPrefix(const std::string& prefix) {
    const std::string base = "common/device_ico/" + prefix + "_device_";
    return {base + "normal.png", base + "selected.png", base + "synchro_normal.png",
            base + "synchro_selected.png", prefix + "_device_name_text"};
}

} // namespace

std::optional<EntryIcons> entryIconsFor(int iconKind, int iconVariant) {
    switch (iconKind) {
    case 1:
        return iconsWithPrefix("kb");
    case 2:
        return iconsWithPrefix("ms");
    case 3:
        if (iconVariant == 1)
            return iconsWithPrefix("soft_mp");
        if (iconVariant == 0)
            return iconsWithPrefix("hard_mp");
        return std::nullopt;
    case 4:
    case 7:
        return iconsWithPrefix("hd");
    case 5:
        return iconsWithPrefix("hub");
    default:
        return iconsWithPrefix("unknow");
    }
}

} // namespace v38
