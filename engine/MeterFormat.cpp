#include "engine/MeterFormat.h"

#include <cmath>

namespace hastelyn::engine {

std::int64_t roundHalfEven(double value) {
    if (!std::isfinite(value)) return 0;
    const double whole = std::floor(value);
    const double rest = value - whole;
    double rounded = rest > 0.5 ? whole + 1 : whole;
    if (rest == 0.5) rounded = std::fmod(whole, 2.0) == 0 ? whole : whole + 1;
    return static_cast<std::int64_t>(rounded);
}

std::string thousands(std::int64_t value) {
    if (value == 0) return {};
    const bool negative = value < 0;
    const auto magnitude = static_cast<std::uint64_t>(value);
    const std::string digits = std::to_string(negative ? 0 - magnitude : magnitude);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return negative ? "-" + out : out;
}

std::string megabytesText(double bytes) { return thousands(roundHalfEven(bytes / 1048576.0)) + " MB"; }

std::string percentText(std::int64_t percent) { return std::to_string(percent) + " %"; }

std::string kilobitsText(std::int64_t kilobits) { return kilobits == 0 ? "0 Kbbs" : thousands(kilobits) + " Kbbs"; }

std::optional<std::int64_t> usedPercent(double part, double whole) {
    if (whole == 0) return std::nullopt;
    return roundHalfEven((1.0 - part / whole) * 100.0);
}

}  // namespace hastelyn::engine
