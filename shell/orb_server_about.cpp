#include "shell/orb_server_about.h"

#include "orb_build_info.h"

std::string program_version() { return orb_version; }

Tscope_about::Tscope_about(forms::toolkit& kit, panel_host& host)
    : panel_window(kit, host, {"scope_about", "ORB Server About", "about", "", 335, 157}) {
    about_panel.set_fills_parent(true);
    about_icon.set_picture("ORB_ICON");
    about_icon.set_bounds({8, 8, 32, 32});
    arms_image.set_picture("ORB_ARMS");
    arms_image.set_bounds({295, 8, 32, 32});

    const forms::font heading{"Monospace", 9, true};
    struct line {
        forms::label& label;
        std::string text;
    };
    const line lines[] = {
        {name_label, "ORB Telescope Server"},
        {version_label, "Version " + program_version() + " for Linux"},
        {author_label, "By the ORB server developers"},
        {rights_label, "Free software, without warranty"},
    };
    int top = 8;
    for (const line& l : lines) {
        l.label.set_caption(l.text);
        l.label.set_font(heading);
        l.label.set_bounds({48, top, 240, 14});
        top += 16;
    }

    // The view paints a label's colour behind its text, so the headings
    // stand apart by their place rather than in grey.
    struct credit {
        forms::label& label;
        const char* text;
        int left;
    };
    const credit credits[] = {
        {message_label_1, "Design and programming by", 48},
        {designer_label, "the ORB server developers", 64},
        {message_label_2, "Specifications and Research by", 48},
        {researcher_label, "the ORB server project", 64},
        {web_label, "Serves Meade LX200 and AutoStar scopes on TCP port 8383", 8},
    };
    top = 78;
    for (const credit& c : credits) {
        c.label.set_caption(c.text);
        c.label.set_bounds({c.left, top, 320 - c.left, 13});
        top += 15;
    }
    load_settings();
}
