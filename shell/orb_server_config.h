// The configuration panel: owns the configuration settings (model, scope
// enabled, the two firmware workarounds) with the model list that shows the
// model, switches the scope's pointing precision and rewrites the
// command-set files.
#pragma once

#include <string>

#include "forms/forms.h"
#include "panel_base/panel_window.h"
#include "panel_base/wired_port.h"
#include "settings/configuration_settings.h"

class command_processor;
class Tscope_comms;
struct tscope_object;

class Tscope_config : public panel_window {
public:
    // scope_object is the program's and must outlive the panel.
    Tscope_config(forms::toolkit& kit, panel_host& host, tscope_object& scope_object);

    // ---- the window ----
    forms::panel config_panel{"config_panel", this};
    forms::group_box model_group{"model_group", &config_panel};
    forms::label model_label{"model_label", &model_group};
    forms::combo_box model_list{"model_list", &model_group};
    forms::group_box hp_group{"hp_group", &config_panel};
    forms::button switch_hpp_button{"switch_hpp_button", &hp_group};
    forms::label precision_label{"precision_label", &hp_group};
    forms::group_box bug_group{"bug_group", &config_panel};
    forms::check_box century_check{"century_check", &bug_group};
    forms::check_box seconds_check{"seconds_check", &bug_group};
    forms::radio_group mount_group{"mount_group", &config_panel};
    forms::group_box misc_group{"misc_group", &config_panel};
    forms::button make_inis{"make_inis", &misc_group};
    forms::check_box enable_scope_check{"enable_scope_check", &misc_group};

    // Made after this panel; wired once they exist.
    wired_port<command_processor> network{"the configuration panel's command path"};
    wired_port<Tscope_comms> comms{"the configuration panel's comms panel"};

    // Whether the scope points in high precision, as the command server last
    // heard it from the scope; scope_object's flag when it cannot tell.
    bool get_precision();
    void model_listChange();
    void switch_hpp_buttonClick();
    void make_inisClick();
    void enable_scope_checkClick();
    void century_checkClick();
    void seconds_checkClick();
    // Writes "lx200.ini" and "autostar.ini" with the built-in command set.
    void write_escape_scopes();

    configuration_settings settings;

protected:
    void load_own_settings(const ini_file& file) override;
    void save_own_settings(ini_file& file) override { settings.save(file); }
    void form_shown() override;

private:
    void build_window();
    void show_precision(bool high);

    tscope_object& scope_object_;
};
