#include "core/profiles/profile_kinds.h"

#include "core/platform/text_utils.h"

namespace v38 {

namespace {

constexpr auto K = TabVisibility::Keep;
constexpr auto H = TabVisibility::Hide;
constexpr auto S = TabVisibility::Show;

struct TabRow {
    int kind;
    std::array<TabVisibility, kFeatureTabs.size()> tabs;
};

// Columns in kFeatureTabs order: cursor, macro, system, key, deng, 6533_voice, magic, Virtual7.1.
// Kinds 4 to 6 belong to no current device; their pages would look as listed.
constexpr TabRow kTabRows[] = {
    {1, {H, K, K, K, K, K, K, K}}, {2, {K, K, K, K, K, K, K, K}}, {3, {H, H, H, H, K, K, K, K}},
    {4, {H, H, K, H, K, K, K, K}}, {5, {H, H, H, H, K, K, K, K}}, {6, {K, K, K, K, K, K, K, K}},
    {7, {H, H, H, H, K, S, S, S}},
};

struct KindName {
    int kind;
    std::string_view name;
};

constexpr KindName kKindNames[] = {
    {kProfileKindKeyboard, "keyboard"},
    {kProfileKindMouse, "mouse"},
    {kProfileKindMousePad, "MousePad"},
    {kProfileKindHeadset, "HD"},
    {9, "keyboard"},
    {6, "mouse"},
};

} // namespace

std::string_view kindNameForCode(int kind) {
    for (const KindName& k : kKindNames)
        if (k.kind == kind)
            return k.name;
    return {};
}

int kindCodeForName(std::string_view name) {
    for (const KindName& k : kKindNames)
        if (equalsIgnoringCase(k.name, name))
            return k.kind;
    return 0;
}

std::array<TabVisibility, kFeatureTabs.size()> featureTabVisibility(int kind) {
    for (const TabRow& row : kTabRows)
        if (row.kind == kind)
            return row.tabs;
    std::array<TabVisibility, kFeatureTabs.size()> keep{};
    keep.fill(TabVisibility::Keep);
    return keep;
}

} // namespace v38
