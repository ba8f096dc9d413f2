#include "shell/program.h"

#include "shell/orb_server_about.h"

#include "settings/settings_file.h"

orb_program::orb_program(const program_clock& clock, std::string program_dir)
    : kit_(clock), program_dir_(std::move(program_dir)) {
    kit_.set_application_title("Network Server");
    kit_.set_help_file("orb.hlp");
    // A handler or timer that fails is shown to the user and the program goes
    // on; a failing request only closes its client.
    kit_.loop().set_error_handler([this](const std::string& what, forms::error_source source) {
        if (source != forms::error_source::request) kit_.show_message(what);
        else if (network) network->logger.update_status_log("request failed : " + what, true);
    });
    scope_object = std::make_unique<tscope_object>();
    main_window = std::make_unique<Tscope>(kit_, program_dir_);
    config = std::make_unique<Tscope_config>(kit_, *main_window, *scope_object);
    comms = std::make_unique<Tscope_comms>(kit_, *main_window, config->settings, serial_device_,
                                           *scope_object);
    control = std::make_unique<Tscope_control>(kit_, *main_window, panel_peers_, *scope_object);
    focus = std::make_unique<Tscope_focus>(kit_, *main_window, config->settings);
    info = std::make_unique<Tscope_info>(kit_, *main_window, panel_peers_, *scope_object, config->settings,
                                         comms->link);
    observer = std::make_unique<Tscope_observer>(kit_, *main_window);
    search = std::make_unique<Tscope_search>(kit_, *main_window, panel_peers_, comms->link);
    network = std::make_unique<Tscope_network>(kit_, *main_window, config->settings, *comms, panel_ports_);
    // The link asks up through its ports: the status log with the
    // processor's failure mark, and the panels; the scope panels send
    // through the processor.
    comms->ports.wire(network->processor, panel_ports_);
    network->lx200_answers.version = program_version();
    panel_peers_.wire(network->processor, *control, *info, *search);
    // The network panel's creation ends with a fresh search, which reads the
    // search panel's edits (a substitute written there runs its handler,
    // which sends through the processor): so once everything is wired.
    network->processor.reset_search_state();
    tracking = std::make_unique<Tscope_tracking>(kit_, *main_window);
    // Panels made before the windows they call.
    config->network.wire(network->processor);
    config->comms.wire(*comms);
    focus->network.wire(network->processor);
    tracking->network.wire(network->processor);
    about = std::make_unique<Tscope_about>(kit_, *main_window);
    sun = std::make_unique<Tscope_sun>(kit_, *main_window);
    moon = std::make_unique<Tscope_moon>(kit_, *main_window);
    planets = std::make_unique<Tscope_planets>(kit_, *main_window);
    catalogs = std::make_unique<Tscope_catalogs>(kit_, *main_window);

    Tscope& main = *main_window;
    const std::pair<int, panel_window*> modules[] = {
        {1, info.get()},  {2, comms.get()},    {3, focus.get()},   {4, about.get()},
        {5, config.get()}, {7, search.get()},  {8, control.get()}, {9, network.get()},
        {10, tracking.get()}, {11, observer.get()}, {12, sun.get()}, {13, moon.get()},
        {14, planets.get()}, {15, catalogs.get()}};
    for (const auto& [module, panel] : modules) main.set_panel(module, *panel);
    main.set_save_order({network.get(), control.get(), focus.get(), info.get(), comms.get(),
                         config.get(), observer.get(), tracking.get(), search.get(), sun.get(),
                         moon.get(), planets.get(), catalogs.get(), about.get()});
    main.save_other_sections = [this](ini_file& file) {
        comms->link.serial_devices.save(file);
        network->lx200.save(file);
    };
    main.on_close_query = [this](bool& can_close) { can_close = kill(); };
    main.on_close = [this] {
        ended_ = true;
        kit_.loop().quit();
    };
}

orb_program::~orb_program() {
    if (!ended_) {
        stop_links();
        release();
    }
    main_window.reset();
}

void orb_program::start() { main_window->show(); }

bool orb_program::request_close() { return main_window->close(); }

void orb_program::close_without_saving() {
    main_window->on_close_query = [this](bool& can_close) {
        stop_links();
        release();
        can_close = true;
    };
    main_window->close();
}

bool orb_program::kill() {
    try {
        main_window->save_settings();
    } catch (const settings_write_error& error) {
        kit_.show_message(error.what());
        return false;
    }
    stop_links();
    release();
    return true;
}

// The network server stops before the link closes, so that no request is
// under way when the telescope goes.
void orb_program::stop_links() {
    network->kill();
    comms->operations.kill();
}

void orb_program::release() {
    scope_object.reset();
    observer.reset();
    config.reset();
    comms.reset();
    control.reset();
    search.reset();
    focus.reset();
    network.reset();
    info.reset();
    tracking.reset();
    about.reset();
    sun.reset();
    moon.reset();
    planets.reset();
    catalogs.reset();
}
