#include "scope_link/comms_log.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/local_time.h"

comms_log::comms_log(const link_ports& ports, std::string program_dir)
    : ports_(ports), program_dir_(std::move(program_dir)) {}

void comms_log::init_log_file(const std::string& name) {
    log_path_ = program_dir_ + name;
    if (name.empty()) {
        ports_.update_status_log("cant create log file : " + log_path_);
        return;
    }
    std::FILE* file = std::fopen(log_path_.c_str(), "wb");
    if (!file) {
        ports_.update_status_log("failed to open log : " + std::string(std::strerror(errno)));
        return;
    }
    const std::string line = local_date_time_text() + " : session started\n";
    const bool written = std::fwrite(line.data(), 1, line.size(), file) == line.size();
    const int write_error = errno;
    if (std::fclose(file) != 0 || !written)
        ports_.update_status_log("failed to open log : " + std::string(std::strerror(written ? errno : write_error)));
}

void comms_log::write_log(const std::string& line) {
    // The status log hands every line it shows to this, including the
    // messages of this routine's own failures; those are not logged again.
    if (!log_to_file || writing_log_) return;
    writing_log_ = true;
    // Opened for each line, so that the file can be read, moved or removed
    // while the program runs.
    std::FILE* file = log_path_.empty() ? nullptr : std::fopen(log_path_.c_str(), "ab");
    if (!file) {
        ports_.update_status_log("cant open log : " + log_path_);
    } else {
        const std::string text = local_time_text() + " : " + line + "\n";
        if (std::fwrite(text.data(), 1, text.size(), file) != text.size() || std::fflush(file) != 0)
            ports_.update_status_log("failed to write to log : " + std::string(std::strerror(errno)));
        if (std::fclose(file) != 0)
            ports_.update_status_log("failed to close : " + log_path_ + " : " + std::to_string(errno));
    }
    writing_log_ = false;
}
