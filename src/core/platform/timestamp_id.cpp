#include "core/platform/timestamp_id.h"

#include <cstdio>
#include <ctime>

namespace v38 {

std::string makeTimestampId(std::chrono::system_clock::time_point when) {
    using namespace std::chrono;
    auto sinceEpoch = when.time_since_epoch();
    auto secondsPart = floor<seconds>(sinceEpoch);
    auto millis = duration_cast<milliseconds>(sinceEpoch - secondsPart).count();
    std::time_t t = static_cast<std::time_t>(secondsPart.count());
    std::tm local{};
    if (!::localtime_r(&t, &local))
        return {};
    char text[64];
    std::snprintf(text, sizeof text, "%d_%02d_%02d_%02d_%02d_%02d_%03d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<int>(millis));
    return text;
}

std::string makeTimestampId() {
    return makeTimestampId(std::chrono::system_clock::now());
}

std::string makeUniqueTimestampId(const std::function<bool(const std::string&)>& taken,
                                  const WallClock& clock) {
    // Far more attempts than any folder can hold identifiers made in the same period.
    constexpr int kMaxAttempts = 100000;
    auto when = clock ? clock() : std::chrono::system_clock::now();
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        std::string id = makeTimestampId(when);
        if (id.empty())
            return {};
        if (!taken || !taken(id))
            return id;
        when += std::chrono::milliseconds(1);
    }
    return {};
}

} // namespace v38
