#include "settings/settings_file.h"

#include "text/integer_text.h"
#include "text/number_text.h"
#include "text/same_name.h"
#include "text/trim.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

settings_write_error::settings_write_error(const std::string& path)
    : std::runtime_error("Unable to write to " + path) {}

namespace {

// A signed decimal integer, or "0x"/"0X" and hexadecimal digits, that fits 32 bits.
constexpr integer_rules settings_integer{.blanks_around = true, .hexadecimal = true};


// What one line of an INI file says.
struct ini_line {
    enum kind_t { other, section, entry } kind = other;
    std::string_view name;  // section or key name, trimmed
    std::string_view value; // entry value, trimmed
};

ini_line parse_line(std::string_view raw) {
    const std::string_view text = trim(raw);
    if (text.size() >= 2 && text.front() == '[') {
        const auto close = text.find(']');
        if (close != std::string_view::npos)
            return {ini_line::section, trim(text.substr(1, close - 1)), {}};
    }
    if (text.empty() || text.front() == ';') return {};
    const auto equals = text.find('=');
    if (equals == std::string_view::npos) return {};
    return {ini_line::entry, trim(text.substr(0, equals)), trim(text.substr(equals + 1))};
}

std::vector<std::string> read_lines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

// Where a section's lines are: the header's index and one past its last line.
struct section_span {
    std::size_t header;
    std::size_t end;
};

std::optional<section_span> find_section(const std::vector<std::string>& lines,
                                         std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ini_line header = parse_line(lines[i]);
        if (header.kind != ini_line::section || !same_name(header.name, section)) continue;
        std::size_t end = i + 1;
        while (end < lines.size() && parse_line(lines[end]).kind != ini_line::section) ++end;
        return section_span{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> find_key(const std::vector<std::string>& lines, section_span span,
                                    std::string_view key) {
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        const ini_line entry = parse_line(lines[i]);
        if (entry.kind == ini_line::entry && same_name(entry.name, key)) return i;
    }
    return std::nullopt;
}

bool write_all(int fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += std::size_t(n);
    }
    return true;
}

// A file that exists but may not be written is never replaced. Besides the
// access check, a file with no write bit at all counts as write-protected even
// for root, as a read-only file does for every user elsewhere.
bool write_protected(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return false;
    return ::access(path.c_str(), W_OK) != 0 || (info.st_mode & 0222) == 0;
}

} // namespace

ini_file::ini_file(std::string path) : path_(std::move(path)), lines_(read_lines(path_)) {}

std::optional<std::string> ini_file::find_value(std::string_view section,
                                                std::string_view key) const {
    const auto span = find_section(lines_, section);
    if (!span) return std::nullopt;
    const auto line = find_key(lines_, *span, key);
    if (!line) return std::nullopt;
    return std::string(parse_line(lines_[*line]).value);
}

int ini_file::read_integer(std::string_view section, std::string_view key,
                           int default_value) const {
    const auto text = find_value(section, key);
    if (!text) return default_value;
    return ::read_integer(*text, settings_integer).value_or(default_value);
}

bool ini_file::read_bool(std::string_view section, std::string_view key,
                         bool default_value) const {
    return read_integer(section, key, default_value ? 1 : 0) != 0;
}

double ini_file::read_float(std::string_view section, std::string_view key,
                            double default_value) const {
    const auto text = find_value(section, key);
    double value = default_value;
    if (text && parse_general_number(*text, value)) return value;
    return default_value;
}

std::string ini_file::read_string(std::string_view section, std::string_view key,
                                  std::string_view default_value) const {
    const auto text = find_value(section, key);
    std::string value = text ? *text : std::string(default_value);
    if (value.size() > max_string_length) value.resize(max_string_length);
    return value;
}

void ini_file::write_integer(std::string_view section, std::string_view key, int value) {
    write_value(section, key, std::to_string(value));
}

void ini_file::write_bool(std::string_view section, std::string_view key, bool value) {
    write_value(section, key, value ? "1" : "0");
}

void ini_file::write_float(std::string_view section, std::string_view key, double value) {
    write_value(section, key, format_general_number(value));
}

void ini_file::write_string(std::string_view section, std::string_view key,
                            std::string_view value) {
    // A line break would end the line early and turn the rest into a line of
    // its own, so a value is kept only up to its first one.
    write_value(section, key, value.substr(0, value.find_first_of("\r\n")));
}

namespace {

// Puts key=value into the lines: in place when the key is there, else at
// the end of its section, or in a new section at the end.
void put_value(std::vector<std::string>& lines, std::string_view section, std::string_view key,
               std::string_view value) {
    std::string entry = std::string(key) + "=" + std::string(value);
    if (const auto span = find_section(lines, section)) {
        if (const auto line = find_key(lines, *span, key)) {
            lines[*line] = std::move(entry);
        } else {
            // After the section's last line that is not blank, so that the
            // blank line separating it from the next section stays there.
            std::size_t last = span->end;
            while (last > span->header + 1 && trim(lines[last - 1]).empty()) --last;
            lines.insert(lines.begin() + std::ptrdiff_t(last), std::move(entry));
        }
    } else {
        if (!lines.empty() && !trim(lines.back()).empty()) lines.emplace_back();
        lines.push_back("[" + std::string(section) + "]");
        lines.push_back(std::move(entry));
    }
}

} // namespace

void ini_file::write_value(std::string_view section, std::string_view key,
                           std::string_view value) {
    if (saving_) {
        put_value(lines_, section, key, value);
        return;
    }
    std::vector<std::string> lines = lines_;
    put_value(lines, section, key, value);
    save(lines);
    lines_ = std::move(lines);
}

void ini_file::begin_save() {
    if (saving_) return;
    lines_before_save_ = lines_;
    saving_ = true;
}

void ini_file::commit() {
    if (!saving_) return;
    saving_ = false;
    try {
        save(lines_);
    } catch (const settings_write_error&) {
        lines_ = std::move(lines_before_save_);
        throw;
    }
    lines_before_save_.clear();
}

void ini_file::save(const std::vector<std::string>& lines) const {
    if (write_protected(path_)) throw settings_write_error(path_);
    std::string text;
    for (const std::string& line : lines) text += line + "\n";

    std::string temporary = path_ + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) throw settings_write_error(path_);
    struct stat info {};
    const mode_t mode = ::stat(path_.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0644;
    const bool written = ::fchmod(fd, mode) == 0 && write_all(fd, text) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), path_.c_str()) != 0) {
        ::unlink(temporary.c_str());
        throw settings_write_error(path_);
    }
}
