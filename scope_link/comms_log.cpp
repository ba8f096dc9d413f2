// The comms log file in program_dir: begun anew with a dated first line,
// then one timestamped line appended per status line while log_to_file is on.
#include "scope_link/orb_server_comms.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>

namespace {

std::tm local_now(long* milliseconds_part = nullptr) {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    if (milliseconds_part)
        *milliseconds_part = static_cast<long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
    std::tm parts{};
    ::localtime_r(&seconds, &parts);
    return parts;
}

// The locale's date and time.
std::string date_time_text() {
    const std::tm parts = local_now();
    char text[128];
    const std::size_t length = std::strftime(text, sizeof text, "%x %X", &parts);
    return std::string(text, length);
}

// "hh:mm:ss.zzz"
std::string time_text() {
    long ms = 0;
    const std::tm parts = local_now(&ms);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03ld", parts.tm_hour, parts.tm_min,
                  parts.tm_sec, ms);
    return text;
}

}  // namespace

void Tscope_comms::init_log_file(const std::string& name) {
    log_path_ = host().program_dir() + name;
    if (name.empty()) {
        update_status_log("cant create log file : " + log_path_);
        return;
    }
    close_log();
    std::FILE* file = std::fopen(log_path_.c_str(), "wb");
    if (!file) {
        update_status_log("failed to open log : " + std::string(std::strerror(errno)));
        return;
    }
    const std::string line = date_time_text() + " : session started\n";
    const bool written = std::fwrite(line.data(), 1, line.size(), file) == line.size();
    const int write_error = errno;
    if (std::fclose(file) != 0 || !written)
        update_status_log("failed to open log : " + std::string(std::strerror(written ? errno : write_error)));
}

void Tscope_comms::write_log(const std::string& line) {
    // The status log hands every line it shows to this, including the
    // messages of this routine's own failures; those are not logged again.
    if (!log_to_file || writing_log_) return;
    writing_log_ = true;
    if (log_path_.empty()) {
        update_status_log("cant open log : " + log_path_);
    } else if (!(log_file_ = std::fopen(log_path_.c_str(), "ab"))) {
        update_status_log("cant open log : " + log_path_);
    } else {
        const std::string text = time_text() + " : " + line + "\n";
        if (std::fwrite(text.data(), 1, text.size(), log_file_) != text.size() || std::fflush(log_file_) != 0)
            update_status_log("failed to write to log : " + std::string(std::strerror(errno)));
        close_log();
    }
    writing_log_ = false;
}

void Tscope_comms::close_log() {
    if (!log_file_) return;
    std::FILE* file = log_file_;
    log_file_ = nullptr;
    if (std::fclose(file) != 0)
        update_status_log("failed to close : " + log_path_ + " : " + std::to_string(errno));
}
