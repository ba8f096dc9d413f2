// The main window: a strip of pages of panel buttons. A button opens and
// closes its panel; leaving a page closes its panels unless stuck, entering
// one reopens those the user had open there. It also drives the save of all
// settings at shut-down.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "forms/form.h"
#include "forms/page_control.h"
#include "forms/popup_menu.h"
#include "shell/orb_server_button.h"
#include "panel_base/panel_window.h"

class Tscope : public forms::form, public panel_host {
public:
    static constexpr int client_height_pixels = 53;
    static constexpr int module_count = 15;

    Tscope(forms::toolkit& kit, std::string program_dir);

    const std::string& program_dir() const override { return program_dir_; }

    // The panel a module number stands for; module 6 and unset ones stand for none.
    void set_panel(int module, panel_window& panel);
    panel_window* panel_of(int module) const;
    // The panels in the order their sections are saved.
    void set_save_order(std::vector<panel_window*> panels) { save_order_ = std::move(panels); }
    // Sections that belong to no window, saved after the windows' own so
    // that those keep their usual order in a fresh file.
    std::function<void(ini_file&)> save_other_sections;

    void load_settings();
    // Writes every window's settings into server.ini, replacing the file
    // once; raises settings_write_error when it cannot, and the file is
    // then as it was.
    void save_settings();
    void FormShow();
    void check_activate();
    void page_change() { change_page(); }
    void change_page();
    void control_button_click(tscope_button& button);
    void buttonContextPopup(forms::control& sender, forms::point where, bool& handled);
    void sticky_handler();
    void set_button_state(tscope_button& button, bool visible) override;

    // The buttons of a page, left to right.
    std::vector<tscope_button*> buttons_on(const forms::tab_sheet& page) const;

    forms::page_control controller_pages{"controller_pages"};
    forms::tab_sheet* previous_page = nullptr;
    forms::tab_sheet* current_page = nullptr;
    int active_page = 0;
    forms::popup_menu popup_menu{"popup_menu"};
    tscope_button* popup_button = nullptr;
    dimensions placement;

private:
    forms::tab_sheet& add_page(const std::string& caption);
    void add_button(int module, const std::string& caption, bool hidden, bool stuck);
    window_size outer_size() const { return {width(), height()}; }

    std::string program_dir_;
    std::array<panel_window*, module_count + 1> panels_{};
    std::vector<panel_window*> save_order_;
    forms::tab_sheet* page_being_built_ = nullptr;
    int next_button_left_ = 0;
    int row_width_max_ = 0;
};
