// The search panel, Tscope_search: the camera window's geometry from which
// the command processor sizes its steps, buttons that walk the ring search
// out, in and around, and the poll that ends every move: while it runs the
// scope panels are off, and when the scope reports it has stopped they come
// back. Its close box simply hides it, without storing its position.
#pragma once

#include <cstdint>
#include <string>

#include "command_server/server_panels.h"
#include "forms/forms.h"
#include "panel_base/panel_window.h"
#include "panels/panel_peers.h"

class serial_link;

class Tscope_search : public panel_window {
public:
    // peers are filled by the program before the first action; the link
    // (the comms panel's) must outlive the panel.
    Tscope_search(forms::toolkit& kit, panel_host& host, const panel_peers& peers, const serial_link& link);

    // ---- the window ----
    forms::group_box dimensions_group{"dimensions_group", this};
    forms::label width_label{"width_label", &dimensions_group};
    forms::edit width_edit{"width_edit", &dimensions_group};
    forms::label height_label{"height_label", &dimensions_group};
    forms::edit height_edit{"height_edit", &dimensions_group};
    forms::label seconds_label{"seconds_label", &dimensions_group};
    forms::edit seconds_edit{"seconds_edit", &dimensions_group};
    forms::label timeout_label{"timeout_label", &dimensions_group};
    forms::edit timeout_edit{"timeout_edit", &dimensions_group};

    forms::group_box cycler_group{"cycler_group", this};
    forms::panel out_panel{"out_panel", &cycler_group};
    forms::glyph_button out_button{"out_button", &out_panel};
    forms::label out_label{"out_label", &out_panel};
    forms::panel in_panel{"in_panel", &cycler_group};
    forms::glyph_button in_button{"in_button", &in_panel};
    forms::label in_label{"in_label", &in_panel};
    forms::panel clock_panel{"clock_panel", &cycler_group};
    forms::glyph_button clock_button{"clock_button", &clock_panel};
    forms::label clock_label{"clock_label", &clock_panel};
    forms::panel counter_panel{"counter_panel", &cycler_group};
    forms::glyph_button counter_button{"counter_button", &counter_panel};
    forms::label counter_label{"counter_label", &counter_panel};

    forms::group_box reset_group{"reset_group", this};
    forms::panel reset_panel{"reset_panel", &reset_group};
    forms::glyph_button reset_button{"reset_button", &reset_panel};
    forms::label reset_label{"reset_label", &reset_panel};
    forms::panel stop_panel{"stop_panel", &reset_group};
    forms::glyph_button stop_button{"stop_button", &stop_panel};
    forms::label stop_label{"stop_label", &stop_panel};

    forms::timer search_timer;

    // ---- what others call ----
    void enable_panel();
    void disable_panel();
    void flip_buttons(bool on);
    void enable_timer();
    void disable_timer();
    void poll_scope();
    // The edits into the values, a substitute where a text is not a number.
    search_window read_search_edits();

    // ---- the handlers ----
    void out_buttonClick();
    void in_buttonClick();
    void clock_buttonClick();
    void counter_buttonClick();
    void reset_buttonClick();
    void stop_buttonClick();
    void search_timerTimer();
    void width_editChange();
    void height_editChange();
    void seconds_editEnter();
    void timeout_editChange();

    // ---- state ----
    std::int32_t window_width = 320;
    std::int32_t window_height = 240;
    double seconds_in_pixel = 30;
    double width_part = 20;
    double height_part = 20;
    std::int32_t timeout_interval = 2000;
    bool loading = false;

    static constexpr std::int32_t shortest_poll = 2000;

protected:
    void load_own_settings(const ini_file& file) override;
    void save_own_settings(ini_file& file) override;

private:
    void build_window();
    // Sends a command that moves the telescope and starts the poll on success.
    void walk(const char* command);

    const panel_peers& peers_;
    const serial_link& link_;
};
