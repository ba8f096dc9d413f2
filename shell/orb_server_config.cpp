#include "shell/orb_server_config.h"

#include "scope_link/command_set_files.h"

Tscope_config::Tscope_config(forms::toolkit& kit, panel_host& host)
    : panel_window(kit, host,
                   {"scope_config", "ORB Configuration", "config", "Configuration", 260, 243}) {
    load_settings();
}

void Tscope_config::write_escape_scopes() { ::write_escape_scopes(host().program_dir()); }
