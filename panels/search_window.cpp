// The search panel's window: the geometry edits, the cycler and reset
// buttons with their captions and glyphs, creation and its settings.
#include "panels/orb_server_search.h"

#include "command_server/command_processor.h"
#include "settings/settings_file.h"
#include "text/number_text.h"

namespace {

constexpr const char* search_section = "search";

} // namespace

Tscope_search::Tscope_search(forms::toolkit& kit, panel_host& host, const panel_peers& peers,
                             const serial_link& link)
    : panel_window(kit, host, {"scope_search", "ORB Search Control", "search", "Search", 232, 280, false}),
      search_timer(kit.loop(), "search_timer"),
      peers_(peers),
      link_(link) {
    build_window();
    // FormCreate
    search_timer.stop();
    flip_buttons(false);
    load_settings();
    loading = false;
}

void Tscope_search::build_window() {
    dimensions_group.set_caption("Pixel Resolution");
    dimensions_group.set_bounds({8, 8, 216, 120});
    const struct {
        forms::label& label;
        const char* caption;
        forms::edit& edit;
        const char* text;
    } rows[] = {{width_label, "Width  of window in Pixels", width_edit, "320"},
                {height_label, "Height of window in Pixels", height_edit, "240"},
                {seconds_label, "Arcseconds per Pixel", seconds_edit, "1"},
                {timeout_label, "Poll timeout in milliseconds", timeout_edit, "1000"}};
    int top = 18;
    for (const auto& r : rows) {
        r.label.set_caption(r.caption);
        r.label.set_bounds({8, top + 4, 144, 13});
        r.edit.set_text(r.text);
        r.edit.set_bounds({156, top, 52, 21});
        top += 25;
    }
    width_edit.on_change = [this] { width_editChange(); };
    height_edit.on_change = [this] { height_editChange(); };
    seconds_edit.on_change = [this] { seconds_editEnter(); };
    timeout_edit.on_change = [this] { timeout_editChange(); };

    cycler_group.set_caption("Cycler");
    cycler_group.set_bounds({8, 132, 216, 76});
    reset_group.set_caption("Reset");
    reset_group.set_bounds({8, 212, 216, 64});
    const struct {
        forms::panel& panel;
        forms::glyph_button& button;
        forms::label& label;
        const char* caption;
        const char* glyph;
        int left;
    } cells[] = {{out_panel, out_button, out_label, "Out", "STEP_UP", 8},
                 {in_panel, in_button, in_label, "In", "STEP_DOWN", 60},
                 {clock_panel, clock_button, clock_label, "Clock", "SOUTH_CLOCK", 112},
                 {counter_panel, counter_button, counter_label, "Anti", "SOUTH_ANTI", 164},
                 {reset_panel, reset_button, reset_label, "Reset", "", 56},
                 {stop_panel, stop_button, stop_label, "Stop", "STOP", 116}};
    for (const auto& c : cells) {
        c.panel.set_bounds({c.left, 16, 44, 56});
        c.button.set_bounds({4, 0, 36, 36});
        c.button.set_glyph(c.glyph);
        c.label.set_caption(c.caption);
        c.label.set_bounds({4, 38, 36, 13});
    }
    reset_panel.set_height(44);
    stop_panel.set_height(44);
    reset_button.set_bounds({4, 0, 36, 26});
    stop_button.set_bounds({4, 0, 36, 26});
    reset_label.set_top(28);
    stop_label.set_top(28);
    out_button.on_click = [this] { out_buttonClick(); };
    in_button.on_click = [this] { in_buttonClick(); };
    clock_button.on_click = [this] { clock_buttonClick(); };
    counter_button.on_click = [this] { counter_buttonClick(); };
    reset_button.on_click = [this] { reset_buttonClick(); };
    stop_button.on_click = [this] { stop_buttonClick(); };
    search_timer.on_timer = [this] { search_timerTimer(); };
}

void Tscope_search::load_own_settings(const ini_file& file) {
    loading = true;
    window_height = file.read_integer(search_section, "window_height", 240);
    window_width = file.read_integer(search_section, "window_width", 320);
    height_part = file.read_float(search_section, "height_part", 20);
    width_part = file.read_float(search_section, "width_part", 20);
    seconds_in_pixel = file.read_float(search_section, "seconds_in_pixel", 30);
    timeout_interval = file.read_integer(search_section, "timeout_interval", 2000);
    // These writes run the edits' handlers: width and height do nothing
    // while loading, the timeout is raised to its least.
    height_edit.set_text(std::to_string(window_height));
    width_edit.set_text(std::to_string(window_width));
    seconds_edit.set_text(format_general_number(seconds_in_pixel));
    timeout_edit.set_text(std::to_string(timeout_interval));
}

// First the processor copies the four edits into the values (its reset).
void Tscope_search::save_own_settings(ini_file& file) {
    peers_.processor().send_message_check("reset_search");
    file.write_integer(search_section, "window_height", window_height);
    file.write_integer(search_section, "window_width", window_width);
    file.write_float(search_section, "height_part", height_part);
    file.write_float(search_section, "width_part", width_part);
    file.write_float(search_section, "seconds_in_pixel", seconds_in_pixel);
    file.write_integer(search_section, "timeout_interval", timeout_interval);
}
