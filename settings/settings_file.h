// The settings files of the program (server.ini and the command-set files):
// INI text with case-insensitive section and key names, read by section and
// key with a default, and updated in place so that lines nobody names survive.
// A save of many keys runs as one save sequence and replaces the file once.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Raised by a write that could not be done; its message is
// "Unable to write to " + the file's path.
class settings_write_error : public std::runtime_error {
public:
    explicit settings_write_error(const std::string& path);
};

class ini_file {
public:
    // Reads the file as it is now; a file that does not exist reads as empty
    // and is not created until the first write.
    explicit ini_file(std::string path);

    const std::string& path() const { return path_; }

    int read_integer(std::string_view section, std::string_view key, int default_value) const;
    bool read_bool(std::string_view section, std::string_view key, bool default_value) const;
    double read_float(std::string_view section, std::string_view key, double default_value) const;
    // At most max_string_length characters; a key present with an empty value
    // gives the empty text.
    std::string read_string(std::string_view section, std::string_view key,
                            std::string_view default_value) const;

    // Outside a save sequence each write reaches the disk before it returns,
    // by replacing the file whole (a temporary file beside it, flushed, then
    // renamed over it), so a failure part-way leaves the previous file
    // intact. A failed write raises settings_write_error and leaves the file
    // and this object as they were. Inside a sequence a write changes only
    // the lines held here and never raises.
    void write_integer(std::string_view section, std::string_view key, int value);
    void write_bool(std::string_view section, std::string_view key, bool value);
    void write_float(std::string_view section, std::string_view key, double value);
    void write_string(std::string_view section, std::string_view key, std::string_view value);

    // A save sequence: from begin_save() on, writes change only the lines
    // held here, which reads see at once, and commit() replaces the file
    // with all of them in one go. A sequence that is never committed (its
    // writer raised part-way, say) leaves the file on disk as it was.
    void begin_save();
    // Ends the sequence: one temporary file beside the file, one flush, one
    // rename. When that fails it raises settings_write_error, the file is as
    // it was before the sequence and so is this object. Without an open
    // sequence it does nothing.
    void commit();
    bool saving() const { return saving_; }

    static constexpr std::size_t max_string_length = 2047;

private:
    // The value text of the first matching key in the first matching
    // section, blanks around it removed; nothing when either is missing.
    std::optional<std::string> find_value(std::string_view section, std::string_view key) const;
    void write_value(std::string_view section, std::string_view key, std::string_view value);
    void save(const std::vector<std::string>& lines) const;

    std::string path_;
    std::vector<std::string> lines_; // the file's lines as read or written, without "\n"
    bool saving_ = false;
    std::vector<std::string> lines_before_save_; // to go back to when a commit fails
};
