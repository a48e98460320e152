#include "measure/core/NumberText.h"

#include <charconv>
#include <cmath>

namespace tessmet {

std::string FixedText(double value, int decimals) {
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) return {};
    return std::string(buffer, result.ptr);
}

int TruncateToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return 2147483647;
    if (value <= -2147483648.0) return -2147483647 - 1;
    return static_cast<int>(value);
}

int RoundHalfUp(double value) { return TruncateToInt(value + 0.5); }

int RoundCoordinate(double value) { return TruncateToInt(std::floor(value + 0.5)); }

}  // namespace tessmet
