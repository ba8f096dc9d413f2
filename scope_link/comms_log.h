// The comms log file in program_dir: begun anew with a dated first line,
// then one timestamped line appended per status line while log_to_file is on.
// Its own failures are IO messages of the status log.
#pragma once

#include <string>

#include "scope_link/link_ports.h"

class comms_log {
public:
    // program_dir ends with "/".
    comms_log(const link_ports& ports, std::string program_dir);

    void init_log_file(const std::string& name);
    void write_log(const std::string& line);

    const std::string& log_path() const { return log_path_; }

    // Whether status lines are appended: the network panel's Disk button.
    bool log_to_file = false;

private:
    const link_ports& ports_;
    std::string program_dir_;
    std::string log_path_;
    bool writing_log_ = false;
};
