// orb_server: the telescope server's entry point. Reads the command line,
// builds the program, runs its event loop (on this thread headless, beside
// the desktop's windows otherwise, which the view module loaded only then
// shows), and turns SIGINT and SIGTERM into the main window's close request.
#include <atomic>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <pthread.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "platform/clock.h"
#include "platform/nonblocking_line_writer.h"
#include "shell/command_line.h"
#include "shell/desktop_module.h"
#include "shell/program.h"

namespace {

std::string executable_dir() {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string("./") : path.parent_path().string() + "/";
}

// Waits for signals on a thread of its own, so that the model thread sees
// them as ordinary tasks. A first SIGINT or SIGTERM asks the main window to
// close; when that close was abandoned because the settings could not be
// saved, the next one ends the program without saving. SIGUSR1 ends the wait.
class signal_watch {
public:
    explicit signal_watch(orb_program& program) : program_(program) {
        thread_ = std::thread([this] { watch(); });
    }
    ~signal_watch() {
        ::pthread_kill(thread_.native_handle(), SIGUSR1);
        thread_.join();
    }

    static sigset_t signals() {
        sigset_t set;
        sigemptyset(&set);
        sigaddset(&set, SIGINT);
        sigaddset(&set, SIGTERM);
        sigaddset(&set, SIGUSR1);
        return set;
    }

private:
    void watch() {
        const sigset_t set = signals();
        for (;;) {
            int received = 0;
            if (::sigwait(&set, &received) != 0 || received == SIGUSR1) return;
            if (close_failed_) {
                program_.kit().loop().post([this] { program_.close_without_saving(); });
            } else {
                program_.kit().loop().post([this] { close_failed_ = !program_.request_close(); });
            }
        }
    }

    orb_program& program_;
    std::atomic<bool> close_failed_{false};
    std::thread thread_;
};

} // namespace

int main(int argc, char** argv) {
    const command_line line = parse_command_line(std::vector<std::string>(argv + 1, argv + argc), executable_dir());
    switch (line.what) {
    case command_line::action::help: std::cout << usage_text(); return 0;
    case command_line::action::version: std::cout << version_text(); return 0;
    case command_line::action::refuse: std::cerr << line.error << "\n" << usage_text(); return 2;
    case command_line::action::run: break;
    }
    const server_options& parsed = line.options;
    view_module view;
    if (!parsed.headless) {
        if (!display_available()) {
            std::cerr << "orb_server: the windows need a display (DISPLAY or WAYLAND_DISPLAY is not set); "
                         "start it on the desktop, or with --headless\n";
            return 1;
        }
        view = load_view_module(executable_dir());
        if (!view.run) {
            std::cerr << view.error << "\n";
            return 1;
        }
    }

    // Every thread made from here on leaves these signals to the watcher.
    const sigset_t set = signal_watch::signals();
    ::pthread_sigmask(SIG_BLOCK, &set, nullptr);

    // A reader of standard output that goes away (orb_server | head) loses
    // the console's lines; it must not end the server.
    ::signal(SIGPIPE, SIG_IGN);
    // Standard output may be a pipe that nobody reads: the console drops
    // lines rather than stop the model thread, which echoes the status log.
    nonblocking_line_writer console(STDOUT_FILENO);
    const auto say = [&console](const std::string& line) { console.write_line(line); };

    steady_clock_source clock;
    orb_program program(clock, parsed.program_dir);
    if (parsed.headless) {
        program.kit().notifications().write_line = say;
        program.network->logger.add_display(say);
        say("orb_server: running headless in " + parsed.program_dir);
    } else {
        say("orb_server: running on the desktop in " + parsed.program_dir);
    }

    signal_watch watch(program);
    program.start();
    // The LX200 place first: it is served as soon as the network is on.
    if (parsed.lx200) program.network->serve_lx200_on(parsed.lx200->address, parsed.lx200->port);
    if (parsed.listen) program.network->listen_on(parsed.listen->address, std::to_string(parsed.listen->port));
    if (parsed.headless) program.kit().loop().run();
    else view.run(&program.kit(), argc, argv);
    say("orb_server: closed");
    return 0;
}
