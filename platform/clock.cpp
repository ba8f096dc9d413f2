#include "platform/clock.h"

milliseconds steady_clock_source::now() const {
    return std::chrono::duration_cast<milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}
