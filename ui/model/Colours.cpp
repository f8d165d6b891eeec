#include "ui/model/Colours.h"

#include <algorithm>
#include <cmath>

namespace hastelyn::ui::model::colours {
namespace {

double channel(std::uint32_t value) {
    const double c = static_cast<double>(value & 0xFF) / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// Relative luminance of 0x00BBGGRR.
double luminance(std::uint32_t bgr) {
    return 0.2126 * channel(bgr) + 0.7152 * channel(bgr >> 8) + 0.0722 * channel(bgr >> 16);
}

}  // namespace

double contrast(std::uint32_t a, std::uint32_t b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::uint32_t readableOn(std::uint32_t background, std::uint32_t own) {
    if (contrast(background, own) >= 3.0) return own;
    return contrast(background, kBlack) >= contrast(background, kWhite) ? kBlack : kWhite;
}

}  // namespace hastelyn::ui::model::colours
