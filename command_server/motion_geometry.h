// The sizes of a move: pixels of the camera window to degrees, and a
// distance in degrees to the change of right ascension that covers it at a
// declination, by a cubic that approximates 100 × cos δ.
#pragma once

#include <optional>

// The cubic's coefficients, in extended precision.
struct declination_factor {
    long double c0 = 99.834586L;
    long double c1 = 0.043221L;
    long double c2 = -0.017952L;
    long double c3 = 0.0000571035432L;

    // P(δ), δ the signed declination in degrees; used unchanged below 0.
    long double at(double dec) const;
};

double pixels_to_degrees(double pixels, double seconds_in_pixel);

// Hours of right ascension that move the telescope by `degrees` at `dec`.
// None near the pole, where P(δ) is zero or negative and the move has no
// finite size.
std::optional<double> degrees_to_ra_hours(const declination_factor& factor, double dec, double degrees);
