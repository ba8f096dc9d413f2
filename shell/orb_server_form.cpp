#include "shell/orb_server_form.h"

#include <algorithm>

#include "forms/toolkit.h"
#include "settings/settings_file.h"

namespace {

constexpr const char* main_section = "main";

std::string page_section(int page) { return "panel_" + std::to_string(page); }
std::string button_key(int button, const char* what) {
    return "button_" + std::to_string(button) + "_" + what;
}

struct default_button {
    int module;
    const char* caption;
};
struct default_page {
    const char* caption;
    std::vector<default_button> buttons;
};

const std::vector<default_page>& default_layout() {
    static const std::vector<default_page> layout = {
        {"Setup", {{2, "Comms"}, {4, "About"}, {5, "Config"}, {9, "Network"}, {11, "Locale"}}},
        {"Control", {{1, "Info"}, {3, "Focus"}, {7, "Search"}, {8, "Control"}, {10, "Track"}}},
        {"Objects", {{12, "Sun"}, {13, "Moon"}, {14, "Planets"}, {15, "Catalogs"}}},
    };
    return layout;
}

} // namespace

Tscope::Tscope(forms::toolkit& kit, std::string program_dir)
    : forms::form(kit, "scope"), program_dir_(std::move(program_dir)) {
    set_caption("ORB Server");
    set_help_keyword("server_panel");
    set_minimise_box(true);
    set_snaps_to_screen_edges(true);
    set_colour(forms::colours::silver);
    controller_pages.set_parent(this);
    controller_pages.set_fills_parent(true);
    controller_pages.set_multi_line(true);
    controller_pages.on_change = [this] { page_change(); };
    popup_menu.set_parent(this);
    on_show = [this] { FormShow(); };
    on_paint = [this] { check_activate(); };
    // A right click elsewhere in the window opens no menu.
    on_context_popup = [](forms::control&, forms::point, bool& handled) { handled = true; };
    // formcreate
    previous_page = nullptr;
    load_settings();
    current_page = controller_pages.active_page();
}

void Tscope::set_panel(int module, panel_window& panel) {
    if (module >= 1 && module <= module_count) panels_[std::size_t(module)] = &panel;
}

panel_window* Tscope::panel_of(int module) const {
    return module >= 1 && module <= module_count ? panels_[std::size_t(module)] : nullptr;
}

forms::tab_sheet& Tscope::add_page(const std::string& caption) {
    page_being_built_ = &controller_pages.add_page(caption);
    next_button_left_ = 0;
    return *page_being_built_;
}

void Tscope::add_button(int module, const std::string& caption, bool hidden, bool stuck) {
    tscope_button& button = page_being_built_->make_child<tscope_button>();
    button.set_bounds({next_button_left_, 0, tscope_button::width, tscope_button::height});
    button.set_caption(caption);
    next_button_left_ += tscope_button::width;
    row_width_max_ = std::max(row_width_max_, next_button_left_);
    button.hidden = hidden;
    button.set_stuck(!hidden && stuck);
    button.module = module;
    button.on_click = [this, &button] { control_button_click(button); };
    button.on_context_popup = [this](forms::control& sender, forms::point where, bool& handled) {
        buttonContextPopup(sender, where, handled);
    };
}

void Tscope::load_settings() {
    const ini_file file(program_dir_ + "server.ini");
    if (popup_menu.items().empty()) popup_menu.add_item("Sticky Control", [this] { sticky_handler(); });
    row_width_max_ = 0;
    current_page = nullptr;

    if (file.read_integer(main_section, "num_control_panels", 0) < 1) {
        const auto& layout = default_layout();
        for (std::size_t p = 0; p < layout.size(); ++p) {
            add_page(layout[p].caption);
            for (const default_button& b : layout[p].buttons) add_button(b.module, b.caption, true, false);
            if (p == 1) {
                current_page = controller_pages.active_page();
                active_page = controller_pages.active_page_index() + 1;
            }
        }
    } else {
        active_page = file.read_integer(main_section, "active_page", 0);
        for (int n = 1;; ++n) {
            const std::string caption = file.read_string(main_section, page_section(n), "");
            if (caption.empty()) break;
            forms::tab_sheet& page = add_page(caption);
            if (n == active_page) current_page = &page;
            const std::string section = page_section(n);
            for (int m = 1;; ++m) {
                const std::string name = file.read_string(section, button_key(m, "name"), "");
                if (name.empty()) break;
                const int module = file.read_integer(section, button_key(m, "module"), 0);
                const bool hidden = file.read_bool(section, button_key(m, "hidden"), true);
                const bool stuck = file.read_bool(section, button_key(m, "stuck"), false);
                if (module >= 1 && module <= module_count) add_button(module, name, hidden, stuck);
            }
        }
        if (current_page) {
            controller_pages.set_active_page(*current_page);
        } else {
            current_page = controller_pages.active_page();
            active_page = controller_pages.active_page_index() + 1;
        }
    }
    set_client_size(row_width_max_, client_height_pixels);
    get_dimensions(outer_size(), placement, main_section, file, kit().screens().all());
}

std::vector<tscope_button*> Tscope::buttons_on(const forms::tab_sheet& page) const {
    std::vector<tscope_button*> buttons;
    for (forms::control* child : page.children())
        if (auto* button = dynamic_cast<tscope_button*>(child)) buttons.push_back(button);
    return buttons;
}

void Tscope::FormShow() {
    set_top(placement.top);
    set_left(placement.left);
    change_page();
}

void Tscope::change_page() {
    previous_page = current_page;
    if (previous_page) {
        for (tscope_button* button : buttons_on(*previous_page))
            if (!button->stuck)
                if (panel_window* panel = panel_of(button->module)) panel->hide_panel();
    }
    current_page = controller_pages.active_page();
    if (current_page) {
        for (tscope_button* button : buttons_on(*current_page))
            if (!button->hidden)
                if (panel_window* panel = panel_of(button->module)) panel->show_panel();
    }
    active_page = controller_pages.active_page_index() + 1;
}

void Tscope::control_button_click(tscope_button& button) {
    if (panel_window* panel = panel_of(button.module)) panel->toggle_panel(button);
}

void Tscope::set_button_state(tscope_button& button, bool visible) {
    if (visible) {
        button.hidden = false;
        return;
    }
    if (button.stuck) button.set_stuck(false);
    button.hidden = true;
}

void Tscope::buttonContextPopup(forms::control& sender, forms::point where, bool& handled) {
    popup_button = dynamic_cast<tscope_button*>(&sender);
    if (!popup_button) return;
    handled = true;
    popup_menu.popup(sender.client_to_screen(where));
}

void Tscope::sticky_handler() {
    if (popup_button) popup_button->set_stuck(!popup_button->stuck);
}

void Tscope::save_settings() {
    // One save sequence: every key goes into the file's lines in memory and
    // server.ini is replaced once at the end, whole or not at all.
    ini_file file(program_dir_ + "server.ini");
    file.begin_save();
    for (panel_window* panel : save_order_) panel->save_settings(file);
    const std::vector<forms::tab_sheet*> pages = controller_pages.pages();
    for (std::size_t n = 1; n <= pages.size(); ++n) {
        const forms::tab_sheet& page = *pages[n - 1];
        file.write_string(main_section, page_section(int(n)), page.caption());
        const std::string section = page_section(int(n));
        int m = 1;
        for (const tscope_button* button : buttons_on(page)) {
            file.write_string(section, button_key(m, "name"), button->caption());
            file.write_string(section, button_key(m, "module"), std::to_string(button->module));
            file.write_bool(section, button_key(m, "hidden"), button->hidden);
            file.write_bool(section, button_key(m, "stuck"), button->stuck);
            ++m;
        }
    }
    file.write_string(main_section, "num_control_panels", std::to_string(pages.size()));
    file.write_integer(main_section, "active_page", active_page);
    find_vdu(outer_size(), placement, kit().screens().all());
    write_dimensions(placement, left(), top(), main_section, file, kit().screens().all());
    if (save_other_sections) save_other_sections(file);
    file.commit();
}

void Tscope::check_activate() { find_vdu(outer_size(), placement, kit().screens().all()); }
