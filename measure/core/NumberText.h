#pragma once

#include <string>

namespace tessmet {

// printf-style "%.<decimals>f" that ignores the process locale: a Qt program runs with the
// user's locale, and a decimal comma must never reach a result text or a file.
std::string FixedText(double value, int decimals);

// Truncation toward zero. Values beyond the int range saturate and "not a number" gives 0,
// instead of the undefined behaviour of a plain cast.
int TruncateToInt(double value);

// Add 0.5 and truncate toward zero (round-half-up for non-negative values), with the same
// guard. Used where values cannot be negative (pitches, counts).
int RoundHalfUp(double value);

// Round half up on the whole number line: floor(value + 0.5), with the same guard. Equals
// RoundHalfUp for non-negative values; for negative ones it keeps whole numbers whole (-5 stays
// -5 where RoundHalfUp gives -4). Every constructed point, radius and offset of the measurement
// geometry rounds this way: feet, intersections and centres may lie left of or above the image,
// and snapped or arrowhead offsets point in any direction.
int RoundCoordinate(double value);

}  // namespace tessmet
