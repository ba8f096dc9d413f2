#include "panel_base/panel_window.h"

#include "forms/toolkit.h"
#include "settings/settings_file.h"

panel_window::panel_window(forms::toolkit& kit, panel_host& host,
                           const panel_description& description)
    : forms::form(kit, description.form_name), host_(host), section_(description.section) {
    set_caption(description.caption);
    set_help_keyword(description.help_keyword);
    set_client_size(description.client_width, description.client_height);
    on_show = [this] { FormShow(); };
    if (description.stores_position_on_close) {
        on_close_query = [this](bool& can_close) { form_close_query(can_close); };
        on_paint = [this] { check_activate(); };
    }
}

void panel_window::load_settings() {
    const ini_file file(host_.program_dir() + "server.ini");
    load_own_settings(file);
    get_dimensions(outer_size(), placement, section_, file, kit().screens().all());
    set_left(placement.left);
    set_top(placement.top);
    set_visible(file.read_bool(section_, "visible", false));
}

void panel_window::save_settings(ini_file& file) {
    save_own_settings(file);
    find_vdu(outer_size(), placement, kit().screens().all());
    write_dimensions(placement, left(), top(), section_, file, kit().screens().all());
    file.write_bool(section_, "visible", visible());
}

void panel_window::toggle_panel(tscope_button& button) {
    if (visible())
        hide_panel();
    else
        show_panel();
    host_.set_button_state(button, visible());
}

void panel_window::hide_panel() {
    store_position();
    hide();
}

void panel_window::show_panel() { show(); }

void panel_window::FormShow() {
    set_left(placement.left);
    set_top(placement.top);
    form_shown();
}

void panel_window::form_close_query(bool& can_close) {
    can_close = false;
    hide();
    store_position();
}

void panel_window::check_activate() {
    find_vdu(outer_size(), placement, kit().screens().all());
}

void panel_window::store_position() {
    placement.top = top();
    placement.left = left();
}
