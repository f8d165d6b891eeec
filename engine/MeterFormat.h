#pragma once
// The numbers of the compact window's meters as they are shown: rounded to the nearest whole
// number with ties to even, megabytes and kilobits in the format "#,###" (thousands separators,
// no digit at all for 0), percentages in plain decimal.
#include <cstdint>
#include <optional>
#include <string>

namespace hastelyn::engine {

// The nearest whole number, a tie going to the even one (2.5 -> 2, 3.5 -> 4, -0.5 -> 0).
std::int64_t roundHalfEven(double value);

// "#,###": 1234567 -> "1,234,567", 0 -> "", -1234 -> "-1,234".
std::string thousands(std::int64_t value);

// round(bytes / 1048576) in "#,###" followed by " MB" (so 0 reads " MB").
std::string megabytesText(double bytes);
// The percentage in decimal followed by " %".
std::string percentText(std::int64_t percent);
// Kilobits per second: "#,### Kbbs", or "0 Kbbs" for 0.
std::string kilobitsText(std::int64_t kilobits);

// round((1 - part / whole) x 100), the used share of a whole whose part is free; nothing when
// the whole is 0 (no share can be worked out).
std::optional<std::int64_t> usedPercent(double part, double whole);

}  // namespace hastelyn::engine
