#pragma once
// Keeps a window reachable by the mouse on a screen smaller than the window (640 x 480): each
// time it is shown or resized it moves wholly into what the desktop leaves free, and where the
// screen cannot hold it its controls go into a scroll area, so that every one of them can be
// brought into view and clicked. On a screen with room nothing changes.
class QWidget;

namespace hastelyn::ui {

// Called once, at the end of the window's constructor, when its controls stand where they were
// drawn: the window's size then is the size its controls were laid out for.
void keepOnSmallScreens(QWidget* window);

}  // namespace hastelyn::ui
