#include "scope_link/command_set_files.h"

#include <array>

#include "settings/configuration_settings.h"
#include "settings/settings_file.h"

namespace {

// Which template keys a section has, and the order its keys are written in.
enum class key_layout {
    plain,        // write, append, returns
    object,       // ... returns, object
    valid,        // ... returns, valid
    get,          // ... returns, high, low
    set_checked,  // write, append, high, low, returns, valid=1, invalid=0
    set_valid,    // write, append, high, low, returns, valid
    set_unchecked, // write, append, high, low, returns
    speed,        // write, append, speed, returns, value
    focus_speed,  // write, append, speed, returns
};

struct default_command {
    const char* section;
    const char* name;
    const char* write;
    bool append;
    bool returns;
    key_layout layout;
    const char* reply_high; // "stopped" depends on the model: see stopped_template
    const char* reply_low;
    const char* arg_high;
    const char* arg_low;
    const char* test_reply;
};

using enum key_layout;

// The built-in command set, in creation order. "\xDF" is the degree byte.
constexpr std::array<default_command, 39> defaults{{
    {"switch_precision", "switch_precision", "#:U#", false, false, plain, "", "", "", "", ""},
    {"query", "query", "#:GR#", false, true, object, "$*$", "", "", "", "default test scope"},
    {"stopped", "stopped", ":D#", false, true, valid, "", "", "", "", "#"},
    {"get_ra", "get_ra", "#:GR#", false, true, get, "$hms$", "$hmt$", "", "", "12:08:54"},
    {"get_dec", "get_dec", "#:GD#", false, true, get, "$dms$", "$dm$", "", "", "+42\xDF" "08:59"},
    {"get_alt", "get_alt", "#:GA#", false, true, get, "$ams$", "$am$", "", "", "15\xDF" "46:12"},
    {"get_az", "get_az", "#:GZ#", false, true, get, "$ddms$", "$ddmt$", "", "", "P9\xDF" "27:27"},
    {"set_ra", "set_ra", "#:Sr", true, true, set_checked, "$valid=1$", "", "$hms$#", "$hmt$#", ""},
    {"set_dec", "set_dec", "#:Sd", true, true, set_checked, "$valid=1$", "", "$dms$#", "$dm$#", ""},
    {"set_alt", "set_alt", "#:Sa", true, true, set_valid, "$valid=1$", "", "$ams$#", "$am$#", ""},
    {"set_az", "set_az", "#:Sz", true, false, set_unchecked, "", "", "$ddms$#", "$ddmt$#", ""},
    {"slew_ra", "slew_ra", "#:MS#", false, true, valid, "$valid=0$", "", "", "", "0"},
    {"slew_az", "slew_az", "#:MA#", false, true, valid, "$valid=0$", "", "", "", "0"},
    {"sync", "sync", "#:CM#", false, true, object, "$*$", "", "", "", ""},
    {"speed_slew", "speed_slew", "#:RS#", false, false, plain, "", "", "", "", ""},
    {"speed_move", "speed_move", "#:RM#", false, false, plain, "", "", "", "", ""},
    {"speed_guide", "speed_guide", "#:RG#", false, false, plain, "", "", "", "", ""},
    {"speed_centre", "speed_center", "#:RC#", false, false, plain, "", "", "", "", ""},
    {"speed", "speed", "#:Sw", true, true, speed, "$*$", "", "$[2-4]$#", "", ""},
    {"move_north", "move_north", "#:Mn#", false, false, plain, "", "", "", "", ""},
    {"move_east", "move_east", "#:Me#", false, false, plain, "", "", "", "", ""},
    {"move_south", "move_south", "#:Ms#", false, false, plain, "", "", "", "", ""},
    {"move_west", "move_west", "#:Mw#", false, false, plain, "", "", "", "", ""},
    {"stop_north", "stop_north", "#:Qn#", false, false, plain, "", "", "", "", ""},
    {"stop_east", "stop_east", "#:Qe#", false, false, plain, "", "", "", "", ""},
    {"stop_south", "stop_south", "#:Qs#", false, false, plain, "", "", "", "", ""},
    {"stop_west", "stop_west", "#:Qw#", false, false, plain, "", "", "", "", ""},
    {"stop_all", "stop_all", "#:Q#", false, false, plain, "", "", "", "", ""},
    {"stop_move", "stop_move", "#:Q#:Qn#:Qs#:Qe#:Qw#", false, false, plain, "", "", "", "", ""},
    {"focus_fast", "focus_fast", "#:FF#", false, false, plain, "", "", "", "", ""},
    {"focus_slow", "focus_slow", "#:FS#", false, false, plain, "", "", "", "", ""},
    {"focus_speed", "focus_speed", "#:F", true, false, focus_speed, "", "", "$[1-4]$#", "", ""},
    {"focus_in", "focus_in", "#:F+#", false, false, plain, "", "", "", "", ""},
    {"focus_out", "focus_out", "#:F-#", false, false, plain, "", "", "", "", ""},
    {"focus_stop", "focus_stop", "#:FQ#", false, false, plain, "", "", "", "", ""},
    {"increase_tracking", "increase_tracking", "#:T+#", false, false, plain, "", "", "", "", ""},
    {"decrease_tracking", "decrease_tracking", "#:T-#", false, false, plain, "", "", "", "", ""},
    {"default_tracking", "default_tracking", "#:TQ#", false, false, plain, "", "", "", "", ""},
    {"lunar_tracking", "lunar_tracking", "#:TL#", false, false, plain, "", "", "", "", ""},
}};

// An LX200 answers ":D#" with "#" while it slews; an AutoStar the other way round.
const char* stopped_template(int scope_type) {
    return scope_type == configuration_settings::lx200 ? "$valid=#$" : "$valid!#$";
}

// The built-in test scope's answer, which its model's template must read as
// stopped: under the AutoStar's template "#" means moving, so a polled move
// would never end there.
const char* test_reply(const default_command& row, int scope_type) {
    return std::string_view(row.section) == "stopped" && scope_type != configuration_settings::lx200
               ? "|#"
               : row.test_reply;
}

const char* reply_default(const default_command& row, int scope_type) {
    return row.layout == valid && std::string_view(row.section) == "stopped"
               ? stopped_template(scope_type)
               : row.reply_high;
}

// The key holding the answer template, where the section has one.
const char* reply_key(key_layout layout) {
    switch (layout) {
    case object: return "object";
    case valid:
    case set_checked:
    case set_valid: return "valid";
    case get: return "high";
    case speed: return "value";
    default: return nullptr;
    }
}

void read_record(command_table& table, const ini_file& file, const default_command& row,
                 int scope_type) {
    const auto read = [&](const char* key, const char* fallback) {
        return key ? file.read_string(row.section, key, fallback) : std::string(fallback);
    };
    const bool get_layout = row.layout == get;
    const bool arguments = row.layout == set_checked || row.layout == set_valid ||
                           row.layout == set_unchecked;
    const bool speed_argument = row.layout == speed || row.layout == focus_speed;

    const std::string reply_high = read(reply_key(row.layout), reply_default(row, scope_type));
    const std::string reply_low = read(get_layout ? "low" : nullptr, row.reply_low);
    const std::string arg_high =
        read(arguments ? "high" : speed_argument ? "speed" : nullptr, row.arg_high);
    const std::string arg_low = read(arguments ? "low" : nullptr, row.arg_low);

    table.create_command_record(row.name, file.read_string(row.section, "write", row.write),
                                file.read_bool(row.section, "append", row.append), arg_high,
                                arg_low, file.read_bool(row.section, "returns", row.returns),
                                reply_high, reply_low, test_reply(row, scope_type));
}

void write_section(ini_file& file, const default_command& row, int scope_type) {
    const char* section = row.section;
    file.write_string(section, "write", row.write);
    file.write_bool(section, "append", row.append);
    switch (row.layout) {
    case plain:
        file.write_bool(section, "returns", row.returns);
        break;
    case object:
    case valid:
        file.write_bool(section, "returns", row.returns);
        file.write_string(section, reply_key(row.layout), reply_default(row, scope_type));
        break;
    case get:
        file.write_bool(section, "returns", row.returns);
        file.write_string(section, "high", row.reply_high);
        file.write_string(section, "low", row.reply_low);
        break;
    case set_checked:
    case set_valid:
    case set_unchecked:
        file.write_string(section, "high", row.arg_high);
        file.write_string(section, "low", row.arg_low);
        file.write_bool(section, "returns", row.returns);
        if (row.layout == set_checked) {
            file.write_string(section, "valid", "1");
            file.write_string(section, "invalid", "0");
        } else if (row.layout == set_valid) {
            file.write_string(section, "valid", row.reply_high);
        }
        break;
    case speed:
    case focus_speed:
        file.write_string(section, "speed", row.arg_high);
        file.write_bool(section, "returns", row.returns);
        if (row.layout == speed) file.write_string(section, "value", row.reply_high);
        break;
    }
}

} // namespace

std::string command_set_file_name(int scope_type) {
    switch (scope_type) {
    case configuration_settings::lx200: return "lx200.ini";
    case configuration_settings::autostar: return "autostar.ini";
    default: return "default.ini";
    }
}

void read_escape_scopes(command_table& table, const std::string& program_dir, int scope_type) {
    const ini_file file(program_dir + command_set_file_name(scope_type));
    table.clear();
    for (const default_command& row : defaults) read_record(table, file, row, scope_type);
}

void write_escape_scopes(const std::string& program_dir) {
    for (const int scope_type : {configuration_settings::lx200, configuration_settings::autostar}) {
        ini_file file(program_dir + command_set_file_name(scope_type));
        file.begin_save();
        for (const default_command& row : defaults) write_section(file, row, scope_type);
        file.commit();
    }
}
