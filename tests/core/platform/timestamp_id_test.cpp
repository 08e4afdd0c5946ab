#include "core/platform/timestamp_id.h"

#include <gtest/gtest.h>

#include <ctime>
#include <set>

namespace v38 {
namespace {

std::chrono::system_clock::time_point localMoment(int y, int mo, int d, int h, int mi, int s, int ms) {
    std::tm t{};
    t.tm_year = y - 1900;
    t.tm_mon = mo - 1;
    t.tm_mday = d;
    t.tm_hour = h;
    t.tm_min = mi;
    t.tm_sec = s;
    t.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&t)) + std::chrono::milliseconds(ms);
}

TEST(TimestampId, FormatsLocalTime) {
    EXPECT_EQ(makeTimestampId(localMoment(2024, 3, 5, 7, 8, 9, 12)), "2024_03_05_07_08_09_012");
    EXPECT_EQ(makeTimestampId(localMoment(2024, 3, 5, 7, 8, 9, 12)),
              makeTimestampId(localMoment(2024, 3, 5, 7, 8, 9, 12)));
}

TEST(TimestampId, SameMillisecondIsBumpedUntilFree) {
    auto fixed = [] { return localMoment(2024, 12, 31, 23, 59, 59, 998); };
    std::set<std::string> used;
    auto taken = [&](const std::string& id) { return used.count(id) > 0; };
    for (int i = 0; i < 3; ++i)
        used.insert(makeUniqueTimestampId(taken, fixed));
    EXPECT_EQ(used, (std::set<std::string>{"2024_12_31_23_59_59_998", "2024_12_31_23_59_59_999",
                                           "2025_01_01_00_00_00_000"}));
    EXPECT_EQ(makeUniqueTimestampId([](const std::string&) { return true; }, fixed), "");
}

} // namespace
} // namespace v38
