#include <gtest/gtest.h>

#include "ui/model/ScreenFit.h"

namespace hastelyn::ui::model {
namespace {

// Given the room the desktop leaves and the window's size, where the window goes and whether
// its content scrolls.
TEST(ScreenFit, AWindowKeepsItsSizeWhereItFitsAndScrollsWhereTheScreenIsTooSmall) {
    constexpr FrameMargins none{};
    constexpr FrameMargins framed{4, 23, 4, 4};  // a frame with a title bar
    constexpr Size main{659, 525};
    struct Case {
        const char* what;
        Size design;
        Rect wanted;
        FrameMargins frame;
        Rect workArea;
        ScreenFit fit;
    };
    const Case cases[] = {
        {"main window, 1024 x 768", main, {182, 121, 659, 525}, none, {0, 0, 1024, 768}, {{182, 121, 659, 525}, false, false}},
        {"main window, 800 x 600 less a task bar", main, {70, 22, 659, 525}, framed, {0, 0, 800, 570}, {{70, 23, 659, 525}, false, false}},
        {"main window, 640 x 480 (its small size)", main, {25, 25, 590, 430}, none, {0, 0, 640, 480}, {{25, 25, 590, 430}, true, true}},
        {"main window, 640 x 480 less a task bar, framed", main, {25, 25, 590, 430}, framed, {0, 0, 640, 452}, {{25, 23, 590, 425}, true, true}},
        {"main window at its full size on 640 x 480", main, {-9, -22, 659, 525}, none, {0, 0, 640, 480}, {{0, 0, 640, 480}, true, true}},
        {"widened past the design: the vertical bar only", main, {0, 0, 700, 430}, none, {0, 0, 1024, 430}, {{0, 0, 700, 430}, false, true}},
        {"one bar takes the room of the other", {449, 410}, {95, 35, 449, 410}, framed, {0, 0, 640, 420}, {{95, 23, 449, 393}, true, true}},
        {"compact panel opened low on 640 x 480", {286, 402}, {177, 226, 286, 402}, none, {0, 0, 640, 480}, {{177, 78, 286, 402}, false, false}},
        {"compact panel opened low on 800 x 600", {286, 402}, {257, 285, 286, 402}, none, {0, 0, 800, 600}, {{257, 198, 286, 402}, false, false}},
        {"options window beyond the left and top", {449, 410}, {-50, -30, 449, 410}, framed, {0, 0, 640, 480}, {{4, 23, 449, 410}, false, false}},
        {"a second screen to the right", {527, 312}, {1500, 700, 527, 312}, framed, {1024, 0, 800, 600}, {{1293, 284, 527, 312}, false, false}},
    };
    for (const Case& c : cases) {
        const ScreenFit fit = fitOnScreen(c.design, c.wanted, c.frame, c.workArea, 16);
        EXPECT_EQ(fit.client, c.fit.client) << c.what << ": " << fit.client.left << "," << fit.client.top << " "
                                            << fit.client.width << "x" << fit.client.height;
        EXPECT_EQ(fit.scrollsAcross, c.fit.scrollsAcross) << c.what;
        EXPECT_EQ(fit.scrollsDown, c.fit.scrollsDown) << c.what;
    }
}

}  // namespace
}  // namespace hastelyn::ui::model
