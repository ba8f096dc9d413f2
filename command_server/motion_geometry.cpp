#include "command_server/motion_geometry.h"

#include <cmath>

long double declination_factor::at(double dec) const {
    const long double d = dec;
    return c0 + c1 * d + c2 * d * d + c3 * d * d * d;
}

double pixels_to_degrees(double pixels, double seconds_in_pixel) { return pixels * seconds_in_pixel / 3600; }

std::optional<double> degrees_to_ra_hours(const declination_factor& factor, double dec, double degrees) {
    const long double p = factor.at(dec);
    if (!(p > 0)) return std::nullopt;
    const double hours = double(degrees / p * 100 / 360 * 24);
    if (!std::isfinite(hours)) return std::nullopt;
    return hours;
}
