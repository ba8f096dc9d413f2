// A panel's reference to a window made after it (the network panel's
// command path, the comms panel): wired once by the program object when
// both exist. A call made before the wiring is a mistake of the program's
// and raises rather than doing nothing.
#pragma once

#include <stdexcept>
#include <string>

template <class T>
class wired_port {
public:
    explicit wired_port(std::string what) : what_(std::move(what)) {}

    void wire(T& target) { target_ = &target; }

    T& get() const {
        if (!target_) throw std::logic_error(what_ + " is not wired to the program");
        return *target_;
    }
    T* operator->() const { return &get(); }

private:
    std::string what_;
    T* target_ = nullptr;
};
