// The configuration panel's window, its settings and its handlers.
#include "shell/orb_server_config.h"

#include "command_server/command_processor.h"
#include "scope_link/command_set_files.h"
#include "scope_link/orb_server_comms.h"
#include "scope_link/orb_server_object.h"

namespace {

panel_description config_description() {
    panel_description d;
    d.form_name = "scope_config";
    d.caption = "ORB Configuration";
    d.section = "config";
    d.help_keyword = "Configuration";
    d.client_width = 260;
    d.client_height = 243;
    return d;
}

} // namespace

Tscope_config::Tscope_config(forms::toolkit& kit, panel_host& host, tscope_object& scope_object)
    : panel_window(kit, host, config_description()), scope_object_(scope_object) {
    build_window();
    load_settings();
}

void Tscope_config::build_window() {
    config_panel.set_fills_parent(true);

    model_group.set_caption("LX200");
    model_group.set_bounds({8, 4, 244, 49});
    model_label.set_caption("Model");
    model_label.set_bounds({12, 22, 40, 13});
    model_list.set_bounds({60, 18, 121, 21});
    model_list.set_editable(true);
    model_list.set_items({"LX200", "AutoStar"});

    hp_group.set_caption("High Precision Pointing");
    hp_group.set_bounds({8, 58, 244, 49});
    switch_hpp_button.set_caption("Switch HPP");
    switch_hpp_button.set_bounds({12, 18, 75, 25});
    precision_label.set_bounds({96, 24, 0, 13});

    bug_group.set_caption("Bug Workarounds");
    bug_group.set_bounds({8, 112, 120, 65});
    century_check.set_caption("Century Bug");
    century_check.set_bounds({12, 20, 100, 17});
    seconds_check.set_caption("Ignore seconds");
    seconds_check.set_bounds({12, 40, 100, 17});

    // Shown for a choice that nothing stores or reads.
    mount_group.set_caption("Mount");
    mount_group.set_bounds({136, 112, 116, 65});
    mount_group.set_items({"Equatorial", "Alt-Azimuth"});
    mount_group.set_item_index(1);

    misc_group.set_caption("Miscellaneous");
    misc_group.set_bounds({8, 182, 244, 53});
    make_inis.set_caption("make ini files");
    make_inis.set_bounds({12, 18, 97, 25});
    enable_scope_check.set_caption("Enable Scope");
    enable_scope_check.set_bounds({128, 22, 100, 17});
    enable_scope_check.set_checked(true);

    model_list.on_change = [this] { model_listChange(); };
    switch_hpp_button.on_click = [this] { switch_hpp_buttonClick(); };
    make_inis.on_click = [this] { make_inisClick(); };
    enable_scope_check.on_click = [this] { enable_scope_checkClick(); };
    century_check.on_click = [this] { century_checkClick(); };
    seconds_check.on_click = [this] { seconds_checkClick(); };
}

void Tscope_config::load_own_settings(const ini_file& file) {
    settings.load(file);
    // Each box's click copies the same value back.
    enable_scope_check.set_checked(settings.scope_enabled);
    century_check.set_checked(settings.century_bug);
    seconds_check.set_checked(settings.seconds_bug);
    model_list.set_item_index(int(settings.scope_type) - 1);
}

void Tscope_config::form_shown() {
    precision_label.set_width(137);
    show_precision(scope_object_.high_precision);
}

void Tscope_config::show_precision(bool high) {
    precision_label.set_caption(high ? "high precision" : "low precision");
}

bool Tscope_config::get_precision() {
    std::string value;
    if (network->send_message_check("query_high_precision") == command_processor::success &&
        network->get_string("query", value))
        return value == "high";
    return scope_object_.high_precision;
}

// A choice that is no entry of the list leaves the model as it was. The
// command set follows at the next start or after "make ini files".
void Tscope_config::model_listChange() {
    switch (model_list.item_index()) {
    case 0: settings.scope_type = configuration_settings::lx200; break;
    case 1: settings.scope_type = configuration_settings::autostar; break;
    default: break;
    }
}

// With the scope enabled the label shows the precision that the scope
// reports back after the switch.
void Tscope_config::switch_hpp_buttonClick() {
    if (!settings.scope_enabled) {
        scope_object_.high_precision = !scope_object_.high_precision;
        show_precision(scope_object_.high_precision);
        return;
    }
    if (network->send_message_check("switch_precision") != command_processor::success) {
        precision_label.set_caption("Precision unknown");
        return;
    }
    std::string reported;
    const bool high = network->get_string("switch", reported) ? reported == "high" : get_precision();
    scope_object_.high_precision = high;
    show_precision(high);
}

void Tscope_config::make_inisClick() {
    write_escape_scopes();
    comms->reload_command_set();
}

void Tscope_config::enable_scope_checkClick() { settings.scope_enabled = enable_scope_check.checked(); }

void Tscope_config::century_checkClick() { settings.century_bug = century_check.checked(); }

void Tscope_config::seconds_checkClick() { settings.seconds_bug = seconds_check.checked(); }

void Tscope_config::write_escape_scopes() { ::write_escape_scopes(host().program_dir()); }
