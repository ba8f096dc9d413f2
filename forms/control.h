// The base of every control of the forms toolkit: name, caption, enabled,
// visible, bounds, font, colour, hint, the parent and the children in order,
// and the input events all kinds share. Each property change is announced to
// the toolkit's observers (the view, tests).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace forms {

class form;
class toolkit;

enum class control_kind {
    form, panel, group_box, tab_sheet, page_control, label, edit, combo_box, check_box,
    radio_group, button, glyph_button, up_down, track_bar, memo, popup_menu, image, shape,
};

// What changed, as observers are told. The observer reads the new state from
// the control itself.
enum class change {
    caption, text, enabled, visible, bounds, font, colour, hint,
    children,       // a child came or went
    value,          // the kind's own state: checked, down, position, range, choice, page, read-only...
    items,          // the list of a combo box, radio group or popup menu
    lines,          // a memo's lines were replaced or cleared
    line_added,     // one line was appended to a memo
    popped_up,      // a popup menu asks to be shown at its popup point
    repaint,        // paint this control now
    bring_to_front, // a form asks to come forward
    focus,          // the form's focused control moved
    form_added,     // a form joined the toolkit (its own controls are still being made)
    form_removed,   // a form is going: the reference is only an identity now
};

struct colour {
    bool themed = true; // the theme's colour for this kind of control
    unsigned char red = 0, green = 0, blue = 0;

    static constexpr colour theme() { return {}; }
    static constexpr colour rgb(unsigned char r, unsigned char g, unsigned char b) {
        return {false, r, g, b};
    }
    friend bool operator==(const colour&, const colour&) = default;
};

namespace colours {
inline constexpr colour red = colour::rgb(255, 0, 0);
inline constexpr colour lime = colour::rgb(0, 255, 0);
inline constexpr colour yellow = colour::rgb(255, 255, 0);
inline constexpr colour silver = colour::rgb(192, 192, 192);
inline constexpr colour grey = colour::rgb(128, 128, 128);
} // namespace colours

struct font {
    std::string name; // empty: the toolkit's default face
    int size = 0;     // points; 0: the default size
    bool bold = false;
    friend bool operator==(const font&, const font&) = default;
};

struct point {
    int x = 0;
    int y = 0;
    friend bool operator==(const point&, const point&) = default;
};

// Left and top are relative to the parent's client area; a form's are
// virtual-desktop pixels and its width and height are its outer size.
struct rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const rect&, const rect&) = default;
};

class control;

// A reference that knows whether its control still exists. The view posts
// the user's input with one, since a control may be destroyed (a chain of
// buttons rebuilt) before the task runs. Resolve it on the model thread.
class control_handle {
public:
    control_handle() = default;
    control* get() const;
    template <class C>
    C* get_as() const { return dynamic_cast<C*>(get()); }

private:
    friend class control;
    explicit control_handle(std::weak_ptr<control* const> alive) : alive_(std::move(alive)) {}
    std::weak_ptr<control* const> alive_;
};

// Calls a handler through a copy, so that a handler which destroys its own
// control (and with it the std::function) does not pull the code from under
// itself. An empty handler does nothing.
template <class F, class... A>
void fire(const std::function<F>& handler, A&&... args) {
    if (!handler) return;
    const std::function<F> copy = handler;
    copy(std::forward<A>(args)...);
}

// Controls live on the model thread. Most are members of a window class,
// parented in its constructor; those made at run time are owned by their
// parent (make_child). A control must not be copied or moved; destroying one
// detaches it from its parent and orphans its remaining children.
class control {
public:
    virtual ~control();
    control(const control&) = delete;
    control& operator=(const control&) = delete;

    control_kind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    control_handle handle() const { return control_handle(alive_); }

    // ---- tree ----
    control* parent() const { return parent_; }
    // Appends this control after its new parent's other children; nullptr detaches it.
    void set_parent(control* parent);
    const std::vector<control*>& children() const { return children_; }
    // A child made at run time, owned by this control and destroyed with it
    // or by destroy_child.
    template <class C, class... A>
    C& make_child(A&&... args);
    void destroy_child(control& child); // only for children made by make_child
    // The first control of this name below this one, depth first.
    control* find(const std::string& name);
    form* owner_form();
    const form* owner_form() const;

    // ---- properties ----
    const std::string& caption() const { return caption_; }
    void set_caption(std::string caption);
    bool enabled() const { return enabled_; }
    void set_enabled(bool enabled);
    bool visible() const { return visible_; }
    void set_visible(bool visible);
    const rect& bounds() const { return bounds_; }
    void set_bounds(rect bounds);
    int left() const { return bounds_.left; }
    int top() const { return bounds_.top; }
    int width() const { return bounds_.width; }
    int height() const { return bounds_.height; }
    void set_left(int left) { set_bounds({left, bounds_.top, bounds_.width, bounds_.height}); }
    void set_top(int top) { set_bounds({bounds_.left, top, bounds_.width, bounds_.height}); }
    void set_width(int width) { set_bounds({bounds_.left, bounds_.top, width, bounds_.height}); }
    void set_height(int height) { set_bounds({bounds_.left, bounds_.top, bounds_.width, height}); }
    // Fills the parent's client area, following its size.
    bool fills_parent() const { return fills_parent_; }
    void set_fills_parent(bool fills);
    const forms::font& font() const { return font_; }
    void set_font(forms::font font);
    void set_font_bold(bool bold);
    const forms::colour& colour() const { return colour_; }
    void set_colour(forms::colour colour);
    const std::string& hint() const { return hint_; }
    void set_hint(std::string hint);

    // The area children are placed in, in their own coordinates (a form's
    // client size), and where it starts inside the control's bounds.
    virtual rect client_area() const { return {0, 0, bounds_.width, bounds_.height}; }
    virtual point client_origin() const { return {}; }
    // Whether the user can reach the control: it and everything around it up
    // to a visible form are enabled and visible.
    bool accepts_input() const;
    // Whether the user sees it: it and everything around it up to a visible form are visible.
    bool showing() const;
    // A point of this control's client area in virtual-desktop pixels.
    point client_to_screen(point p) const;
    // Paint it now (the view does; nothing changes in the model).
    void repaint() { changed(change::repaint); }
    // Whether a click gives it the keyboard focus (runs on_exit/on_enter).
    virtual bool takes_focus() const { return false; }

    // ---- events the kinds share (which kinds raise them is in their header) ----
    std::function<void()> on_click;
    std::function<void()> on_enter; // got the form's focus
    std::function<void()> on_exit;  // lost it to another control of the form
    // A context-menu request at `where` (client pixels of `sender`). Unhandled
    // requests go on to the parent.
    std::function<void(control& sender, point where, bool& handled)> on_context_popup;

protected:
    control(control_kind kind, std::string name, control* parent);
    // Tells the toolkit's observers.
    void changed(change what);
    // Runs after visible changed and observers were told.
    virtual void visibility_changed() {}

private:
    void lay_out_children();

    control_kind kind_;
    std::string name_;
    control* parent_ = nullptr;
    std::vector<control*> children_;
    std::vector<std::unique_ptr<control>> owned_;
    std::string caption_;
    bool enabled_ = true;
    bool visible_;
    rect bounds_;
    bool fills_parent_ = false;
    forms::font font_;
    forms::colour colour_;
    std::string hint_;
    std::shared_ptr<control* const> alive_;
};

template <class C, class... A>
C& control::make_child(A&&... args) {
    auto child = std::make_unique<C>(std::forward<A>(args)...);
    C& made = *child;
    owned_.push_back(std::move(child));
    made.set_parent(this);
    return made;
}

} // namespace forms
