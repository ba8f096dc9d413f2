#include "panels/part_normalisation.h"

#include <cmath>

angle_parts normalise_parts(angle_parts p, double limit) {
    if (p.units > 0 && p.units >= limit) p.units = limit - 1;
    else if (p.units < 0 && p.units <= -limit) p.units = 1 - limit;
    if (const double f = p.units - std::trunc(p.units); f != 0) {
        p.minutes = f * 60;
        p.units = std::trunc(p.units);
        p.seconds = (p.minutes - std::trunc(p.minutes)) * 60;
        p.minutes = std::trunc(p.minutes);
    } else if (const double g = p.minutes - std::trunc(p.minutes); g != 0) {
        p.seconds = g * 60;
        p.minutes = std::trunc(p.minutes);
    }
    return p;
}

double angle_value(const angle_parts& parts) { return parts.units + (parts.minutes + parts.seconds / 60) / 60; }
