#include "ui/model/ScreenFit.h"

#include <algorithm>

namespace hastelyn::ui::model {
namespace {

// The start of a span of this length inside [low, high): where it was if it fits there, else
// as far as it must move; a span longer than the room starts at low.
int keepInside(int start, int length, int low, int high) { return std::max(low, std::min(start, high - length)); }

}  // namespace

Rect keepOnScreen(const Rect& workArea, const Rect& window) {
    return {keepInside(window.left, window.width, workArea.left, workArea.right()),
            keepInside(window.top, window.height, workArea.top, workArea.bottom()), window.width, window.height};
}

ScreenFit fitOnScreen(Size design, const Rect& wanted, const FrameMargins& frame, const Rect& workArea, int bar) {
    ScreenFit fit;
    const int roomAcross = std::max(0, workArea.width - frame.left - frame.right);
    const int roomDown = std::max(0, workArea.height - frame.top - frame.bottom);
    fit.client.width = std::min(wanted.width, roomAcross);
    fit.client.height = std::min(wanted.height, roomDown);
    fit.client.left = keepInside(wanted.left, fit.client.width, workArea.left + frame.left,
                                 workArea.right() - frame.right);
    fit.client.top = keepInside(wanted.top, fit.client.height, workArea.top + frame.top,
                                workArea.bottom() - frame.bottom);
    // One bar narrows the room for the content in the other direction.
    fit.scrollsAcross = fit.client.width < design.width;
    fit.scrollsDown = fit.client.height < design.height;
    fit.scrollsAcross = fit.scrollsAcross || (fit.scrollsDown && fit.client.width - bar < design.width);
    fit.scrollsDown = fit.scrollsDown || (fit.scrollsAcross && fit.client.height - bar < design.height);
    return fit;
}

}  // namespace hastelyn::ui::model
