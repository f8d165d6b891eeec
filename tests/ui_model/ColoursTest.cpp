#include <gtest/gtest.h>

#include <cstdint>

#include "ui/model/Colours.h"

namespace hastelyn::ui::model::colours {
namespace {

// Texts of their own colour on the panels of the colour styles: kept where they read, black or
// white where they do not.
TEST(Colours, ATextKeepsItsColourWhereItReadsAndTakesBlackOrWhiteWhereNot) {
    struct Case {
        std::uint32_t background, own, shown;
    };
    const Case cases[] = {
        {0xFFFFFF, 0x0000FF, 0x0000FF},  // red counters on white
        {0x008000, 0x0000FF, 0xFFFFFF},  // red counters on green
        {0x000000, 0xFF0000, 0xFFFFFF},  // the blue hint line on black
        {0x000000, 0x000000, 0xFFFFFF},  // black text on black
        {0x00FFFF, 0xFFFFFF, 0x000000},  // white text on yellow
        {0x9CCFFF, 0x000000, 0x000000},  // the options window's own colour
        {0x808080, 0x000000, 0x000000},  // gray: black reads better than white
    };
    for (const Case& c : cases) EXPECT_EQ(readableOn(c.background, c.own), c.shown) << std::hex << c.background << " " << c.own;
}

}  // namespace
}  // namespace hastelyn::ui::model::colours
