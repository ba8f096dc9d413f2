// One instance of the forms toolkit: its event loop, its windows, the
// observers of their properties, the monitor list, and where message boxes
// and help topics go. A program (or a test) makes one; several may coexist.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "forms/control.h"
#include "forms/event_loop.h"
#include "forms/notifications.h"
#include "platform/clock.h"
#include "platform/screens.h"

namespace forms {

class form;

// Everything here runs on the model thread, except what event_loop says
// may be called from any thread. Forms must be destroyed before their toolkit.
class toolkit {
public:
    explicit toolkit(const program_clock& clock);
    ~toolkit();
    toolkit(const toolkit&) = delete;
    toolkit& operator=(const toolkit&) = delete;

    event_loop& loop() { return loop_; }
    screen_list& screens() { return screens_; }

    // ---- observing ----
    // Called on the model thread for every property change of every control
    // in a form of this toolkit, at the moment it happens.
    using observer = std::function<void(control& which, change what)>;
    int observe(observer watcher); // answers an id for forget()
    void forget(int id);
    void notify(control& which, change what);

    // ---- windows ----
    const std::vector<form*>& forms() const { return forms_; }
    // The window the user works in, as the view reports it.
    form* active_form() const { return active_; }
    void set_active_form(form* f) { active_ = f; }

    // ---- message boxes and help ----
    // The program's own name for itself, as message boxes are titled.
    const std::string& application_title() const { return application_title_; }
    void set_application_title(std::string title) { application_title_ = std::move(title); }
    void show_message(const std::string& text);
    // The topic of `keyword` in the help file; nothing for an empty keyword.
    void show_help(const std::string& keyword);
    const std::string& help_file() const { return help_file_; }
    void set_help_file(std::string file) { help_file_ = std::move(file); }
    // The program's sink (it must outlive its use); nullptr goes back to the log.
    void set_notification_sink(notification_sink* sink) { sink_ = sink; }
    // The headless sink, in use until another is set.
    notification_log& notifications() { return log_; }

private:
    friend class form;
    void add_form(form& f);
    void remove_form(form& f);

    event_loop loop_;
    screen_list screens_;
    std::vector<std::pair<int, observer>> observers_;
    int next_observer_ = 0;
    int notifying_ = 0; // observers forgotten meanwhile are removed afterwards
    std::vector<form*> forms_;
    form* active_ = nullptr;
    std::string application_title_;
    std::string help_file_;
    notification_log log_;
    notification_sink* sink_ = nullptr;
};

} // namespace forms
