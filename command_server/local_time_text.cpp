// The status log's time stamps.
#include "command_server/local_time_text.h"

#include <chrono>
#include <cstdio>
#include <ctime>

std::string local_time_text() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const long ms = long(std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
    std::tm parts{};
    ::localtime_r(&seconds, &parts);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03ld", parts.tm_hour, parts.tm_min, parts.tm_sec, ms);
    return text;
}
