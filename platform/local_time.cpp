#include "platform/local_time.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace {

std::tm local_now(long* milliseconds_part = nullptr) {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    if (milliseconds_part)
        *milliseconds_part =
            long(std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
    std::tm parts{};
    ::localtime_r(&seconds, &parts);
    return parts;
}

} // namespace

std::string local_time_text() {
    long ms = 0;
    const std::tm parts = local_now(&ms);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03ld", parts.tm_hour, parts.tm_min, parts.tm_sec, ms);
    return text;
}

std::string local_date_time_text() {
    const std::tm parts = local_now();
    char text[128];
    const std::size_t length = std::strftime(text, sizeof text, "%x %X", &parts);
    return std::string(text, length);
}

double local_day_count() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    ::localtime_r(&now, &parts);
    return 25569.0 + double(now + parts.tm_gmtoff) / 86400.0;
}
