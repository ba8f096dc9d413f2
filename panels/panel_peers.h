// How the scope panels reach each other and the command processor they send
// their requests to. The program makes one before any panel and fills it
// once the network panel (the processor's owner) exists; the slew panel is
// made long before that, so a panel cannot take these at construction. A
// use before the program has filled it is a wiring mistake and raises.
#pragma once

#include <stdexcept>

class command_processor;
class Tscope_control;
class Tscope_info;
class Tscope_search;

class panel_peers {
public:
    void wire(command_processor& processor, Tscope_control& control, Tscope_info& info, Tscope_search& search) {
        processor_ = &processor;
        control_ = &control;
        info_ = &info;
        search_ = &search;
    }

    command_processor& processor() const { return *checked(processor_); }
    Tscope_control& control() const { return *checked(control_); }
    Tscope_info& info() const { return *checked(info_); }
    Tscope_search& search() const { return *checked(search_); }

private:
    template <class T>
    static T* checked(T* peer) {
        if (!peer) throw std::logic_error("the scope panels are not wired to the program");
        return peer;
    }

    command_processor* processor_ = nullptr;
    Tscope_control* control_ = nullptr;
    Tscope_info* info_ = nullptr;
    Tscope_search* search_ = nullptr;
};
