// Fuzz target for the coordinate parsers and both template interpreters: any
// bytes must give a result or a failure text, never a crash or a bad read.
// Built and run by fuzz/run.sh, never by the test suite.
#include "scope_link/orb_server_object.h"
#include "scope_link/template_engine.h"
#include "settings/configuration_settings.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    // First byte: the settings; the rest: a template and a value or answer,
    // split at the first NUL (the whole rest is also tried as each text alone).
    configuration_settings settings;
    settings.seconds_bug = data[0] & 1;
    settings.century_bug = data[0] & 2;
    settings.scope_type =
        (data[0] & 4) ? configuration_settings::autostar : configuration_settings::lx200;
    const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto split = input.find('\0');
    const std::string_view pattern = input.substr(0, split);
    const std::string_view text =
        split == std::string_view::npos ? std::string_view{} : input.substr(split + 1);

    tscope_object object;
    hms ra;
    dms dec, az;
    ams alt;
    ra.full_text = dec.full_text = az.full_text = alt.full_text = std::string(input);
    parse_ra(object, ra);
    parse_dec(object, dec);
    parse_alt(object, alt);
    parse_az(object, az, settings);
    decode_century_degrees(input);

    format_argument(pattern, text, object, settings);
    decode_answer(pattern, text, object, settings);
    decode_answer(pattern, input, object, settings);

    // Whatever the parsers stored must format again without trouble.
    object.current_ra(ra, settings);
    object.current_dec(dec, settings);
    object.current_alt(alt, settings);
    object.current_az(az, settings);
    return 0;
}
