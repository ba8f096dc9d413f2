// The configuration panel: owns the configuration settings (model, scope
// enabled, the two firmware workarounds) and writes the command-set files.
#pragma once

#include "settings/configuration_settings.h"
#include "panel_base/panel_window.h"

class Tscope_config : public panel_window {
public:
    Tscope_config(forms::toolkit& kit, panel_host& host);

    // Writes "lx200.ini" and "autostar.ini" with the built-in command set.
    void write_escape_scopes();

    configuration_settings settings;

protected:
    void load_own_settings(const ini_file& file) override { settings.load(file); }
    void save_own_settings(ini_file& file) override { settings.save(file); }
};
