// The comms panel's window, its keys in server.ini with the port repair and
// the serial device paths, and the comms log file.
#include "tests/scope_link/comms_fixture.h"

#include "settings/settings_file.h"

#include <sys/stat.h>

namespace {

using panel_test = comms_fixture;

TEST_F(panel_test, window_and_lists) {
    make();
    EXPECT_EQ(comms->name(), "scope_comms");
    EXPECT_EQ(comms->caption(), "ORB Comms control");
    EXPECT_EQ(comms->help_keyword(), "Communications");
    EXPECT_EQ(comms->client_width(), 256);
    EXPECT_EQ(comms->client_height(), 203);
    EXPECT_EQ(comms->port_group.caption(), "Port Configuration");
    EXPECT_EQ(comms->interval_label.caption(), "Interval Timeout ");
    EXPECT_EQ(comms->port_edit.items().size(), 8u);
    EXPECT_EQ(comms->speed_edit.items().back(), "115200");
    EXPECT_EQ(comms->interval_edit.items().size(), 14u);
    EXPECT_FALSE(comms->visible());
    EXPECT_EQ(comms->operations.commands.records().size(), 39u);
}

TEST_F(panel_test, stored_port_texts_are_repaired_on_load) {
    const std::pair<const char*, const char*> cases[] = {
        {"COM9", "COM1"}, {"COM12", "COM12"}, {"COM", "COM1"}, {"COMx", "COMx"}, {"COM4", "COM4"}};
    for (const auto& [stored, loaded] : cases) {
        SCOPED_TRACE(stored);
        dir.write("server.ini", std::string("[comms]\ncomport=") + stored + "\n");
        make();
        EXPECT_EQ(comms->port_edit.text(), loaded);
        comms.reset();
    }
    // COM12 loads, and is refused when connecting.
    dir.write("server.ini", "[comms]\ncomport=COM12\n");
    make();
    EXPECT_FALSE(comms->operations.connect_to_scope());
    EXPECT_TRUE(logged("Invalid communication port : COM12"));
}

TEST_F(panel_test, save_writes_the_keys_in_order_and_an_unchanged_run_rewrites_the_same) {
    make();
    comms->log.log_to_file = false;
    {
        ini_file file(dir.file("server.ini"));
        comms->save_settings(file);
        comms->link.serial_devices.save(file);
    }
    const std::string first = dir.read("server.ini");
    const char* keys[] = {"timeout=100", "interval=10", "comport=COM1", "baud=9600", "databits=8",
                          "parity=N", "stopbits=1", "top=", "left=", "message_logging=0",
                          "io_logging=", "file_logging=0", "another_monitor=", "visible=0"};
    std::size_t at = 0;
    for (const char* key : keys) {
        SCOPED_TRACE(key);
        const std::size_t found = first.find(key, at);
        ASSERT_NE(found, std::string::npos);
        at = found;
    }
    EXPECT_NE(first.find("[serial_devices]\nCOM1=/dev/ttyS0\n"), std::string::npos);
    EXPECT_NE(first.find("COM8=/dev/ttyS7"), std::string::npos);

    comms.reset();
    make();
    {
        ini_file file(dir.file("server.ini"));
        comms->save_settings(file);
        comms->link.serial_devices.save(file);
    }
    EXPECT_EQ(dir.read("server.ini"), first);
}

TEST_F(panel_test, typed_texts_are_saved_unchanged_and_device_paths_kept) {
    dir.write("server.ini", "[serial_devices]\nCOM2=/dev/ttyUSB0\n");
    make();
    comms->show();
    forms::user::type_text(comms->speed_edit, "fast");
    forms::user::type_text(comms->port_edit, "  COM2");
    {
        ini_file file(dir.file("server.ini"));
        comms->save_settings(file);
        comms->link.serial_devices.save(file);
    }
    const ini_file saved(dir.file("server.ini"));
    EXPECT_EQ(saved.read_string("comms", "baud", ""), "fast");
    EXPECT_EQ(saved.read_string("serial_devices", "COM2", ""), "/dev/ttyUSB0");
    // The speed is refused when opening.
    EXPECT_FALSE(comms->link.open(comms->current_serial_settings()));
    EXPECT_TRUE(logged("buildcommdcb failed"));
}

TEST_F(panel_test, log_file_begins_anew_and_appends_only_while_switched_on) {
    make();
    dir.write("orb-client.log", "old session\n");
    comms->log.init_log_file("orb-client.log");
    EXPECT_EQ(comms->log.log_path(), dir.file("orb-client.log"));
    std::string log = dir.read("orb-client.log");
    EXPECT_EQ(log.find("old session"), std::string::npos);
    EXPECT_NE(log.find(" : session started\n"), std::string::npos);

    comms->log.write_log("not while off");
    EXPECT_EQ(dir.read("orb-client.log"), log);

    comms->log.log_to_file = true;
    comms->log.write_log("read >>");
    log = dir.read("orb-client.log");
    const std::string last = log.substr(log.rfind('\n', log.size() - 2) + 1);
    // hh:mm:ss.zzz : line
    ASSERT_EQ(last.size(), 12 + 3 + 7 + 1);
    EXPECT_EQ(last[2], ':');
    EXPECT_EQ(last[8], '.');
    EXPECT_EQ(last.substr(12), " : read >>\n");
}

TEST_F(panel_test, log_failures_are_reported_once_even_when_the_log_logs_itself) {
    make();
    // As the network panel's status log does: every line shown is logged.
    above.on_message = [this](const std::string& text) { comms->log.write_log(text); };
    comms->log.log_to_file = true;
    comms->log.write_log("no log begun");
    EXPECT_EQ(messages, std::vector<std::string>{"cant open log : "});

    ::mkdir(dir.file("taken").c_str(), 0700);
    messages.clear();
    comms->log.init_log_file("taken");
    // The failure, and the log's own failure to record it; nothing more.
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages[0].starts_with("failed to open log : "));
    EXPECT_EQ(messages[1], "cant open log : " + dir.file("taken"));
    messages.clear();
    comms->log.write_log("line");
    EXPECT_EQ(messages, std::vector<std::string>{"cant open log : " + dir.file("taken")});
}

TEST_F(panel_test, the_lists_start_as_com1_at_9600_8n1_and_reach_the_link_as_they_read) {
    make();
    EXPECT_EQ(comms->port_edit.text(), "COM1");
    EXPECT_EQ(comms->speed_edit.text(), "9600");
    EXPECT_EQ(comms->data_bits_edit.text(), "8");
    EXPECT_EQ(comms->parity_edit.text(), "N");
    EXPECT_EQ(comms->stop_bits_edit.text(), "1");
    EXPECT_EQ(comms->timeout_edit.text(), "100");
    EXPECT_EQ(comms->interval_edit.text(), "10");
    comms->parity_edit.set_text("E");
    const serial_settings lists = comms->current_serial_settings();
    EXPECT_EQ(lists.port + " " + lists.speed + " " + lists.data_bits + lists.parity + lists.stop_bits + " " +
                  lists.timeout + " " + lists.interval,
              "COM1 9600 8E1 100 10");
}

TEST_F(panel_test, timeouts_follow_the_lists_and_bad_numbers_fall_back) {
    dir.write("server.ini", "[comms]\ntimeout=1000\ninterval=100\n");
    make();
    ASSERT_TRUE(comms->link.open(comms->current_serial_settings()));
    EXPECT_EQ(device.timeouts_set().front(), (serial_timeouts{100, 0, 1000, 0, 1000}));

    comms->show();
    forms::user::type_text(comms->timeout_edit, "250");
    EXPECT_EQ(comms->link.timeout(), 250);
    forms::user::type_text(comms->timeout_edit, "abc");
    EXPECT_EQ(comms->link.timeout(), 1000);
    // No total limit would let a read wait for a silent scope for ever.
    forms::user::type_text(comms->timeout_edit, "0");
    EXPECT_EQ(comms->link.timeout(), 1000);
    forms::user::type_text(comms->interval_edit, "x");
    EXPECT_EQ(comms->link.interval(), 100);
    forms::user::type_text(comms->interval_edit, "0");
    EXPECT_EQ(comms->link.interval(), 0);
}

}  // namespace
