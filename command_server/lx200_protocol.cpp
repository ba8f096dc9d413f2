#include "command_server/lx200_protocol.h"

#include <cmath>
#include <cstdio>

#include "command_server/command_processor.h"
#include "command_server/server_panels.h"
#include "command_server/status_logger.h"
#include "command_server/lx200_framing.h"
#include "platform/local_time.h"
#include "scope_link/scope_operations.h"
#include "text/integer_text.h"
#include "text/number_text.h"
#include "text/trim.h"

namespace {

// A real LX200 answers ":SC" with "1", then this, blank-padded, then "#";
// SkySafari waits for the second part.
constexpr const char* date_accepted = "1Updating Planetary Data#                              #";

constexpr const char* synced = " Coordinates     matched.        #";

// The texts a Meade sends, from angles held as numbers. Rounded to the
// last digit shown, not truncated: a position read as 46:12 and held as
// 15.77 must not come back as 46:11. Whole units first, so that minutes
// and seconds never read "60".
std::string degree_text(double value, bool with_sign, bool with_seconds) {
    const long long parts = std::llround(std::fabs(value) * (with_seconds ? 3600 : 60));
    const long long units = with_seconds ? parts / 3600 : parts / 60;
    const int minutes = int(with_seconds ? parts / 60 % 60 : parts % 60);
    char text[48];
    int length = with_sign ? std::snprintf(text, sizeof text, "%c%02lld%c%02d", value < 0 ? '-' : '+', units,
                                           degree_sign, minutes)
                           : std::snprintf(text, sizeof text, "%03lld%c%02d", units, degree_sign, minutes);
    if (with_seconds) std::snprintf(text + length, sizeof text - std::size_t(length), ":%02d", int(parts % 60));
    return std::string(text) + "#";
}

// Right ascension as "HH:MM:SS#" or "HH:MM.T#", within one day.
std::string hours_text(double hours, bool with_seconds) {
    char text[32];
    if (with_seconds) {
        const long long seconds = std::llround(hours * 3600) % 86400;
        std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld#", seconds / 3600, seconds / 60 % 60, seconds % 60);
    } else {
        const long long tenths = std::llround(hours * 600) % 14400;
        std::snprintf(text, sizeof text, "%02lld:%02lld.%lld#", tenths / 600, tenths / 10 % 60, tenths % 10);
    }
    return text;
}

// An angle brought into 0 up to 360.
double full_circle(double degrees) {
    double turned = std::fmod(degrees, 360.0);
    if (turned < 0) turned += 360;
    return turned;
}

// Three fields of two digits each with the separator between them, as
// "21:30:00" or "12/11/26".
bool three_fields(std::string_view text, char separator, int (&fields)[3]) {
    if (text.size() != 8 || text[2] != separator || text[5] != separator) return false;
    for (int i = 0; i < 3; ++i) {
        const std::optional<std::int32_t> read = read_integer(text.substr(std::size_t(i) * 3, 2), {.sign = false});
        if (!read) return false;
        fields[i] = *read;
    }
    return true;
}

// "HH:MM:SS", checked as a time of day.
bool read_clock_time(std::string_view text) {
    int f[3];
    return three_fields(text, ':', f) && f[0] < 24 && f[1] < 60 && f[2] < 60;
}

// "MM/DD/YY", checked as a date.
bool read_date(std::string_view text) {
    int f[3];
    return three_fields(text, '/', f) && f[0] >= 1 && f[0] <= 12 && f[1] >= 1 && f[1] <= 31;
}

// A whole angle's numbers as the texts may give them.
bool in_range(const angle_record& record, int max_units) {
    return std::abs(record.units) <= max_units && record.minutes >= 0 && record.minutes < 60 &&
           record.seconds >= 0 && record.seconds < 60;
}

} // namespace

lx200_protocol::lx200_protocol(command_processor& processor, scope_teller& scope, server_panels& panels,
                               status_logger& log, const program_clock& clock, const lx200_settings& settings)
    : processor_(processor),
      scope_(scope),
      panels_(panels),
      log_(log),
      clock_(clock),
      settings_(settings),
      high_precision_(settings.high_precision) {}

std::optional<std::string> lx200_protocol::answer(std::string_view command, lx200_client& client) {
    if (command == std::string_view(&lx200_framer::ack, 1)) return mount_mode();
    if (command == "GR" || command == "GD" || command == "GA" || command == "GZ") return position(command, client);
    if (command == "U") {
        high_precision_ = !high_precision_;
        return std::nullopt;
    }
    if (command.starts_with("Sr") || command.starts_with("Sd")) return set_target(command);
    if (command == "MS") return slew(client);
    if (command == "CM") return sync(client);
    if (command == "D") return distance_bars(client);
    if (command == "Q") return plain("stop_all", client);
    struct named {
        std::string_view command;
        const char* operation;
    };
    static constexpr named directions[] = {
        {"Mn", "move_north"},  {"Ms", "move_south"},  {"Me", "move_east"},    {"Mw", "move_west"},
        {"Qn", "stop_north"},  {"Qs", "stop_south"},  {"Qe", "stop_east"},    {"Qw", "stop_west"},
        {"RG", "speed_guide"}, {"RC", "speed_center"}, {"RM", "speed_move"},   {"RS", "speed_slew"},
    };
    for (const named& d : directions)
        if (command == d.command) return plain(d.operation, client);
    if (command == "GVP") return panels_.model_text() + "#";
    if (command == "GVN") return version + "#";
    if (command.size() == 2 && command[0] == 'G') return site(command);
    if (command.starts_with("St") || command.starts_with("Sg") || command.starts_with("SG") ||
        command.starts_with("SL") || command.starts_with("SC"))
        return set_site(command);
    return std::nullopt;
}

std::string lx200_protocol::mount_mode() const {
    if (!settings_.mount_mode.empty()) return settings_.mount_mode;
    return panels_.model_index() == 1 ? "A" : "P";
}

void lx200_protocol::take_control(lx200_client& client) {
    // A planetarium program has no "connect" of ours to send: its first
    // command to reach the scope connects it.
    if (!scope_.connected()) {
        tscope_object position;
        scope_.tell("connect", position);
    }
    processor_.client_playing = true;
    if (client.playing) return;
    client.playing = true;
    log_.update_status_log("LX200 client " + client.name + " : play", true);
}

bool lx200_protocol::read_position(cached_position& cache, const char* operation, lx200_client& client) {
    take_control(client);
    const milliseconds now = clock_.now();
    if (cache.valid && now - cache.read_at < milliseconds(settings_.position_age)) return true;
    tscope_object read;
    if (!scope_.tell(operation, read).starts_with("ok")) return false;
    cache = {read, now, true};
    return true;
}

std::optional<std::string> lx200_protocol::position(std::string_view command, lx200_client& client) {
    const bool equatorial = command == "GR" || command == "GD";
    cached_position& cache = equatorial ? equatorial_ : horizontal_;
    if (!read_position(cache, equatorial ? "get_ra_dec" : "get_az_alt", client)) return std::nullopt;
    const tscope_object& at = cache.object;
    if (command == "GR") return hours_text(at.ra, high_precision_);
    if (command == "GD") return degree_text(at.dec, true, high_precision_);
    if (command == "GA") return degree_text(at.alt, true, high_precision_);
    return degree_text(full_circle(at.az), false, high_precision_);
}

std::optional<std::string> lx200_protocol::set_target(std::string_view command) {
    // Older Stellarium builds put a blank after "Sr".
    const std::string_view text = trim(command.substr(2));
    tscope_object parsed;
    if (command.starts_with("Sr")) {
        hms record;
        record.full_text = text;
        if (!parse_ra(parsed, record) || !in_range(record, 23) || record.units < 0) return "0";
        target_ra_ = parsed.ra;
    } else {
        dms record;
        record.full_text = text;
        if (!parse_dec(parsed, record) || !in_range(record, 90) || std::fabs(parsed.dec) > 90) return "0";
        target_dec_ = parsed.dec;
    }
    return "1";
}

std::string lx200_protocol::slew(lx200_client& client) {
    if (!target_ra_ || !target_dec_) return "1No target set#";
    take_control(client);
    tscope_object result;
    const std::string reply = scope_.tell("goto_ra_dec(ra=" + format_general_number(*target_ra_) +
                                              ",dec=" + format_general_number(*target_dec_) + ")",
                                          result);
    equatorial_.valid = false;
    if (reply.starts_with("ok")) return "0";
    // A scope that refuses says why: "1Object Below Horizon#".
    const std::string said = scope_.last_answer();
    if (said.size() > 1 && (said[0] == '1' || said[0] == '2')) {
        const std::size_t end = said.find('#');
        return "1" + said.substr(1, end == std::string::npos ? end : end - 1) + "#";
    }
    std::string reason = reply.starts_with("fail : ") ? reply.substr(7) : std::string();
    if (reason.empty()) reason = "Slew refused";
    return "1" + reason + "#";
}

std::string lx200_protocol::sync(lx200_client& client) {
    if (!target_ra_ || !target_dec_) return "No target set#";
    take_control(client);
    tscope_object result;
    const std::string reply = scope_.tell("align(ra=" + format_general_number(*target_ra_) +
                                              ",dec=" + format_general_number(*target_dec_) + ")",
                                          result);
    equatorial_.valid = false;
    if (!reply.starts_with("ok")) return "Sync failed#";
    const std::string said = scope_.last_answer();
    return said.size() > 1 && said.back() == '#' ? said : synced;
}

std::optional<std::string> lx200_protocol::distance_bars(lx200_client& client) {
    take_control(client);
    tscope_object result;
    if (!scope_.tell("stopped", result).starts_with("ok")) return std::nullopt;
    return result.moving ? "|#" : "#";
}

std::optional<std::string> lx200_protocol::plain(std::string_view operation, lx200_client& client) {
    take_control(client);
    tscope_object result;
    scope_.tell(operation, result);
    equatorial_.valid = horizontal_.valid = false;
    return std::nullopt;
}

std::optional<std::string> lx200_protocol::site(std::string_view command) {
    if (command == "Gt") return degree_text(panels_.latitude(), true, false);
    if (command == "Gg") return degree_text(full_circle(panels_.longitude()), false, false);
    if (command == "GG") {
        char text[16];
        std::snprintf(text, sizeof text, "%+03d#", -panels_.time_zone());
        return text;
    }
    if (command == "Gc") return "24#";
    if (command == "GM") return "ORB#";
    if (command == "GT") return "60.1#";
    if (command != "GL" && command != "GC") return std::nullopt;
    // The site's local time: universal time and the location panel's zone.
    const std::time_t local = universal_time() + std::time_t(panels_.time_zone()) * 3600;
    std::tm parts{};
    ::gmtime_r(&local, &parts);
    char text[64];
    if (command == "GL")
        std::snprintf(text, sizeof text, "%02d:%02d:%02d#", parts.tm_hour, parts.tm_min, parts.tm_sec);
    else
        std::snprintf(text, sizeof text, "%02d/%02d/%02d#", parts.tm_mon + 1, parts.tm_mday, parts.tm_year % 100);
    return text;
}

std::optional<std::string> lx200_protocol::set_site(std::string_view command) {
    const std::string_view text = trim(command.substr(2));
    if (command.starts_with("SL")) return read_clock_time(text) ? "1" : "0";
    if (command.starts_with("SC")) return read_date(text) ? date_accepted : "0";
    double latitude = panels_.latitude();
    double longitude = panels_.longitude();
    double zone = panels_.time_zone();
    tscope_object parsed;
    dms record;
    record.full_text = text;
    if (command.starts_with("St")) {
        if (!parse_dec(parsed, record) || !in_range(record, 90) || std::fabs(parsed.dec) > 90) return "0";
        latitude = parsed.dec;
    } else if (command.starts_with("Sg")) {
        if (!parse_dec(parsed, record) || !in_range(record, 360) || parsed.dec < 0 || parsed.dec > 360) return "0";
        longitude = parsed.dec;
    } else {
        // Hours to add to local time for universal time: the zone's opposite.
        double offset = 0;
        if (!parse_general_number(text, offset) || std::fabs(offset) > 24) return "0";
        zone = -offset;
    }
    // As "set_observer" reaches the location panel.
    return panels_.set_location(latitude, longitude, zone, local_day_count()) ? "1" : "0";
}
