// The fake LX200 that integration tests of the link rely on, spoken to
// through the real termios device: coordinates, goto, the stopped poll of
// both models, and commands that get no answer.
#include "tests/fixtures/fake_lx200.h"

#include "platform/termios_serial_device.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

class scope_line {
public:
    explicit scope_line(const fake_lx200& scope) {
        EXPECT_TRUE(device_.open(scope.device_path()));
        EXPECT_TRUE(device_.setup_queues(serial_buffer_size, serial_buffer_size));
        EXPECT_TRUE(device_.read_settings());
        EXPECT_TRUE(device_.build_settings("baud=9600 parity=N data=8 stop=1"));
        EXPECT_TRUE(device_.write_settings());
        device_.set_timeouts({30, 0, 300, 0, 300});
    }

    // Sends the command and returns whatever one read brings back.
    std::string ask(const std::string& command) {
        EXPECT_EQ(device_.write(command).count, command.size());
        std::array<char, serial_buffer_size> buffer{};
        serial_transfer got = device_.read(buffer);
        EXPECT_TRUE(got.ok());
        return std::string(buffer.data(), got.count);
    }

private:
    termios_serial_device device_;
};

TEST(fake_lx200, goes_to_a_target_and_reports_it_in_both_precisions) {
    fake_lx200 scope;
    scope.set_slew_polls(2);
    scope_line line(scope);

    EXPECT_EQ(line.ask("#:Sr12:30:00#"), "1");
    EXPECT_EQ(line.ask("#:Sd-05\xDF" "30:15#"), "1");
    EXPECT_EQ(line.ask("#:Sr24:00:00#"), "0");
    EXPECT_EQ(line.ask("#:Sd+42:08:59#"), "0");  // no degree sign
    EXPECT_EQ(line.ask("#:MS#"), "0");
    EXPECT_EQ(line.ask(":D#"), "\x7f\x7f\x7f\x7f#");
    EXPECT_EQ(line.ask(":D#"), "\x7f\x7f\x7f\x7f#");
    EXPECT_EQ(line.ask(":D#"), "#");
    EXPECT_EQ(line.ask("#:GR#"), "12:30:00#");
    EXPECT_EQ(line.ask("#:GD#"), "-05\xDF" "30:15#");
    EXPECT_EQ(line.ask("#:GA#"), "+15\xDF" "46:12#");
    EXPECT_EQ(line.ask("#:GZ#"), "329\xDF" "27:27#");

    EXPECT_EQ(line.ask("#:U#"), "");
    EXPECT_EQ(line.ask("#:GR#"), "12:30.0#");
    EXPECT_EQ(line.ask("#:GD#"), "-05\xDF" "30#");
    EXPECT_EQ(line.ask("#:GZ#"), "329\xDF" "27.4#");
    // Low-precision arguments are taken too.
    EXPECT_EQ(line.ask("#:Sr01:02.5#"), "1");
    EXPECT_EQ(scope.target().ra, 1.0 + 2.5 / 60);
}

TEST(fake_lx200, a_refused_slew_answers_its_message_and_stays) {
    fake_lx200 scope;
    scope.refuse_slews("Object below horizon");
    scope_line line(scope);
    EXPECT_EQ(line.ask("#:Sa-10\xDF" "00:00#"), "1");
    EXPECT_EQ(line.ask("#:MA#"), "1Object below horizon#");
    EXPECT_FALSE(scope.slewing());
    EXPECT_EQ(line.ask("#:GA#"), "+15\xDF" "46:12#");

    scope.refuse_slews("");
    scope.set_slew_time(100ms);
    EXPECT_EQ(line.ask("#:Sz180\xDF" "00:00#"), "1");
    EXPECT_EQ(line.ask("#:MA#"), "0");
    EXPECT_TRUE(scope.slewing());
    std::this_thread::sleep_for(150ms);
    EXPECT_FALSE(scope.slewing());
    EXPECT_EQ(scope.position().alt, -10.0);
    EXPECT_EQ(scope.position().az, 180.0);
}

TEST(fake_lx200, an_autostar_answers_the_stopped_poll_the_other_way_round) {
    fake_lx200 scope(lx200_model::autostar);
    scope.set_slew_polls(1);
    scope_line line(scope);
    EXPECT_EQ(line.ask("#:MS#"), "0");
    EXPECT_EQ(line.ask(":D#"), "#");
    EXPECT_EQ(line.ask(":D#"), "|#");
}

TEST(fake_lx200, commands_without_answers_and_line_noise_leave_only_the_answers) {
    fake_lx200 scope;
    scope_line line(scope);
    const std::string quiet = "#:Mn#:Qn#:Q#:RS#:RC#:F+#:FQ#:F3#:T+#:TL#";
    EXPECT_EQ(line.ask(quiet + std::string("\0\xFF##", 4) + "#:GR#"), "12:08:54#");
    EXPECT_EQ(line.ask("#:Sw3#"), "1");
    EXPECT_EQ(line.ask("#:Sw9#"), "0");

    scope.set_position({1.5, 10, 20, 30});
    EXPECT_EQ(line.ask("#:CM#"), " M31 EX GAL MAG 3.5 SZ178.0'#");
    EXPECT_EQ(scope.position().ra, 12.0 + 8.0 / 60 + 54.0 / 3600);  // synced on the target

    const std::vector<std::string> expected = {"Mn", "Qn", "Q",  "RS", "RC",  "F+",  "FQ",
                                               "F3", "T+", "TL", "GR", "Sw3", "Sw9", "CM"};
    EXPECT_EQ(scope.commands(), expected);
    EXPECT_EQ(scope.received().substr(0, quiet.size()), quiet);
}

}  // namespace
