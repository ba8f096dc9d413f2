// How the slew and location panels tidy an angle typed in three parts: the whole units
// kept below their limit, and a fraction of the units or minutes carried
// down into minutes and seconds.
#pragma once

struct angle_parts {
    double units = 0;
    double minutes = 0;
    double seconds = 0;
};

// normalise_parts with limit L: units of L or more become L - 1 (-L or less
// become 1 - L); a fractional unit replaces minutes and seconds, else a
// fractional minute replaces the seconds. Fractions keep their sign.
angle_parts normalise_parts(angle_parts parts, double limit);
// The parts added as they stand: -10 degrees and 30 minutes are -9.5.
double angle_value(const angle_parts& parts);
