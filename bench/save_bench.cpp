// What one shut-down save of server.ini costs: the program object's save of
// every window's settings, timed, next to a baseline measured in the same
// run: the same keys written one at a time, each write replacing the file on
// its own (a temporary file, a flush and a rename per key). Printed as
// milliseconds per save and as the ratio baseline / save.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include <stdlib.h>
#include <unistd.h>

#include "settings/settings_file.h"
#include "shell/program.h"

namespace {

using steady = std::chrono::steady_clock;
constexpr int runs = 15;

double ms_since(steady::time_point start) {
    return std::chrono::duration<double, std::milli>(steady::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string read_whole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every section, key and value of an INI text, in file order.
std::vector<std::tuple<std::string, std::string, std::string>> entries_of(const std::string& text) {
    std::vector<std::tuple<std::string, std::string, std::string>> entries;
    std::istringstream lines(text);
    std::string line;
    std::string section;
    while (std::getline(lines, line)) {
        if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
        } else if (const auto equals = line.find('='); equals != std::string::npos) {
            entries.emplace_back(section, line.substr(0, equals), line.substr(equals + 1));
        }
    }
    return entries;
}

}  // namespace

int main() {
    // A folder on the disk the program would use, not a memory file system,
    // so that flushes cost what they cost.
    char dir_template[] = "/var/tmp/orb_save_bench_XXXXXX";
    if (!::mkdtemp(dir_template)) return 1;
    const std::string dir = std::string(dir_template) + "/";
    std::ofstream(dir + "server.ini") << "[config]\nscope_enabled=0\n";

    steady_clock_source clock;
    std::vector<double> saves;
    {
        orb_program program(clock, dir);
        for (int run = 0; run < runs; ++run) {
            const auto start = steady::now();
            program.main_window->save_settings();
            saves.push_back(ms_since(start));
        }
    }
    const std::string saved = read_whole(dir + "server.ini");
    const auto entries = entries_of(saved);

    std::vector<double> singles;
    for (int run = 0; run < runs; ++run) {
        const std::string path = dir + "single.ini";
        ::unlink(path.c_str());
        const auto start = steady::now();
        ini_file file(path);
        for (const auto& [section, key, value] : entries) file.write_string(section, key, value);
        singles.push_back(ms_since(start));
    }
    const bool same = read_whole(dir + "single.ini") == saved;

    const double save_ms = median(saves);
    const double single_ms = median(singles);
    std::printf("keys in one save:                 %zu\n", entries.size());
    std::printf("shut-down save (program object):  %8.3f ms (median of %d)\n", save_ms, runs);
    std::printf("same keys, one replace per key:   %8.3f ms%s\n", single_ms,
                same ? "" : "  (file differs from the save's!)");
    std::printf("ratio one-per-key / save:         %8.2f\n", single_ms / save_ms);

    std::remove((dir + "single.ini").c_str());
    std::remove((dir + "server.ini").c_str());
    ::rmdir(dir_template);
    return same ? 0 : 1;
}
