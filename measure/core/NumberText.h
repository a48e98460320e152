#pragma once

#include <string>

namespace tessmet {

// printf-style "%.<decimals>f" that ignores the process locale: a Qt program runs with the
// user's locale, and a decimal comma must never reach a result text or a file.
std::string FixedText(double value, int decimals);

// Truncation toward zero. Values beyond the int range saturate and "not a number" gives 0,
// instead of the undefined behaviour of a plain cast.
int TruncateToInt(double value);

// Round as the measurement texts and geometry do: add 0.5 and truncate toward zero (which is
// round-half-up for the non-negative image coordinates), with the same guard.
int RoundHalfUp(double value);

}  // namespace tessmet
