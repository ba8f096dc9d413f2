// How the scope panels reach each other and the command processor they send
// their requests to. The program makes one before any panel and fills it
// once the network panel (the processor's owner) exists; the slew panel is
// made long before that, so a panel cannot take these at construction. A
// use before the program has filled it is a wiring mistake and raises.
#pragma once

#include "panel_base/wired_port.h"

class command_processor;
class Tscope_control;
class Tscope_info;
class Tscope_search;

class panel_peers {
public:
    void wire(command_processor& processor, Tscope_control& control, Tscope_info& info, Tscope_search& search) {
        processor_.wire(processor);
        control_.wire(control);
        info_.wire(info);
        search_.wire(search);
    }

    command_processor& processor() const { return processor_.get(); }
    Tscope_control& control() const { return control_.get(); }
    Tscope_info& info() const { return info_.get(); }
    Tscope_search& search() const { return search_.get(); }

private:
    wired_port<command_processor> processor_{"the scope panels' command path"};
    wired_port<Tscope_control> control_{"the slew panel"};
    wired_port<Tscope_info> info_{"the information panel"};
    wired_port<Tscope_search> search_{"the search panel"};
};
